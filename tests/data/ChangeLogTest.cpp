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
        TLineCase{"EmptyWhat", "2025-03-04T10:11:12Z\tann\tordinary\tApplicants\t\t\t", true},
        TLineCase{"SixFields", "2025-03-04T10:11:12Z\tann\tordinary\tApplicants\t\tx", false},
        TLineCase{"EightFields", "2025-03-04T10:11:12Z\tann\tordinary\tA\t\t\tx\ty", false},
        TLineCase{"LocalTime", "2025-03-04 10:11:12\tann\tordinary\tApplicants\t\t\tx", false},
        TLineCase{"OtherMode", "2025-03-04T10:11:12Z\tann\tadmin\tApplicants\t\t\tx", false},
        TLineCase{"NoCommand", "2025-03-04T10:11:12Z\tann\tordinary\t\t\t\tx", false},
        TLineCase{"WordForID", "2025-03-04T10:11:12Z\tann\tordinary\tA\tfour\t\tx", false},
        TLineCase{"ZeroID", "2025-03-04T10:11:12Z\tann\tordinary\tA\t0\t\tx", false},
        TLineCase{"Empty", "", false}),
    [](const auto& test) { return std::string(test.param.Name); });

// Control characters cannot split an entry: a name with a tab or a line end stays one line.
TEST(ChangeLine, ControlCharactersBecomeQuestionMarks) {
    TChangeEntry entry = Sample;
    entry.User = "a\tb";
    entry.Change.What = "name \"X\r\nY\"";
    const std::string line = ChangeLine(entry);
    EXPECT_EQ(line.find('\n'), line.size() - 1);
    TChangeEntry read;
    ASSERT_TRUE(ParseChangeLine(line.substr(0, line.size() - 1), read));
    EXPECT_EQ(read.User, "a?b");
    EXPECT_EQ(read.Change.What, "name \"X??Y\"");
}

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
                                           TFilterCase{"AllThree", {2, 7, "Rating Sheet"}, {"r2"}},
                                           TFilterCase{"Nothing", {3, 0, ""}, {}}),
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

TDataRecord Record(std::int32_t ID, const char* Name, char Mark = ' ', double Veteran = 0,
                   std::int32_t Status = 0) {
    return {ID, Name, Mark, Veteran, Status};
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

// What the log says of each kind of change names what changed, and nothing when nothing did.
TEST_P(ChangeTextTest, NamesWhatChanged) {
    EXPECT_EQ(GetParam().Text, GetParam().Expected);
}

const TDataRecord Smith = Record(12, "SMITH JOHN");
const TDataRecord Renamed = Record(12, "SMITH JON");
const TDataRecord Applicant = Record(4711, "LEE \xC9VA", '*', 1.0, 0);
const TDataRecord Eliminated = Record(4711, "LEE \xC9VA", '*', 1.0, 2);
const TDataRecord Veteran = Record(4711, "LEE \xC9VA", '*', 2.0, 2);
const TDataRecord Teamwork = Record(4, "TEAMWORK");
const TDataRecord Checked = Record(4, "TEAMWORK", '*');
const TSelectRecord Weight10{4, 10, 3};
const TSelectRecord Weight20{4, 20, 3};
const TSelectRecord Other{5, 20, 3};
TImportResult Imported(TImportOutcome Outcome, int Loaded, int Line = 0) {
    TImportResult result;
    result.Reason = Outcome;
    result.Loaded = Loaded;
    result.LineNumber = Line;
    return result;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ChangeTextTest,
    ::testing::Values(
        TTextCase{"MemberAdded", NamedRecordChange(TNamedList::Members, nullptr, &Smith),
                  "member 12 \"SMITH JOHN\" added"},
        TTextCase{"MemberRenamed", NamedRecordChange(TNamedList::Members, &Smith, &Renamed),
                  "member 12 name \"SMITH JOHN\" \xE2\x86\x92 \"SMITH JON\""},
        TTextCase{"MemberDeleted",
                  NamedRecordChange(TNamedList::Members, &Smith, nullptr) +
                      WithRatings(2, "rating record"),
                  "member 12 \"SMITH JOHN\" deleted, with 2 rating records"},
        TTextCase{"Unchanged", NamedRecordChange(TNamedList::Members, &Smith, &Smith), ""},
        TTextCase{"ApplicantAdded", NamedRecordChange(TNamedList::Applicants, nullptr, &Veteran),
                  "applicant 4711 \"LEE \xC3\x89VA\" added, veteran preference 2, status 2"},
        TTextCase{"ApplicantStatus",
                  NamedRecordChange(TNamedList::Applicants, &Applicant, &Eliminated),
                  "applicant 4711 status 0 \xE2\x86\x92 2"},
        TTextCase{"ApplicantVeteranAndStatus",
                  NamedRecordChange(TNamedList::Applicants, &Applicant, &Veteran),
                  "applicant 4711 veteran preference 1 \xE2\x86\x92 2, status 0 \xE2\x86\x92 2"},
        TTextCase{"ReferenceCheck",
                  NamedRecordChange(TNamedList::SamplePreferred, &Teamwork, &Checked),
                  "sample preferred criterion 4 reference check no \xE2\x86\x92 yes"},
        TTextCase{"MarkOnlyCountsWhereItMeansSomething",
                  NamedRecordChange(TNamedList::SampleRequired, &Teamwork, &Checked), ""},
        TTextCase{"SelectionAdded",
                  SelectionChange(TSelectionList::Preferred, 3, nullptr, &Weight10, "", "TEAMWORK"),
                  "selected preferred criterion 3 \"TEAMWORK\" added, weight 10"},
        TTextCase{"Weight",
                  SelectionChange(TSelectionList::Preferred, 3, &Weight10, &Weight20, "TEAMWORK",
                                  "TEAMWORK"),
                  "weight of \"TEAMWORK\" 10 \xE2\x86\x92 20"},
        TTextCase{
            "CriterionAndWeight",
            SelectionChange(TSelectionList::Preferred, 3, &Weight10, &Other, "TEAMWORK", "TACT"),
            "selected preferred criterion 3 \"TEAMWORK\" \xE2\x86\x92 \"TACT\", weight 10 "
            "\xE2\x86\x92 20"},
        TTextCase{"RequiredHasNoWeight",
                  SelectionChange(TSelectionList::Required, 1, &Weight10, &Weight20, "A", "A"), ""},
        TTextCase{"RequiredDeleted",
                  SelectionChange(TSelectionList::Required, 2, &Weight10, nullptr, "DEGREE", ""),
                  "selected required criterion 2 \"DEGREE\" deleted"},
        TTextCase{"OneRating", RatingChange(Ratings({3, 3}), Ratings({3, 4}), false),
                  "rating of applicant 4711 by member 3, criterion 2: 3 \xE2\x86\x92 4"},
        TTextCase{
            "RatingsAndComment",
            RatingChange(Ratings({0}), Ratings({5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}, "OK"), true),
            "ratings of applicant 4711 by member 3: criterion 1: 0 \xE2\x86\x92 5, "
            "criterion 12: 0 \xE2\x86\x92 1, comments \"\" \xE2\x86\x92 \"OK\""},
        TTextCase{"CommentOnly", RatingChange(Ratings({2}), Ratings({2}, "X"), false),
                  "ratings of applicant 4711 by member 3: comments \"\" \xE2\x86\x92 \"X\""},
        TTextCase{"BlankSheet", RatingChange(Ratings({}), Ratings({}), true),
                  "ratings of applicant 4711 by member 3: blank sheet stored"},
        TTextCase{"SameSheet", RatingChange(Ratings({1}), Ratings({1}), false), ""},
        TTextCase{"Updated", ImportChange(Imported(TImportOutcome::Imported, 214)),
                  "\"Korvane Updated\": 214 applicants"},
        TTextCase{"Canceled", ImportChange(Imported(TImportOutcome::Canceled, 1)),
                  "update canceled: 1 applicant stored"},
        TTextCase{"Stopped", ImportChange(Imported(TImportOutcome::BadIdentifier, 3, 4)),
                  "update stopped at line 4: 3 applicants stored"},
        TTextCase{"NothingStored", ImportChange(Imported(TImportOutcome::ListNotFound, 0)), ""}),
    [](const auto& test) { return std::string(test.param.Name); });

} // namespace
} // namespace korvane
