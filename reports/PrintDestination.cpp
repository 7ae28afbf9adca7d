#include "reports/PrintDestination.h"

#include <QFile>

#include "data/PositionFile.h"
#include "data/ProcessState.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/SystemPrinter.h"

namespace korvane {

TPrintDestination SettingsDestination() {
    return {Settings.SendReportsToPrinter ? TPrintDestination::ToPrinter
                                          : TPrintDestination::ToPreview,
            true};
}

TPrintDestination PdfFileDestination() {
    return {TPrintDestination::ToPrinter, false};
}

bool ConfirmPrint(QWidget* owner, const TPrintDestination& to) {
    if (to.Destination != TPrintDestination::ToPrinter) {
        return true;
    }
    if (!RunPrintDialog(owner)) {
        return false;
    }
    // A PDF file named in the dialog is an output like any other: never a link, a device or a
    // file of the position.
    const QString file = PrinterPdfOutput();
    const std::string refusal =
        file.isEmpty() ? std::string() : OutputFileRefusal(QFile::encodeName(file).toStdString());
    if (!refusal.empty()) {
        ShowError(QStringLiteral("Error: ") + file + QLatin1Char(' ') +
                      QString::fromStdString(refusal) + QStringLiteral("; nothing was printed"),
                  owner);
        return false;
    }
    return true;
}

} // namespace korvane
