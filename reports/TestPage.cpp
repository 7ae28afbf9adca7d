#include "reports/TestPage.h"

#include "reports/ReportPreviewForm.h"

namespace korvane {

namespace {

void PageHeader(TReportPreviewForm& report) {
    report.SetFont(14, Qt::black, TFontStyle::Bold);
    report.TextCentred(QStringLiteral("Korvane"), 0.5, 8.0);
    report.NewLine();
    report.SetFont(12, Qt::black, {});
    report.TextCentred(QStringLiteral("Printer Test Page"), 0.5, 8.0);
    report.NewLine();
    report.SetFont(10, Qt::black, {});
    report.TextAt(QStringLiteral("Left at 0.5 in"), 0.5);
    report.TextRightAt(QStringLiteral("Page: ") + QString::number(report.PageNumber()), 8.0);
    report.NewLine();
    report.NewLine();

    report.ShadeLine(ButtonFaceColor(), 0.5, 8.0);
    report.SetPen(1, Qt::black, Qt::SolidLine);
    report.HorizontalRule(true, 0.5, 8.0);
    report.HorizontalRule(false, 0.5, 8.0);
    report.VerticalRule(0.5);
    report.TextAt(QStringLiteral("Line"), 0.55);
    report.VerticalRule(1.5);
    report.TextAt(QStringLiteral("Text"), 1.55);
    report.VerticalRule(6.5);
    report.TextRightAt(QStringLiteral("Number"), 7.95);
    report.VerticalRule(8.0);
    report.NewLine();
}

} // namespace

void PrintTestPage(QWidget* owner, const TPrintDestination& to) {
    TReportPreviewForm report(owner);
    report.BeginReport(to, false, false);
    for (int page = 1; page <= TestPagePages; ++page) {
        PageHeader(report);
        for (int line = 1; line <= TestPageLines; ++line) {
            report.VerticalRule(0.5);
            report.TextRightAt(QString::number(line), 1.2);
            report.VerticalRule(1.5);
            report.TextAt(QStringLiteral("Page %1 line %2").arg(page).arg(line), 1.55);
            report.VerticalRule(6.5);
            report.TextRightAt(QString::number(page * 100 + line), 7.95);
            report.VerticalRule(8.0);
            report.HorizontalRule(false, 0.5, 8.0);
            report.NewLine();
        }
        report.NewLine();
        report.DrawLine(0.5, 0.0, 8.0, report.PageHeight());
        if (page < TestPagePages) {
            report.NewPage();
        }
    }
    report.TextCentred(QStringLiteral("End of test page"), 0.5, 8.0);
    report.EndReport();
}

} // namespace korvane
