#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "data/FileNames.h"
#include "data/RecusalFile.h"
#include "platform/sys/FileReplace.h"
#include "tests/support/core/TempWorkDir.h"

namespace korvane {
namespace {

using Kind = TDecisionKind;

struct TLineCase {
    const char* Line;
    std::optional<TDecision> Decision;
};

TEST(RecusalLineTest, FourFieldsTwoIDsAndAKindOrTheLineIsDamaged) {
    const std::string sixty(60, 'X');
    const TLineCase cases[] = {
        {"3,1,R,SISTER", TDecision{3, 1, Kind::Recused, "SISTER"}},
        {"3,1,A,", TDecision{3, 1, Kind::Abstained, ""}},
        {"3,1,A,ILL, THEN AWAY", TDecision{3, 1, Kind::Abstained, "ILL, THEN AWAY"}},
        {"2147483647,1,R,X", TDecision{2147483647, 1, Kind::Recused, "X"}},
        {"3,1,R,\xc9TAT", TDecision{3, 1, Kind::Recused, "\xc9TAT"}},
        {"3,1,R", std::nullopt},
        {"3,1", std::nullopt},
        {"", std::nullopt},
        {"0,1,R,X", std::nullopt},
        {"3,0,R,X", std::nullopt},
        {"2147483648,1,R,X", std::nullopt},
        {"-3,1,R,X", std::nullopt},
        {" 3,1,R,X", std::nullopt},
        {"3,1 ,R,X", std::nullopt},
        {"3,1,r,X", std::nullopt},
        {"3,1,RA,X", std::nullopt},
        {"3,1,,X", std::nullopt},
    };
    for (const TLineCase& c : cases) {
        EXPECT_EQ(DecisionFromLine(c.Line), c.Decision) << c.Line;
        if (c.Decision) {
            EXPECT_EQ(DecisionLine(*c.Decision), c.Line) << "written back as read";
        }
    }
    // A reason longer than a reason may be is read cut.
    EXPECT_EQ(DecisionFromLine("3,1,R," + sixty + "TAIL")->Reason, sixty);
}

struct TFileCase {
    const char* Name;
    std::optional<std::string> Bytes; // nullopt: a folder of that name
    std::vector<TDecision> Decisions;
    std::vector<int> Damaged;
    TDecisionsWrite Write;
};

class RecusalFileTest : public test::TempWorkDirTest,
                        public ::testing::WithParamInterface<TFileCase> {};

// What is read, what the user is told, and whether a change may be written back.
TEST_P(RecusalFileTest, DamagedLinesAreNotedByNumberAndTheFileIsNeverRewritten) {
    const TFileCase& c = GetParam();
    if (!c.Bytes) {
        std::filesystem::create_directory(RecusalFileName);
    } else if (!c.Bytes->empty()) {
        WriteFile(RecusalFileName, *c.Bytes);
    }
    TRecusalFile file = TRecusalFile::Read();
    EXPECT_EQ(file.Decisions(), c.Decisions);
    EXPECT_EQ(file.DamagedLines(), c.Damaged);
    EXPECT_EQ(file.Unreadable(), c.Write == TDecisionsWrite::Unreadable);

    file.Set({9, 9, Kind::Abstained, ""});
    EXPECT_EQ(file.Write(), c.Write);
    if (c.Write == TDecisionsWrite::Written) {
        std::string lines;
        for (const TDecision& decision : c.Decisions) {
            lines += DecisionLine(decision) + "\r\n";
        }
        EXPECT_EQ(ReadFile(RecusalFileName), lines + "9,9,A,\r\n");
    } else if (c.Bytes) {
        EXPECT_EQ(ReadFile(RecusalFileName), *c.Bytes) << "a partial read is never written";
    }
    TFilesChange change;
    EXPECT_EQ(file.Stage(change), c.Write == TDecisionsWrite::Written);
}

const TDecision Sister{3, 1, Kind::Recused, "SISTER"};
const TDecision Away{4, 2, Kind::Abstained, ""};

INSTANTIATE_TEST_SUITE_P(
    Cases, RecusalFileTest,
    ::testing::Values(
        TFileCase{"Missing", "", {}, {}, TDecisionsWrite::Written},
        TFileCase{
            "Whole", "3,1,R,SISTER\r\n4,2,A,\r\n", {Sister, Away}, {}, TDecisionsWrite::Written},
        TFileCase{"EmptyLinesSkipped",
                  "3,1,R,SISTER\r\n\r\n4,2,A,\r\n",
                  {Sister, Away},
                  {},
                  TDecisionsWrite::Written},
        TFileCase{
            "OneDamaged", "3,1,R,SISTER\r\n4,2,X,\r\n", {Sister}, {2}, TDecisionsWrite::Damaged},
        // Lone LF and CR end lines too; empty lines count in the numbers.
        TFileCase{"SeveralDamaged",
                  "bad\n3,1,R,SISTER\r\n\r0,2,A,\r\n4,2,A,\r\n3,1\r\n",
                  {Sister, Away},
                  {1, 4, 6},
                  TDecisionsWrite::Damaged},
        TFileCase{"Unreadable", std::nullopt, {}, {}, TDecisionsWrite::Unreadable}),
    [](const auto& test) { return std::string(test.param.Name); });

class RecusalChangeTest : public test::TempWorkDirTest {};

// Each step changes the file as read and writes it whole; the bytes after each.
TEST_F(RecusalChangeTest, ASetReplacesThePairsLineOrAddsOneALiftTakesThePairOut) {
    WriteFile(RecusalFileName, "3,1,R,SISTER\r\n4,2,A,\r\n3,1,A,AGAIN\r\n");
    const std::string long60 = "5,1,R," + std::string(60, 'R') + "\r\n";
    const struct {
        std::function<void(TRecusalFile&)> Change;
        std::string Bytes;
    } steps[] = {
        // The first line of a pair counts: it is replaced and the later one goes.
        {[](TRecusalFile& f) {
             f.Set({3, 1, Kind::Abstained, "LATE"});
         },
         "3,1,A,LATE\r\n4,2,A,\r\n"},
        {[](TRecusalFile& f) {
             f.Set({5, 1, Kind::Recused, std::string(70, 'R')});
         },
         "3,1,A,LATE\r\n4,2,A,\r\n" + long60},
        {[](TRecusalFile& f) { EXPECT_TRUE(f.Lift(4, 2)); }, "3,1,A,LATE\r\n" + long60},
        {[](TRecusalFile& f) { EXPECT_FALSE(f.Lift(1, 3)) << "applicant and member apart"; },
         "3,1,A,LATE\r\n" + long60},
        {[](TRecusalFile& f) { EXPECT_TRUE(f.Lift(3, 1) && f.Lift(5, 1)); }, ""},
    };
    for (const auto& step : steps) {
        TRecusalFile file = TRecusalFile::Read();
        step.Change(file);
        ASSERT_EQ(file.Write(), TDecisionsWrite::Written);
        EXPECT_EQ(ReadFile(RecusalFileName), step.Bytes);
        EXPECT_EQ(TRecusalFile::Read().Decisions(), file.Decisions());
    }
}

} // namespace
} // namespace korvane
