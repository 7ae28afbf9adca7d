#pragma once

#include <string>

namespace korvane {

// Title of the position being filled, in code-page bytes; set once when the main window is
// created and read by the status bar, the printouts and the exchange.
extern std::string PositionTitle;

// The title shown when the position file cannot be opened.
inline constexpr const char* NoPositionFound = "No Position Found";

// Reads the first line of Folder + "kvn.dat" (the working directory when Folder is empty) into
// PositionTitle. A missing or unreadable file gives "No Position Found"; a read error on an
// opened file raises EInOutError.
void ReadPositionTitle(const std::string& Folder = {});

// The first line of the position file in Folder, without changing PositionTitle.
std::string PositionTitleIn(const std::string& Folder);

} // namespace korvane
