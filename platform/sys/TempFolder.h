#pragma once

#include <string>

namespace korvane {

// The private per-user temporary folder, ending in '/'. Created with mode 0700 on first use;
// refused when it is a link, not a folder, or not owned by this user, since the
// system temporary folder is shared by every user of the machine. A refused folder raises
// EInOutError.
std::string TempFolder();

} // namespace korvane
