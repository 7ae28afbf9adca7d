#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "data/FileNames.h"
#include "data/RatingMerge.h"
#include "data/SelectDataBase.h"
#include "tests/data/RecordTestSupport.h"
#include "tests/support/core/TempWorkDir.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using test::Named;

// A rating record written "applicant member rating1 rating2 rating3 [comment]".
TRateRecord Rating(const std::string& Text, std::int32_t Sequence = 1) {
    std::istringstream in(Text);
    TRateRecord rec;
    in >> rec.ApplicantID >> rec.CommitteeID >> rec.Rate[0] >> rec.Rate[1] >> rec.Rate[2];
    in >> rec.Comments;
    rec.Sequence = Sequence;
    return rec;
}

std::string Text(const TRateRecord& Rec) {
    std::ostringstream out;
    out << Rec.ApplicantID << ' ' << Rec.CommitteeID << ' ' << Rec.Rate[0] << ' ' << Rec.Rate[1]
        << ' ' << Rec.Rate[2] << (Rec.Comments.empty() ? "" : " ") << Rec.Comments;
    return out.str();
}

// A refusal as "Reason side subject number".
std::string Describe(const TMergeCheck& Check) {
    const char* const reasons[] = {"None",       "Unreadable", "BrokenRecord", "TooManyCriteria",
                                   "OutOfRange", "OnlyHere",   "OnlyOnDisk",   "DamagedDecisions"};
    return std::string(reasons[static_cast<int>(Check.Reason)]) +
           (Check.OnDisk ? " disk " : " here ") + Check.Subject + " " +
           std::to_string(Check.Record + Check.CriterionID);
}

const std::vector<TDataRecord> Applicants = {Named(1, "A"), Named(2, "B"), Named(3, "C"),
                                             Named(7, "D")};
const std::vector<TDataRecord> Members = {Named(3, "BAKER, BOB")};

struct TPairCase {
    const char* Name;
    const char* Ours; // empty: no record of the pair here
    const char* Theirs;
    bool TakeTheirs;
    TPairKind Kind;
    const char* After; // this position's record of pair (7, 3) after the merge; empty: none
};

void PrintTo(const TPairCase& Case, std::ostream* Out) {
    *Out << Case.Name;
}

const TPairCase PairCases[] = {
    {"Added", "", "7 3 3 4 0 GOOD", false, TPairKind::Added, "7 3 3 4 0 GOOD"},
    {"Unchanged", "7 3 3 4 0 A", "7 3 3 4 0 B", false, TPairKind::Unchanged, "7 3 3 4 0 A"},
    // What the disk holds is here already: nothing changes here.
    {"SubsetIsUnchanged", "7 3 3 4 5", "7 3 3 0 5", false, TPairKind::Unchanged, "7 3 3 4 5"},
    {"Combined", "7 3 3 0 0 A", "7 3 0 4 2 B", false, TPairKind::Combined, "7 3 3 4 2 A"},
    {"CommentOnlyThere", "7 3 3 0 0", "7 3 3 0 0 LATE", false, TPairKind::Combined,
     "7 3 3 0 0 LATE"},
    // Where only one side rated, its rating counts whichever side is kept.
    {"ConflictKept", "7 3 3 4 0 OURS", "7 3 5 0 2 THEIRS", false, TPairKind::Conflict,
     "7 3 3 4 2 OURS"},
    {"ConflictTaken", "7 3 3 4 0 OURS", "7 3 5 0 2 THEIRS", true, TPairKind::Conflict,
     "7 3 5 4 2 THEIRS"},
    {"TakenWithoutComment", "7 3 3 0 0 OURS", "7 3 5 0 0", true, TPairKind::Conflict,
     "7 3 5 0 0 OURS"},
    {"UnknownApplicant", "", "8 3 3 0 0", false, TPairKind::Skipped, ""},
    {"UnknownMember", "7 3 1 0 0", "7 4 3 0 0", true, TPairKind::Skipped, "7 3 1 0 0"},
    {"NoRating", "", "7 3 0 0 0 NONE", false, TPairKind::Empty, ""},
};

class RatingMergePairTest : public ::testing::TestWithParam<TPairCase> {};

TEST_P(RatingMergePairTest, ClassifiesAndMergesThePair) {
    const TPairCase& c = GetParam();
    TRatingSide ours{{11, 12, 13}, {Rating("1 3 1 1 1", 4)}, {}};
    if (*c.Ours != '\0') {
        ours.Ratings.push_back(Rating(c.Ours));
    }
    TRatingMerge merge;
    ASSERT_TRUE(
        merge.Compare(ours, {{11, 12, 13}, {Rating(c.Theirs)}, {}}, Applicants, Members).Ok());
    ASSERT_EQ(merge.Pairs().size(), 1u);
    EXPECT_EQ(merge.Pairs()[0].Kind, c.Kind);
    merge.DecideAll(c.TakeTheirs);
    std::string after;
    for (const auto& rec : merge.Merged()) {
        after += rec.ApplicantID == 7 && rec.CommitteeID == 3 ? Text(rec) : std::string();
    }
    EXPECT_EQ(after, c.After);
    // An added pair comes first, numbered after the highest Sequence here; the others stay.
    const bool added = c.Kind == TPairKind::Added;
    ASSERT_EQ(merge.Merged().size(), ours.Ratings.size() + (added ? 1 : 0));
    EXPECT_EQ(merge.Merged()[added ? 1 : 0], ours.Ratings[0]);
    EXPECT_EQ(merge.Merged()[0].Sequence, added ? 5 : 4);
    EXPECT_EQ(merge.Changes(),
              added || c.Kind == TPairKind::Combined || c.Kind == TPairKind::Conflict);
}

INSTANTIATE_TEST_SUITE_P(Pairs, RatingMergePairTest, ::testing::ValuesIn(PairCases),
                         [](const auto& test) { return std::string(test.param.Name); });

// The first record of a pair wins on either side; added pairs keep the disk's order, newest
// first; a conflict is decided one by one.
TEST(RatingMergeTest, FirstRecordOfAPairWinsAndAddedPairsKeepTheDisksOrder) {
    TRatingSide ours{{11}, {Rating("1 3 2 0 0", 10), Rating("1 3 4 0 0", 9)}, {}};
    TRatingSide disk{{11}, {}, {}};
    for (const char* text : {"3 3 5 0 0", "1 3 3 0 0", "1 3 2 0 0", "2 3 1 0 0", "3 3 1 0 0"}) {
        disk.Ratings.push_back(Rating(text));
    }
    TRatingMerge merge;
    ASSERT_TRUE(merge.Compare(ours, disk, Applicants, Members).Ok());
    ASSERT_EQ(merge.Conflicts().size(), 1u);
    merge.Decide(0, true);
    std::vector<std::string> seen;
    for (const auto& rec : merge.Merged()) {
        seen.push_back(Text(rec) + " #" + std::to_string(rec.Sequence));
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"3 3 5 0 0 #12", "2 3 1 0 0 #11", "1 3 3 0 0 #10",
                                              "1 3 4 0 0 #9"}));
    EXPECT_EQ(merge.Counts(), (TMergeCounts{.Added = 2, .Conflicts = 1, .TakenFromDisk = 1}));
}

struct TCriteriaCase {
    const char* Name;
    std::vector<std::int32_t> Ours;
    std::vector<std::int32_t> Disk;
    const char* Theirs;
    std::string Outcome; // pair (7, 3) after the merge, or the refusal
};

void PrintTo(const TCriteriaCase& Case, std::ostream* Out) {
    *Out << Case.Name;
}

const TCriteriaCase CriteriaCases[] = {
    {"SameOrder", {11, 12, 13}, {11, 12, 13}, "7 3 1 2 3", "7 3 1 2 3"},
    {"Reordered", {11, 12, 13}, {13, 11, 12}, "7 3 3 1 2", "7 3 1 2 3"},
    {"SelectedTwice", {11, 12, 11}, {11, 11, 12}, "7 3 1 3 2", "7 3 1 2 3"},
    // Ratings past the disk's criteria belong to none.
    {"BeyondTheCriteria", {12, 11}, {11, 12}, "7 3 1 2 5", "7 3 2 1 0"},
    {"OnlyHere", {11, 14, 12}, {11, 12, 13}, "7 3 1 1 1", "OnlyHere here SKILL 14"},
    {"OnlyOnTheDisk", {11, 12}, {11, 12, 13}, "7 3 1 1 1", "OnlyOnDisk here TEAMWORK 13"},
    {"Unnamed", {11}, {11, 15}, "7 3 1 1 0", "OnlyOnDisk here  15"},
    {"TwiceHereOnly", {11, 11}, {11, 12}, "7 3 1 1 0", "OnlyHere here WRITING 11"},
};

class RatingMergeCriteriaTest : public ::testing::TestWithParam<TCriteriaCase> {};

TEST_P(RatingMergeCriteriaTest, MapsEachRatingToItsCriterionOrRefuses) {
    const TCriteriaCase& c = GetParam();
    TRatingSide ours{c.Ours, {}, {Named(11, "WRITING"), Named(14, "SKILL")}};
    TRatingSide disk{c.Disk, {Rating(c.Theirs)}, {Named(13, "TEAMWORK")}};
    TRatingMerge merge;
    const TMergeCheck check = merge.Compare(ours, disk, Applicants, Members);
    EXPECT_EQ(check.Ok() ? Text(merge.Merged().at(0)) : Describe(check), c.Outcome);
}

INSTANTIATE_TEST_SUITE_P(Criteria, RatingMergeCriteriaTest, ::testing::ValuesIn(CriteriaCases),
                         [](const auto& test) { return std::string(test.param.Name); });

template <class Codec> std::string Encoded(const std::vector<typename Codec::TRecord>& Records) {
    std::string bytes(Records.size() * Codec::Size, '\0');
    for (std::size_t i = 0; i < Records.size(); ++i) {
        Codec::Encode(Records[i], reinterpret_cast<unsigned char*>(bytes.data()) + i * Codec::Size);
    }
    return bytes;
}

class RatingMergeFilesTest : public test::TempWorkDirTest {};

// A damaged or unreadable file is named and nothing is merged; neither side gains a file.
TEST_F(RatingMergeFilesTest, RefusesDamagedFilesByName) {
    const std::string rating = Encoded<TRateRecordCodec>({Rating("7 3 4 5 0")});
    const std::string criteria = Encoded<TSelectRecordCodec>({{11, 10, 1}, {12, 10, 2}});
    struct {
        std::string File;
        std::string Bytes; // "fifo": a named pipe
        std::string Refusal;
    } const cases[] = {
        {"disk/Rating.dat", rating + "x", "BrokenRecord disk Rating.dat 0"},
        {"disk/Rating.dat", rating + Encoded<TRateRecordCodec>({Rating("7 4 0 6 0")}),
         "OutOfRange disk Rating.dat 2"},
        {"disk/Rating.dat", "fifo", "Unreadable disk Rating.dat 0"},
        {"disk/Preferre.dat", std::string(13 * TSelectRecordCodec::Size, '\1'),
         "TooManyCriteria disk Preferre.dat 0"},
        {"Rating.dat", rating + "xy", "BrokenRecord here Rating.dat 0"},
        {"disk/Recusal.dat", "7,3,R,RELATIVE\r\n7,3,X,?\r\n",
         "DamagedDecisions disk Recusal.dat 2"},
        {"Recusal.dat", "seven,3,A,\r\n", "DamagedDecisions here Recusal.dat 1"},
    };
    for (const auto& c : cases) {
        fs::remove_all("disk");
        fs::create_directory("disk");
        fs::remove(RatingFileName);
        fs::remove(RecusalFileName);
        WriteFile(PreferredFileName, criteria);
        WriteFile("disk/Preferre.dat", criteria);
        WriteFile("disk/Rating.dat", rating);
        fs::remove(c.File);
        if (c.Bytes == "fifo") {
            MakeFifo(c.File); // never waited on
        } else {
            WriteFile(c.File, c.Bytes);
        }
        TRatingMerge merge;
        EXPECT_EQ(Describe(merge.Read("disk")), c.Refusal);
        EXPECT_TRUE(merge.Pairs().empty()) << c.Refusal;
        EXPECT_FALSE(fs::exists("disk/SamplePr.dat") || fs::exists(ApplicantFileName));
    }
}

// Recusals and abstentions from the disk come in where this position has none on the pair;
// another decision here is kept unless the disk's are taken for all conflicts.
TEST(RatingMergeDecisionTest, DecisionsMergePairByPair) {
    TRatingSide ours{{11}, {}, {}};
    TRatingSide disk{{11}, {}, {}};
    ours.Decisions.Set({1, 3, TDecisionKind::Abstained, ""});
    ours.Decisions.Set({2, 3, TDecisionKind::Recused, "COUSIN"});
    disk.Decisions.Set({1, 3, TDecisionKind::Abstained, ""});        // unchanged
    disk.Decisions.Set({2, 3, TDecisionKind::Abstained, "AWAY"});    // a conflict
    disk.Decisions.Set({3, 3, TDecisionKind::Recused, "NEIGHBOUR"}); // added
    disk.Decisions.Set({9, 3, TDecisionKind::Recused, "GONE"});      // skipped: no applicant 9
    for (const bool takeTheirs : {false, true}) {
        TRatingMerge merge;
        ASSERT_TRUE(merge.Compare(ours, disk, Applicants, Members).Ok());
        merge.DecideAll(takeTheirs);
        const TMergeCounts counts = merge.Counts();
        EXPECT_EQ((std::vector<int>{counts.Added, counts.Unchanged, counts.Conflicts,
                                    counts.TakenFromDisk, counts.Skipped}),
                  (std::vector<int>{1, 1, 1, takeTheirs ? 1 : 0, 1}));
        EXPECT_EQ(merge.MergedDecisions().Text(),
                  std::string("1,3,A,\r\n") + (takeTheirs ? "2,3,A,AWAY\r\n" : "2,3,R,COUSIN\r\n") +
                      "3,3,R,NEIGHBOUR\r\n");
    }
}

} // namespace
} // namespace korvane
