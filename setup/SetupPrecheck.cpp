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
    ShowError(MissingSetupText(Missing), Parent);
    return false;
}

} // namespace

QString MissingSetupText(TSetupItem Item) {
    switch (Item) {
    case TSetupItem::Applicants:
        return QStringLiteral("Error: No Applicants Are Loaded");
    case TSetupItem::CommitteeMembers:
        return QStringLiteral("Error: No Committee Members Are Entered");
    case TSetupItem::PreferredCriteria:
        return QStringLiteral("Error: No Preferred Criteria Selected");
    case TSetupItem::RequiredCriteria:
        return QStringLiteral("Error: No Required Criteria Selected");
    case TSetupItem::None:
        break;
    }
    return {};
}

bool CheckPreferredSetup(QWidget* Parent) {
    return Report(MissingPreferredSetup(), Parent);
}

bool CheckRequiredSetup(QWidget* Parent) {
    return Report(MissingRequiredSetup(), Parent);
}

} // namespace korvane
