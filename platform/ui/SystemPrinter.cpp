#include "platform/ui/SystemPrinter.h"

#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include <memory>

namespace korvane {

namespace {

TPrintJobCounts Counts;

// Paper, full page and resolution: Qt's defaults (A4, margins, 96 dpi) are never what a
// report expects.
void ApplyDefaults(QPrinter& printer) {
    printer.setFullPage(true);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setResolution(SystemPrinterResolution);
}

} // namespace

QPrinter& SystemPrinter() {
    static std::unique_ptr<QPrinter> printer;
    if (!printer) {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        ApplyDefaults(*printer);
        printer->setPageOrientation(QPageLayout::Portrait);
    }
    return *printer;
}

QMarginsF UnprintableMargins() {
    QPrinter& printer = SystemPrinter();
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        return {PdfUnprintableMargin, PdfUnprintableMargin, PdfUnprintableMargin,
                PdfUnprintableMargin};
    }
    QPageLayout layout = printer.pageLayout();
    layout.setUnits(QPageLayout::Inch);
    return layout.minimumMargins();
}

bool RunPrintDialog(QWidget* parent) {
    QPrintDialog dialog(&SystemPrinter(), parent);
    return dialog.exec() == QDialog::Accepted;
}

bool RunPrinterSetupDialog(QWidget* parent) {
    QPageSetupDialog dialog(&SystemPrinter(), parent);
    return dialog.exec() == QDialog::Accepted;
}

void SetPrinterPdfOutput(const QString& file) {
    QPrinter& printer = SystemPrinter();
    const QPageLayout::Orientation orientation = printer.pageLayout().orientation();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    ApplyDefaults(printer);
    printer.setPageOrientation(orientation);
}

bool BeginPrintJob(QPainter& painter, const QString& title) {
    QPrinter& printer = SystemPrinter();
    printer.setDocName(title);
    ++Counts.Started;
    const bool begun = painter.begin(&printer);
    if (!begun) {
        ++Counts.Failed;
    }
    return begun;
}

TPrintJobCounts PrintJobCounts() {
    return Counts;
}

} // namespace korvane
