#pragma once

#include <string>

namespace korvane {

// The folders of the desktop user, without a trailing '/'.

// $HOME, else the home folder the user database gives.
std::string HomeFolder();
// $XDG_CONFIG_HOME, else ~/.config; a relative value counts as unset.
std::string ConfigHome();
// $XDG_DATA_HOME, else ~/.local/share; a relative value counts as unset.
std::string DataHome();

// The shell folders the uninstall asks for by name: "Programs" is the applications folder of the
// menus (<data home>/applications), "Desktop" the desktop folder (XDG_DESKTOP_DIR of
// <config home>/user-dirs.dirs, else ~/Desktop). Any other name gives an empty text.
std::string ShellFolder(const std::string& Name);

// Whether the program must never empty Folder or remove files from it: the root, the home
// folder and every folder above it, the system's own folders (/usr, /etc, /bin, /var and the
// like, with what lies below them) and the shared top folders (/tmp, /home, /mnt, ...). A folder
// that does not exist or cannot be resolved counts as protected.
bool IsProtectedFolder(const std::string& Folder);

// Whether Folder is one of the system's own folders or lies below one (/usr, /bin, /opt/x is
// not): where the package manager keeps the programs it installed.
bool IsSystemFolder(const std::string& Folder);

// The absolute path of the running program file; empty when the system cannot tell.
std::string RunningProgramFile();

} // namespace korvane
