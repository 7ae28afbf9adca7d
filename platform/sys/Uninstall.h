#pragma once

#include <string>

#include "platform/sys/RunOnce.h"
#include "platform/sys/UserFolders.h"

namespace korvane {

// ProtectedFolder when the folder was refused; Deleted counts the files removed.
struct TDeleteResult : TResult<TUninstallFailure> {
    int Deleted = 0;
};

// Deletes the plain files and links directly in Folder (the working directory when empty);
// links go as links, their targets stay; subfolders and their files stay; a file that cannot be
// deleted stays silently, and so does the running ProgramFile, which the clean-up at the next
// login starts from. Refuses, deleting nothing, a folder the program must not empty
// (IsProtectedFolder): a program started from the wrong folder must not wipe it.
TDeleteResult DeleteAllFiles(const std::string& Folder = {},
                             const std::string& ProgramFile = RunningProgramFile());

// What becomes of the program file itself.
enum class TProgramRemoval {
    AtNextLogin, // it lives in the position's folder: removed with that folder at the next login
    WithPackage, // it lives in a system folder: the package manager removes it
    LeftInPlace, // it lives in a folder of its own elsewhere, which the uninstall does not touch
};

struct TRemovalResult : TRunOnceResult {
    TProgramRemoval Program = TProgramRemoval::AtNextLogin;
    std::string ProgramFile;
};

// Removes the position's shortcuts (Title as for RemoveShortcuts). When ProgramFile lives in
// PositionFolder (the working directory when empty), leaves the commands that remove it and
// that folder at the next login in the user's value store; elsewhere the program stays.
TRemovalResult RemoveInstallation(const std::string& Title,
                                  const std::string& ProgramFile = RunningProgramFile(),
                                  const std::string& PositionFolder = {});

} // namespace korvane
