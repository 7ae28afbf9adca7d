#include "platform/sys/Uninstall.h"

#include <filesystem>
#include <vector>

#include "platform/sys/Shortcuts.h"

namespace korvane {

namespace fs = std::filesystem;

TDeleteResult DeleteAllFiles(const std::string& Folder) {
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
        if (fs::is_regular_file(status) || fs::is_symlink(status)) {
            doomed.push_back(entry.path());
        }
    }
    for (const auto& path : doomed) {
        result.Deleted += fs::remove(path, error) ? 1 : 0;
    }
    return result;
}

TRunOnceResult RemoveInstallation(const std::string& Title, const std::string& ProgramFile) {
    RemoveShortcuts(Title);
    if (ProgramFile.empty()) {
        return {false, "Error: The Program File Could Not Be Found.\n\nThe Data Files Are "
                       "Deleted; Remove The Program's Folder By Hand."};
    }
    const std::string folder = fs::path(ProgramFile).parent_path().string() + "/";
    TRegistry store;
    return ScheduleRunOnce(ProgramRemovalCommands(folder), ProgramFile, store);
}

} // namespace korvane
