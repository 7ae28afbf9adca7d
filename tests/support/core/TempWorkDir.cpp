#include "tests/support/core/TempWorkDir.h"

#include <fstream>
#include <random>
#include <sstream>

#include "platform/sys/System.h"

#include <sys/stat.h>

namespace korvane::test {

void TempWorkDirTest::SetUp() {
    OldWorkDir_ = std::filesystem::current_path();
    OldTmpDir_ = EnvironmentValue("TMPDIR");
    std::random_device random;
    const auto base = std::filesystem::temp_directory_path();
    for (;;) {
        auto candidate = base / ("korvane-test-" + std::to_string(random()));
        if (std::filesystem::create_directory(candidate)) {
            WorkDir_ = candidate;
            break;
        }
    }
    std::filesystem::create_directory(SystemTemp());
    std::filesystem::current_path(WorkDir_);
    SetEnvironmentValue("TMPDIR", SystemTemp().string());
}

void TempWorkDirTest::TearDown() {
    std::filesystem::current_path(OldWorkDir_);
    if (OldTmpDir_) {
        SetEnvironmentValue("TMPDIR", *OldTmpDir_);
    } else {
        UnsetEnvironmentValue("TMPDIR");
    }
    std::error_code ignored;
    std::filesystem::permissions(WorkDir_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(WorkDir_, ignored)) {
        std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
    }
    std::filesystem::remove_all(WorkDir_, ignored);
}

void TempWorkDirTest::WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TempWorkDirTest::ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::string TempWorkDirTest::Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (int value : values) {
        bytes.push_back(static_cast<char>(value));
    }
    return bytes;
}

void TempWorkDirTest::MakeFifo(const std::filesystem::path& path) {
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0) << "cannot make a FIFO at " << path;
}

} // namespace korvane::test
