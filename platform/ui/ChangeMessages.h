#pragma once

#include <QString>

#include <string>

class QWidget;

namespace korvane {

// A UTC time as the change log and the final rating keep it ("2025-03-04T10:11:12Z"), as the
// user reads dates and times here; "An Unknown Date" when it cannot be read.
QString LocalTimeText(const std::string& Utc);

// The refusal of a change while the final rating is finalised (since Utc), and its box.
QString FinalisedRefusalText(const std::string& Utc);
void ShowFinalisedRefusal(const std::string& Utc, QWidget* Parent);

// The answer of the check before a change (a result whose Subject says since when the rating is
// finalised): false when the change may be made, else true with the refusal shown.
template <class TCheck> bool RefusedChange(const TCheck& Check, QWidget* Parent) {
    if (!Check.Ok()) {
        ShowFinalisedRefusal(Check.Subject, Parent);
    }
    return !Check.Ok();
}

// A change was made, but the change log could not take its line.
void ShowChangeNotLogged(QWidget* Parent);

} // namespace korvane
