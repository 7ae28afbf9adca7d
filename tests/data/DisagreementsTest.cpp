#include "data/Disagreements.h"

#include "tests/data/ScoreTestSupport.h"

namespace korvane {
namespace {

class DisagreementsTest : public test::ScorePositionTest {};

// BAKER's ratings from member 2 are left out (a recusal), ADAMS's blank third rating from member
// 2 is filled in on the sheet but is no rating here, and the eliminated CLARK is not on the
// agenda. The lines follow the final sheet, not the applicant file.
TEST_F(DisagreementsTest, AgendaLinesAndMembersMeanDifferences) {
    AgendaPosition();
    TSettings settings;
    settings.FillInBlankRatings = true;
    TRecusalFile recused;
    recused.Set({2, 2, TDecisionKind::Recused, "BROTHER"});
    const auto data = TRatingData::ReadWorkingDirectory();
    const auto final = ComputeFinalRating(data, settings, recused);
    ASSERT_EQ(Order(final), (std::vector<std::int32_t>{4, 1, 2, 3}));

    const TDisagreement davis1{4, '*', "DAVIS", 1, {4, 2, 0}, 2};
    const TDisagreement davis3{4, '*', "DAVIS", 3, {1, 4, 0}, 3};
    const TDisagreement adams1{1, '*', "ADAMS", 1, {1, 5, 3}, 4};
    const TDisagreement adams3{1, '*', "ADAMS", 3, {4, 0, 2}, 2};
    const struct {
        int Spread;
        std::vector<TDisagreement> Lines;
    } cases[] = {
        {2, {davis1, davis3, adams1, adams3}},
        {3, {davis3, adams1}},
        {4, {adams1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Spread);
        const TDisagreements agenda = ComputeDisagreements(data, final, c.Spread, recused);
        EXPECT_EQ(agenda.Members, (std::vector<std::int32_t>{1, 2, 3}));
        EXPECT_EQ(agenda.Lines, c.Lines);
    }

    // Member 1: -3, -0.5, 2 on ADAMS, 0, -1, -1 on BAKER, 2, -1, -3 on DAVIS. Member 2: 3, -0.5
    // on ADAMS, -2, 1, 3 on DAVIS. Member 3: 0, 1, -2 on ADAMS, 0, 1, 1 on BAKER.
    const struct {
        std::int64_t Ratings;
        double Mean;
    } expected[] = {{9, -5.5 / 9}, {5, 4.5 / 5}, {6, 1.0 / 6}};
    const TDisagreements agenda = ComputeDisagreements(data, final, 2, recused);
    ASSERT_EQ(agenda.Tendencies.size(), 3u);
    for (std::size_t m = 0; m < 3; ++m) {
        SCOPED_TRACE(m);
        EXPECT_EQ(agenda.Tendencies[m].MemberID, static_cast<std::int32_t>(m + 1));
        EXPECT_EQ(agenda.Tendencies[m].Ratings, expected[m].Ratings);
        EXPECT_EQ(agenda.Tendencies[m].Compared, expected[m].Ratings);
        EXPECT_NEAR(agenda.Tendencies[m].MeanDifference, expected[m].Mean, 1e-12);
    }
}

} // namespace
} // namespace korvane
