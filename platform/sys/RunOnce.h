#pragma once

#include <string>
#include <vector>

#include "platform/sys/Result.h"

#include "platform/sys/Registry.h"

namespace korvane {

// Commands the program leaves to run once at the next login. They are kept under one key of the
// value store; a one-shot autostart entry starts "korvane --run-once" at the next login, which
// carries them out with its own small interpreter and removes them and the entry. The
// interpreter knows two commands, never hands anything to a shell, and acts only in the folders
// the uninstall recorded beside the commands, never in a protected one (IsProtectedFolder):
//   [Command.com /c ]del "<absolute folder>/<pattern>"  deletes the plain files and links
//       directly in the folder whose names match the pattern ('*', '?', letters in either case)
//   [Command.com /c ]rd "<absolute folder>"  removes the folder when it is empty

inline constexpr const char* RunOnceKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
inline constexpr const char* RunOnceOption = "--run-once";
// The folders the commands under RunOnceKey may act in, as the uninstall recorded them.
inline constexpr const char* RunOnceFoldersKey = "Software\\Korvane\\Clean-Up Folders";

struct TRunOnceValue {
    std::string Name;
    std::string Command;
    bool operator==(const TRunOnceValue&) const = default;
};

// The three commands that remove the program file (by its own name), the help index files
// "*.gid" beside it, then its folder.
std::vector<TRunOnceValue> ProgramRemovalCommands(const std::string& ProgramFile);

// Why an uninstall could not do all it should.
enum class TUninstallFailure {
    None,
    ProtectedFolder, // the folder is no position's to empty (Subject: the folder)
    ProgramNotFound, // the running program's file is unknown
    NotScheduled,    // the clean-up at the next login could not be arranged (Subject: what is left
                     // to remove by hand, a path a line)
};

using TRunOnceResult = TResult<TUninstallFailure>;

// Writes the values under RunOnceKey of Store, each through to the file at once, the folders they
// name under RunOnceFoldersKey, and the autostart entry that runs ProgramFile with --run-once at
// the next login.
TRunOnceResult ScheduleRunOnce(const std::vector<TRunOnceValue>& Values,
                               const std::string& ProgramFile, TRegistry& Store);

// The autostart entry: <config home>/autostart/korvane-run-once.desktop.
std::string RunOnceAutostartPath();

// What "korvane --run-once" does: removes every value under RunOnceKey and carries it out, in
// stored order, inside the recorded folders, then removes the record and the autostart entry.
// Returns the number of commands carried out.
int RunPendingCommands(TRegistry& Store);

// Carries out one command; false when it is not one of the two, or names a folder that is not
// one of Recorded or that the program must not touch.
bool RunOnceCommand(const std::string& Command, const std::vector<std::string>& Recorded);

} // namespace korvane
