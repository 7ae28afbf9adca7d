#pragma once

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QString>

class QPainter;
class QPrinter;
class QWidget;

namespace korvane {

// The one printer of the process. Created on first use with Letter paper (8.5 x 11 in),
// portrait, full page and a fixed resolution, so that no dialog ever sees Qt's defaults.
QPrinter& SystemPrinter();

// Resolution the system printer is given, in dots per inch.
constexpr int SystemPrinterResolution = 600;

// The sheet's unprintable margins on the system printer, in inches: the printer's own, or for a
// PDF file, which has none, those of a typical office printer, so that a file printed on
// paper later keeps every line on the sheet.
QMarginsF UnprintableMargins();
constexpr double PdfUnprintableMargin = 0.25;

// Shows the print dialog on the system printer; true when the user chose to print.
bool RunPrintDialog(QWidget* parent);
// The PDF file the system printer writes to, empty when it prints on paper.
QString PrinterPdfOutput();
// The printer-setup dialog on the system's printers; true when accepted.
bool RunPrinterSetupDialog(QWidget* parent);
// What the printer-setup dialog sets: the printer by name (empty: a PDF file), the paper and
// the orientation; full page and the resolution stay as every report expects them.
void SetUpSystemPrinter(const QString& printerName, QPageSize::PageSizeId paper,
                        QPageLayout::Orientation orientation);

// Points the system printer at a PDF file (a run with no display prints there).
void SetPrinterPdfOutput(const QString& file);

// Begins a print job on the system printer with the job title; counted below.
bool BeginPrintJob(QPainter& painter, const QString& title);

// Print jobs begun since the process started, and those of them that could not be started.
struct TPrintJobCounts {
    int Started = 0;
    int Failed = 0;
};
TPrintJobCounts PrintJobCounts();

} // namespace korvane
