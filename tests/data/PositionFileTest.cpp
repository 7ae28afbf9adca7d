#include "data/PositionFile.h"

#include "tests/support/core/TempWorkDir.h"

namespace korvane {
namespace {

class PositionFileTest : public test::TempWorkDirTest {};

TEST_F(PositionFileTest, FirstLineIsTheTitle) {
    WriteFile("kvn.dat", "Senior Budget Analyst\r\nIgnored second line\r\n");
    ReadPositionTitle();
    EXPECT_EQ(PositionTitle, "Senior Budget Analyst");
    WriteFile("kvn.dat", "No line end");
    ReadPositionTitle();
    EXPECT_EQ(PositionTitle, "No line end");
    WriteFile("kvn.dat", "Caf\xe9 Manager\nnext");
    ReadPositionTitle();
    EXPECT_EQ(PositionTitle, "Caf\xe9 Manager") << "code-page bytes are kept as they are";
}

TEST_F(PositionFileTest, EmptyFirstLineIsAnEmptyTitle) {
    WriteFile("kvn.dat", "\r\nSecond\r\n");
    ReadPositionTitle();
    EXPECT_EQ(PositionTitle, "");
    WriteFile("kvn.dat", "");
    ReadPositionTitle();
    EXPECT_EQ(PositionTitle, "");
}

TEST_F(PositionFileTest, MissingFileGivesNoPositionFoundAndCreatesNothing) {
    PositionTitle = "stale";
    ReadPositionTitle();
    EXPECT_EQ(PositionTitle, "No Position Found");
    EXPECT_FALSE(std::filesystem::exists("kvn.dat"));
    std::filesystem::create_directory("disk");
    WriteFile("disk/kvn.dat", "On The Disk\r\n");
    EXPECT_EQ(PositionTitleIn("disk/"), "On The Disk");
    EXPECT_EQ(PositionTitle, "No Position Found") << "reading another folder changes nothing";
}

TEST_F(PositionFileTest, UnreadableFileCountsAsMissing) {
    std::filesystem::create_directory("kvn.dat");
    ReadPositionTitle();
    EXPECT_EQ(PositionTitle, "No Position Found");
    std::filesystem::remove("kvn.dat");
    MakeFifo("kvn.dat");
    PositionTitle = "stale";
    ReadPositionTitle();
    EXPECT_EQ(PositionTitle, "No Position Found") << "a FIFO must not hang the start";
}

TEST_F(PositionFileTest, AnOverlongFirstLineIsCut) {
    WriteFile("kvn.dat", std::string(100000, 'T') + "\r\nsecond\r\n");
    EXPECT_EQ(PositionTitleIn(""), std::string(64 * 1024, 'T'));
}

} // namespace
} // namespace korvane
