#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>

#include <gtest/gtest.h>

#include "platform/ui/SystemPrinter.h"
#include "reports/ReportPreviewForm.h"
#include "tests/support/core/TempWorkDir.h"

namespace korvane {
namespace {

QString ToolOutput(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000)) {
        ADD_FAILURE() << tool.toStdString() << " did not run";
        return {};
    }
    EXPECT_EQ(process.exitCode(), 0) << tool.toStdString() << " (poppler-utils) failed";
    return QString::fromUtf8(process.readAllStandardOutput());
}

class SystemPrinterTest : public test::TempWorkDirTest {
protected:
    void TearDown() override {
        SystemPrinter().setPageOrientation(QPageLayout::Portrait);
        SystemPrinter().setOutputFileName(QString());
        TempWorkDirTest::TearDown();
    }
};

TEST_F(SystemPrinterTest, StartsOnLetterPaperAtFullPage) {
    QPrinter& printer = SystemPrinter();
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::Letter);
    EXPECT_TRUE(printer.fullPage());
    EXPECT_EQ(printer.resolution(), SystemPrinterResolution);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);
}

// The printer destination on the real printer object, here writing a PDF: a landscape sheet in
// the printer's own units, less its unprintable margins, with real text in it.
TEST_F(SystemPrinterTest, LandscapeReportInPrinterUnits) {
    QPrinter& printer = SystemPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QStringLiteral("landscape.pdf"));
    const TPrintJobCounts before = PrintJobCounts();
    {
        TReportPreviewForm report;
        report.BeginReport(TReportPreviewForm::ToPrinter, false, true);
        EXPECT_EQ(report.HorizontalResolution(), SystemPrinterResolution);
        EXPECT_EQ(report.VerticalResolution(), SystemPrinterResolution);
        // A PDF file is laid out inside the margins of a typical office printer.
        const int margin = SystemPrinterResolution / 4;
        EXPECT_EQ(report.HorizontalOffset(), margin);
        EXPECT_EQ(report.PrintableWidth(), 11 * SystemPrinterResolution - 2 * margin);
        EXPECT_EQ(report.PrintableHeight(), 17 * SystemPrinterResolution / 2 - 2 * margin);
        EXPECT_EQ(report.PageWidth(), 11.0);
        report.SetFont(12, Qt::black, {});
        report.TextAt(QStringLiteral("Landscape sheet"), 9.0);
        report.NewPage();
        report.TextCentred(QStringLiteral("Second page"), 0.5, 10.5);
        report.EndReport();
    }
    EXPECT_EQ(PrintJobCounts().Started, before.Started + 1);
    EXPECT_EQ(PrintJobCounts().Failed, before.Failed);

    const QString info = ToolOutput(QStringLiteral("pdfinfo"), {QStringLiteral("landscape.pdf")});
    EXPECT_TRUE(info.contains(QStringLiteral("Pages:           2"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("792 x 612"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("Title:           Korvane"))) << info.toStdString();
    const QString text = ToolOutput(QStringLiteral("pdftotext"),
                                    {QStringLiteral("landscape.pdf"), QStringLiteral("-")});
    const QStringList pages = text.split(QChar(u'\f'));
    ASSERT_GE(pages.size(), 2);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Landscape sheet")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("Second page")));
}

} // namespace
} // namespace korvane
