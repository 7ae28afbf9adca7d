#include "reports/ReportHeader.h"

#include <QDate>
#include <QLocale>

#include "data/ProcessState.h"
#include "platform/ui/CodePage.h"
#include "reports/ReportPreviewForm.h"

namespace korvane {

void PrintSheetBanner(TReportPreviewForm& report, const QString& organisation) {
    report.SetFont(24, Qt::black, {});
    report.TextCentred(QStringLiteral("Korvane"), 0, report.PageWidth());
    report.NewLine();
    report.SetFont(14, Qt::black, {});
    report.TextCentred(QString::fromLatin1(VersionText), 0, report.PageWidth());
    report.NewLine();
    report.SetFont(14, Qt::black, TFontStyle::Bold | TFontStyle::Italic);
    report.TextCentred(organisation, 0, report.PageWidth());
    report.NewLine();
}

QString PrintedDateText() {
    return QStringLiteral("Printed: ") +
           QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
}

void PrintListPageHeader(TReportPreviewForm& report, const TListHeaderText& text) {
    PrintSheetBanner(report, text.Organisation);
    report.SetFont(14, Qt::black, {});
    report.TextCentred(text.Title, 0.5, 8.0);
    report.NewLine();
    report.TextCentred(text.Position, 0.5, 8.0);
    // The line feed after the date advances by a line of the portrait font.
    report.SetFont(text.PortraitFont, Qt::black, {});
    report.TextRightAt(PrintedDateText(), 8.0);
    report.NewLine();
    report.TextRightAt(QStringLiteral("Page:"), 7.5);
    report.TextRightAt(QString::number(report.PageNumber()), 8.0);
    report.NewLine();
}

TListHeaderText ListHeaderText(const QString& title) {
    const QString position =
        PositionTitle.empty() ? QString::fromLatin1(NoPositionFound) : FromCodePage(PositionTitle);
    return {FromCodePage(OrganisationName), title, position, Settings.PortraitFont};
}

} // namespace korvane
