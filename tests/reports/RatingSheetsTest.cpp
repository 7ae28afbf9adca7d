#include <QPrintDialog>

#include <functional>
#include <utility>

#include "platform/ui/SystemPrinter.h"
#include "reports/FirstLevelScreeningForm.h"
#include "reports/PrintFinalForm.h"
#include "reports/PrintRatingSheetsForm.h"
#include "tests/reports/SheetTestSupport.h"
#include "tests/support/ModalScript.h"
#include "tests/support/core/ScopedProcessState.h"

namespace korvane {
namespace {

using test::PdfPages;
using test::PdfPageText;
using test::TPdfWord;

// Four members (the fourth rated nothing), two criteria of weights 10 and 20, four applicants of
// whom BAKER is eliminated and ADAMS a veteran at 5%.
class RatingSheetsTest : public test::SheetTest {
protected:
    void SetUp() override {
        SheetTest::SetUp();
        AddWeights({10, 20});
        AddMembers({1, 2, 3, 4});
        AddApplicant(1, "ADAMS, LEE", 1, 0, ' ');
        AddApplicant(2, "BAKER, SAM", 0, 1, ' ');
        AddApplicant(3, "CRUZ, ANA", 0, 0, ' ');
        AddApplicant(4, "DIAZ, MIA", 0, 0, ' ');
        Rate(1, 1, {3, 4});
        Rate(1, 2, {0, 5}, "late");
        Rate(1, 3, {4, 2});
        Rate(2, 1, {5, 5});
        Rate(2, 2, {5, 5});
        Rate(3, 1, {1, 1});
        Rate(3, 2, {2, 2});
        Rate(3, 3, {3, 3});
        Rate(4, 1, {5, 0});
        Rate(4, 2, {4, 4});
        Rate(4, 3, {5, 5});
    }

    // The applicant lines: what stands between the column heads and the legend.
    static QString Lines(const std::vector<TPdfWord>& words, int page) {
        const QString text = PdfPageText(words, page);
        const qsizetype from = text.indexOf(QStringLiteral("Comments"));
        const qsizetype to = text.indexOf(QStringLiteral(" Preferred Criteria Weight"));
        return text.mid(from, to - from);
    }

    static QStringList Bold(const QString& pdf) {
        QStringList bold;
        for (const TPdfWord& piece : test::ReadPdfBoldTexts(pdf)) {
            bold << piece.Text;
        }
        bold.sort();
        return bold;
    }
};

// Member 2 by hand, fill-in on: ADAMS's blank criterion 1 takes the committee's average of 3 and
// 4, 3.5, rounded to 4: 10 x 4 = 40 (bold), and 20 x 5 = 100; total 140; the veteran points are
// 5% of this member's maximum, (10 + 20) x 5 = 150, 7.5 rounded to 8: 148.
TEST_F(RatingSheetsTest, WithTotalsByScoreWithoutInFileOrder) {
    Support("FILLINBLANKRATTINGS=TRUE\r\nHIGHLIGHTON=TRUE\r\n");
    auto words = Print("ratingsheets", {QStringLiteral("--member"), QStringLiteral("2"),
                                        QStringLiteral("--totals")});
    ASSERT_EQ(PdfPages(words), 1);
    const QString text = PdfPageText(words, 1);
    EXPECT_TRUE(text.startsWith(QStringLiteral("Korvane Version 1.3 County Of Example Selection "
                                               "Rating Sheet RATE EACH APPLICANT FROM 1 TO 5 (1 "
                                               "BEING LOWEST 5 BEING HIGHEST) Committee ID "
                                               "Number: 2 ") +
                                PrintedDateText() +
                                QStringLiteral(" Position: CLERK TYPIST II Page: 1")))
        << text.toStdString();
    EXPECT_EQ(Lines(words, 1), QStringLiteral("Comments Total With Vet ADAMS, LEE 40 100 late 140 "
                                              "148 DIAZ, MIA 40 80 120 120 CRUZ, ANA 20 40 60 60"));
    EXPECT_EQ(Bold(PdfPath()),
              QStringList({QStringLiteral("140"), QStringLiteral("148"), QStringLiteral("40"),
                           QStringLiteral("Bolded values indicated that the score was determined "
                                          "by averaging the ratings because of missing committee "
                                          "member ratings"),
                           QStringLiteral("County Of Example")}));

    // Without totals: no fill-in, no totals, no note, the applicant file's order.
    words = Print("ratingsheets", {QStringLiteral("--member"), QStringLiteral("2")});
    EXPECT_EQ(Lines(words, 1),
              QStringLiteral("Comments ADAMS, LEE 100 late CRUZ, ANA 20 40 DIAZ, MIA 40 80"));
    EXPECT_EQ(Bold(PdfPath()), QStringList{QStringLiteral("County Of Example")});
}

// With fill-in off, a member who rated nothing: names only, and with totals the veteran's
// points on the maximum base.
TEST_F(RatingSheetsTest, MemberWhoRatedNothing) {
    auto words = Print("ratingsheets", {QStringLiteral("--member"), QStringLiteral("4")});
    EXPECT_EQ(Lines(words, 1), QStringLiteral("Comments ADAMS, LEE CRUZ, ANA DIAZ, MIA"));
    words = Print("ratingsheets",
                  {QStringLiteral("--member"), QStringLiteral("4"), QStringLiteral("--totals")});
    EXPECT_EQ(Lines(words, 1),
              QStringLiteral("Comments Total With Vet ADAMS, LEE 8 CRUZ, ANA DIAZ, MIA"));
}

// Every member's sheets from page 1, in committee order: two pages each with 40 more applicants.
TEST_F(RatingSheetsTest, AllMembersEachStartAtPageOne) {
    for (int i = 1; i <= 40; ++i) {
        AddApplicant(100 + i,
                     QStringLiteral("ROW %1").arg(i, 3, 10, QLatin1Char('0')).toStdString(), 0, 0,
                     ' ');
    }
    const auto words = Print("ratingsheets", {QStringLiteral("--all")});
    ASSERT_EQ(PdfPages(words), 8);
    for (int page = 1; page <= 8; ++page) {
        SCOPED_TRACE(page);
        const QString text = PdfPageText(words, page);
        EXPECT_TRUE(text.contains(QStringLiteral("Committee ID Number: %1 ").arg((page + 1) / 2)));
        EXPECT_TRUE(text.contains(QStringLiteral("Page: %1 Preferred").arg(2 - page % 2)));
    }
    // The first member's two pages hold the pool, each applicant once.
    EXPECT_EQ((Rows(words, 1) + Rows(words, 2)).size(), 40);
    const QString member1 = PdfPageText(words, 1) + PdfPageText(words, 2);
    EXPECT_FALSE(member1.contains(QStringLiteral("BAKER")));
}

TEST_F(RatingSheetsTest, OptionsTheCommandLineRefuses) {
    const struct {
        const char* What;
        QStringList Options;
        const char* Error;
    } cases[] = {
        {"ratingsheets", {QStringLiteral("--member"), QStringLiteral("99")}, "ID 99"},
        {"ratingsheets", {QStringLiteral("--member"), QStringLiteral("x")}, "ID x"},
        {"ratingsheets",
         {QStringLiteral("--member"), QStringLiteral("2"), QStringLiteral("--all")},
         "exclude each other"},
        {"screening", {QStringLiteral("--totals")}, "takes no --totals"},
        {"final", {QStringLiteral("--all")}, "takes no --member or --all"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Error);
        std::filesystem::remove(PdfPath().toStdString());
        const test::TRun run = PrintRun(c.What, c.Options);
        EXPECT_NE(run.ExitCode, 0);
        EXPECT_TRUE(run.Errors.contains(QString::fromLatin1(c.Error))) << run.Errors.toStdString();
        EXPECT_FALSE(std::filesystem::exists(PdfPath().toStdString()));
    }
}

// The Print buttons of the three screens: the print dialog only for the printer, nothing printed
// when it is cancelled, and the screen closes either way. The member screens print the member of
// the grid's current row.
TEST_F(RatingSheetsTest, PrintButtonsAskThePrintDialogOnlyForThePrinter) {
    test::ScopedProcessState saved;
    for (const bool printer : {true, false}) {
        Settings.SendReportsToPrinter = printer;
        TFirstLevelScreeningForm screening(nullptr);
        TPrintRatingSheetsForm ratings(nullptr);
        TPrintFinalForm prompt(nullptr);
        const std::pair<QDialog*, std::function<void()>> buttons[] = {
            {&screening, [&] { screening.PrintBtnClick(); }},
            {&ratings, [&] { ratings.PrintBtnClick(); }},
            {&prompt, [&] { prompt.YesBtnClick(); }}};
        for (TCommitteePrintForm* screen : {static_cast<TCommitteePrintForm*>(&screening),
                                            static_cast<TCommitteePrintForm*>(&ratings)}) {
            EXPECT_EQ(screen->DrawGrid1->RowCount(), 5);
            screen->DrawGrid1->SetRow(3);
            EXPECT_EQ(screen->Choice().Member, 3);
        }
        for (const auto& [screen, click] : buttons) {
            SCOPED_TRACE(screen->windowTitle().toStdString() + (printer ? " printer" : " preview"));
            QString shown;
            test::ModalScript script;
            if (screen == &prompt) {
                script.ThenAnswer(TModalResult::No); // ratings are missing: Print Anyway
            }
            script.Then([&](QWidget* window) {
                shown = qobject_cast<QPrintDialog*>(window) != nullptr ? QStringLiteral("dialog")
                                                                       : window->windowTitle();
                window->close();
            });
            const TPrintJobCounts before = PrintJobCounts();
            click();
            EXPECT_EQ(shown, printer ? QStringLiteral("dialog") : QStringLiteral("Report Preview"));
            EXPECT_EQ(PrintJobCounts().Started, before.Started);
            EXPECT_EQ(screen->result(), QDialog::Accepted);
        }
    }
}

} // namespace
} // namespace korvane
