#include <filesystem>
#include <vector>

#include "data/FileNames.h"
#include "data/RatingUpkeep.h"
#include "tests/data/RecordTestSupport.h"
#include "tests/support/core/TempWorkDir.h"

namespace korvane {
namespace {

using test::Named;

struct TPair {
    std::int32_t Applicant;
    std::int32_t Member;
};

void PutRatings(const std::vector<TPair>& Pairs) {
    TRateDataBase ratings(RatingFileName);
    for (const TPair& pair : Pairs) {
        TRateRecord rec = BlankRating(pair.Applicant, pair.Member);
        rec.Rate[0] = 3;
        bool added = false;
        ratings.Insert(rec, added);
        ASSERT_TRUE(added);
    }
}

struct TIDCase {
    const char* Name;
    std::vector<std::int32_t> Listed; // IDs in the applicant list
    std::vector<TPair> Rated;
    std::int32_t Next;
    const char* Decisions = ""; // Recusal.dat
};

class NextFreeIDTest : public test::TempWorkDirTest,
                       public ::testing::WithParamInterface<TIDCase> {};

TEST_P(NextFreeIDTest, NeverGivesAnIDTheRatingsStillName) {
    TDataBase people(ApplicantFileName);
    for (const std::int32_t id : GetParam().Listed) {
        test::InsertAll(people, {Named(id, "A" + std::to_string(id))});
    }
    PutRatings(GetParam().Rated);
    WriteFile(RecusalFileName, GetParam().Decisions);
    TRateDataBase ratings(RatingFileName);
    EXPECT_EQ(NextFreeID(people, TRatingRole::Applicant, ratings), GetParam().Next);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NextFreeIDTest,
    ::testing::Values(TIDCase{"Empty", {}, {}, 1}, TIDCase{"ListOnly", {1007}, {}, 1008},
                      // The deleted applicant 1008 still has ratings: 1008 is not free.
                      TIDCase{"RatedAboveTheList", {1007}, {{1008, 1}, {1008, 2}}, 1009},
                      TIDCase{"RatedBelowTheList", {1007}, {{3, 1}}, 1008},
                      // A member's ID says nothing about applicants.
                      TIDCase{"MemberIDsDoNotCount", {1007}, {{1, 1500}}, 1008},
                      TIDCase{"OfficialIDsDoNotCount", {1007}, {{2500, 1}}, 1008},
                      // A recusal of the deleted applicant 1009 stays in Recusal.dat.
                      TIDCase{"DecidedAboveTheList", {1007}, {{3, 1}}, 1010, "1009,1,R,X\r\n"},
                      TIDCase{"DecisionMemberIDsDoNotCount", {1007}, {}, 1008, "3,1500,A,\r\n"}),
    [](const auto& test) { return std::string(test.param.Name); });

class DeleteWithRatingsTest : public test::TempWorkDirTest {};

TEST_F(DeleteWithRatingsTest, TakesExactlyTheRatingsThatNameTheRecordInItsRole) {
    for (const TRatingRole role : {TRatingRole::Applicant, TRatingRole::Member}) {
        std::filesystem::remove(RatingFileName);
        std::filesystem::remove(CommitteeFileName);
        TDataBase people(CommitteeFileName);
        test::InsertAll(people, {Named(3, "C"), Named(4, "D")});
        // Pairs (applicant, member); 3 stands in both roles.
        PutRatings({{3, 4}, {4, 3}, {3, 3}, {5, 4}});
        TRateDataBase ratings(RatingFileName);
        EXPECT_EQ(CountRatingsOf(ratings, role, 3), 2);
        ASSERT_TRUE(DeleteWithRatings(people, 0, 3, role, ratings));
        EXPECT_EQ(test::IDs(people), std::vector<std::int32_t>{4});
        std::vector<std::int32_t> left;
        for (const auto& rec : test::Scan(ratings)) {
            left.push_back(rec.ApplicantID * 10 + rec.CommitteeID);
        }
        const std::vector<std::int32_t> expected = role == TRatingRole::Applicant
                                                       ? std::vector<std::int32_t>{54, 43}
                                                       : std::vector<std::int32_t>{54, 34};
        EXPECT_EQ(left, expected);
    }
}

} // namespace
} // namespace korvane
