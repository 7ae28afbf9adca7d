#include "reports/PrintDestination.h"

#include <QFile>

#include "data/PositionFile.h"
#include "data/ProcessState.h"
#include "platform/ui/FailureText.h"
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
    if (file.isEmpty()) {
        return true;
    }
    const auto check = OutputFileCheck(QFile::encodeName(file).toStdString());
    if (!check.Ok()) {
        ShowError(QStringLiteral("Error: ") + file + QLatin1Char(' ') + OutputRefusalText(check) +
                      QStringLiteral("; nothing was printed"),
                  owner);
    }
    return check.Ok();
}

} // namespace korvane
