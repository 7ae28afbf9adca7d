// Writes a generated position into a folder, for looking at its printouts and for the
// side-by-side script: korvane_bench_position FOLDER [APPLICANTS [MEMBERS]].

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "bench/BenchPosition.h"

int main(int argc, char** argv) {
    if (argc < 2 || argc > 4) {
        std::fprintf(stderr, "usage: %s FOLDER [APPLICANTS [MEMBERS]]\n", argv[0]);
        return 2;
    }
    korvane::bench::TPositionSize size;
    if (argc > 2) {
        size.Applicants = std::atoi(argv[2]);
    }
    if (argc > 3) {
        size.Members = std::atoi(argv[3]);
    }
    if (size.Applicants < 1 || size.Members < 1) {
        std::fprintf(stderr, "%s: the counts must be 1 or more\n", argv[0]);
        return 2;
    }
    std::error_code error;
    std::filesystem::create_directories(argv[1], error);
    std::filesystem::current_path(argv[1], error);
    if (error) {
        std::fprintf(stderr, "%s: %s: %s\n", argv[0], argv[1], error.message().c_str());
        return 1;
    }
    korvane::bench::WritePosition(size);
    return 0;
}
