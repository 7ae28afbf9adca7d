#include "setup/SetupPrecheck.h"

#include <QString>

#include "data/SetupCounts.h"
#include "platform/ui/MessageBox.h"

namespace korvane {

namespace {

bool Report(TSetupItem Missing, QWidget* Parent) {
    if (Missing == TSetupItem::None) {
        return true;
    }
    ShowError(QString::fromLatin1(SetupMessage(Missing)), Parent);
    return false;
}

} // namespace

bool CheckPreferredSetup(QWidget* Parent) {
    return Report(MissingPreferredSetup(), Parent);
}

bool CheckRequiredSetup(QWidget* Parent) {
    return Report(MissingRequiredSetup(), Parent);
}

} // namespace korvane
