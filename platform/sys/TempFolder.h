#pragma once

#include <string>

namespace korvane {

// The private per-user temporary folder, ending in '/'. Created with mode 0700 on first use;
// refused when it is a link, not a folder, or not owned by this user, since the
// system temporary folder is shared by every user of the machine. A refused folder raises
// EInOutError.
std::string TempFolder();

// A new empty folder inside TempFolder() that no other run shares (mode 0700), ending in '/';
// its name is Prefix, this process's ID and a dash, then six characters of its own. Raises
// EInOutError when it cannot be made.
std::string NewRunFolder(const std::string& Prefix);
// Removes the run folders (see NewRunFolder) of processes that no longer run, with the regular
// files in them, as a run that was killed leaves them. The number removed.
int RemoveEndedRunFolders();
// Removes Folder if it is empty; anything left in it keeps it.
void RemoveEmptyFolder(const std::string& Folder);

} // namespace korvane
