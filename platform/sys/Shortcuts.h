#pragma once

#include <string>

namespace korvane {

// The program's shortcuts are desktop entry files named after the position title: one in the
// program group of the applications menu (<Programs>/Korvane/) and one on the desktop.
// Titles are file-name text (UTF-8); the screens convert PositionTitle from the code page.

inline constexpr const char* ProgramGroupName = "Korvane";
inline constexpr const char* ShortcutExtension = ".desktop";

// The file name of the shortcut for Title. Path separators, control characters, a leading or
// trailing dot and runs of dots become '_', and a long title is cut to fit a file name, so
// the name always stays a plain name inside its folder.
std::string ShortcutFileName(const std::string& Title);

// Folder + the shortcut file name, after checking that it lies directly inside Folder; empty
// when Folder is empty or the check fails.
std::string ShortcutPath(const std::string& Folder, const std::string& Title);

// The program group folder: <Programs>/Korvane.
std::string ProgramGroupFolder();

// Deletes the shortcut in the program group, then the group folder when it is empty, then the
// desktop shortcut. Only plain files and links are deleted (a link as a link); failures are
// ignored.
void RemoveShortcuts(const std::string& Title);

} // namespace korvane
