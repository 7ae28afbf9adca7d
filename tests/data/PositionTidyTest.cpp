#include <filesystem>
#include <set>
#include <string>

#include "data/PositionFile.h"
#include "platform/sys/FileReplace.h"
#include "platform/sys/TempFolder.h"
#include "tests/support/core/TempWorkDir.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

class PositionTidyTest : public test::TempWorkDirTest {
protected:
    static std::set<std::string> Names(const fs::path& Folder) {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(Folder)) {
            names.insert(entry.path().filename().string());
        }
        return names;
    }
};

TEST_F(PositionTidyTest, RemovesOnlyTheLeftoversOfOurOwnChanges) {
    const std::set<std::string> kept = {
        "Rating.dat",               // the file itself
        ".Rating.dat.bak",          // too short for a new file of ours
        ".Rating.dat.AbC12",        // too short
        ".Rating.dat.Ab_123",       // not a character of ours
        ".Notes.txt.Ab1234",        // not a file of the position
        ".Rating.dat.Dir123",       // a folder
        ".Rating.dat.Lnk123",       // a link, however named
        ".Rating.dat.0a1b2c3g.tmp", // not hexadecimal
    };
    const std::set<std::string> removed = {
        ".Rating.dat.Ab1234",       ".Preferre.dat.zZ9xY8", "..Korvane.journal.q1w2e3",
        ".Rating.dat.0a1b2c3d.tmp", ".kvn.dat.AAAAAA",      ".Recusal.dat.Q1w2E3",
    };
    for (const auto& name : kept) {
        WriteFile(name, "x");
    }
    fs::remove(".Rating.dat.Dir123");
    fs::create_directory(".Rating.dat.Dir123");
    fs::remove(".Rating.dat.Lnk123");
    fs::create_symlink("Rating.dat", ".Rating.dat.Lnk123");
    for (const auto& name : removed) {
        WriteFile(name, "left behind");
    }
    EXPECT_EQ(TidyPositionFolder(), TRecovery::Nothing);
    auto names = Names(".");
    names.erase("tmp");
    EXPECT_EQ(names, kept);
}

struct TJournalCase {
    const char* Name;
    std::string Journal;
    TRecovery Recovery;
    std::string Rating; // Rating.dat afterwards
};

class JournalTest : public PositionTidyTest, public ::testing::WithParamInterface<TJournalCase> {};

TEST_P(JournalTest, CompletesASoundJournalAndIgnoresAnyOther) {
    WriteFile("Rating.dat", "old");
    WriteFile(".Rating.dat.New123", "new");
    WriteFile("secret", "not ours");
    WriteFile(ChangeJournalName, GetParam().Journal);
    EXPECT_EQ(TidyPositionFolder(), GetParam().Recovery);
    EXPECT_EQ(ReadFile("Rating.dat"), GetParam().Rating);
    EXPECT_EQ(ReadFile("secret"), "not ours");
    EXPECT_EQ(Names("."), (std::set<std::string>{"Rating.dat", "secret", "tmp"}))
        << "the journal and the staged file are gone either way";
}

INSTANTIATE_TEST_SUITE_P(
    Journals, JournalTest,
    ::testing::Values(
        TJournalCase{"Sound", "Korvane change 1\n.Rating.dat.New123\tRating.dat\nend\n",
                     TRecovery::Completed, "new"},
        TJournalCase{"StagedFileAlreadyRenamed",
                     "Korvane change 1\n.Rating.dat.Gone12\tRating.dat\n"
                     ".Rating.dat.New123\tRating.dat\nend\n",
                     TRecovery::Completed, "new"},
        TJournalCase{"WithoutItsEnd", "Korvane change 1\n.Rating.dat.New123\tRating.dat\n",
                     TRecovery::Nothing, "old"},
        TJournalCase{"AnotherHeading", "Korvane change 2\n.Rating.dat.New123\tRating.dat\nend\n",
                     TRecovery::Nothing, "old"},
        TJournalCase{"NotOurPattern", "Korvane change 1\nsecret\tRating.dat\nend\n",
                     TRecovery::Nothing, "old"},
        TJournalCase{"OutsideTheFolder",
                     "Korvane change 1\n.Rating.dat.New123\t../Rating.dat\nend\n",
                     TRecovery::Nothing, "old"},
        TJournalCase{"MoreAfterTheEnd",
                     "Korvane change 1\n.Rating.dat.New123\tRating.dat\nend\nmore\n",
                     TRecovery::Nothing, "old"}),
    [](const auto& test) { return std::string(test.param.Name); });

TEST_F(PositionTidyTest, RemovesThePageFoldersOfRunsThatEnded) {
    const fs::path temp = TempFolder();
    const fs::path mine = NewRunFolder("preview-");
    // No process has an ID above the largest the system gives; process 1 always runs.
    const fs::path ended = temp / "preview-99999999-AbCdEf";
    const fs::path running = temp / "preview-1-AbCdEf";
    const fs::path other = temp / "notes-AbCdEf";
    for (const fs::path& folder : {ended, running, other}) {
        fs::create_directory(folder);
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::replace);
    }
    for (const fs::path& folder : {mine, ended, running, other}) {
        WriteFile(folder / "1.jpg", "page");
    }
    TidyPositionFolder();
    EXPECT_FALSE(fs::exists(ended));
    EXPECT_TRUE(fs::exists(mine / "1.jpg"));
    EXPECT_TRUE(fs::exists(running / "1.jpg"));
    EXPECT_TRUE(fs::exists(other / "1.jpg"));
}

} // namespace
} // namespace korvane
