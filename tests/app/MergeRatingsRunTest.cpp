#include <QStringList>

#include <filesystem>
#include <string>
#include <vector>

#include "data/FileNames.h"
#include "data/RateDataBase.h"
#include "tests/data/RecordTestSupport.h"
#include "tests/setup/SetupTestSupport.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/core/TempWorkDir.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

class MergeRatingsRunTest : public test::TempWorkDirTest {
protected:
    void SetUp() override {
        TempWorkDirTest::SetUp();
        WriteFile(PositionFileName, "Clerk\r\n");
        test::InsertRecords(ApplicantFileName, {{1, "ADAMS, ANN"}, {2, "BROWN, BEN"}});
        test::InsertRecords(CommitteeFileName, {{3, "CLARK, CID"}, {4, "DAVIS, DAN"}});
        test::InsertSelections(PreferredFileName, {{11, 10}, {12, 20}});
        test::InsertRatings(RatingFileName, {{1, 3, 4, 0}, {2, 3, 2, 0}});
        fs::create_directory("disk");
        WriteFile("disk/kvn.dat", "Clerk\r\n");
        test::InsertSelections("disk/Preferre.dat", {{12, 20}, {11, 10}});
        // Criteria the other way round: (criterion 12, criterion 11).
        test::InsertRatings("disk/Rating.dat",
                            {{1, 3, 5, 0}, {2, 3, 0, 3}, {8, 3, 1, 1}, {2, 4, 1, 1}});
    }
};

// Pair (1, 3) is combined, (2, 3) in conflict, (2, 4) new and (8, 3) unknown.
TEST_F(MergeRatingsRunTest, PrintsTheSummaryOrRefusesWithItsStatus) {
    const std::string rating = ReadFile(RatingFileName);
    const QString summary = QStringLiteral("Ratings Merged: 1 Added, 1 Combined, 0 Unchanged, 1 "
                                           "Conflicts (%1 Taken From The Disk), 1 Skipped\n"
                                           "Skipped Applicant 8, Member 3: Unknown Applicant\n");
    struct {
        QStringList Arguments;
        std::string DiskTitle;
        int ExitCode;
        QString Output; // standard output, or the line on standard error
        std::vector<std::int32_t> Ratings;
    } const cases[] = {
        {{},
         "Clerk",
         4,
         QStringLiteral("korvane: 1 Conflicts; --prefer ours or --prefer theirs decides them. No "
                        "Rating Was Merged"),
         {}},
        {{QStringLiteral("--prefer"), QStringLiteral("mine")},
         "Clerk",
         2,
         QStringLiteral("korvane: --prefer is ours or theirs, with --merge-ratings (see --help)"),
         {}},
        {{},
         "Clerk II",
         3,
         QStringLiteral("korvane: The Disk Holds The Position Clerk II; No Rating Was Merged"),
         {}},
        {{QStringLiteral("--prefer"), QStringLiteral("theirs")},
         "Clerk",
         0,
         summary.arg(1),
         {2411, 2330, 1345}},
        {{QStringLiteral("--prefer"), QStringLiteral("ours")},
         "Clerk",
         0,
         summary.arg(0),
         {2411, 2320, 1345}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Arguments.join(QLatin1Char(' ')).toStdString());
        WriteFile(RatingFileName, rating);
        WriteFile("disk/kvn.dat", c.DiskTitle + "\r\n");
        const auto disk = ReadFile("disk/Rating.dat");
        const test::TRun run = test::RunKorvane(
            QStringList{QStringLiteral("--merge-ratings"), QStringLiteral("disk")} + c.Arguments);
        EXPECT_EQ(run.ExitCode, c.ExitCode);
        if (c.ExitCode == 0) {
            EXPECT_EQ(run.Output, c.Output);
            EXPECT_EQ(test::RatingKeys(RatingFileName), c.Ratings);
        } else {
            EXPECT_TRUE(run.Errors.split(QLatin1Char('\n')).contains(c.Output))
                << run.Errors.toStdString();
            EXPECT_EQ(ReadFile(RatingFileName), rating);
        }
        EXPECT_EQ(ReadFile("disk/Rating.dat"), disk) << "the disk is only read";
    }
}

} // namespace
} // namespace korvane
