#include <QStringList>

#include <string>

#include "tests/reports/SheetTestSupport.h"

namespace korvane {
namespace {

using test::PdfPageText;

// Members 1 and 2, two criteria; member 1 rated ADAMS fully and BAKER partly, member 2 rated
// ADAMS and is recused from BAKER.
class ProgressPrintTest : public test::SheetTest {
protected:
    void SetUp() override {
        SheetTest::SetUp();
        AddMembers({1, 2});
        AddWeights({10, 20});
        AddApplicant(3, "ADAMS");
        AddApplicant(4, "BAKER");
        Rate(3, 1, {5, 4});
        Rate(4, 1, {3, 0});
        Rate(3, 2, {4, 4});
        Rate(4, 2, {1, 1});
        WriteFile(RecusalFileName, "4,2,R,SISTER\r\n");
    }
};

const char* const Missing =
    "korvane: Warning: 1 Rating Is Missing (1 Committee Member, 1 Applicant)";

// Every route that rests on the ratings (arguments split at blanks, "--pdf" followed by the
// sheet's file): its exit status, and whether it warns on standard error that ratings are
// missing and goes on.
struct TRouteCase {
    const char* Arguments;
    int ExitCode;
    bool Warns;
};

TEST_F(ProgressPrintTest, RoutesWithoutAWindowWarnOfMissingRatingsAndGoOn) {
    const TRouteCase cases[] = {
        {"--progress", 3, false},
        {"--ranking r.csv", 0, true},
        {"--print final --pdf", 0, true},
        {"--print ratingsheets --totals --all --pdf", 0, true},
        // Member 2 has nothing missing: rated or recused.
        {"--print ratingsheets --totals --member 2 --pdf", 0, false},
        // Without totals a sheet is a form to fill in: no warning.
        {"--print ratingsheets --all --pdf", 0, false},
        {"--print progress --pdf", 0, false},
    };
    for (const TRouteCase& c : cases) {
        SCOPED_TRACE(c.Arguments);
        QStringList arguments = QString::fromLatin1(c.Arguments).split(QLatin1Char(' '));
        if (arguments.endsWith(QStringLiteral("--pdf"))) {
            arguments << PdfPath();
        }
        const test::TRun run = test::RunKorvane(arguments);
        EXPECT_EQ(run.ExitCode, c.ExitCode) << run.Errors.toStdString();
        EXPECT_EQ(run.Errors.split(QLatin1Char('\n')).contains(QString::fromLatin1(Missing)),
                  c.Warns)
            << run.Errors.toStdString();
    }
    const test::TRun summary = test::RunKorvane({QStringLiteral("--progress")});
    EXPECT_TRUE(summary.Output.endsWith(QString::fromLatin1(Missing + 9) + QLatin1Char('\n')))
        << summary.Output.toStdString();

    // Member 1 abstains from BAKER: nothing is missing any more.
    WriteFile(RecusalFileName, "4,2,R,SISTER\r\n4,1,A,\r\n");
    const test::TRun complete = test::RunKorvane({QStringLiteral("--progress")});
    EXPECT_EQ(complete.ExitCode, 0);
    EXPECT_TRUE(complete.Output.endsWith(
        QStringLiteral("Every Applicant In The Pool Is Rated Fully Or Under A Decision\n")));

    // A damaged line is reported and skipped; the summary stands on the rest.
    WriteFile(RecusalFileName, "4,2,R,SISTER\r\n4,1,X,\r\n");
    const test::TRun damaged = test::RunKorvane({QStringLiteral("--progress")});
    EXPECT_EQ(damaged.ExitCode, 3);
    EXPECT_TRUE(damaged.Errors.contains(
        QStringLiteral("korvane: Error: Line 2 Of Recusal.dat Is Damaged And Was Skipped")))
        << damaged.Errors.toStdString();
}

// The final sheet lists the decisions after its lines, on the same page (BAKER: member 2's
// ratings give way to member 1's 3 and 0, so 10 × 6 and 20 × 0); the progress printout has the
// counts, the pairs still to rate and the decisions.
TEST_F(ProgressPrintTest, TheSheetsListTheDecisions) {
    const QString final = PdfPageText(Print("final"), 1);
    EXPECT_TRUE(final.contains(QStringLiteral(
        "*ADAMS 90 160 250 250 *BAKER 60 60 60 Recusals And Abstentions Committee Member "
        "Applicant Decision Reason MEMBER 2 BAKER Recused SISTER")))
        << final.toStdString();
    const QString progress = PdfPageText(Print("progress"), 1);
    EXPECT_TRUE(progress.contains(QStringLiteral(
        "Applicants Still In The Pool: 2 ID Committee Member Fully Partly Not Rated Abstained "
        "Recused 1 MEMBER 1 1 1 0 0 0 2 MEMBER 2 1 0 0 0 1 Total 2 1 0 0 1 Warning: 1 Rating Is "
        "Missing (1 Committee Member, 1 Applicant) Still To Rate Committee Member Applicant State "
        "MEMBER 1 BAKER Partly Rated Recusals And Abstentions Committee Member Applicant Decision "
        "MEMBER 2 BAKER Recused SISTER")))
        << progress.toStdString();
}

} // namespace
} // namespace korvane
