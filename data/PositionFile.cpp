#include "data/PositionFile.h"

#include <filesystem>

#include "data/FileNames.h"
#include "platform/sys/FileReplace.h"
#include "platform/sys/OutputPath.h"
#include "platform/sys/TempFolder.h"
#include "platform/sys/TextFile.h"

namespace korvane {

std::optional<std::string> PositionTitleOn(const std::string& Folder) {
    TTextFile file;
    if (!file.Open(Folder + PositionFileName)) {
        return std::nullopt;
    }
    std::string line;
    file.ReadLine(line);
    return line;
}

std::string PositionTitleIn(const std::string& Folder) {
    return PositionTitleOn(Folder).value_or(NoPositionFound);
}

void ReadPositionTitle(const std::string& Folder) {
    PositionTitle = PositionTitleIn(Folder);
}

bool IsPositionFile(const std::string& Path) {
    namespace fs = std::filesystem;
    std::error_code error;
    // Follow links by hand: a link to a file that does not exist yet leads there all the same.
    fs::path target = fs::absolute(Path, error);
    for (int hops = 0; hops < 40 && !error && fs::is_symlink(target, error); ++hops) {
        const fs::path next = fs::read_symlink(target, error);
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    target = fs::weakly_canonical(target, error);
    if (error) {
        return false;
    }
    for (const char* name : PositionFolderFiles) {
        std::error_code ignored;
        if (fs::weakly_canonical(fs::absolute(name, ignored), ignored) == target ||
            fs::equivalent(name, Path, ignored)) {
            return true;
        }
    }
    return false;
}

TRecovery TidyPositionFolder(const std::string& Folder) {
    const std::string folder = Folder.empty() ? std::string(".") : Folder;
    const TRecovery recovery = CompleteInterruptedChange(folder);
    // With a journal still to complete, its staged files are no leftovers.
    if (recovery != TRecovery::Failed) {
        RemoveChangeLeftovers(folder, {PositionFolderFiles.begin(), PositionFolderFiles.end()});
    }
    RemoveEndedRunFolders();
    return recovery;
}

TResult<TOutputRefusal> OutputFileCheck(const std::string& Path) {
    if (IsPositionFile(Path)) {
        return TResult<TOutputRefusal>::Failure(TOutputRefusal::PositionFile, Path);
    }
    return OutputPathCheck(Path);
}

} // namespace korvane
