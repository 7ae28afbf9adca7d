#include <filesystem>
#include <string>
#include <vector>

#include "data/ChangeLog.h"
#include "data/ChangeText.h"
#include "tests/support/core/ScopedProcessState.h"
#include "tests/support/core/TempWorkDir.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

const TChangeEntry Sample{"2025-03-04T10:11:12Z", "jsmith", true,
                          TChange{"Rating Sheet", "rating of applicant 4711", 4711, 3}};

struct TLineCase {
    const char* Name;
    std::string Line;
    bool Entry;
};

class ChangeLineTest : public ::testing::TestWithParam<TLineCase> {};

// A line is an entry only when it has the seven fields in their forms; every entry written reads
// back as it was.
TEST_P(ChangeLineTest, ReadsOnlyWhatChangeLineWrites) {
    TChangeEntry entry;
    EXPECT_EQ(ParseChangeLine(GetParam().Line, entry), GetParam().Entry);
    if (GetParam().Entry) {
        EXPECT_EQ(ChangeLine(entry), GetParam().Line + "\n");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ChangeLineTest,
    ::testing::Values(
        TLineCase{"Written", ChangeLine(Sample).substr(0, ChangeLine(Sample).size() - 1), true},
        TLineCase{"NoIDs", "2025-03-04T10:11:12Z\tann\tordinary\tApplicants\t\t\tx", true},
        TLineCase{"SixFields", "2025-03-04T10:11:12Z\tann\tordinary\tApplicants\t\tx", false},
        TLineCase{"LocalTime", "2025-03-04 10:11:12\tann\tordinary\tApplicants\t\t\tx", false},
        TLineCase{"OtherMode", "2025-03-04T10:11:12Z\tann\tadmin\tApplicants\t\t\tx", false},
        TLineCase{"WordForID", "2025-03-04T10:11:12Z\tann\tordinary\tA\tfour\t\tx", false}),
    [](const auto& test) { return std::string(test.param.Name); });

struct TFilterCase {
    const char* Name;
    TChangeFilter Filter;
    std::vector<std::string> Shown; // the What of the entries shown, in order
};

class NewestFirstTest : public ::testing::TestWithParam<TFilterCase> {};

TEST_P(NewestFirstTest, ShowsWhatTheFilterLetsThroughNewestFirst) {
    std::vector<TChangeEntry> entries;
    const TChange changes[] = {{"Applicants", "a1", 1, 0},
                               {"Rating Sheet", "r1", 1, 7},
                               {"Committee Members", "m7", 0, 7},
                               {"Rating Sheet", "r2", 2, 7},
                               {"Update", "u", 0, 0}};
    for (const TChange& change : changes) {
        entries.push_back({"2025-03-04T10:11:12Z", "ann", false, change});
    }
    std::vector<std::string> shown;
    for (const TChangeEntry& entry : NewestFirst(entries, GetParam().Filter)) {
        shown.push_back(entry.Change.What);
    }
    EXPECT_EQ(shown, GetParam().Shown);
}

INSTANTIATE_TEST_SUITE_P(Filters, NewestFirstTest,
                         ::testing::Values(TFilterCase{"All", {}, {"u", "r2", "m7", "r1", "a1"}},
                                           TFilterCase{"Applicant", {1, 0, ""}, {"r1", "a1"}},
                                           TFilterCase{"Member", {0, 7, ""}, {"r2", "m7", "r1"}},
                                           TFilterCase{
                                               "Command", {0, 0, "Rating Sheet"}, {"r2", "r1"}},
                                           TFilterCase{"AllThree", {2, 7, "Rating Sheet"}, {"r2"}}),
                         [](const auto& test) { return std::string(test.param.Name); });

class LogChangeTest : public test::TempWorkDirTest {};

// Each change is one line more; a log that cannot be written says so, and once it can be written
// again its next line says how many changes it missed since when.
TEST_F(LogChangeTest, AppendsOneLineAndOwnsUpToMissedOnes) {
    test::ScopedProcessState state;
    AdministrativeMode = true;
    ASSERT_TRUE(LogChange({"Applicants", "first", 4711}).Ok());
    AdministrativeMode = false;
    ASSERT_TRUE(LogChange({"Committee Members", "second", 0, 3}).Ok());
    ASSERT_TRUE(LogChange({"Rating Sheet", "", 4711, 3}).Ok()) << "saved as it stood: no line";
    TChangeLog log = ReadChangeLog();
    ASSERT_EQ(log.Entries.size(), 2u);
    EXPECT_TRUE(log.DamagedLines.empty());
    EXPECT_TRUE(IsUtcTimeStamp(log.Entries[0].Time));
    EXPECT_FALSE(log.Entries[0].User.empty());
    EXPECT_EQ(log.Entries[0].Change, (TChange{"Applicants", "first", 4711, 0}));
    EXPECT_TRUE(log.Entries[0].Administrative);
    EXPECT_EQ(log.Entries[1].Change, (TChange{"Committee Members", "second", 0, 3}));
    EXPECT_FALSE(log.Entries[1].Administrative);

    const std::string kept = ReadFile(ChangeLogFileName);
    fs::rename(ChangeLogFileName, "kept");
    fs::create_directory(ChangeLogFileName); // no file can be written under that name
    EXPECT_EQ(LogChange({"Applicants", "missed 1"}).Reason, TLogFailure::NotWritten);
    EXPECT_EQ(LogChange({"Applicants", "missed 2"}).Reason, TLogFailure::NotWritten);
    EXPECT_TRUE(ReadChangeLog().Unreadable);
    fs::remove(ChangeLogFileName);
    fs::rename("kept", ChangeLogFileName);
    ASSERT_TRUE(LogChange({"Applicants", "third"}).Ok());
    ASSERT_TRUE(LogChange({"Applicants", "fourth"}).Ok());

    const std::string text = ReadFile(ChangeLogFileName);
    EXPECT_EQ(text.substr(0, kept.size()), kept) << "never rewritten";
    log = ReadChangeLog();
    ASSERT_EQ(log.Entries.size(), 5u);
    EXPECT_EQ(log.Entries[2].Change.Command, "Change Log");
    const std::string& gap = log.Entries[2].Change.What;
    EXPECT_TRUE(gap.starts_with("lines may be missing: 2 changes since ") &&
                gap.ends_with(" could not be logged"))
        << gap;
    EXPECT_EQ(log.Entries[3].Change.What, "third");
    EXPECT_EQ(log.Entries[4].Change.What, "fourth");
}

TEST_F(LogChangeTest, DamagedLinesAreReportedByNumber) {
    WriteFile(ChangeLogFileName, ChangeLine(Sample) + "half a line\n" + ChangeLine(Sample) + "\n" +
                                     ChangeLine(Sample).substr(0, 30));
    const TChangeLog log = ReadChangeLog();
    EXPECT_EQ(log.Entries.size(), 2u);
    EXPECT_EQ(log.DamagedLines, (std::vector<int>{2, 4, 5}));
}

TRateRecord Ratings(std::vector<std::int32_t> Rates, const char* Comments = "") {
    TRateRecord rec = BlankRating(4711, 3);
    std::copy(Rates.begin(), Rates.end(), rec.Rate.begin());
    rec.Comments = Comments;
    return rec;
}

struct TTextCase {
    const char* Name;
    std::string Text;
    std::string Expected;
};

class ChangeTextTest : public ::testing::TestWithParam<TTextCase> {};

// What the log says of a change names everything that changed, and nothing when nothing did
// (the commands' own table checks one change of each kind).
TEST_P(ChangeTextTest, NamesWhatChanged) {
    EXPECT_EQ(GetParam().Text, GetParam().Expected);
}

const TDataRecord Applicant{4711, "LEE \xC9VA", '*', 1.0, 0};
const TDataRecord Veteran{4711, "LEE \xC9VA", '*', 2.0, 2};
const std::string Arrow = " \xE2\x86\x92 ";

INSTANTIATE_TEST_SUITE_P(
    Texts, ChangeTextTest,
    ::testing::Values(
        TTextCase{"VeteranAndStatus",
                  NamedRecordChange(TNamedList::Applicants, &Applicant, &Veteran),
                  "applicant 4711 veteran preference 1" + Arrow + "2, status 0" + Arrow + "2"},
        TTextCase{
            "RatingsAndComment",
            RatingChange(Ratings({0}), Ratings({5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}, "OK"), true),
            "ratings of applicant 4711 by member 3: criterion 1: 0" + Arrow + "5, criterion 12: 0" +
                Arrow + "1, comments \"\"" + Arrow + "\"OK\""},
        TTextCase{"SameSheet", RatingChange(Ratings({1}), Ratings({1}), false), ""}),
    [](const auto& test) { return std::string(test.param.Name); });

} // namespace
} // namespace korvane
