#pragma once

#include <string>

namespace korvane {

// The private per-user temporary folder, ending in '/'. Created with mode 0700 on first use;
// refused when it is a link, not a folder, or not owned by this user, since the
// system temporary folder is shared by every user of the machine. A refused folder raises
// EInOutError.
std::string TempFolder();

// A new empty folder inside TempFolder() that no other run shares (mode 0700), ending in '/';
// its name starts with Prefix. Raises EInOutError when it cannot be made.
std::string NewRunFolder(const std::string& Prefix);
// Removes Folder if it is empty; anything left in it keeps it.
void RemoveEmptyFolder(const std::string& Folder);

} // namespace korvane
