#include <filesystem>
#include <optional>
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
using TRates = std::vector<std::int32_t>;

TRateRecord Rating(std::int32_t Applicant, std::int32_t Member, const TRates& Rates,
                   const std::string& Comments = {}, std::int32_t Sequence = 1) {
    TRateRecord rec = BlankRating(Applicant, Member);
    std::copy(Rates.begin(), Rates.end(), rec.Rate.begin());
    rec.Comments = Comments;
    rec.Sequence = Sequence;
    return rec;
}

TRates FirstRates(const TRateRecord& Rec, std::size_t Count = 3) {
    return TRates(Rec.Rate.begin(), Rec.Rate.begin() + static_cast<std::ptrdiff_t>(Count));
}

const std::vector<TDataRecord> Applicants = {Named(7, "ADAMS, ANN")};
const std::vector<TDataRecord> Members = {Named(3, "BAKER, BOB")};

struct TPairCase {
    const char* Name;
    std::optional<TRateRecord> Ours;
    TRateRecord Theirs;
    bool TakeTheirs;
    TPairKind Kind;
    TMergeCounts Counts;
    TRates Rates; // of pair (7, 3) after the merge; empty when there is no such record
    std::string Comments;
};

void PrintTo(const TPairCase& Case, std::ostream* Out) {
    *Out << Case.Name;
}

const TPairCase PairCases[] = {
    {"Added",
     {},
     Rating(7, 3, {3, 4}, "GOOD"),
     false,
     TPairKind::Added,
     {.Added = 1},
     {3, 4, 0},
     "GOOD"},
    {"Unchanged",
     Rating(7, 3, {3, 4}, "A"),
     Rating(7, 3, {3, 4}, "B"),
     false,
     TPairKind::Unchanged,
     {.Unchanged = 1},
     {3, 4, 0},
     "A"},
    // What the disk holds is here already: nothing changes here.
    {"SubsetIsUnchanged",
     Rating(7, 3, {3, 4, 5}),
     Rating(7, 3, {3, 0, 5}),
     false,
     TPairKind::Unchanged,
     {.Unchanged = 1},
     {3, 4, 5},
     ""},
    {"Combined",
     Rating(7, 3, {3, 0, 0}, "A"),
     Rating(7, 3, {0, 4, 2}, "B"),
     false,
     TPairKind::Combined,
     {.Combined = 1},
     {3, 4, 2},
     "A"},
    {"CommentOnlyThere",
     Rating(7, 3, {3}),
     Rating(7, 3, {3}, "LATE"),
     false,
     TPairKind::Combined,
     {.Combined = 1},
     {3, 0, 0},
     "LATE"},
    // Where only one side rated, its rating counts whichever side is kept.
    {"ConflictKept",
     Rating(7, 3, {3, 4, 0}, "OURS"),
     Rating(7, 3, {5, 0, 2}, "THEIRS"),
     false,
     TPairKind::Conflict,
     {.Conflicts = 1},
     {3, 4, 2},
     "OURS"},
    {"ConflictTaken",
     Rating(7, 3, {3, 4, 0}, "OURS"),
     Rating(7, 3, {5, 0, 2}, "THEIRS"),
     true,
     TPairKind::Conflict,
     {.Conflicts = 1, .TakenFromDisk = 1},
     {5, 4, 2},
     "THEIRS"},
    {"ConflictTakenWithoutComment",
     Rating(7, 3, {3}, "OURS"),
     Rating(7, 3, {5}),
     true,
     TPairKind::Conflict,
     {.Conflicts = 1, .TakenFromDisk = 1},
     {5, 0, 0},
     "OURS"},
    {"UnknownApplicant", {}, Rating(8, 3, {3}), false, TPairKind::Skipped, {.Skipped = 1}, {}, ""},
    {"UnknownMember",
     Rating(7, 3, {1}),
     Rating(7, 4, {3}),
     true,
     TPairKind::Skipped,
     {.Skipped = 1},
     {1, 0, 0},
     ""},
    {"NoRating", {}, Rating(7, 3, {}, "NONE"), false, TPairKind::Empty, {}, {}, ""},
};

class RatingMergePairTest : public ::testing::TestWithParam<TPairCase> {};

TEST_P(RatingMergePairTest, ClassifiesCountsAndMergesThePair) {
    const TPairCase& c = GetParam();
    TRatingSide ours{{11, 12, 13}, {Rating(9, 3, {1, 1, 1}, "", 4)}, {}};
    if (c.Ours) {
        ours.Ratings.push_back(*c.Ours);
    }
    TRatingSide disk{{11, 12, 13}, {c.Theirs}, {}};
    TRatingMerge merge;
    ASSERT_EQ(merge.Compare(ours, disk, Applicants, Members), "");
    ASSERT_EQ(merge.Pairs().size(), 1u);
    EXPECT_EQ(merge.Pairs()[0].Kind, c.Kind);
    merge.DecideAll(c.TakeTheirs);
    EXPECT_EQ(merge.Counts(), c.Counts);

    const auto merged = merge.Merged();
    std::optional<TRateRecord> pair;
    for (const auto& rec : merged) {
        if (rec.ApplicantID == 7 && rec.CommitteeID == 3) {
            pair = rec;
        }
    }
    ASSERT_EQ(pair.has_value(), !c.Rates.empty());
    if (pair) {
        EXPECT_EQ(FirstRates(*pair), c.Rates);
        EXPECT_EQ(pair->Comments, c.Comments);
    }
    // An added pair comes first, numbered after the highest Sequence here; the others stay.
    const bool added = c.Kind == TPairKind::Added;
    ASSERT_EQ(merged.size(), ours.Ratings.size() + (added ? 1 : 0));
    EXPECT_EQ(merged[added ? 1 : 0], ours.Ratings[0]);
    if (added) {
        EXPECT_EQ(merged[0].Sequence, 5);
    }
    EXPECT_EQ(merge.Changes(), c.Counts.Added + c.Counts.Combined + c.Counts.Conflicts > 0);
}

INSTANTIATE_TEST_SUITE_P(Pairs, RatingMergePairTest, ::testing::ValuesIn(PairCases),
                         [](const auto& test) { return std::string(test.param.Name); });

// The first record of a pair wins on either side; added pairs keep the disk's order, newest
// first; a conflict is decided one by one.
TEST(RatingMergeTest, FirstRecordOfAPairWinsAndAddedPairsKeepTheDisksOrder) {
    const std::vector<TDataRecord> applicants = {Named(1, "A"), Named(2, "B"), Named(3, "C")};
    TRatingSide ours{{11}, {Rating(1, 3, {2}, "", 10), Rating(1, 3, {4}, "", 9)}, {}};
    TRatingSide disk{{11},
                     {Rating(3, 3, {5}, "", 7), Rating(1, 3, {3}, "", 6), Rating(1, 3, {2}, "", 5),
                      Rating(2, 3, {1}, "", 4), Rating(3, 3, {1}, "", 3)},
                     {}};
    TRatingMerge merge;
    ASSERT_EQ(merge.Compare(ours, disk, applicants, Members), "");
    ASSERT_EQ(merge.Conflicts().size(), 1u);
    merge.Decide(0, true);
    EXPECT_EQ(merge.Counts(), (TMergeCounts{.Added = 2, .Conflicts = 1, .TakenFromDisk = 1}));
    std::vector<std::int32_t> seen;
    for (const auto& rec : merge.Merged()) {
        seen.push_back(rec.ApplicantID * 1000 + rec.Rate[0] * 100 + rec.Sequence);
    }
    EXPECT_EQ(seen, (std::vector<std::int32_t>{3512, 2111, 1310, 1409}));
    EXPECT_EQ(MergeSummary(merge.Counts()),
              "Ratings Merged: 2 Added, 0 Combined, 0 Unchanged, 1 Conflicts (1 Taken From The "
              "Disk), 0 Skipped");
}

struct TCriteriaCase {
    const char* Name;
    std::vector<std::int32_t> Ours;
    std::vector<std::int32_t> Disk;
    TRates DiskRates;
    TRates Expected; // in this position's order
    std::string Refusal;
};

void PrintTo(const TCriteriaCase& Case, std::ostream* Out) {
    *Out << Case.Name;
}

const std::string Differ =
    "Error: The Criteria On The Disk Differ From This Position's; No Rating Was Merged\n\n";

const TCriteriaCase CriteriaCases[] = {
    {"SameOrder", {11, 12, 13}, {11, 12, 13}, {1, 2, 3}, {1, 2, 3}, ""},
    {"Reordered", {11, 12, 13}, {13, 11, 12}, {3, 1, 2}, {1, 2, 3}, ""},
    {"SelectedTwice", {11, 12, 11}, {11, 11, 12}, {1, 3, 2}, {1, 2, 3}, ""},
    // Ratings past the disk's criteria belong to none.
    {"BeyondTheCriteria", {12, 11}, {11, 12}, {1, 2, 5}, {2, 1, 0}, ""},
    {"OnlyHere", {11, 14, 12}, {11, 12, 13}, {}, {}, Differ + "Only In This Position: SKILL"},
    {"OnlyOnTheDisk", {11, 12}, {11, 12, 13}, {}, {}, Differ + "Only On The Disk: TEAMWORK"},
    {"OnlyOnTheDiskUnnamed", {11}, {11, 15}, {}, {}, Differ + "Only On The Disk: Criterion ID 15"},
    {"SelectedTwiceHereOnly",
     {11, 11},
     {11, 12},
     {},
     {},
     Differ + "Only In This Position: WRITING"},
};

class RatingMergeCriteriaTest : public ::testing::TestWithParam<TCriteriaCase> {};

TEST_P(RatingMergeCriteriaTest, MapsEachRatingToItsCriterionOrRefuses) {
    const TCriteriaCase& c = GetParam();
    TRatingSide ours{c.Ours, {}, {Named(11, "WRITING"), Named(14, "SKILL")}};
    TRatingSide disk{c.Disk, {Rating(7, 3, c.DiskRates)}, {Named(13, "TEAMWORK")}};
    TRatingMerge merge;
    EXPECT_EQ(merge.Compare(ours, disk, Applicants, Members), c.Refusal);
    if (c.Refusal.empty()) {
        ASSERT_EQ(merge.Merged().size(), 1u);
        EXPECT_EQ(FirstRates(merge.Merged()[0]), c.Expected);
    } else {
        EXPECT_TRUE(merge.Pairs().empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Criteria, RatingMergeCriteriaTest, ::testing::ValuesIn(CriteriaCases),
                         [](const auto& test) { return std::string(test.param.Name); });

class RatingMergeFilesTest : public test::TempWorkDirTest {
protected:
    static std::string Records(const std::vector<TRateRecord>& Ratings) {
        std::string bytes;
        for (const auto& rec : Ratings) {
            unsigned char record[TRateRecordCodec::Size] = {};
            TRateRecordCodec::Encode(rec, record);
            bytes.append(reinterpret_cast<const char*>(record), sizeof record);
        }
        return bytes;
    }
    static std::string Criteria(int Count) {
        std::string bytes;
        for (int i = 1; i <= Count; ++i) {
            unsigned char record[TSelectRecordCodec::Size] = {};
            TSelectRecordCodec::Encode({10 + i, 10, i}, record);
            bytes.append(reinterpret_cast<const char*>(record), sizeof record);
        }
        return bytes;
    }
};

// A damaged or unreadable file is named and nothing is merged; neither side gains a file.
TEST_F(RatingMergeFilesTest, RefusesDamagedFilesByName) {
    const std::string rating = Records({Rating(7, 3, {4, 5})});
    const std::string damaged = "Error: The Disk's Rating.dat Is Damaged; No Rating Was Merged\n\n";
    struct {
        const char* File;
        bool OnDisk;
        std::string Bytes;
        std::string Refusal;
    } const cases[] = {
        {RatingFileName, true, rating, ""},
        {RatingFileName, true, rating + "x", damaged + "Its Size Is No Whole Number Of Records"},
        {RatingFileName, true, Records({Rating(7, 3, {4}), Rating(7, 4, {0, 6})}),
         damaged + "Record 2 Holds A Rating Outside 0 To 5"},
        {RatingFileName, true, Records({Rating(7, 3, {-1})}),
         damaged + "Record 1 Holds A Rating Outside 0 To 5"},
        {PreferredFileName, true, Criteria(2) + "x",
         "Error: The Disk's Preferre.dat Is Damaged; No Rating Was Merged\n\nIts Size Is No Whole "
         "Number Of Records"},
        {PreferredFileName, true, Criteria(13),
         "Error: The Disk's Preferre.dat Is Damaged; No Rating Was Merged\n\nIt Selects More Than "
         "12 Criteria"},
        {RatingFileName, false, rating + "xy",
         "Error: This Position's Rating.dat Is Damaged; No Rating Was Merged\n\nIts Size Is No "
         "Whole Number Of Records"},
        {RatingFileName, true, "",
         "Error: The Disk's Rating.dat Cannot Be Read; No Rating Was Merged"},
    };
    for (const auto& c : cases) {
        fs::remove_all("disk");
        fs::create_directory("disk");
        fs::remove(RatingFileName);
        WriteFile(PreferredFileName, Criteria(2));
        WriteFile("disk/Preferre.dat", Criteria(2));
        WriteFile("disk/Rating.dat", rating);
        const fs::path where = c.OnDisk ? fs::path("disk") / c.File : fs::path(c.File);
        fs::remove(where);
        if (c.Refusal.ends_with("Cannot Be Read; No Rating Was Merged")) {
            MakeFifo(where); // never waited on
        } else {
            WriteFile(where, c.Bytes);
        }
        TRatingMerge merge;
        EXPECT_EQ(merge.Read("disk"), c.Refusal) << c.Refusal;
        EXPECT_EQ(merge.Pairs().size(), c.Refusal.empty() ? 1u : 0u) << c.Refusal;
        EXPECT_FALSE(fs::exists("disk/SamplePr.dat") || fs::exists(ApplicantFileName));
    }
}

} // namespace
} // namespace korvane
