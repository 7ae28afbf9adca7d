#include <climits>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "data/ScoreComputation.h"
#include "platform/sys/TempFolder.h"
#include "tests/data/ScoreTestSupport.h"
#include "tests/support/core/LiteralScores.h"

namespace korvane {
namespace {

using Values = std::vector<std::int64_t>;

Values FirstValues(const TScoreLine& Line, std::size_t Count) {
    return Values(Line.Values.begin(), Line.Values.begin() + static_cast<std::ptrdiff_t>(Count));
}

TSettings Rules(bool VetOnMaxPoints, bool VetOnRatedOnly, bool FillIn) {
    TSettings settings;
    settings.ComputeVetOnMaxPoints = VetOnMaxPoints;
    settings.VetPrefOnRatedScores = VetOnRatedOnly;
    settings.FillInBlankRatings = FillIn;
    return settings;
}

class ScoreComputationTest : public test::ScorePositionTest {
protected:
    // Appends a record past the sorted ones, as no insertion would.
    static void AppendRecord(const char* File, std::int32_t ID, std::int32_t Status) {
        TDataRecord rec;
        rec.ID = ID;
        rec.Description = "DUPLICATE";
        rec.ApplicantStatus = Status;
        unsigned char bytes[TDataRecordCodec::Size] = {};
        TDataRecordCodec::Encode(rec, bytes);
        WriteFile(File, ReadFile(File) + std::string(bytes, bytes + sizeof bytes));
    }
};

// Three members rate criterion 1 (weight 10); the third may have no rating record at all.
struct TFillInCase {
    std::int32_t First, Second;
    std::optional<std::int32_t> Third;
    bool FillIn;
    std::int64_t Value;
};

class FillInTest : public test::ScorePositionTest,
                   public ::testing::WithParamInterface<TFillInCase> {};

TEST_P(FillInTest, AveragesOverTheGivenRatingsRoundHalvesToEvenAndMarkTheValue) {
    const TFillInCase& c = GetParam();
    AddMembers({1, 2, 3});
    AddWeights({10});
    AddApplicant(1, "ADAMS");
    Rate(1, 1, {c.First});
    Rate(1, 2, {c.Second});
    if (c.Third) {
        Rate(1, 3, {*c.Third});
    }
    const auto lines = Final(Rules(false, false, c.FillIn));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].Values[0], c.Value);
    EXPECT_EQ(lines[0].Total, std::abs(c.Value));
    EXPECT_EQ(lines[0].Score, std::abs(c.Value));
    EXPECT_EQ(lines[0].Marked(), c.Value < 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FillInTest,
    ::testing::Values(TFillInCase{2, 3, std::nullopt, true, -70}, // 2.5 gives 2
                      TFillInCase{3, 4, 0, true, -110},           // 3.5 gives 4
                      TFillInCase{0, 0, std::nullopt, true, 0},   // nobody rated: stays 0
                      TFillInCase{2, 3, std::nullopt, false, 50},
                      TFillInCase{2, 0, 0, true, -60}, // a mark stays once set
                      // Damaged ratings count as not rated.
                      TFillInCase{7, 3, 0, true, -90}, TFillInCase{-1, 4, 4, true, -120},
                      TFillInCase{INT_MIN, 5, INT_MAX, false, 50}));

TEST_F(ScoreComputationTest, EliminatedApplicantsAreNotFilledInAndRankAmongTheOthers) {
    AddMembers({1, 2});
    AddWeights({10});
    AddApplicant(1, "ADAMS");
    AddApplicant(2, "BAKER", 0.0, 3);
    AddApplicant(3, "CLARK");
    AddApplicant(4, "DAVIS", 0.0, 1);
    Rate(1, 1, {5});
    Rate(2, 1, {5});
    Rate(2, 2, {4});
    Rate(3, 1, {3});
    Rate(3, 2, {3});
    Rate(4, 1, {5});
    const auto lines = Final(Rules(true, false, true));
    EXPECT_EQ(Order(lines), (std::vector<std::int32_t>{1, 2, 3, 4}));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].Values[0], -100);
    EXPECT_EQ(lines[1].Values[0], 90);
    EXPECT_EQ(lines[1].Comments, "Eliminated In Level 3");
    EXPECT_EQ(lines[2].Comments, "");
    EXPECT_EQ(lines[3].Values[0], 50) << "not filled in";
    EXPECT_EQ(lines[3].Comments, "Eliminated In Level 1");
    EXPECT_EQ(lines[3].ApplicantStatus, 1);
}

// Members 1 and 2, weights 10 and 20 (150 points per member at most); member 1 rates criterion 1
// with 4, member 2 has no rating record.
struct TVeteranCase {
    double Veteran;
    bool OnMaxPoints, OnRatedOnly, FillIn;
    std::int64_t Total, VeteranPoints;
};

class VeteranBaseTest : public test::ScorePositionTest,
                        public ::testing::WithParamInterface<TVeteranCase> {};

TEST_P(VeteranBaseTest, BaseFollowsTheSettings) {
    const TVeteranCase& c = GetParam();
    AddMembers({1, 2});
    AddWeights({10, 20});
    AddApplicant(1, "ADAMS", c.Veteran);
    Rate(1, 1, {4});
    const auto lines = Final(Rules(c.OnMaxPoints, c.OnRatedOnly, c.FillIn));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].Total, c.Total);
    EXPECT_EQ(lines[0].VeteranPoints, c.VeteranPoints);
    EXPECT_EQ(lines[0].Score, c.Total + c.VeteranPoints);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VeteranBaseTest,
    ::testing::Values(TVeteranCase{1.0, true, false, false, 40, 15}, // 0.05 × 2 × 150
                      TVeteranCase{1.0, true, true, false, 40, 3},   // 0.05 × 50, a half up
                      TVeteranCase{1.0, true, true, true, 80, 5},    // filled 4 counts, 0 not
                      TVeteranCase{1.0, false, false, false, 40, 2}, // 0.05 × 40
                      TVeteranCase{2.0, true, false, false, 40, 30},
                      TVeteranCase{0.10, false, false, true, 80, 8}, // a stored rate
                      TVeteranCase{0.05, true, false, false, 40, 15},
                      TVeteranCase{0.0, true, false, false, 40, 0}));

// Enough applicants that a sort which does not keep equal keys in place would move them.
TEST_F(ScoreComputationTest, EqualScoresKeepTheApplicantFileOrder) {
    AddMembers({1});
    AddWeights({10});
    std::vector<std::int32_t> high;
    std::vector<std::int32_t> low;
    for (std::int32_t id = 1; id <= 40; ++id) {
        // Names in reverse ID order: the file order is not the ID order.
        AddApplicant(id, "A" + std::to_string(100 - id));
        Rate(id, 1, {id % 3 == 0 ? 5 : 3});
    }
    for (std::int32_t id = 40; id >= 1; --id) {
        (id % 3 == 0 ? high : low).push_back(id);
    }
    high.insert(high.end(), low.begin(), low.end());
    EXPECT_EQ(Order(Final()), high);
}

// Each tie rule and a combination on two groups of equal final scores; the other lines and the
// groups themselves stay where the scores put them.
TEST_F(ScoreComputationTest, TieRulesOrderEqualFinalScoresThenTheApplicantFile) {
    using enum TTieRule;
    TwoTieGroups();
    const struct {
        std::vector<TTieRule> Rules;
        std::vector<std::int32_t> Order;
    } cases[] = {
        {{}, {7, 4, 5, 3, 6, 1, 8}},
        {{Veteran}, {7, 5, 4, 3, 6, 1, 8}},
        {{Points}, {7, 4, 3, 5, 6, 1, 8}},
        {{ID}, {7, 3, 4, 5, 1, 6, 8}},
        {{Veteran, ID}, {7, 5, 3, 4, 1, 6, 8}},
    };
    const auto data = TRatingData::ReadWorkingDirectory();
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.Order));
        TSettings settings;
        settings.TieBreak = c.Rules;
        const auto lines = ComputeFinalRating(data, settings);
        EXPECT_EQ(Order(lines), c.Order);
        EXPECT_EQ(EqualScoreRuns(lines),
                  (std::vector<std::pair<std::size_t, std::size_t>>{{1, 4}, {4, 6}}));
        // A member's sheet keeps its own order.
        EXPECT_EQ(Order(ComputeMemberRating(data, settings, 1, true)),
                  (std::vector<std::int32_t>{7, 4, 5, 3, 6, 1, 8}));
    }
}

TEST_F(ScoreComputationTest, AnEmptyCommitteeGivesEveryoneZeroInFileOrder) {
    AddMembers({});
    AddWeights({10});
    AddApplicant(1, "BAKER", 2.0);
    AddApplicant(2, "ADAMS", 0.0, 2);
    Rate(1, 9, {5}); // a member no longer on the committee
    for (const bool onMaxPoints : {true, false}) {
        const auto lines = Final(Rules(onMaxPoints, false, true));
        ASSERT_EQ(Order(lines), (std::vector<std::int32_t>{2, 1}));
        for (const TScoreLine& line : lines) {
            EXPECT_EQ(line.Total + line.VeteranPoints + line.Score, 0);
        }
        EXPECT_EQ(lines[0].Comments, "Eliminated In Level 2");
    }
}

TEST_F(ScoreComputationTest, OnlyTwelveCriteriaCountAndMissingOnesWeighNothing) {
    AddMembers({1});
    AddApplicant(1, "ADAMS", 1.0);
    Rate(1, 1, std::vector<std::int32_t>(12, 1));
    AddWeights({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14});
    auto lines = Final();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(FirstValues(lines[0], 12), (Values{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    EXPECT_EQ(lines[0].VeteranPoints, 20) << "0.05 × 390 is a little above 19.5";

    std::filesystem::remove(PreferredFileName);
    AddWeights({10, 20});
    Rate(1, 1, {1, 1, 5, 5, 5}); // the newer record comes first in the file and counts
    lines = Final();
    EXPECT_EQ(FirstValues(lines[0], 4), (Values{10, 20, 0, 0}));
    EXPECT_EQ(lines[0].Total, 30);
    EXPECT_EQ(lines[0].VeteranPoints, 8);
}

TEST_F(ScoreComputationTest, MemberSheetAgreesWithAHandComputation) {
    AddMembers({1, 2, 3});
    AddWeights({10, 20, 30});
    AddApplicant(1, "ADAMS", 1.0);
    AddApplicant(2, "BAKER", 0.0, 2);
    AddApplicant(3, "CLARK");
    AddApplicant(4, "DAVIS");
    Rate(1, 1, {4, 2, 5});
    Rate(3, 1, {4, 4, 4});
    Rate(4, 1, {1, 1, 1});
    Rate(1, 2, {3, 0, 5}, "GOOD");
    Rate(2, 2, {5, 5, 5}, "ELIMINATED");
    Rate(3, 2, {4, 4, 0}, "OK");
    Rate(1, 3, {5, 3, 0});
    Rate(3, 3, {2, 0, 2});
    Rate(4, 3, {2, 2, 0});
    const auto data = TRatingData::ReadWorkingDirectory();
    const TSettings settings = Rules(true, false, true);

    // With totals: ADAMS 30, 2.5 → 2 filled, 150, veteran 0.05 × 300; CLARK's third criterion
    // filled with 3; DAVIS has no record: everything filled (1.5 → 2, 1.5 → 2, 1).
    auto lines = ComputeMemberRating(data, settings, 2, true);
    ASSERT_EQ(Order(lines), (std::vector<std::int32_t>{1, 3, 4}));
    EXPECT_EQ(FirstValues(lines[0], 3), (Values{30, -40, 150}));
    EXPECT_EQ(FirstValues(lines[1], 3), (Values{40, 80, -90}));
    EXPECT_EQ(FirstValues(lines[2], 3), (Values{-20, -40, -30}));
    EXPECT_EQ((Values{lines[0].Total, lines[0].VeteranPoints, lines[0].Score}),
              (Values{220, 15, 235}));
    EXPECT_EQ((Values{lines[1].Score, lines[2].Score}), (Values{210, 90}));
    EXPECT_EQ(lines[0].Comments, "GOOD");
    EXPECT_EQ(lines[1].Comments, "OK");
    EXPECT_EQ(lines[2].Comments, "");

    // Without totals: no fill-in, no scores, the applicant file's order.
    lines = ComputeMemberRating(data, settings, 2, false);
    ASSERT_EQ(Order(lines), (std::vector<std::int32_t>{1, 3, 4}));
    EXPECT_EQ(FirstValues(lines[0], 3), (Values{30, 0, 150}));
    EXPECT_EQ(FirstValues(lines[1], 3), (Values{40, 80, 0}));
    EXPECT_EQ(FirstValues(lines[2], 3), (Values{0, 0, 0}));
    EXPECT_EQ((Values{lines[0].Total, lines[0].VeteranPoints, lines[0].Score}),
              (Values{180, 0, 0}));
}

// Members 1, 2 and 3, weights 10 and 20, a 10% veteran; member 1 rates {4, 2}, member 2 {3, 0},
// member 3 {5, 5} and may be under a decision. Veteran points on the criteria rated only.
struct TDecisionCase {
    const char* Name;
    std::optional<TDecisionKind> Member3;
    bool FillIn;
    Values Criteria;
    std::int64_t Total, VeteranPoints;
};

class DecisionScoreTest : public test::ScorePositionTest,
                          public ::testing::WithParamInterface<TDecisionCase> {};

TEST_P(DecisionScoreTest, FinalRatingAgreesWithAHandComputation) {
    const TDecisionCase& c = GetParam();
    AddMembers({1, 2, 3});
    AddWeights({10, 20});
    AddApplicant(1, "ADAMS", 2.0);
    Rate(1, 1, {4, 2});
    Rate(1, 2, {3, 0});
    Rate(1, 3, {5, 5});
    if (c.Member3) {
        WriteFile(RecusalFileName,
                  *c.Member3 == TDecisionKind::Recused ? "1,3,R,SISTER\r\n" : "1,3,A,\r\n");
    }
    const std::string ratings = ReadFile(RatingFileName);
    const auto lines = ComputeFinalRating(TRatingData::ReadWorkingDirectory(),
                                          Rules(true, true, c.FillIn), TRecusalFile::Read());
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(FirstValues(lines[0], 3), c.Criteria);
    EXPECT_EQ(lines[0].Total, c.Total);
    EXPECT_EQ(lines[0].VeteranPoints, c.VeteranPoints);
    EXPECT_EQ(lines[0].Score, c.Total + c.VeteranPoints);
    EXPECT_EQ(ReadFile(RatingFileName), ratings) << "the member's ratings stay as they are";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DecisionScoreTest,
    ::testing::Values(
        // 10 × 12, 20 × 7; veteran base 50 + 100, 50, 50 + 100.
        TDecisionCase{"NoneFillInOff", std::nullopt, false, {120, 140, 0}, 260, 35},
        // Member 2's blank: (2 + 5) / 2 = 3.5 gives 4; 100 more for the veteran base.
        TDecisionCase{"NoneFillInOn", std::nullopt, true, {120, -220, 0}, 340, 45},
        // Member 3 takes the others' averages: (4 + 3) / 2 = 3.5 gives 4, and 2 / 1 = 2; the
        // fill-ins count for the veteran base as member 3's own ratings did.
        TDecisionCase{"RecusedFillInOff", TDecisionKind::Recused, false, {-110, -80, 0}, 190, 35},
        TDecisionCase{"RecusedFillInOn", TDecisionKind::Recused, true, {-110, -120, 0}, 230, 45},
        // Member 3 counts as not rated, and his ratings stay out of the averages.
        TDecisionCase{"AbstainedFillInOff", TDecisionKind::Abstained, false, {70, 40, 0}, 110, 20},
        TDecisionCase{
            "AbstainedFillInOn", TDecisionKind::Abstained, true, {-110, -120, 0}, 230, 45}),
    [](const auto& test) { return std::string(test.param.Name); });

// Member 2's sheet under each decision (same position, member 2 decided on ADAMS instead).
TEST_F(ScoreComputationTest, AMemberSheetNamesTheDecisionAndFillsInARecusalOnlyWithTotals) {
    AddMembers({1, 2, 3});
    AddWeights({10, 20});
    AddApplicant(1, "ADAMS");
    AddApplicant(2, "BAKER");
    Rate(1, 1, {4, 2});
    Rate(1, 2, {3, 3}, "GOOD");
    Rate(1, 3, {5, 5});
    Rate(2, 2, {1, 1}, "FAIR");
    const auto data = TRatingData::ReadWorkingDirectory();
    const struct {
        const char* File;
        bool Totals;
        Values Adams;
        std::string Comment;
    } cases[] = {
        {"", true, {30, 60}, "GOOD"},
        // Averages of members 1 and 3: 4.5 gives 4, 3.5 gives 4.
        {"1,2,R,COLLEAGUE\r\n", true, {-40, -80}, "Recused"},
        {"1,2,R,COLLEAGUE\r\n", false, {0, 0}, "Recused"},
        {"1,2,A,\r\n", true, {0, 0}, "Abstained"},
    };
    for (const auto& c : cases) {
        WriteFile(RecusalFileName, c.File);
        const auto lines =
            ComputeMemberRating(data, Rules(true, false, false), 2, c.Totals, TRecusalFile::Read());
        ASSERT_EQ(lines.size(), 2u);
        const TScoreLine& adams = lines[0].ApplicantID == 1 ? lines[0] : lines[1];
        EXPECT_EQ(FirstValues(adams, 2), c.Adams) << c.File;
        EXPECT_EQ(adams.Comments, c.Comment) << c.File;
        const TScoreLine& baker = lines[0].ApplicantID == 2 ? lines[0] : lines[1];
        EXPECT_EQ(FirstValues(baker, 2), (Values{10, 20})) << "another applicant: " << c.File;
    }
}

// Rate × Base rounded half to even from the exact decimal expansion of the double.
std::uint64_t DecimalRoundedProduct(double Rate, std::uint64_t Base) {
    char text[1200];
    std::snprintf(text, sizeof text, "%.1100f", Rate); // exact: a double has at most 1074 places
    const std::string rate = text;
    const std::size_t point = rate.find('.');
    std::vector<int> digits; // the rate without its point, most significant first
    for (const char ch : rate) {
        if (ch != '.') {
            digits.push_back(ch - '0');
        }
    }
    // Multiply by Base one decimal digit of the base at a time.
    std::vector<std::uint64_t> product(digits.size() + 21, 0);
    const std::string base = std::to_string(Base);
    for (std::size_t i = 0; i < base.size(); ++i) {
        const std::size_t shift = base.size() - 1 - i; // power of ten of this digit
        for (std::size_t j = 0; j < digits.size(); ++j) {
            product[product.size() - 1 - (digits.size() - 1 - j) - shift] +=
                static_cast<std::uint64_t>(base[i] - '0') * static_cast<std::uint64_t>(digits[j]);
        }
    }
    for (std::size_t k = product.size() - 1; k > 0; --k) {
        product[k - 1] += product[k] / 10;
        product[k] %= 10;
    }
    const std::size_t fraction = digits.size() - point; // digits after the point
    const std::size_t units = product.size() - fraction;
    std::uint64_t whole = 0;
    for (std::size_t k = 0; k < units; ++k) {
        whole = whole * 10 + product[k];
    }
    bool rest = false;
    for (std::size_t k = units + 1; k < product.size(); ++k) {
        rest = rest || product[k] != 0;
    }
    const std::uint64_t first = product[units];
    if (first > 5 || (first == 5 && (rest || whole % 2 != 0))) {
        ++whole;
    }
    return whole;
}

TEST(VeteranPointsTest, ExactProductAgreesWithDecimalArithmetic) {
    for (const double rate : {0.05, 0.10, 0.07, 0.15, 0.3}) {
        for (std::int64_t base = 0; base <= 5000; ++base) {
            ASSERT_EQ(static_cast<std::uint64_t>(VeteranPoints(rate, base)),
                      DecimalRoundedProduct(rate, static_cast<std::uint64_t>(base)))
                << rate << " × " << base;
        }
    }
    for (const std::int64_t base : {std::int64_t{123456789}, std::int64_t{1} << 40,
                                    std::numeric_limits<std::int64_t>::max()}) {
        for (const double rate : {0.05, 0.3, 1.0, 0.5, 1e-300}) {
            EXPECT_EQ(static_cast<std::uint64_t>(VeteranPoints(rate, base)),
                      DecimalRoundedProduct(rate, static_cast<std::uint64_t>(base)))
                << rate << " × " << base;
        }
    }
}

TEST(VeteranPointsTest, HalvesAndRatesOutsideTheRange) {
    struct {
        double Rate;
        std::int64_t Base, Points;
    } const cases[] = {
        {0.05, 250, 13}, {0.10, 25, 3}, {0.3, 5, 1},    {0.5, 5, 2},   {0.5, 7, 4},
        {1.0, 7, 7},     {0.0, 9, 0},   {-0.1, 100, 0}, {1.5, 100, 0}, {std::nan(""), 100, 0},
        {0.05, -250, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(VeteranPoints(c.Rate, c.Base), c.Points) << c.Rate << " × " << c.Base;
    }
}

// Random small positions computed both ways, under every combination of the settings.
TEST_F(ScoreComputationTest, IndexedRunsGiveWhatTheLiteralStepsGive) {
    std::mt19937 random(20240613);
    const auto pick = [&random](std::uint32_t Count) {
        return static_cast<std::int32_t>(random() % Count);
    };
    const double rates[] = {0.05, 0.10, 0.07, 0.15, 0.3};
    const double veterans[] = {0.0, 1.0, 2.0, 0.05, 0.10};
    for (int position = 0; position < 30; ++position) {
        for (const char* name :
             {ApplicantFileName, CommitteeFileName, PreferredFileName, RatingFileName}) {
            std::filesystem::remove(name);
        }
        const std::int32_t applicants = pick(7), members = pick(5);
        for (std::int32_t a = 1; a <= applicants; ++a) {
            AddApplicant(a, std::string(1, static_cast<char>('A' + pick(4))), veterans[pick(5)],
                         pick(3) == 0 ? 1 + pick(4) : 0);
        }
        std::vector<std::int32_t> ids;
        for (std::int32_t m = 0; m < members; ++m) {
            ids.push_back(10 + 3 * m);
            AddMembers({ids.back()});
        }
        // IDs that a damaged file may hold twice: the first record of an ID is the one found.
        if (applicants > 0 && pick(3) == 0) {
            AppendRecord(ApplicantFileName, 1 + pick(static_cast<std::uint32_t>(applicants)),
                         pick(2) * 2);
        }
        if (members > 0 && pick(3) == 0) {
            AppendRecord(CommitteeFileName, ids[0], 0);
            ids.push_back(ids[0]);
        }
        std::vector<int> weights;
        for (std::int32_t n = pick(14); n > 0; --n) {
            weights.push_back(1 + pick(100));
        }
        AddWeights(weights);
        std::vector<std::int32_t> raters = ids;
        raters.push_back(99); // no longer on the committee
        for (std::int32_t a = 1; a <= applicants + 1; ++a) {
            for (const std::int32_t m : raters) {
                for (std::int32_t copies = pick(4) == 0 ? 2 : 1; copies > 0; --copies) {
                    std::vector<std::int32_t> ratings;
                    for (std::size_t n = 0; n < RatingCount; ++n) {
                        const std::int32_t kind = pick(10);
                        ratings.push_back(kind < 6 ? 1 + pick(5) : kind < 9 ? 0 : 6 - 9 * pick(2));
                    }
                    if (pick(4) != 0) {
                        Rate(a, m, ratings, std::string(static_cast<std::size_t>(pick(3)), 'C'));
                    }
                }
            }
        }
        const auto data = TRatingData::ReadWorkingDirectory();
        for (int rules = 0; rules < 8; ++rules) {
            TSettings settings = Rules(rules & 1, rules & 2, rules & 4);
            settings.VeteranRates = {0.0, rates[pick(5)], rates[pick(5)]};
            SCOPED_TRACE("position " + std::to_string(position) + ", rules " +
                         std::to_string(rules));
            ASSERT_EQ(ComputeFinalRating(data, settings),
                      test::LiteralFinalRating(settings, TempFolder()));
            const std::int32_t member0 =
                ids.empty()
                    ? 99
                    : ids[static_cast<std::size_t>(pick(static_cast<std::uint32_t>(ids.size())))];
            for (const std::int32_t member : {member0, 99}) {
                for (const bool totals : {true, false}) {
                    ASSERT_EQ(ComputeMemberRating(data, settings, member, totals),
                              test::LiteralMemberRating(settings, member, totals, TempFolder()))
                        << "member " << member << (totals ? " with totals" : "");
                }
            }
        }
    }
}

// The index of a list of IDs: close IDs in a table, IDs far apart in a hash map; the first
// place of an ID wins either way.
TEST(IdIndexTest, FindsTheFirstPlaceOfAnId) {
    constexpr std::size_t None = TIdIndex::None;
    const std::vector<std::int32_t> close = {5, 6, 5, 9};
    const std::vector<std::int32_t> apart = {-3, 2'000'000'000, -3, INT_MIN, INT_MAX};
    struct {
        const std::vector<std::int32_t>* IDs;
        std::int32_t ID;
        std::size_t Place;
    } const cases[] = {
        {&close, 5, 0},       {&close, 6, 1},       {&close, 9, 3},    {&close, 7, None},
        {&close, 4, None},    {&close, 10, None},   {&apart, -3, 0},   {&apart, 2'000'000'000, 1},
        {&apart, INT_MIN, 3}, {&apart, INT_MAX, 4}, {&apart, 0, None}, {&apart, -4, None},
    };
    const TIdIndex empty;
    EXPECT_EQ(empty.Find(0), None);
    for (const auto& c : cases) {
        EXPECT_EQ(TIdIndex(*c.IDs).Find(c.ID), c.Place) << "ID " << c.ID;
    }
}

// A damaged position whose IDs lie far apart, below 0 or twice: what the literal steps give.
TEST_F(ScoreComputationTest, IdsFarApartGiveWhatTheLiteralStepsGive) {
    const std::int32_t applicants[] = {3, 1'000'000, -5, 2'000'000'000};
    for (std::size_t a = 0; a < std::size(applicants); ++a) {
        AddApplicant(applicants[a], std::string(1, static_cast<char>('A' + a)), 1.0);
    }
    AppendRecord(ApplicantFileName, -5, 0);
    AddMembers({7, 900'000'000});
    AppendRecord(CommitteeFileName, 7, 0);
    AddWeights({10, 20, 30});
    std::int32_t rating = 0;
    for (const std::int32_t a : applicants) {
        for (const std::int32_t m : {7, 900'000'000, -1}) {
            if (++rating % 3 != 0) {
                Rate(a, m, {rating % 6, (rating + 2) % 6, (rating + 4) % 6}, "R");
            }
        }
    }
    const auto data = TRatingData::ReadWorkingDirectory();
    for (int rules = 0; rules < 8; ++rules) {
        const TSettings settings = Rules(rules & 1, rules & 2, rules & 4);
        SCOPED_TRACE("rules " + std::to_string(rules));
        ASSERT_EQ(ComputeFinalRating(data, settings),
                  test::LiteralFinalRating(settings, TempFolder()));
        for (const std::int32_t member : {7, 900'000'000, -1}) {
            ASSERT_EQ(ComputeMemberRating(data, settings, member, true),
                      test::LiteralMemberRating(settings, member, true, TempFolder()))
                << "member " << member;
        }
    }
}

} // namespace
} // namespace korvane
