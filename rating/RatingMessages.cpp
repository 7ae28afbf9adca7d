#include "rating/RatingMessages.h"

#include <QString>

#include "platform/ui/MessageBox.h"

namespace korvane {

void ShowPoolError(QWidget* Parent) {
    ShowError(QStringLiteral("Error: TempFile.dat Could Not Be Written In The Temporary Folder; "
                             "Not Every Applicant Still In The Pool Is Listed"),
              Parent);
}

} // namespace korvane
