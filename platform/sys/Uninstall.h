#pragma once

#include <string>

#include "platform/sys/RunOnce.h"
#include "platform/sys/UserFolders.h"

namespace korvane {

struct TDeleteResult {
    bool Refused = false;
    std::string Message; // why it was refused
    int Deleted = 0;
};

// Deletes the plain files and links directly in Folder (the working directory when empty);
// links go as links, their targets stay; subfolders and their files stay; a file that cannot be
// deleted stays silently. Refuses, deleting nothing, a folder the program must not empty
// (IsProtectedFolder): a program started from the wrong folder must not wipe it.
TDeleteResult DeleteAllFiles(const std::string& Folder = {});

// Removes the position's shortcuts (Title as for RemoveShortcuts) and leaves the commands that
// remove ProgramFile's folder at the next login in the user's value store.
TRunOnceResult RemoveInstallation(const std::string& Title,
                                  const std::string& ProgramFile = RunningProgramFile());

} // namespace korvane
