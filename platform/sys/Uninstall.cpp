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
        result.Reason = TUninstallFailure::ProtectedFolder;
        result.Subject = folder.string();
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
    result.ProgramFile = ProgramFile;
    if (ProgramFile.empty()) {
        result.Reason = TUninstallFailure::ProgramNotFound;
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
    result.Program = IsSystemFolder(programFolder.string()) ? TProgramRemoval::WithPackage
                                                            : TProgramRemoval::LeftInPlace;
    return result;
}

} // namespace korvane
