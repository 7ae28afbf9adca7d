#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

// Shared by the fuzz targets: a private folder per process, and checks that stop the run.
namespace korvane::fuzz {

// Ends the run with the broken property named; libFuzzer keeps the input that did it.
#define KORVANE_FUZZ_CHECK(condition)                                                              \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition);  \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

// A folder of this process, in memory where the system has such a folder (so that flushing
// costs nothing), removed when the process ends. Ends in '/'.
inline const std::string& WorkFolder() {
    static const std::string folder = [] {
        namespace fs = std::filesystem;
        std::error_code error;
        const fs::path base =
            fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm") : fs::temp_directory_path();
        std::random_device random;
        static fs::path made;
        do {
            made = base / ("korvane-fuzz-" + std::to_string(random()));
        } while (!fs::create_directory(made, error));
        std::atexit([] {
            std::error_code ignored;
            fs::remove_all(made, ignored);
        });
        return made.string() + "/";
    }();
    return folder;
}

inline void WriteBytes(const std::string& Path, const std::string& Bytes) {
    std::ofstream out(Path, std::ios::binary | std::ios::trunc);
    out.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
}

inline std::string ReadBytes(const std::string& Path) {
    std::ifstream in(Path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

} // namespace korvane::fuzz
