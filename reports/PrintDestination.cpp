#include "reports/PrintDestination.h"

#include "data/ProcessState.h"
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
    return to.Destination != TPrintDestination::ToPrinter || RunPrintDialog(owner);
}

} // namespace korvane
