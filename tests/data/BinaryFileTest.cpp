#include <filesystem>

#include "platform/sys/BinaryFile.h"
#include "platform/sys/InOutError.h"
#include "tests/support/core/TempWorkDir.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

class BinaryFileTest : public test::TempWorkDirTest {};

TEST_F(BinaryFileTest, OpensOnlyExistingFilesAndCreatesOnlyNewOnes) {
    TBinaryFile file;
    EXPECT_EQ(file.OpenReadWrite("x.dat"), TBinaryFile::TOpenOutcome::Missing);
    EXPECT_FALSE(file.IsOpen());
    WriteFile("x.dat", "kept");
    EXPECT_FALSE(file.Create("x.dat")) << "an existing file is never created anew";
    EXPECT_EQ(ReadFile("x.dat"), "kept");
    fs::create_directory("folder");
    EXPECT_EQ(file.OpenReadWrite("folder"), TBinaryFile::TOpenOutcome::Refused);
    ASSERT_EQ(file.OpenReadWrite("x.dat"), TBinaryFile::TOpenOutcome::Opened);
    EXPECT_EQ(file.Size(), 4);
}

TEST_F(BinaryFileTest, ReadsAndWritesAtOffsets) {
    TBinaryFile file;
    ASSERT_TRUE(file.Create("y.dat"));
    EXPECT_TRUE(file.WriteAt(0, "abcdef", 6));
    EXPECT_TRUE(file.WriteAt(2, "XY", 2));
    char buffer[8] = {};
    EXPECT_EQ(file.ReadAt(1, buffer, 8), 5) << "fewer bytes at the end of the file";
    EXPECT_EQ(std::string(buffer, 5), "bXYef");
    EXPECT_EQ(file.ReadAt(-1, buffer, 1), -1);
    EXPECT_FALSE(file.WriteAt(-64, "z", 1));
    file.Truncate(3);
    EXPECT_EQ(file.Size(), 3);
    file.Close();
    EXPECT_EQ(ReadFile("y.dat"), "abX");
}

TEST_F(BinaryFileTest, SizeAndTruncateRaiseTheInOutError) {
    TBinaryFile file;
    EXPECT_THROW(file.Size(), EInOutError);
    EXPECT_THROW(file.Truncate(0), EInOutError);
    ASSERT_TRUE(file.Create("z.dat"));
    EXPECT_THROW(file.Truncate(-1), EInOutError);
}

} // namespace
} // namespace korvane
