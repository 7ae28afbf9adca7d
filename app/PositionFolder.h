#pragma once

#include <string>

#include "data/ProcessState.h"

namespace korvane {

// What a folder is to the program.
enum class TFolderState {
    Position,   // it holds a position file (kvn.dat) that can be read
    NoPosition, // a folder without one
    Missing,    // no folder of that name
    Unreadable, // a folder whose entries cannot be read
};

TFolderState FolderState(const std::string& Folder);

// The message that refuses Folder in State ("Error: The Folder … Does Not Exist."); empty for
// a position.
std::string FolderRefusal(TFolderState State, const std::string& Folder);

// Makes Folder (nothing when empty) the working directory when it exists and can be read,
// whether or not it holds a position. Empty, or the message that refuses it.
std::string EnterFolder(const std::string& Folder);

// The one place where a run opens a position: at start-up, from the command line, from the
// menu, a new position, and every printout with no window. Checks that Folder (the working
// directory when empty) holds a position, makes it the working directory and readies its files.
// Empty when the position is open, otherwise the message that refuses it; nothing is created.
std::string OpenPositionFolder(const std::string& Folder);

// The bytes of a new position's files: the title (code-page bytes) and CR LF, and the settings
// with their defaults, the rates written as the settings are read where the file is made.
std::string NewPositionFile(const std::string& Title);
std::string DefaultSupportFile(char Separator = DecimalSeparator());

enum class TNewPosition { Created, Existing, Failed };

// Makes Folder a position: creates the folder when missing, then writes support.dat and, last,
// kvn.dat, each whole. A position already there is left as it is (Existing), and no file already
// there is ever replaced. Error holds the message when it fails.
TNewPosition CreatePosition(const std::string& Folder, const std::string& Title, std::string& Error,
                            char Separator = DecimalSeparator());

} // namespace korvane
