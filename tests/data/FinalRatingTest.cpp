#include <filesystem>
#include <string>
#include <vector>

#include "data/FinalRating.h"
#include "data/RankingFile.h"
#include "platform/sys/Sha256.h"
#include "tests/data/ScoreTestSupport.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

class FinalRatingTest : public test::ScorePositionTest {
protected:
    void SetUp() override {
        ScorePositionTest::SetUp();
        AddMembers({1, 2});
        AddWeights({10, 20});
        AddApplicant(1, "SMITH, JOHN", 1.0);
        AddApplicant(2, "LEE, ANN");
        Rate(1, 1, {5, 4});
        Rate(2, 1, {3, 3});
        Rules_.FillInBlankRatings = true;
        Rules_.TieBreak = {TTieRule::ID};
    }
    TSettings Rules_;
};

// Final.dat holds the ranking file's rows and the settings behind them, seals the seven data
// files and locks them; reopen lifts the lock. (The command line's test changes files.)
TEST_F(FinalRatingTest, SealsLocksVerifiesAndReopens) {
    ASSERT_TRUE(MayChange().Ok());
    TFinalRating made;
    ASSERT_TRUE(FinaliseFinalRating(Rules_, made).Ok());

    TFinalRating read;
    ASSERT_TRUE(ReadFinalRating(read).Ok());
    EXPECT_EQ(read, made);
    EXPECT_EQ(ReadFile(FinalFileName), FinalRatingText(made));
    const std::string csv = RankingOfWorkingDirectory(Rules_);
    std::string rows = "\xEF\xBB\xBF";
    for (const std::string& row : made.Rows) {
        rows += row + "\r\n";
    }
    EXPECT_EQ(rows, csv);
    ASSERT_EQ(made.Rows.size(), 3u);
    EXPECT_EQ(made.Rows[1].substr(0, 8), "1,1,1,*,");
    ASSERT_EQ(made.Files.size(), SealedFileNames.size());
    for (const TSealedFile& file : made.Files) {
        EXPECT_EQ(file.Sha256, Sha256Hex(fs::exists(file.Name) ? ReadFile(file.Name) : ""))
            << file.Name;
    }
    EXPECT_EQ(made.Settings[2],
              (std::pair<std::string, std::string>{"COMPUTEVETONMAXPOINTS", "TRUE"}));
    EXPECT_EQ(made.Settings[3].second, "TRUE");
    EXPECT_EQ(made.Settings[0].second, "0.05");
    EXPECT_EQ(made.Settings.back(), (std::pair<std::string, std::string>{"TIEBREAK", "ID,FILE"}));

    const auto refusal = MayChange();
    EXPECT_EQ(refusal.Reason, TChangeRefusal::Finalised);
    EXPECT_EQ(refusal.Subject, made.Time);
    EXPECT_EQ(FinaliseFinalRating(Rules_, made).Reason, TFinalFailure::Finalised);

    // A missing file and an empty one hold the same: no records.
    ASSERT_FALSE(fs::exists(RequiredFileName));
    WriteFile(RequiredFileName, "");
    std::vector<std::string> changed{"stale"};
    ASSERT_TRUE(VerifyFinalRating(changed).Ok());
    EXPECT_TRUE(changed.empty());

    TFinalRating lifted;
    ASSERT_TRUE(ReopenFinalRating(lifted).Ok());
    EXPECT_EQ(lifted.Time, made.Time);
    EXPECT_FALSE(fs::exists(FinalFileName));
    EXPECT_TRUE(MayChange().Ok());
    EXPECT_EQ(ReopenFinalRating(lifted).Reason, TFinalFailure::NotFinalised);
}

struct TDamageCase {
    const char* Name;
    std::string From; // replaced in a sound Final.dat
    std::string To;   // empty: the file ends before From
    int Line;         // the line reported
};

class DamagedFinalTest : public FinalRatingTest,
                         public ::testing::WithParamInterface<TDamageCase> {};

// A damaged Final.dat is reported by line and still locks the data: the lock is lifted only by a
// reopen, never by damage.
TEST_P(DamagedFinalTest, IsReportedByLineAndStillLocks) {
    TFinalRating made;
    ASSERT_TRUE(FinaliseFinalRating(Rules_, made).Ok());
    std::string text = ReadFile(FinalFileName);
    const auto at = text.find(GetParam().From);
    ASSERT_NE(at, std::string::npos);
    if (GetParam().To.empty()) {
        text.resize(at);
    } else {
        text.replace(at, GetParam().From.size(), GetParam().To);
    }
    WriteFile(FinalFileName, text);
    TFinalRating read;
    const auto result = ReadFinalRating(read);
    EXPECT_EQ(result.Reason, TFinalFailure::Damaged);
    EXPECT_EQ(result.Subject, std::to_string(GetParam().Line));
    EXPECT_EQ(MayChange().Reason, TChangeRefusal::Finalised);
    std::vector<std::string> changed;
    EXPECT_EQ(VerifyFinalRating(changed).Reason, TFinalFailure::Damaged);
}

INSTANTIATE_TEST_SUITE_P(
    Damage, DamagedFinalTest,
    ::testing::Values(TDamageCase{"Heading", "Korvane Final Rating 1", "Korvane", 1},
                      TDamageCase{"ShortDigest", "File committee.dat ", "File committee.dat a", 10},
                      // Cut after the seals: no row, so the file is not whole.
                      TDamageCase{"CutShort", "Row ", "", 18}),
    [](const auto& test) { return std::string(test.param.Name); });

} // namespace
} // namespace korvane
