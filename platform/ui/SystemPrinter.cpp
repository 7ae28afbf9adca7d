#include "platform/ui/SystemPrinter.h"

#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <memory>

#include "platform/ui/MessageBox.h"
#include "platform/ui/PrinterSetupDialog.h"

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
    QPrinter& printer = SystemPrinter();
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

QString PrinterPdfOutput() {
    const QPrinter& printer = SystemPrinter();
    return printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : QString();
}

bool RunPrinterSetupDialog(QWidget* parent) {
    TPrinterSetupDialog dialog(parent, QPrinterInfo::availablePrinterNames());
    return dialog.exec() == QDialog::Accepted;
}

void SetUpSystemPrinter(const QString& printerName, QPageSize::PageSizeId paper,
                        QPageLayout::Orientation orientation) {
    QPrinter& printer = SystemPrinter();
    // A printer brings its own settings: the printer first, then the rest.
    if (printerName.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
    } else {
        printer.setOutputFormat(QPrinter::NativeFormat);
        printer.setPrinterName(printerName);
    }
    printer.setFullPage(true);
    printer.setResolution(SystemPrinterResolution);
    printer.setPageSize(QPageSize(paper));
    printer.setPageOrientation(orientation);
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
