#include "setup/ListPrintout.h"

#include "data/ProcessState.h"
#include "reports/ReportPreviewForm.h"

namespace korvane {

void PrintListBand(TReportPreviewForm& report, const TListPrintout& printout) {
    const double left = printout.BandLeft;
    const double right = printout.BandRight;
    report.ShadeLine(ButtonFaceColor(), left, right);
    report.SetPen(1, Qt::black, Qt::SolidLine);
    report.HorizontalRule(true, left, right);
    report.HorizontalRule(false, left, right);
    report.VerticalRule(left);
    report.VerticalRule(right);
    for (const TBandItem& item : printout.Band) {
        if (item.Caption == nullptr) {
            report.VerticalRule(item.X);
        } else {
            report.TextAt(QString::fromLatin1(item.Caption), item.X);
        }
    }
    report.NewLine();
}

void PrintListCells(TReportPreviewForm& report, const TListPrintout& printout,
                    const std::function<QString(int col)>& text) {
    for (const TRowCell& cell : printout.Row) {
        if (cell.RightAligned) {
            report.TextRightAt(text(cell.Column), cell.X);
        } else {
            report.TextAt(text(cell.Column), cell.X);
        }
    }
}

void PrintListFootnote(TReportPreviewForm& report, const TListPrintout& printout) {
    if (printout.Footnote == nullptr) {
        return;
    }
    report.NewLine();
    report.SetFont(Settings.PortraitFont, Qt::black, {});
    report.TextCentred(QString::fromLatin1(printout.Footnote), 0.5, 8.0);
}

} // namespace korvane
