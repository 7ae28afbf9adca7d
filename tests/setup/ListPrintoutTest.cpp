#include <QDate>
#include <QLocale>
#include <QPrintDialog>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTest>

#include <cmath>
#include <filesystem>

#include "data/FileNames.h"
#include "platform/ui/SystemPrinter.h"
#include "reports/ReportHeader.h"
#include "setup/CommitteeForm.h"
#include "setup/SamplePreferedForm.h"
#include "tests/setup/SetupTestSupport.h"
#include "tests/support/ModalScript.h"
#include "tests/support/PdfText.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/core/ScopedProcessState.h"
#include "tests/support/core/TempWorkDir.h"

namespace korvane {
namespace {

using test::TRun;

using test::PdfPages;
using test::PdfPageText;
using test::PdfTopsOf;
using TWord = test::TPdfWord;

class ListPrintoutTest : public test::TempWorkDirTest {
protected:
    void SetUp() override {
        TempWorkDirTest::SetUp();
        WriteFile("kvn.dat", "CLERK TYPIST II\r\n");
        WriteFile(SupportFileName, "ORGANISATIONNAME=County Of Example\r\nPORTRAITFONT=10\r\n");
    }

    // Prints a list through `korvane --print what --pdf` and returns its words, page by page.
    std::vector<TWord> Print(const char* what) {
        const QString pdf = QString::fromStdString((WorkDir() / "list.pdf").string());
        const TRun run = test::RunKorvane(
            {QStringLiteral("--print"), QString::fromLatin1(what), QStringLiteral("--pdf"), pdf});
        EXPECT_EQ(run.ExitCode, 0) << run.Errors.toStdString();
        return test::ReadPdfWords(pdf);
    }

    // The first word of the given text; a failure when there is none.
    static TWord Find(const std::vector<TWord>& words, const QString& text) {
        for (const TWord& w : words) {
            if (w.Text == text) {
                return w;
            }
        }
        ADD_FAILURE() << "no word " << text.toStdString();
        return {};
    }

    static QString Header(const QString& title, int page, const QString& band) {
        return QStringLiteral("Korvane Version 1.3 County Of Example ") + title +
               QStringLiteral(" CLERK TYPIST II ") + PrintedDateText() + QStringLiteral(" Page: ") +
               QString::number(page) + QLatin1Char(' ') + band;
    }

    // "ROW 001" ... with IDs 1 ..., every second one marked.
    static void Rows(const char* file, int count) {
        TDataBase base(file);
        for (int i = 1; i <= count; ++i) {
            TDataRecord record;
            record.Description =
                QStringLiteral("ROW %1").arg(i, 3, 10, QLatin1Char('0')).toStdString();
            record.Mark = i % 2 == 0 ? '*' : ' ';
            bool added = false;
            base.Insert(record, added);
        }
    }

    // How many rows of a long list the first page holds.
    int RowsOnFirstPage(const char* file, const char* what) {
        Rows(file, 150);
        const auto words = Print(what);
        std::filesystem::remove(file);
        return static_cast<int>(PdfTopsOf(words, 1, QStringLiteral("ROW")).size());
    }
};

TEST_F(ListPrintoutTest, CommitteeHeaderAndRowsInAlphabeticalOrder) {
    test::InsertRecords(CommitteeFileName,
                        {{12, "WALKER, JO"}, {3, "ADAMS, LEE"}, {7, "MOORE, KIM"}});
    const auto words = Print("committee");
    ASSERT_EQ(PdfPages(words), 1);
    EXPECT_EQ(PdfPageText(words, 1),
              Header(QStringLiteral("Committee Members"), 1,
                     QStringLiteral("Committee ID Committee Member Name")) +
                  QStringLiteral(" 3 ADAMS, LEE 7 MOORE, KIM 12 WALKER, JO"));
}

TEST_F(ListPrintoutTest, LongListRepeatsHeaderOnEveryPage) {
    Rows(SampleRequiredFileName, 90);
    const auto words = Print("samplerequired");
    ASSERT_EQ(PdfPages(words), 2);
    const QString band = QStringLiteral("ID Number Description");
    const QString title = QStringLiteral("Sample Required Criteria");
    const QString first = PdfPageText(words, 1);
    const QString second = PdfPageText(words, 2);
    EXPECT_TRUE(first.startsWith(Header(title, 1, band) + QStringLiteral(" 1 ROW 001 2 ROW 002")))
        << first.toStdString();
    EXPECT_TRUE(second.startsWith(Header(title, 2, band))) << second.toStdString();
    // Every row once, in order, across both pages.
    const QString all = first + QLatin1Char(' ') + second;
    qsizetype from = 0;
    for (int i = 1; i <= 90; ++i) {
        const QString row = QStringLiteral(" %1 ROW %2").arg(i).arg(i, 3, 10, QLatin1Char('0'));
        const qsizetype at = all.indexOf(row, from);
        ASSERT_GE(at, 0) << "row " << i << " missing or out of order";
        from = at + row.size();
    }
    EXPECT_EQ(all.count(QStringLiteral("ROW")), 90);
}

TEST_F(ListPrintoutTest, SamplePreferredMarksAndFootnoteOneBlankLineBelow) {
    test::InsertRecords(SamplePreferredFileName,
                        {{1, "TYPING", '*'}, {2, "FILING", ' '}, {3, "SPELLING", ' '}});
    const auto words = Print("samplepreferred");
    ASSERT_EQ(PdfPages(words), 1);
    EXPECT_EQ(PdfPageText(words, 1).toStdString(),
              QString(Header(QStringLiteral("Sample Preferred Criteria"), 1,
                             QStringLiteral("ID Number Description")) +
                      QStringLiteral(" 2 FILING 3 SPELLING 1 * TYPING * Determined By Reference "
                                     "Check Or Interview Only"))
                  .toStdString());
    const double filing = PdfTopsOf(words, 1, QStringLiteral("FILING"))[0];
    const double spelling = PdfTopsOf(words, 1, QStringLiteral("SPELLING"))[0];
    const double typing = PdfTopsOf(words, 1, QStringLiteral("TYPING"))[0];
    const double footnote = PdfTopsOf(words, 1, QStringLiteral("Determined"))[0];
    const double pitch = spelling - filing;
    EXPECT_GT(pitch, 5.0);
    EXPECT_NEAR(typing - spelling, pitch, 0.5);
    EXPECT_NEAR(footnote - typing, 2 * pitch, 0.5);

    // No criterion marked: the footnote all the same.
    std::filesystem::remove(SamplePreferredFileName);
    test::InsertRecords(SamplePreferredFileName, {{1, "TYPING", ' '}});
    const auto unmarked = Print("samplepreferred");
    EXPECT_TRUE(PdfPageText(unmarked, 1)
                    .endsWith(QStringLiteral(
                        "1 TYPING * Determined By Reference Check Or Interview Only")));
}

TEST_F(ListPrintoutTest, PageBreaksAtTheLastRowAndBeforeTheFootnote) {
    const int perPage = RowsOnFirstPage(CommitteeFileName, "committee");
    ASSERT_GT(perPage, 20);

    // The line feed after the last member breaks the page: a last page with the header only.
    Rows(CommitteeFileName, perPage);
    auto words = Print("committee");
    ASSERT_EQ(PdfPages(words), 2);
    EXPECT_EQ(PdfPageText(words, 2), Header(QStringLiteral("Committee Members"), 2,
                                            QStringLiteral("Committee ID Committee Member Name")));

    // The sample preferred header is as tall: one row fewer, and the line feed before the
    // footnote breaks the page. The footnote stands alone at the top, with no header.
    ASSERT_EQ(RowsOnFirstPage(SamplePreferredFileName, "samplepreferred"), perPage);
    Rows(SamplePreferredFileName, perPage - 1);
    words = Print("samplepreferred");
    ASSERT_EQ(PdfPages(words), 2);
    EXPECT_EQ(PdfPageText(words, 2).toStdString(),
              "* Determined By Reference Check Or Interview Only");
    EXPECT_LT(PdfTopsOf(words, 2, QStringLiteral("Determined"))[0], 72.0);
}

// Selections print in the order they were made, their texts from the sample lists.
TEST_F(ListPrintoutTest, SelectedCriteriaInTheirOrderWithMarksWeightsAndFootnote) {
    test::InsertRecords(SampleRequiredFileName, {{10, "FILING"}, {20, "BUDGETS"}});
    test::InsertSelections(RequiredFileName, {{20, 0}, {99, 0}, {10, 0}});
    auto words = Print("selectedrequired");
    ASSERT_EQ(PdfPages(words), 1);
    EXPECT_EQ(
        PdfPageText(words, 1).toStdString(),
        QString(Header(QStringLiteral("Selected Required Criteria"), 1,
                       QStringLiteral("ID Number Description")) +
                QStringLiteral(" 20 BUDGETS 99 Description For ID Number Not Found 10 FILING"))
            .toStdString());

    test::InsertRecords(SamplePreferredFileName, {{10, "FILING", '*'}, {20, "TYPING", ' '}});
    test::InsertSelections(PreferredFileName, {{20, 5}, {10, 100}, {99, 25}});
    words = Print("selectedpreferred");
    ASSERT_EQ(PdfPages(words), 1);
    EXPECT_EQ(PdfPageText(words, 1).toStdString(),
              QString(Header(QStringLiteral("Selected Preferred Criteria"), 1,
                             QStringLiteral("ID Number Description Weight")) +
                      QStringLiteral(" 20 TYPING 5 10 * FILING 100 99 Description For ID Number "
                                     "Not Found 25 * Determined By Reference Check Or Interview "
                                     "Only"))
                  .toStdString());
    // The mark stands before the text; weights end at one right edge.
    const TWord mark = Find(words, QStringLiteral("*"));
    EXPECT_LT(mark.Right, Find(words, QStringLiteral("FILING")).Left);
    EXPECT_NEAR(Find(words, QStringLiteral("5")).Right, Find(words, QStringLiteral("100")).Right,
                0.5);
    EXPECT_NEAR(Find(words, QStringLiteral("100")).Right, 7.45 * 72, 1.0);
}

// The applicants list: the mark before the name, the veteran and status columns right-aligned,
// and two pages for a long list.
TEST_F(ListPrintoutTest, ApplicantsWithMarkVeteranAndStatusColumns) {
    {
        TDataBase base(ApplicantFileName);
        for (int i = 1; i <= 90; ++i) {
            TDataRecord record;
            record.Description =
                QStringLiteral("APPLICANT %1").arg(i, 3, 10, QLatin1Char('0')).toStdString();
            record.Mark = i == 1 ? '*' : ' ';
            record.VeteranPreference = i == 1 ? 2.0 : (i == 2 ? 1.0 : 0.0);
            record.ApplicantStatus = i == 1 ? 3 : (i == 2 ? 1 : 0);
            bool added = false;
            base.Insert(record, added);
        }
    }
    const auto words = Print("applicants");
    ASSERT_EQ(PdfPages(words), 2);
    const QString band = QStringLiteral("Applicant ID Applicant Name Veteran Eliminated");
    EXPECT_TRUE(PdfPageText(words, 1).startsWith(Header(QStringLiteral("Applicants"), 1, band) +
                                                 QStringLiteral(" 1 * APPLICANT 001 10% 3 2 "
                                                                "APPLICANT 002 5% 1 3 APPLICANT "
                                                                "003 4 APPLICANT 004")))
        << PdfPageText(words, 1).toStdString();
    EXPECT_TRUE(PdfPageText(words, 2).startsWith(Header(QStringLiteral("Applicants"), 2, band)));
    EXPECT_NEAR(Find(words, QStringLiteral("*")).Left, 2.2 * 72, 1.0);
    EXPECT_NEAR(Find(words, QStringLiteral("10%")).Right, Find(words, QStringLiteral("5%")).Right,
                0.5);
    EXPECT_NEAR(Find(words, QStringLiteral("10%")).Right, 6.4 * 72, 1.0);
    EXPECT_NEAR(Find(words, QStringLiteral("3")).Right, 7.45 * 72, 1.0);
}

// A PDF keeps every line of a full page a quarter inch inside the sheet, where a printer that
// prints the file can reach.
TEST_F(ListPrintoutTest, FullPageStaysAQuarterInchInsideTheSheet) {
    Rows(CommitteeFileName, 150);
    const auto words = Print("committee");
    ASSERT_GE(PdfPages(words), 2);
    constexpr double Margin = 18.0; // a quarter inch, in points
    double top = 1e9;
    double bottom = 0;
    double left = 1e9;
    double right = 0;
    for (const TWord& w : words) {
        if (w.Page == 1) {
            top = std::min(top, w.Top);
            bottom = std::max(bottom, w.Bottom);
            left = std::min(left, w.Left);
            right = std::max(right, w.Right);
        }
    }
    EXPECT_GE(top, Margin) << "\"Korvane\" at the top";
    EXPECT_LE(bottom, 11 * 72 - Margin) << "the last row";
    EXPECT_GE(left, Margin);
    EXPECT_LE(right, 8.5 * 72 - Margin);
    // The page is full: its last row is less than two rows above the margin.
    const auto rows = PdfTopsOf(words, 1, QStringLiteral("ROW"));
    ASSERT_GE(rows.size(), 2u);
    EXPECT_GT(bottom, 11 * 72 - Margin - 2 * (rows[1] - rows[0]));
}

// The position title shares its line with the date. A title that would reach the date is
// drawn smaller, down to the date's size, and cut with "…" only when even that is too long;
// a short one stays 14 pt. Sizes are compared by the heights of the word boxes.
TEST_F(ListPrintoutTest, LongPositionTitleShrinksClearOfTheDate) {
    struct TCase {
        const char* Title;
        bool Smaller;
        bool Cut;
    };
    const TCase cases[] = {
        {"CLERK TYPIST II", false, false},
        {"Assistant Director of Public Works Engineering and Capital Projects", true, false},
        {"Assistant Director of Public Works Engineering and Capital Projects for the Northern "
         "and Southern Water Districts",
         true, true},
    };
    test::InsertRecords(CommitteeFileName, {{1, "ADAMS, LEE"}});
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Title);
        WriteFile("kvn.dat", std::string(c.Title) + "\r\n");
        const auto words = Print("committee");
        // Line 5 lies between "Members" (end of line 4) and "Printed:".
        std::vector<TWord> title;
        const TWord* members = nullptr;
        const TWord* printed = nullptr;
        for (const TWord& w : words) {
            if (w.Page != 1) {
                continue;
            }
            if (printed == nullptr && w.Text == QStringLiteral("Printed:")) {
                printed = &w;
            } else if (members == nullptr && w.Text == QStringLiteral("Members")) {
                members = &w;
            } else if (members != nullptr && printed == nullptr) {
                title.push_back(w);
            }
        }
        ASSERT_NE(printed, nullptr);
        ASSERT_NE(members, nullptr);
        ASSERT_FALSE(title.empty());
        QStringList texts;
        for (const TWord& w : title) {
            texts << w.Text;
            EXPECT_LT(w.Right, printed->Left) << w.Text.toStdString() << " runs into the date";
        }
        const QString shown = texts.join(QLatin1Char(' '));
        const QString whole = QString::fromLatin1(c.Title);
        if (c.Cut) {
            ASSERT_TRUE(shown.endsWith(QChar(0x2026))) << shown.toStdString();
            EXPECT_TRUE(whole.startsWith(shown.chopped(1).trimmed())) << shown.toStdString();
        } else {
            EXPECT_EQ(shown, whole);
        }
        const double height = title.front().Bottom - title.front().Top;
        const double fourteen = members->Bottom - members->Top;
        const double dateSize = printed->Bottom - printed->Top;
        if (c.Smaller) {
            EXPECT_LT(height, fourteen - 0.5);
            EXPECT_GT(height, dateSize - 0.5);
        } else {
            EXPECT_NEAR(height, fourteen, 0.5);
        }
        if (c.Cut) {
            EXPECT_NEAR(height, dateSize, 0.5);
        }
    }
}

// The print button in the desktop program.
class PrintButtonTest : public test::TempWorkDirTest {
protected:
    void SetUp() override {
        TempWorkDirTest::SetUp();
        test::InsertRecords(CommitteeFileName, {{1, "ADAMS, LEE"}});
    }
    test::ScopedProcessState Saved_;
};

TEST_F(PrintButtonTest, PreviewShowsNoPrintDialog) {
    Settings.SendReportsToPrinter = false;
    TCommitteeForm screen(nullptr);
    QString first;
    test::ModalScript script;
    script.Then([&](QWidget* window) {
        first = window->windowTitle();
        window->close();
    });
    const TPrintJobCounts before = PrintJobCounts();
    screen.PrintBtnClick();
    EXPECT_EQ(first, QStringLiteral("Report Preview"));
    EXPECT_EQ(PrintJobCounts().Started, before.Started);
    EXPECT_EQ(script.Pending(), 0);
}

TEST_F(PrintButtonTest, CancelledPrintDialogPrintsNothing) {
    Settings.SendReportsToPrinter = true;
    TCommitteeForm screen(nullptr);
    bool wasPrintDialog = false;
    test::ModalScript script;
    script.Then([&](QWidget* window) {
        wasPrintDialog = qobject_cast<QPrintDialog*>(window) != nullptr;
        window->close();
    });
    const TPrintJobCounts before = PrintJobCounts();
    screen.PrintBtnClick();
    EXPECT_TRUE(wasPrintDialog);
    EXPECT_EQ(PrintJobCounts().Started, before.Started);
    EXPECT_EQ(script.Pending(), 0);
}

} // namespace
} // namespace korvane
