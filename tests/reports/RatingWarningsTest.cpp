#include <string>

#include "reports/RatingWarnings.h"
#include "tests/support/core/TempWorkDir.h"

namespace korvane {
namespace {

class RatingWarningsTest : public test::TempWorkDirTest {};

// The numbers of damaged lines as the message names them: one, a list, twenty and the rest
// counted; a file that cannot be read at all.
TEST_F(RatingWarningsTest, DamagedLinesAreNamedByNumber) {
    const auto lines = [](int Count) {
        std::string text = "x";
        for (int n = 2; n <= Count; ++n) {
            text += "\r\nx";
        }
        return text;
    };
    const struct {
        std::string File;
        const char* Message;
    } cases[] = {
        {"3,1,R,A\r\n", ""},
        {"3,1,R,A\r\nx", "Error: Line 2 Of Recusal.dat Is Damaged And Was Skipped"},
        {"x\r\n3,1,R,A\r\nx\r\nx", "Error: Lines 1, 3 And 4 Of Recusal.dat Are Damaged And Were "
                                   "Skipped"},
        {lines(25), "Error: Lines 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, "
                    "19, 20 And 5 More Of Recusal.dat Are Damaged And Were Skipped"},
    };
    for (const auto& c : cases) {
        WriteFile(RecusalFileName, c.File);
        EXPECT_EQ(DecisionsDamageText(TRecusalFile::Read()).toStdString(), c.Message) << c.File;
    }
    std::filesystem::remove(RecusalFileName);
    std::filesystem::create_directory(RecusalFileName);
    EXPECT_EQ(DecisionsDamageText(TRecusalFile::Read()).toStdString(),
              "Error: Recusal.dat Could Not Be Read; No Recusal Or Abstention Is Counted");
}

} // namespace
} // namespace korvane
