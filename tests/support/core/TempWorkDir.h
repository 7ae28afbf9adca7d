#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace korvane::test {

// Runs each test in a fresh working directory of its own, with a private system temporary
// folder (TMPDIR) inside it, and removes both afterwards.
class TempWorkDirTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The working directory of this test.
    const std::filesystem::path& WorkDir() const { return WorkDir_; }
    // The system temporary folder this test sees (TMPDIR).
    std::filesystem::path SystemTemp() const { return WorkDir_ / "tmp"; }

    // Small file helpers for building and checking test data.
    static void WriteFile(const std::filesystem::path& path, const std::string& bytes);
    static std::string ReadFile(const std::filesystem::path& path);
    static std::string Bytes(std::initializer_list<int> values);
    // A named pipe at path (a file that blocks whoever opens it for reading).
    static void MakeFifo(const std::filesystem::path& path);

private:
    std::filesystem::path WorkDir_;
    std::filesystem::path OldWorkDir_;
    std::optional<std::string> OldTmpDir_;
};

} // namespace korvane::test
