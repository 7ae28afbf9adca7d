#include "reports/ReportHeader.h"

#include <QDate>
#include <QLocale>

#include <algorithm>

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

void PrintTitleBesideDate(TReportPreviewForm& report, const QString& text, double xLeft,
                          double xRight, double dateRight, int dateSize) {
    constexpr int TitleSize = 14;
    const QString date = PrintedDateText();
    report.SetFont(dateSize, Qt::black, {});
    // An eighth of an inch between the title's end and the date.
    const int limit =
        report.Column(dateRight) - report.TextWidth(date) - report.HorizontalResolution() / 8;
    // Where TextCentred puts a text of the current font.
    const int left = report.Column(xLeft);
    const int centre = left + (report.Column(xRight) - left) / 2;
    const auto fits = [&](const QString& candidate) {
        const int width = report.TextWidth(candidate);
        return centre - width / 2 + width <= limit;
    };

    const int smallest = std::min(TitleSize, dateSize);
    int size = TitleSize;
    report.SetFont(size, Qt::black, {});
    while (size > smallest && !fits(text)) {
        report.SetFont(--size, Qt::black, {});
    }
    QString shown = text;
    while (!shown.isEmpty() && !fits(shown)) {
        const QString shorter = report.ElidedText(text, report.TextWidth(shown) - 1);
        shown = shorter == shown ? QString() : shorter;
    }
    report.TextCentred(shown, xLeft, xRight);
    report.SetFont(dateSize, Qt::black, {});
    report.TextRightAt(date, dateRight);
}

void PrintListPageHeader(TReportPreviewForm& report, const TListHeaderText& text) {
    const double right = report.PageWidth() - 0.5;
    PrintSheetBanner(report, text.Organisation);
    report.SetFont(14, Qt::black, {});
    report.TextCentred(text.Title, 0.5, right);
    report.NewLine();
    // The line feed after the date advances by a line of the portrait font.
    PrintTitleBesideDate(report, text.Position, 0.5, right, right, text.PortraitFont);
    report.NewLine();
    report.TextRightAt(QStringLiteral("Page:"), right - 0.5);
    report.TextRightAt(QString::number(report.PageNumber()), right);
    report.NewLine();
}

TListHeaderText ListHeaderText(const QString& title) {
    const QString position =
        PositionTitle.empty() ? QString::fromLatin1(NoPositionFound) : FromCodePage(PositionTitle);
    return {FromCodePage(OrganisationName), title, position, Settings.PortraitFont};
}

} // namespace korvane
