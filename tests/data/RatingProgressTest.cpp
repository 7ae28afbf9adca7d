#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "data/RatingProgress.h"
#include "tests/data/ScoreTestSupport.h"

namespace korvane {
namespace {

using State = TRatingState;

class RatingProgressTest : public test::ScorePositionTest {
protected:
    // Members 1, 2, 3; three criteria; ADAMS 3, CRUZ 4, DIAZ 6 and EVANS 7 in the pool, BROWN 5
    // eliminated.
    void SetUp() override {
        ScorePositionTest::SetUp();
        AddMembers({1, 2, 3});
        AddWeights({10, 20, 30});
        AddApplicant(3, "ADAMS");
        AddApplicant(5, "BROWN", 0.0, 2);
        AddApplicant(4, "CRUZ");
        AddApplicant(6, "DIAZ");
        AddApplicant(7, "EVANS");
        Rate(3, 1, {5, 4, 3});
        Rate(4, 1, {5, 0, 3});
        Rate(5, 1, {1, 1, 1});
        Rate(7, 1, {2, 2, 2}); // under a recusal: does not count
        Rate(3, 2, {1, 1, 1});
        Rate(4, 2, {0, 0, 0});
        Rate(6, 2, {2, 2, 2});
        Rate(7, 2, {3, 3, 3});
        Rate(3, 3, {2, 2, 2, 0}); // a fourth criterion is not selected
        Rate(4, 3, {9, 3, 3});    // a damaged rating counts as none
        Rate(6, 3, {3, 3, 3});
        Rate(7, 3, {3, 3, 3});
        WriteFile(RecusalFileName, "99,1,R,GONE\r\n"
                                   "7,2,A,\r\n"
                                   "7,1,R,SISTER\r\n"
                                   "3,42,A,\r\n"
                                   "5,2,R,NEIGHBOUR\r\n"
                                   "7,1,A,A LATER LINE OF THE PAIR\r\n");
    }
};

TEST_F(RatingProgressTest, CountsEveryPairOfMemberAndApplicantInThePool) {
    const TRatingProgress progress = TRatingProgress::ReadWorkingDirectory();
    ASSERT_EQ(progress.Pool().size(), 4u) << "BROWN is eliminated";
    using TCounts = std::array<int, RatingStateCount>; // Full, Partly, NotRated, Abstained, Recused
    const struct {
        std::int32_t Member;
        std::array<State, 4> States; // ADAMS, CRUZ, DIAZ, EVANS
        TCounts Counts;
    } rows[] = {
        {1, {State::Full, State::Partly, State::NotRated, State::Recused}, {1, 1, 1, 0, 1}},
        {2, {State::Full, State::NotRated, State::Full, State::Abstained}, {2, 0, 1, 1, 0}},
        {3, {State::Full, State::Partly, State::Full, State::Full}, {3, 1, 0, 0, 0}},
    };
    ASSERT_EQ(progress.Members().size(), std::size(rows));
    for (std::size_t k = 0; k < std::size(rows); ++k) {
        EXPECT_EQ(progress.Members()[k].ID, rows[k].Member);
        for (std::size_t p = 0; p < 4; ++p) {
            EXPECT_EQ(progress.State(k, p), rows[k].States[p])
                << "member " << rows[k].Member << ", " << progress.Pool()[p].Description;
        }
        EXPECT_EQ(progress.Counts(k).Of, rows[k].Counts) << "member " << rows[k].Member;
    }
    EXPECT_EQ(progress.Totals().Of, (TCounts{6, 2, 2, 1, 1}));
    EXPECT_EQ(progress.Totals().Pairs(), 12);

    // CRUZ with all three members, DIAZ with member 1.
    const std::int32_t member2[] = {2};
    const std::int32_t members13[] = {1, 3};
    EXPECT_EQ(progress.Missing(), (TMissingRatings{4, 3, 2}));
    EXPECT_EQ(progress.Missing(member2), (TMissingRatings{1, 1, 1}));
    EXPECT_EQ(progress.Missing(members13), (TMissingRatings{3, 2, 2}));

    // The decisions that count by member and applicant (BROWN's too); the others in file order.
    const auto names = [](const std::vector<TDecisionRow>& Rows) {
        std::vector<std::string> texts;
        for (const TDecisionRow& row : Rows) {
            texts.push_back((row.MemberGone ? "gone" : row.Member) + " / " +
                            (row.ApplicantGone ? "gone" : row.Applicant) + " / " +
                            DecisionKindText(row.Decision.Kind) + " / " + row.Decision.Reason);
        }
        return texts;
    };
    EXPECT_EQ(names(progress.Counted()),
              (std::vector<std::string>{"MEMBER 1 / EVANS / Recused / SISTER",
                                        "MEMBER 2 / BROWN / Recused / NEIGHBOUR",
                                        "MEMBER 2 / EVANS / Abstained / "}));
    EXPECT_EQ(names(progress.NotCounted()),
              (std::vector<std::string>{"MEMBER 1 / gone / Recused / GONE",
                                        "gone / ADAMS / Abstained / "}));
}

} // namespace
} // namespace korvane
