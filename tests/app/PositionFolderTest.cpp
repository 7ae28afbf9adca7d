#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "app/PositionFolder.h"
#include "app/RecentPositions.h"
#include "tests/support/core/TempUserFolders.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

const std::string Defaults = "VETPREFERENCERATE1=0.05\r\nVETPREFERENCERATE2=0.10\r\n"
                             "SENDREPORTSTOPRINTER=TRUE\r\nCOMPUTEVETONMAXPOINTS=TRUE\r\n"
                             "FILLINBLANKRATTINGS=FALSE\r\nVETPREFONRATEDSCORES=FALSE\r\n"
                             "HIGHLIGHTON=FALSE\r\nLANDSCAPEFONT=8\r\nPORTRAITFONT=10\r\n";

class PositionFolderTest : public test::TempUserFoldersTest {
protected:
    // The plain files below Folder with their bytes; folders as "<folder>".
    static std::map<std::string, std::string> Files(const fs::path& Folder) {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(Folder)) {
            const std::string name = entry.path().lexically_relative(Folder).string();
            files[name] = entry.is_regular_file() ? ReadFile(entry.path()) : "<folder>";
        }
        return files;
    }
};

struct TNewCase {
    const char* Name;
    std::map<std::string, std::string> Before; // files in "pos/" first; "<folder>" for a folder
    std::string Title;
    char Separator;
    TNewPosition Result;
    std::map<std::string, std::string> After;
};

class NewPositionTest : public PositionFolderTest,
                        public ::testing::WithParamInterface<TNewCase> {};

// A new position's two files, byte for byte; whatever is already there is never overwritten.
TEST_P(NewPositionTest, WritesTheTwoFilesAndNeverOverwrites) {
    const TNewCase& c = GetParam();
    for (const auto& [name, bytes] : c.Before) {
        fs::create_directories(fs::path("pos") / fs::path(name).parent_path());
        if (bytes == "<folder>") {
            fs::create_directory(fs::path("pos") / name);
        } else {
            WriteFile(fs::path("pos") / name, bytes);
        }
    }
    std::string error;
    EXPECT_EQ(CreatePosition((WorkDir() / "pos").string(), c.Title, error, c.Separator), c.Result)
        << error;
    EXPECT_EQ(error.empty(), c.Result != TNewPosition::Failed) << error;
    EXPECT_EQ(Files("pos"), c.After);
}

const std::string Comma = "VETPREFERENCERATE1=0,05\r\nVETPREFERENCERATE2=0,10\r\n" +
                          Defaults.substr(Defaults.find("SEND"));

INSTANTIATE_TEST_SUITE_P(
    Cases, NewPositionTest,
    ::testing::Values(
        TNewCase{"NewFolder",
                 {},
                 "Budget Analyst",
                 '.',
                 TNewPosition::Created,
                 {{"kvn.dat", "Budget Analyst\r\n"}, {"support.dat", Defaults}}},
        TNewCase{
            "CodePageTitle",
            {{"notes.txt", "x"}},
            "Caf\xE9 Manager",
            '.',
            TNewPosition::Created,
            {{"kvn.dat", "Caf\xE9 Manager\r\n"}, {"support.dat", Defaults}, {"notes.txt", "x"}}},
        TNewCase{"CommaLocale",
                 {},
                 "Clerk",
                 ',',
                 TNewPosition::Created,
                 {{"kvn.dat", "Clerk\r\n"}, {"support.dat", Comma}}},
        TNewCase{"ExistingPosition",
                 {{"kvn.dat", "Old Title\r\n"}, {"Applicant.Dat", "A"}},
                 "New Title",
                 '.',
                 TNewPosition::Existing,
                 {{"kvn.dat", "Old Title\r\n"}, {"Applicant.Dat", "A"}}},
        TNewCase{"SettingsKept",
                 {{"support.dat", "ORGANISATIONNAME=City\r\n"}},
                 "Clerk",
                 '.',
                 TNewPosition::Created,
                 {{"kvn.dat", "Clerk\r\n"}, {"support.dat", "ORGANISATIONNAME=City\r\n"}}},
        TNewCase{"PositionFileIsAFolder",
                 {{"kvn.dat", "<folder>"}},
                 "Clerk",
                 '.',
                 TNewPosition::Failed,
                 {{"kvn.dat", "<folder>"}, {"support.dat", Defaults}}}),
    [](const auto& test) { return std::string(test.param.Name); });

TEST_F(PositionFolderTest, AFolderThatCannotBeMadeFails) {
    WriteFile("file", "x");
    std::string error;
    EXPECT_EQ(CreatePosition((WorkDir() / "file/pos").string(), "Clerk", error),
              TNewPosition::Failed);
    EXPECT_EQ(error, "Error: The Folder " + (WorkDir() / "file/pos").string() + " Does Not Exist.");
}

enum class TFolderSetup { Position, Empty, Missing, PositionFileIsFifo };

struct TOpenCase {
    const char* Name;
    TFolderSetup Setup;
    const char* Refusal; // after "Error: The Folder <folder>"; empty when it opens
};

class OpenPositionTest : public PositionFolderTest,
                         public ::testing::WithParamInterface<TOpenCase> {};

// Only a folder with a readable position file is opened; a refused one is left as it was.
TEST_P(OpenPositionTest, OpensOnlyAPosition) {
    const fs::path folder = WorkDir() / "pos";
    switch (GetParam().Setup) {
    case TFolderSetup::Position:
        fs::create_directory(folder);
        WriteFile(folder / "kvn.dat", "Clerk\r\n");
        break;
    case TFolderSetup::Empty:
        fs::create_directory(folder);
        break;
    case TFolderSetup::Missing:
        break;
    case TFolderSetup::PositionFileIsFifo:
        fs::create_directory(folder);
        MakeFifo(folder / "kvn.dat");
        break;
    }
    const auto before = Files(WorkDir());
    const std::string refused = OpenPositionFolder(folder.string());
    const std::string expected = *GetParam().Refusal == '\0'
                                     ? std::string()
                                     : "Error: The Folder " + folder.string() + GetParam().Refusal;
    EXPECT_EQ(refused, expected);
    EXPECT_EQ(fs::current_path(), refused.empty() ? folder : WorkDir());
    EXPECT_EQ(Files(WorkDir()), before) << "nothing created";
}

INSTANTIATE_TEST_SUITE_P(
    Folders, OpenPositionTest,
    ::testing::Values(TOpenCase{"Position", TFolderSetup::Position, ""},
                      TOpenCase{"Empty", TFolderSetup::Empty, " Holds No Position."},
                      TOpenCase{"Missing", TFolderSetup::Missing, " Does Not Exist."},
                      TOpenCase{"Fifo", TFolderSetup::PositionFileIsFifo, " Holds No Position."}),
    [](const auto& test) { return std::string(test.param.Name); });

struct TRecentCase {
    const char* Name;
    std::vector<std::pair<std::string, std::int64_t>> Opened; // in order
    std::vector<std::string> Gone;                            // afterwards
    std::vector<std::pair<std::string, std::int64_t>> Listed;
};

class RecentPositionsTest : public PositionFolderTest,
                            public ::testing::WithParamInterface<TRecentCase> {};

TEST_P(RecentPositionsTest, NewestFirstEightKeptGoneLeftOut) {
    TRecentPositions recent;
    for (const auto& [name, time] : GetParam().Opened) {
        fs::create_directories(name);
        WriteFile(fs::path(name) / "kvn.dat", name + "\r\n");
        ASSERT_TRUE(recent.Remember(name, time));
    }
    for (const std::string& name : GetParam().Gone) {
        fs::remove_all(name);
    }
    std::vector<TRecentPosition> expected;
    for (const auto& [name, time] : GetParam().Listed) {
        expected.push_back({(WorkDir() / name).string(), time});
    }
    EXPECT_EQ(recent.Positions(), expected);
}

std::vector<std::pair<std::string, std::int64_t>> Numbered(int From, int To) {
    std::vector<std::pair<std::string, std::int64_t>> folders;
    for (int n = From; n <= To; ++n) {
        folders.emplace_back("p" + std::to_string(n), 1000 + n);
    }
    return folders;
}

std::vector<std::pair<std::string, std::int64_t>>
Reversed(std::vector<std::pair<std::string, std::int64_t>> Folders) {
    std::reverse(Folders.begin(), Folders.end());
    return Folders;
}

INSTANTIATE_TEST_SUITE_P(
    Lists, RecentPositionsTest,
    ::testing::Values(
        TRecentCase{"NewestFirst", Numbered(1, 3), {}, Reversed(Numbered(1, 3))},
        TRecentCase{"ReopenedMovesUp", {{"a", 1}, {"b", 2}, {"a", 3}}, {}, {{"a", 3}, {"b", 2}}},
        TRecentCase{"EightKept", Numbered(1, 10), {}, Reversed(Numbered(3, 10))},
        TRecentCase{"GoneLeftOut", Numbered(1, 3), {"p2"}, {{"p3", 1003}, {"p1", 1001}}},
        TRecentCase{"GoneMakeRoom", Numbered(1, 9), {"p9", "p8"}, Reversed(Numbered(2, 7))},
        TRecentCase{"SubfolderSpelling", {{"a", 1}, {"a/../a/./", 2}}, {}, {{"a", 2}}}),
    [](const auto& test) { return std::string(test.param.Name); });

TEST_F(PositionFolderTest, DamagedRecentLinesAreSkipped) {
    fs::create_directories("a");
    WriteFile("a/kvn.dat", "A\r\n");
    fs::create_directories(ConfigDir() / "korvane");
    const std::string a = (WorkDir() / "a").string();
    WriteFile(TRecentPositions::DefaultPath(), "no tab here\nx\t" + a + "\n12\trelative\n\n7\t" +
                                                   a + "\n99999999999999999999\t" + a + "\n");
    EXPECT_EQ(TRecentPositions().Positions(), (std::vector<TRecentPosition>{{a, 7}}));
}

} // namespace
} // namespace korvane
