#include <QFile>

#include <algorithm>
#include <filesystem>

#include "data/FinalRating.h"
#include "data/RankingFile.h"
#include "platform/ui/ChangeMessages.h"
#include "tests/reports/SheetTestSupport.h"
#include "tests/setup/SetupTestSupport.h"
#include "tests/support/core/ScopedProcessState.h"

namespace korvane {
namespace {

using test::PdfPages;
using test::PdfPageText;
using test::PdfTopsOf;
using test::TPdfWord;

constexpr double Inch = 72.0;
// The PDF printer's unprintable margin: vertical positions of a report count from below it.
constexpr double Top = 0.25 * Inch;

// The fields of one CSV row, quotes taken off.
QStringList CsvFields(const QString& row) {
    QStringList fields{QString()};
    bool quoted = false;
    for (qsizetype i = 0; i < row.size(); ++i) {
        const QChar c = row[i];
        if (quoted && c == QLatin1Char('"') && i + 1 < row.size() && row[i + 1] == c) {
            fields.back() += c;
            ++i;
        } else if (c == QLatin1Char('"')) {
            quoted = !quoted;
        } else if (c == QLatin1Char(',') && !quoted) {
            fields << QString();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

class FinalRatingSheetTest : public test::SheetTest {
protected:
    // Eight criteria: the third's sample criterion is gone, the second is marked.
    static void EightCriteria() {
        test::InsertRecords(SamplePreferredFileName, {{1, "TYPING"},
                                                      {2, "FILING", '*'},
                                                      {4, "SPELLING"},
                                                      {5, "FILE CLERK"},
                                                      {6, "PHONES"},
                                                      {7, "MAIL"},
                                                      {8, "LETTERS"}});
        TSelectDataBase selected(PreferredFileName);
        for (int n = 1; n <= 8; ++n) {
            TSelectRecord rec{n, static_cast<std::uint16_t>(10 * n), 0};
            bool added = false;
            selected.Insert(rec, added);
        }
    }
};

TEST_F(FinalRatingSheetTest, HeaderLegendSlotsAndFootnote) {
    EightCriteria();
    AddMembers({1});
    AddApplicant(1, "ADAMS, LEE", 0, 0, ' ');
    const auto words = Print("final");
    ASSERT_EQ(PdfPages(words), 1);
    QString columns;
    for (int n = 1; n <= 12; ++n) {
        columns += QStringLiteral(" #%1").arg(n);
    }
    EXPECT_EQ(PdfPageText(words, 1),
              QStringLiteral("Korvane Version 1.3 County Of Example Final Rating Sheet Draft RATE "
                             "EACH APPLICANT FROM 1 TO 5 (1 BEING LOWEST 5 BEING HIGHEST) ") +
                  PrintedDateText() +
                  QStringLiteral(" Position: CLERK TYPIST II Page: 1 Preferred Criteria") +
                  columns +
                  QStringLiteral(" Comments Total With Vet ADAMS, LEE"
                                 " Preferred Criteria Weight Preferred Criteria Weight"
                                 " #1 TYPING 10 #7 MAIL 70"
                                 " #2 *FILING 20 #8 LETTERS 80"
                                 " #3 Description For ID Number Not Found 30 #9"
                                 " #4 SPELLING 40 #10 #5 FILE CLERK 50 #11 #6 PHONES 60 #12"
                                 " * Determined By Reference Check Or Interview Only"));
    // Slot 7 shares the row of slot 1, in the right half; the legend starts 1.875 in from the
    // foot of the 8.5 in page.
    const auto one = PdfTopsOf(words, 1, QStringLiteral("#1"));
    const auto seven = PdfTopsOf(words, 1, QStringLiteral("#7"));
    ASSERT_EQ(one.size(), 2u);
    ASSERT_EQ(seven.size(), 2u);
    EXPECT_NEAR(one[1], seven[1], 0.5);
    for (const TPdfWord& w : words) {
        if (w.Text == QStringLiteral("MAIL")) {
            EXPECT_GT(w.Left, 5.5 * Inch);
        }
        if (w.Text == QStringLiteral("TYPING")) {
            EXPECT_LT(w.Left, 1.0 * Inch);
        }
    }
    const double legend = PdfTopsOf(words, 1, QStringLiteral("Weight"))[0];
    EXPECT_GT(legend, Top + 6.625 * Inch);
    EXPECT_LT(legend, Top + 6.625 * Inch + 6);
}

// A finalised rating says so under the title, when in the user's own date and time, clear of
// the title and above the instruction.
TEST_F(FinalRatingSheetTest, AFinalisedSheetSaysWhenUnderItsTitle) {
    AddWeights({10});
    AddMembers({1});
    AddApplicant(1, "ADAMS, LEE", 0, 0, ' ');
    TFinalRating made;
    ASSERT_TRUE(FinaliseFinalRating(TSettings{}, made).Ok());
    const auto words = Print("final");
    const QString stamp = QStringLiteral("Finalised On ") + LocalTimeText(made.Time);
    EXPECT_TRUE(PdfPageText(words, 1).contains(QStringLiteral("Final Rating Sheet ") + stamp +
                                               QStringLiteral(" RATE EACH")))
        << PdfPageText(words, 1).toStdString();
    const auto word = [&](const char* text) {
        for (const TPdfWord& w : words) {
            if (w.Text == QString::fromLatin1(text)) {
                return w;
            }
        }
        ADD_FAILURE() << text;
        return TPdfWord{};
    };
    EXPECT_GE(word("Finalised").Top, word("Sheet").Bottom);
    EXPECT_LE(word("Finalised").Bottom, word("RATE").Top);
}

// Member 3 left criterion 1 of applicant 1 blank: the committee's average fills it in.
class BoldTest : public FinalRatingSheetTest, public ::testing::WithParamInterface<bool> {};

TEST_P(BoldTest, BoldOnlyWhatRestsOnAFillInAndOnlyWithHighlighting) {
    const bool highlight = GetParam();
    Support(std::string("FILLINBLANKRATTINGS=TRUE\r\nHIGHLIGHTON=") +
            (highlight ? "TRUE" : "FALSE") + "\r\n");
    AddWeights({10, 20});
    AddMembers({1, 2, 3});
    AddApplicant(1, "ADAMS, LEE", 0, 0, ' ');
    AddApplicant(2, "BAKER, SAM", 0, 0, ' ');
    Rate(1, 1, {2, 4});
    Rate(1, 2, {3, 4});
    Rate(1, 3, {0, 4});
    for (const int member : {1, 2, 3}) {
        Rate(2, member, {5, 5});
    }
    const auto words = Print("final");
    // 10 x (2 + 3 + 2) = 70 rests on the average 2.5, rounded to 2.
    const QString text = PdfPageText(words, 1);
    EXPECT_TRUE(text.contains(QStringLiteral("BAKER, SAM 150 300 450 450 ADAMS, LEE 70 240 310 "
                                             "310 Preferred")))
        << text.toStdString();

    QStringList bold;
    for (const TPdfWord& piece : test::ReadPdfBoldTexts(PdfPath())) {
        bold << piece.Text;
    }
    QStringList expected = {QStringLiteral("County Of Example"),
                            QStringLiteral("Final Rating Sheet")};
    if (highlight) {
        expected << QStringLiteral("70") << QStringLiteral("310") << QStringLiteral("310")
                 << QStringLiteral("Bolded values indicated that the score was determined by "
                                   "averaging the ratings because of missing committee member "
                                   "ratings");
    }
    bold.sort();
    expected.sort();
    EXPECT_EQ(bold, expected);
}

INSTANTIATE_TEST_SUITE_P(Highlight, BoldTest, ::testing::Bool());

TEST_F(FinalRatingSheetTest, LongPositionRunsToThreePagesEachWithItsHeader) {
    AddWeights({10});
    AddMembers({1});
    constexpr int Count = 80;
    for (int i = 1; i <= Count; ++i) {
        AddApplicant(i, QStringLiteral("ROW %1").arg(i, 3, 10, QLatin1Char('0')).toStdString(), 0,
                     0, ' ');
    }
    const auto words = Print("final");
    ASSERT_EQ(PdfPages(words), 3);
    QStringList all;
    for (int page = 1; page <= 3; ++page) {
        SCOPED_TRACE(page);
        const QString text = PdfPageText(words, page);
        EXPECT_TRUE(text.startsWith(QStringLiteral("Korvane Version 1.3 County Of Example Final "
                                                   "Rating Sheet")))
            << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("Page: %1 Preferred Criteria").arg(page)));
        EXPECT_TRUE(
            text.endsWith(QStringLiteral("Determined By Reference Check Or Interview Only")));
        const QStringList rows = Rows(words, page);
        if (page < 3) {
            EXPECT_GT(rows.size(), 20);
        }
        all << rows;
        // Every line starts above 6.5 in and ends above the legend.
        for (const TPdfWord& w : words) {
            if (w.Page == page && w.Text == QStringLiteral("ROW")) {
                EXPECT_LT(w.Top, Top + 6.5 * Inch);
                EXPECT_LT(w.Bottom, Top + 6.625 * Inch);
            }
        }
    }
    // Equal scores in applicant-file order, each once; the note below the lines names them all
    // in that order, wrapped onto as many lines as it takes.
    ASSERT_EQ(all.size(), Count);
    QStringList note;
    for (int i = 1; i <= Count; ++i) {
        EXPECT_EQ(all[i - 1], QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0')));
        note << QStringLiteral("ROW %1").arg(i, 3, 10, QLatin1Char('0'));
    }
    EXPECT_TRUE(PdfPageText(words, 3).contains(
        QStringLiteral("Equal final scores, in applicant-file order: 0: ") +
        note.join(QStringLiteral("; ")) + QStringLiteral(" Preferred Criteria Weight")));
    // No name is split at the end of a line of the note.
    for (std::size_t i = 0; i + 1 < words.size(); ++i) {
        if (words[i].Text == QStringLiteral("ROW")) {
            EXPECT_NEAR(words[i + 1].Top, words[i].Top, 1.0) << words[i + 1].Text.toStdString();
        }
    }
    // A page holds as many lines as fit above 6.5 in: the first line of the next page would
    // have started there or lower.
    const auto tops = PdfTopsOf(words, 1, QStringLiteral("ROW"));
    const double pitch = tops[1] - tops[0];
    EXPECT_GE(tops.back() + pitch, Top + 6.5 * Inch - 1);
}

// Below the lines, each group of equal final scores with the rule that ordered it; the lines
// stand in that order. Without equal scores there is no note.
TEST_F(FinalRatingSheetTest, TieNoteNamesTheGroupsAndTheirRule) {
    TwoTieGroups();
    const struct {
        const char* Support;
        QString Note;
        QString Lines;
    } cases[] = {
        {"",
         QStringLiteral("Equal final scores, in applicant-file order: 60: ADAMS; BAKER; CLARK "
                        "35: DAVIS; EVANS"),
         QStringLiteral("*FOX *ADAMS *BAKER *CLARK *DAVIS *EVANS *GRAY")},
        {"TIEBREAK=Veteran,ID\r\n",
         QStringLiteral("Equal final scores, higher veteran preference first, then lower "
                        "applicant ID first, then in applicant-file order: 60: BAKER; CLARK; "
                        "ADAMS 35: EVANS; DAVIS"),
         QStringLiteral("*FOX *BAKER *CLARK *ADAMS *EVANS *DAVIS *GRAY")},
        {"TIEBREAK=POINTS\r\n",
         QStringLiteral("Equal final scores, more points before veteran preference first, then "
                        "in applicant-file order: 60: ADAMS; CLARK; BAKER 35: DAVIS; EVANS"),
         QStringLiteral("*FOX *ADAMS *CLARK *BAKER *DAVIS *EVANS *GRAY")},
    };
    const auto names = [](const std::vector<TPdfWord>& words) {
        QStringList found;
        for (const TPdfWord& w : words) {
            if (w.Left < 0.7 * Inch && w.Text.startsWith(QLatin1Char('*'))) {
                found << w.Text;
            }
        }
        return found;
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Support);
        Support(c.Support);
        const auto words = Print("final");
        const QString text = PdfPageText(words, 1);
        EXPECT_TRUE(text.contains(c.Note + QStringLiteral(" Preferred Criteria Weight")))
            << text.toStdString();
        EXPECT_EQ(names(words).join(QLatin1Char(' ')), c.Lines);
    }

    // BAKER 90, CLARK 50 and EVANS 45: no two scores are equal.
    Rate(5, 1, {4, 4});
    Rate(3, 1, {4, 1});
    Rate(1, 1, {2, 2});
    const QString text = PdfPageText(Print("final"), 1);
    EXPECT_FALSE(text.contains(QStringLiteral("Equal"))) << text.toStdString();
}

// The ranking file holds the rows of the computation, in its order.
TEST_F(FinalRatingSheetTest, RankingFileFromTheCommandLine) {
    test::ScopedProcessState saved;
    Support("FILLINBLANKRATTINGS=TRUE\r\nVETPREFERENCERATE1=0.05\r\n");
    AddWeights({10, 20, 5});
    AddMembers({1, 2});
    AddApplicant(1, "ADAMS, \"LEE\"", 1, 0, ' ');
    AddApplicant(2, "BAKER, SAM", 0, 2, '*');
    AddApplicant(3, "CRUZ, ANA", 0, 0, ' ');
    Rate(1, 1, {2, 4, 1});
    Rate(1, 2, {0, 5, 3}, "late");
    Rate(2, 1, {5, 5, 5});
    Rate(3, 2, {4, 4, 4});

    const test::TRun run = test::RunKorvane({QStringLiteral("--ranking"), QStringLiteral("r.csv")});
    ASSERT_EQ(run.ExitCode, 0) << run.Errors.toStdString();
    LoadSettings();
    const auto lines = ComputeFinalRating(TRatingData::ReadWorkingDirectory(), Settings);
    const QStringList rows = QString::fromUtf8(QByteArray::fromStdString(ReadFile("r.csv")))
                                 .split(QStringLiteral("\r\n"));
    ASSERT_EQ(rows.size(), static_cast<qsizetype>(lines.size()) + 2); // header and final CRLF
    // A byte-order mark, then the three criteria that exist, headed by their descriptions.
    EXPECT_TRUE(ReadFile("r.csv").starts_with("\xEF\xBB\xBF"));
    EXPECT_TRUE(rows[0].startsWith(QStringLiteral("Line,Rank,ApplicantID,Mark,Name,C1 ")));
    EXPECT_TRUE(rows[0].endsWith(QStringLiteral(",Total,WithVet,Filled,WithVetFilled,Comments")))
        << rows[0].toStdString();
    EXPECT_EQ(CsvFields(rows[0]).size(), 5 + 3 + 5);
    EXPECT_TRUE(rows.back().isEmpty());
    bool sawMarked = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(i);
        const TScoreLine& line = lines[i];
        // The ranks of this small position: no ties.
        QStringList expected = {QString::number(i + 1), QString::number(i + 1),
                                QString::number(line.ApplicantID),
                                line.Mark == ' ' ? QString() : QString(QLatin1Char(line.Mark)),
                                QString::fromStdString(line.Name)};
        QStringList filled;
        for (std::size_t n = 0; n < line.Values.size(); ++n) {
            if (n < 3) {
                expected << QString::number(std::abs(line.Values[n]));
            }
            if (line.Values[n] < 0) {
                filled << QString::number(n + 1);
            }
        }
        sawMarked = sawMarked || line.Marked();
        expected << QString::number(line.Total) << QString::number(line.Score)
                 << filled.join(QLatin1Char(' '))
                 << (line.Marked() ? QStringLiteral("yes") : QStringLiteral("no"))
                 << QString::fromStdString(line.Comments);
        EXPECT_EQ(CsvFields(rows[static_cast<qsizetype>(i) + 1]), expected);
    }
    EXPECT_TRUE(sawMarked) << "the position should hold a fill-in";

    // A file of the position is refused, with the reason, and left alone.
    const std::string before = ReadFile(ApplicantFileName);
    const test::TRun refused =
        test::RunKorvane({QStringLiteral("--ranking"), QString::fromLatin1(ApplicantFileName)});
    EXPECT_NE(refused.ExitCode, 0);
    EXPECT_TRUE(refused.Errors.contains(QStringLiteral("Error:"))) << refused.Errors.toStdString();
    EXPECT_EQ(ReadFile(ApplicantFileName), before);
    // The ranking goes alone; the options of the member sheets go with --print.
    for (const QStringList& arguments :
         {QStringList{QStringLiteral("--ranking"), QStringLiteral("s.csv"),
                      QStringLiteral("--all")},
          QStringList{QStringLiteral("--totals")}}) {
        const test::TRun wrong = test::RunKorvane(arguments);
        EXPECT_EQ(wrong.ExitCode, 2) << wrong.Errors.toStdString();
    }
    EXPECT_FALSE(std::filesystem::exists("s.csv"));
}

} // namespace
} // namespace korvane
