#include "rating/RatingMessages.h"

#include <QString>

#include "data/RecusalFile.h"
#include "platform/ui/CodePage.h"
#include "platform/ui/MessageBox.h"

namespace korvane {

void ShowPoolError(QWidget* Parent) {
    ShowError(QStringLiteral("Error: TempFile.dat Could Not Be Written In The Temporary Folder; "
                             "Not Every Applicant Still In The Pool Is Listed"),
              Parent);
}

void ShowDecisionsDamage(const TRecusalFile& File, QWidget* Parent) {
    const std::string damage = DamagedDecisionsText(File);
    if (!damage.empty()) {
        ShowError(FromCodePage(damage), Parent);
    }
}

} // namespace korvane
