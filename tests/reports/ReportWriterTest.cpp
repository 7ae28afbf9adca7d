#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPalette>
#include <QtMath>

#include <gtest/gtest.h>

#include "reports/MessageForm.h"
#include "reports/ReportPreviewForm.h"
#include "tests/reports/RecordingPrinter.h"

namespace korvane {
namespace {

using test::TDrawn;
using test::TRecordingPrinter;

// Different resolutions across and down, and unprintable margins, so that a mixed-up axis or a
// forgotten offset shows.
constexpr int DpiX = 300;
constexpr int DpiY = 200;
const QSize Letter(2550, 2200);
const QPoint Margins(30, 20);

class ReportWriterTest : public ::testing::Test {
protected:
    TRecordingPrinter Printer{DpiX, DpiY, Letter, Margins};
    TReportPreviewForm Report{nullptr, &Printer};

    void Begin(bool landscape = false, bool fixedPaper = false) {
        Report.BeginReport(TReportPreviewForm::ToPrinter, fixedPaper, landscape);
    }
    TDrawn LastText() const {
        const auto texts = Printer.Texts();
        EXPECT_FALSE(texts.empty());
        return texts.empty() ? TDrawn{} : texts.back();
    }
    TDrawn LastLine() const {
        const auto lines = Printer.Lines();
        EXPECT_FALSE(lines.empty());
        return lines.empty() ? TDrawn{} : lines.back();
    }
};

TEST_F(ReportWriterTest, DeviceSetUpComesFromThePrinter) {
    Begin();
    EXPECT_EQ(Report.HorizontalResolution(), DpiX);
    EXPECT_EQ(Report.VerticalResolution(), DpiY);
    EXPECT_EQ(Report.HorizontalOffset(), 30);
    EXPECT_EQ(Report.PrintableWidth(), 2550 - 60);
    EXPECT_EQ(Report.PrintableHeight(), 2200 - 40);
    EXPECT_EQ(Report.PageWidth(), 8.5);
    EXPECT_EQ(Report.PageHeight(), 11.0);
    EXPECT_EQ(Report.PageCount(), 1);
    EXPECT_EQ(Report.PageNumber(), 1);
    EXPECT_EQ(Report.LineTop(), 0);
    EXPECT_TRUE(Report.PageStarted());
    EXPECT_EQ(Report.Font().family(), QStringLiteral("Times New Roman"));
    EXPECT_GT(Report.LineHeight(), 0);
    EXPECT_EQ(Printer.Title, QStringLiteral("Korvane"));
    EXPECT_EQ(Printer.JobsBegun, 1);
    ASSERT_NE(Report.StatusWindow(), nullptr);
    EXPECT_EQ(Report.StatusWindow()->windowTitle(), QStringLiteral("Print Reports"));
    EXPECT_EQ(Report.StatusWindow()->Status(), QStringLiteral("Sending Page: 1 To Printer."));
    Report.EndReport();
    EXPECT_EQ(Report.StatusWindow(), nullptr);
    EXPECT_EQ(Printer.JobsEnded, 1);
}

TEST_F(ReportWriterTest, OrientationAndFixedPaper) {
    Begin(true);
    EXPECT_TRUE(Printer.Landscape);
    EXPECT_EQ(Report.PageWidth(), 11.0);
    EXPECT_EQ(Report.PageHeight(), 8.5);
    Report.EndReport();

    // Fixed paper keeps the portrait sheet, though the printer still turns.
    TRecordingPrinter fixed(DpiX, DpiY, Letter, Margins);
    TReportPreviewForm report(nullptr, &fixed);
    report.BeginReport(TReportPreviewForm::ToPrinter, true, true);
    EXPECT_TRUE(fixed.Landscape);
    EXPECT_EQ(report.PageWidth(), 8.5);
    EXPECT_EQ(report.PageHeight(), 11.0);
    report.EndReport();
}

TEST_F(ReportWriterTest, ColumnsTruncateLessTheMarginAndAreHeldToThePrintableWidth) {
    Begin();
    EXPECT_EQ(Report.Column(1.0), 300 - 30);
    EXPECT_EQ(Report.Column(1.2345), 370 - 30); // 370.35
    // 0.29 is stored a hair below 0.29: the exact product is just under 87.
    EXPECT_EQ(Report.Column(0.29), 86 - 30);
    EXPECT_EQ(Report.Column(0.05), 0); // left of the unprintable margin
    EXPECT_EQ(Report.Column(-2.0), 0);
    EXPECT_EQ(Report.Column(8.4), 2490); // 2520 - 30 is beyond the printable width
    EXPECT_EQ(Report.Row(1.2345), 246);  // 246.9, no offset
    EXPECT_EQ(Report.Row(0.29), 57);     // 57.99999...
    EXPECT_EQ(Report.Row(12.0), 2400);   // no limit

    Report.SetPosition(1.5);
    Report.TextAt(QStringLiteral("left"), 0.05);
    EXPECT_EQ(LastText().From.x(), 0);
    Report.TextAt(QStringLiteral("right"), 9.0);
    EXPECT_EQ(LastText().From.x(), 2490);
    Report.TextAt(QStringLiteral("inside"), 2.0);
    EXPECT_EQ(LastText().From.x(), 570);
    EXPECT_EQ(LastText().Text, QStringLiteral("inside"));
    Report.EndReport();
}

TEST_F(ReportWriterTest, TextStandsWithItsTopAtTheLineTop) {
    Begin();
    Report.SetFont(12, Qt::blue, TFontStyle::Bold);
    const int height = Report.LineHeight();
    const QFontMetrics metrics(Report.Font(), Printer.Device());
    EXPECT_EQ(height, metrics.height());
    // 12 points at 200 dpi.
    EXPECT_EQ(Report.Font().pixelSize(), 33);
    Report.SetPosition(2.0);
    Report.TextAt(QStringLiteral("Qq"), 1.0);
    const TDrawn text = LastText();
    // The painter places text by its baseline: the top of the text, the font's ascent above
    // it, is the line top.
    const auto ascent = [&] {
        return qCeil(QFontMetricsF(Report.Font(), Printer.Device()).ascent());
    };
    EXPECT_EQ(text.From.y(), 400 + ascent());
    EXPECT_EQ(text.Pen.color(), QColor(Qt::blue));
    EXPECT_TRUE(Report.Font().bold());

    // -1 keeps size, colour and style and only changes the face.
    Report.SetFontName(QStringLiteral("Liberation Serif"));
    EXPECT_EQ(Report.Font().pixelSize(), 33);
    EXPECT_TRUE(Report.Font().bold());
    Report.TextAt(QStringLiteral("again"), 1.0);
    EXPECT_EQ(LastText().Pen.color(), QColor(Qt::blue));

    // A smaller font keeps its top at the line top.
    Report.SetFont(8, Qt::black, {});
    EXPECT_LT(Report.LineHeight(), height);
    Report.TextAt(QStringLiteral("small"), 1.0);
    EXPECT_EQ(LastText().From.y(), 400 + ascent());
    EXPECT_FALSE(Report.Font().bold());
    Report.EndReport();
}

TEST_F(ReportWriterTest, RightAlignedAndCentredText) {
    Begin();
    const QString text = QStringLiteral("Weight");
    const int width = Report.TextWidth(text);
    ASSERT_GT(width, 0);

    Report.TextRightAt(text, 4.0);
    EXPECT_EQ(LastText().From.x(), 1170 - width);
    // Ending left of its own width: the text starts at a negative column and the device
    // clips it.
    Report.TextRightAt(text, 0.2);
    EXPECT_EQ(LastText().From.x(), 30 - width);
    Report.TextRightAt(text, 0.01);
    EXPECT_EQ(LastText().From.x(), -width);

    // Columns 270 and 571: an odd span, halved by truncation.
    Report.TextCentred(text, 1.0, 2.005);
    EXPECT_EQ(LastText().From.x(), 270 + 150 - width / 2);
    // Reversed, the span is -301 and halves toward zero to -150.
    Report.TextCentred(text, 2.005, 1.0);
    EXPECT_EQ(LastText().From.x(), 571 - 150 - width / 2);
    // The positions are held before centring.
    Report.TextCentred(text, 0.0, 9.0);
    EXPECT_EQ(LastText().From.x(), 0 + 1245 - width / 2);
    Report.EndReport();
}

TEST_F(ReportWriterTest, RulesAndLinesAtTheCurrentLine) {
    Begin();
    Report.SetPen(1, Qt::black, Qt::SolidLine);
    Report.SetPosition(1.0);
    const int top = 200;
    const int height = Report.LineHeight();

    Report.VerticalRule(2.0);
    EXPECT_EQ(LastLine().From, QPoint(570, top));
    EXPECT_EQ(LastLine().To, QPoint(570, top + height));
    EXPECT_EQ(LastLine().Pen.width(), 1);
    EXPECT_EQ(LastLine().Pen.style(), Qt::SolidLine);

    Report.HorizontalRule(true, 0.5, 8.0);
    EXPECT_EQ(LastLine().From, QPoint(120, top));
    EXPECT_EQ(LastLine().To, QPoint(2370, top));
    Report.HorizontalRule(false, 0.0, 9.0);
    EXPECT_EQ(LastLine().From, QPoint(0, top + height));
    EXPECT_EQ(LastLine().To, QPoint(2490, top + height));

    Report.DrawLine(1.0, 0.5, 2.0, 3.0);
    EXPECT_EQ(LastLine().From, QPoint(270, 100));
    EXPECT_EQ(LastLine().To, QPoint(570, 600));
    // A negative start is the bottom of the current line, a negative end one line above its
    // top.
    Report.DrawLine(1.0, -1.0, 1.25, -1.0);
    EXPECT_EQ(LastLine().From, QPoint(270, top + height));
    EXPECT_EQ(LastLine().To, QPoint(345, top - height));

    Report.SetPen(3, Qt::red, Qt::DashLine);
    Report.VerticalRule(1.0);
    EXPECT_EQ(LastLine().Pen.width(), 3);
    EXPECT_EQ(LastLine().Pen.color(), QColor(Qt::red));
    EXPECT_EQ(LastLine().Pen.style(), Qt::DashLine);
    Report.EndReport();
}

TEST_F(ReportWriterTest, ShadeLineFillsTheLineAndLeavesThePenInvisible) {
    Begin();
    Report.SetPen(1, Qt::black, Qt::SolidLine);
    Report.SetPosition(1.0);
    const int height = Report.LineHeight();
    Report.ShadeLine(Qt::lightGray, 1.0, 2.0);
    const auto rects = Printer.Rects();
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].From, QPoint(270, 200));
    EXPECT_EQ(rects[0].To, QPoint(569, 200 + height - 1));
    EXPECT_EQ(rects[0].Brush, QColor(Qt::lightGray));

    EXPECT_EQ(Report.Pen().style(), Qt::NoPen);
    EXPECT_EQ(Report.Pen().width(), 0);
    EXPECT_EQ(Report.Pen().color(), ButtonFaceColor());
    // Rules after it draw nothing visible until the report sets a pen again.
    const std::size_t before = Printer.Lines().size();
    Report.VerticalRule(1.0);
    for (std::size_t i = before; i < Printer.Lines().size(); ++i) {
        EXPECT_EQ(Printer.Lines()[i].Pen.style(), Qt::NoPen);
    }
    Report.SetPen(1, Qt::black, Qt::SolidLine);
    Report.VerticalRule(1.0);
    EXPECT_EQ(LastLine().Pen.style(), Qt::SolidLine);
    Report.EndReport();
}

TEST_F(ReportWriterTest, Positions) {
    Begin();
    Report.SetPosition(1.5);
    EXPECT_EQ(Report.LineTop(), 300);
    EXPECT_DOUBLE_EQ(Report.GetPosition(), 1.5);
    Report.SetPosition(1.2345); // 246.9 rows
    EXPECT_EQ(Report.LineTop(), 246);
    EXPECT_DOUBLE_EQ(Report.GetPosition(), 246.0 / 200);
    Report.SetPositionFromBottom(1.0);
    EXPECT_EQ(Report.LineTop(), 2000);
    Report.EndReport();

    TRecordingPrinter printer(DpiX, DpiY, QSize(3300, 1700), Margins);
    TReportPreviewForm landscape(nullptr, &printer);
    landscape.BeginReport(TReportPreviewForm::ToPrinter, false, true);
    landscape.SetPositionFromBottom(1.875);
    EXPECT_EQ(landscape.LineTop(), 1325); // 6.625 inches
    landscape.EndReport();
}

// The page-break rule, on a page that holds a known number of lines.
class PageBreakTest : public ::testing::Test {
protected:
    // A printer whose printable height is lines x the line height plus extra rows.
    static int MeasuredLineHeight() {
        TRecordingPrinter printer(DpiX, DpiY, Letter, Margins);
        TReportPreviewForm report(nullptr, &printer);
        report.BeginReport(TReportPreviewForm::ToPrinter, false, false);
        report.SetFont(10, Qt::black, {});
        const int height = report.LineHeight();
        report.EndReport();
        return height;
    }

    // Writes NewLines until the page breaks; returns how many it took.
    static int NewLinesUntilBreak(TReportPreviewForm& report) {
        for (int count = 1; count < 1000; ++count) {
            report.NewLine();
            if (report.PageCount() == 2) {
                return count;
            }
            EXPECT_FALSE(report.PageStarted());
        }
        ADD_FAILURE() << "no page break";
        return 0;
    }
};

TEST_F(PageBreakTest, BreaksOnTheNewLineWhoseTopReachesTheLastLine) {
    const int height = MeasuredLineHeight();
    ASSERT_GT(height, 0);
    constexpr int Lines = 40;
    for (const int extra : {0, 1, height - 1}) {
        SCOPED_TRACE(extra);
        const int printable = Lines * height + extra;
        TRecordingPrinter printer(DpiX, DpiY, QSize(2550, printable + 2 * Margins.y()), Margins);
        TReportPreviewForm report(nullptr, &printer);
        report.BeginReport(TReportPreviewForm::ToPrinter, false, false);
        report.SetFont(10, Qt::black, {});
        ASSERT_EQ(report.PrintableHeight(), printable);
        EXPECT_TRUE(report.PageStarted());

        // Tops 0 .. (Lines - 2) x height fit when the page is exactly Lines high; one row
        // more lets the next top through.
        const int breaksAt = NewLinesUntilBreak(report);
        EXPECT_EQ(breaksAt, extra == 0 ? Lines - 1 : Lines);
        EXPECT_TRUE(report.PageStarted());
        EXPECT_EQ(report.LineTop(), 0);
        EXPECT_EQ(report.PageNumber(), 2);
        EXPECT_EQ(printer.Pages, 2);
        EXPECT_EQ(report.StatusWindow()->Status(), QStringLiteral("Sending Page: 2 To Printer."));

        report.NewLine();
        EXPECT_FALSE(report.PageStarted());
        EXPECT_EQ(report.LineTop(), height);
        report.EndReport();
    }
}

// A report of a few sheets that start their own page numbers, with a header on every page.
TEST_F(PageBreakTest, HeadersCarryTheReportsPageNumbers) {
    TRecordingPrinter printer(DpiX, DpiY, Letter, Margins);
    TReportPreviewForm report(nullptr, &printer);
    report.BeginReport(TReportPreviewForm::ToPrinter, false, false);
    report.SetFont(10, Qt::black, {});
    const auto header = [&report] {
        report.TextRightAt(QStringLiteral("Page: %1").arg(report.PageNumber()), 8.0);
        report.NewLine();
    };
    header();
    for (int sheet = 1; sheet <= 2; ++sheet) {
        for (int line = 0; line < 150; ++line) {
            report.TextAt(QStringLiteral("sheet %1").arg(sheet), 1.0);
            report.NewLine();
            if (report.PageStarted()) {
                header();
            }
        }
        if (sheet == 1) {
            // The next sheet starts at page 1 again.
            report.SetPageNumber(0);
            report.NewPage();
            header();
        }
    }
    report.EndReport();

    std::vector<QString> headers;
    std::vector<int> pages;
    for (const TDrawn& text : printer.Texts()) {
        if (text.Text.startsWith(QStringLiteral("Page: "))) {
            headers.push_back(text.Text);
            pages.push_back(text.Page);
        }
    }
    // 150 lines of about 28 rows on a 2160-row page: three pages per sheet.
    ASSERT_EQ(report.PageCount(), 6);
    EXPECT_EQ(printer.Pages, 6);
    const std::vector<QString> expected = {QStringLiteral("Page: 1"), QStringLiteral("Page: 2"),
                                           QStringLiteral("Page: 3"), QStringLiteral("Page: 1"),
                                           QStringLiteral("Page: 2"), QStringLiteral("Page: 3")};
    EXPECT_EQ(headers, expected);
    EXPECT_EQ(pages, (std::vector<int>{1, 2, 3, 4, 5, 6}));
}

} // namespace
} // namespace korvane
