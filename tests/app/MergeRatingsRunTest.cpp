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
        const char* Arguments; // after --merge-ratings disk
        const char* DiskTitle;
        std::int32_t DiskCriterion; // the disk's second criterion; the first is 12
        int ExitCode;
        const char* Refusal; // the line on standard error, before "; No Rating Was Merged"
        std::vector<std::int32_t> Ratings;
    } const cases[] = {
        {"",
         "Clerk",
         11,
         4,
         "1 Conflicts Left Undecided (--prefer ours or theirs decides them)",
         {}},
        {"", "Clerk II", 11, 3, "The Disk Holds The Position Clerk II", {}},
        {"ours", "Clerk", 13, 1, "Error: The Criteria On The Disk Differ From This Position's", {}},
        {"theirs", "Clerk", 11, 0, "", {2411, 2330, 1345}},
        {"ours", "Clerk", 11, 0, "", {2411, 2320, 1345}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Refusal);
        WriteFile(RatingFileName, rating);
        WriteFile("disk/kvn.dat", std::string(c.DiskTitle) + "\r\n");
        fs::remove("disk/Preferre.dat");
        test::InsertSelections("disk/Preferre.dat", {{12, 20}, {c.DiskCriterion, 10}});
        const auto disk = ReadFile("disk/Rating.dat");
        QStringList arguments = {QStringLiteral("--merge-ratings"), QStringLiteral("disk")};
        if (*c.Arguments != '\0') {
            arguments << QStringLiteral("--prefer") << QString::fromLatin1(c.Arguments);
        }
        const test::TRun run = test::RunKorvane(arguments);
        EXPECT_EQ(run.ExitCode, c.ExitCode);
        if (c.ExitCode == 0) {
            EXPECT_EQ(run.Output, summary.arg(c.Arguments == std::string("theirs") ? 1 : 0));
            EXPECT_EQ(test::RatingKeys(RatingFileName), c.Ratings);
        } else {
            const QString line = QStringLiteral("korvane: ") + QString::fromLatin1(c.Refusal) +
                                 QStringLiteral("; No Rating Was Merged");
            EXPECT_TRUE(run.Errors.split(QLatin1Char('\n')).contains(line))
                << run.Errors.toStdString();
            EXPECT_EQ(ReadFile(RatingFileName), rating);
        }
        EXPECT_EQ(ReadFile("disk/Rating.dat"), disk) << "the disk is only read";
    }
}

} // namespace
} // namespace korvane
