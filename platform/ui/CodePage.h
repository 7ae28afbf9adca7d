#pragma once

#include <QString>

#include <string>

namespace korvane {

// Text in the data files is Windows-1252. A character the code page cannot hold becomes '?'.
QString FromCodePage(const std::string& bytes);
std::string ToCodePage(const QString& text);

} // namespace korvane
