#pragma once

#include <QString>

#include <string>

class QWidget;

namespace korvane {

// A UTC time as the change log and the final rating keep it ("2025-03-04T10:11:12Z"), as the
// user reads dates and times here; "An Unknown Date" when it cannot be read.
QString LocalTimeText(const std::string& Utc);

// The refusal of a change while the final rating is finalised (since Utc).
void ShowFinalisedRefusal(const std::string& Utc, QWidget* Parent);

// A change was made, but the change log could not take its line.
void ShowChangeNotLogged(QWidget* Parent);

} // namespace korvane
