#include <filesystem>
#include <functional>
#include <set>

#include "platform/sys/FileCopy.h"
#include "platform/sys/FileReplace.h"
#include "tests/support/core/TempWorkDir.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

class FileCopyTest : public test::TempWorkDirTest {
protected:
    void SetUp() override {
        TempWorkDirTest::SetUp();
        fs::create_directory("disk");
        WriteFile("disk/Rating.dat", "older copy");
        WriteFile("Rating.dat", Pattern(200000));
    }
    void TearDown() override {
        TFileFaults::LimitWrites(std::nullopt);
        TempWorkDirTest::TearDown();
    }

    static std::string Pattern(std::size_t Size) {
        std::string bytes(Size, '\0');
        for (std::size_t i = 0; i < Size; ++i) {
            bytes[i] = static_cast<char>(i * 7 % 251);
        }
        return bytes;
    }

    static std::set<std::string> Names(const fs::path& Folder) {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(Folder)) {
            names.insert(entry.path().filename().string());
        }
        return names;
    }
};

TEST_F(FileCopyTest, ReplacesTheDestinationByteForByte) {
    ASSERT_TRUE(CopyFileReplacing("Rating.dat", "disk/Rating.dat"));
    EXPECT_EQ(ReadFile("disk/Rating.dat"), ReadFile("Rating.dat"));
    WriteFile("kvn.dat", "");
    ASSERT_TRUE(CopyFileReplacing("kvn.dat", "disk/kvn.dat"));
    EXPECT_EQ(ReadFile("disk/kvn.dat"), "");
    EXPECT_EQ(Names("disk"), (std::set<std::string>{"Rating.dat", "kvn.dat"}));
}

// A rename works only within one file system: the new file must be made beside the destination.
TEST_F(FileCopyTest, ReplacesADestinationOnAnotherFileSystem) {
    const fs::path shm = "/dev/shm";
    if (!fs::is_directory(shm)) {
        GTEST_SKIP() << "no /dev/shm here";
    }
    const fs::path disk = shm / ("korvane-copy-" + WorkDir().filename().string());
    fs::create_directory(disk);
    WriteFile(disk / "Rating.dat", "older copy");
    const bool copied = CopyFileReplacing("Rating.dat", (disk / "Rating.dat").string());
    const std::string bytes = ReadFile(disk / "Rating.dat");
    const auto names = Names(disk);
    fs::remove_all(disk);
    ASSERT_TRUE(copied);
    EXPECT_EQ(bytes, ReadFile("Rating.dat"));
    EXPECT_EQ(names, (std::set<std::string>{"Rating.dat"}));
}

struct TFailure {
    const char* Name;
    std::function<void()> Arrange;
    const char* Source;
    const char* Destination;
};

class FileCopyFailureTest : public FileCopyTest, public ::testing::WithParamInterface<TFailure> {
protected:
    void SetUp() override {
        FileCopyTest::SetUp();
        fs::create_directory("disk/Rating.dat.d");
        WriteFile("disk/file", "a file where a folder is expected");
        MakeFifo("fifo");
    }
};

TEST_P(FileCopyFailureTest, LeavesTheOlderCopyAndNoTemporaryFile) {
    GetParam().Arrange();
    EXPECT_FALSE(CopyFileReplacing(GetParam().Source, GetParam().Destination));
    EXPECT_EQ(ReadFile("disk/Rating.dat"), "older copy");
    EXPECT_EQ(Names("disk"), (std::set<std::string>{"Rating.dat", "Rating.dat.d", "file"}));
}

INSTANTIATE_TEST_SUITE_P(
    Failures, FileCopyFailureTest,
    ::testing::Values(TFailure{"DiskFull", [] { TFileFaults::LimitWrites(65536 + 100); },
                               "Rating.dat", "disk/Rating.dat"},
                      TFailure{"DiskFullAtOnce", [] { TFileFaults::LimitWrites(0); }, "Rating.dat",
                               "disk/Rating.dat"},
                      TFailure{"SourceMissing", [] {}, "Missing.dat", "disk/Rating.dat"},
                      TFailure{"SourceIsAFolder", [] {}, "disk", "disk/Rating.dat"},
                      TFailure{"SourceIsAFifo", [] {}, "fifo", "disk/Rating.dat"},
                      TFailure{"DestinationIsAFolder", [] {}, "Rating.dat", "disk/Rating.dat.d"},
                      TFailure{"FolderIsAFile", [] {}, "Rating.dat", "disk/file/Rating.dat"},
                      TFailure{"DiskRemoved", [] {}, "Rating.dat", "gone/Rating.dat"}),
    [](const auto& test) { return std::string(test.param.Name); });

} // namespace
} // namespace korvane
