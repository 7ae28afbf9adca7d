#pragma once

#include <QString>

#include "data/SetupCounts.h"

class QWidget;

namespace korvane {

// The set-up a command needs before its screen opens: applicants, committee members and
// selected preferred (or required) criteria. When one is missing, shows the error for the first
// missing item and returns false.
bool CheckPreferredSetup(QWidget* Parent = nullptr);
bool CheckRequiredSetup(QWidget* Parent = nullptr);

// The error for a missing item ("Error: No Applicants Are Loaded", ...); empty for None.
QString MissingSetupText(TSetupItem Item);

} // namespace korvane
