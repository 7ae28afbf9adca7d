#include "platform/sys/Uninstall.h"

#include <filesystem>
#include <vector>

#include "platform/sys/Shortcuts.h"

namespace korvane {

namespace fs = std::filesystem;

TDeleteResult DeleteAllFiles(const std::string& Folder, const std::string& ProgramFile) {
    TDeleteResult result;
    std::error_code error;
    const fs::path folder = Folder.empty() ? fs::current_path(error) : fs::path(Folder);
    if (error || IsProtectedFolder(folder.string())) {
        result.Refused = true;
        result.Message = "Error: " + folder.string() +
                         " Is Not The Folder Of A Position; Korvane Does Not Delete Its Files."
                         "\n\nNothing Was Deleted.";
        return result;
    }
    const fs::path resolved = fs::canonical(folder, error);
    std::vector<fs::path> doomed;
    for (const auto& entry : fs::directory_iterator(resolved, error)) {
        const auto status = entry.symlink_status(error);
        // A running program file is in use, as on the desktop it was made for.
        const bool running = fs::is_regular_file(status) && !ProgramFile.empty() &&
                             fs::equivalent(entry.path(), ProgramFile, error);
        if ((fs::is_regular_file(status) || fs::is_symlink(status)) && !running) {
            doomed.push_back(entry.path());
        }
    }
    for (const auto& path : doomed) {
        result.Deleted += fs::remove(path, error) ? 1 : 0;
    }
    return result;
}

TRemovalResult RemoveInstallation(const std::string& Title, const std::string& ProgramFile,
                                  const std::string& PositionFolder) {
    RemoveShortcuts(Title);
    TRemovalResult result;
    const std::string removed = "Korvane Uninstalled\n\n";
    result.Announcement = removed + "You Must Reboot Your Computer For The Changes To Take Effect.";
    if (ProgramFile.empty()) {
        result.Written = false;
        result.Message = "Error: The Program File Could Not Be Found.\n\nThe Data Files Are "
                         "Deleted; Remove The Program's Folder By Hand.";
        return result;
    }
    std::error_code error;
    const fs::path programFolder = fs::path(ProgramFile).parent_path();
    const fs::path position =
        PositionFolder.empty() ? fs::current_path(error) : fs::path(PositionFolder);
    if (fs::equivalent(programFolder, position, error)) {
        TRegistry store;
        static_cast<TRunOnceResult&>(result) =
            ScheduleRunOnce(ProgramRemovalCommands(ProgramFile), ProgramFile, store);
        return result;
    }
    // Elsewhere the program may serve other positions: the uninstall keeps to this one.
    const std::string data = "The Position's Data And Shortcuts Are Removed. ";
    if (IsSystemFolder(programFolder.string())) {
        result.Program = TProgramRemoval::WithPackage;
        result.Announcement = removed + data + "The Program Itself Is Removed With Its Package.";
    } else {
        result.Program = TProgramRemoval::LeftInPlace;
        result.Announcement = removed + data + "The Program Itself Stays: " + ProgramFile;
    }
    return result;
}

} // namespace korvane
