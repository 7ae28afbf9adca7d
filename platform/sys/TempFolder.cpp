#include "platform/sys/TempFolder.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/sys/InOutError.h"
#include "platform/sys/System.h"

namespace korvane {

namespace {

bool IsSafeFolder(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        return false;
    }
    return S_ISDIR(info.st_mode) && info.st_uid == ::getuid() && (info.st_mode & 077) == 0;
}

// Where the private folder is, whether or not it exists yet.
std::string PrivateFolderPath() {
    std::error_code error;
    std::filesystem::path base = std::filesystem::temp_directory_path(error);
    if (error) {
        base = "/tmp";
    }
    return (base / ("korvane-" + std::to_string(CurrentUserId()))).string();
}

} // namespace

std::string TempFolder() {
    const std::string folder = PrivateFolderPath();
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        throw EInOutError("Cannot create the temporary folder " + folder);
    }
    if (!IsSafeFolder(folder)) {
        throw EInOutError("The temporary folder " + folder +
                          " is not a private folder of this user; remove it and try again.");
    }
    return folder + "/";
}

std::string NewRunFolder(const std::string& Prefix) {
    std::string pattern = TempFolder() + Prefix + std::to_string(::getpid()) + "-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw EInOutError("Cannot create a folder in " + TempFolder());
    }
    return pattern + "/";
}

int RemoveEndedRunFolders() {
    namespace fs = std::filesystem;
    // Never made here: a run that finds no private folder has nothing to tidy.
    const std::string folder = PrivateFolderPath() + "/";
    if (!IsSafeFolder(PrivateFolderPath())) {
        return 0;
    }
    int removed = 0;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        // <prefix><pid>-XXXXXX
        const auto dash = name.rfind('-');
        const auto start = name.find_first_of("0123456789");
        if (dash == std::string::npos || dash + 7 != name.size() || start == std::string::npos ||
            start == 0 || name[start - 1] != '-' || start >= dash ||
            name.find_first_not_of("0123456789", start) != dash ||
            !IsSafeFolder(entry.path().string())) {
            continue;
        }
        const long pid = std::strtol(name.c_str() + start, nullptr, 10);
        if (pid <= 0 || pid == ::getpid() || ::kill(static_cast<pid_t>(pid), 0) == 0 ||
            errno != ESRCH) {
            continue;
        }
        std::error_code ignored;
        for (const auto& page : fs::directory_iterator(entry.path(), ignored)) {
            if (page.is_regular_file(ignored) && !page.is_symlink(ignored)) {
                fs::remove(page.path(), ignored);
            }
        }
        removed += ::rmdir(entry.path().c_str()) == 0 ? 1 : 0;
    }
    return removed;
}

void RemoveEmptyFolder(const std::string& Folder) {
    ::rmdir(Folder.c_str());
}

} // namespace korvane
