#include "platform/sys/TempFolder.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

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

} // namespace

std::string TempFolder() {
    std::error_code error;
    std::filesystem::path base = std::filesystem::temp_directory_path(error);
    if (error) {
        base = "/tmp";
    }
    const std::string folder = (base / ("korvane-" + std::to_string(CurrentUserId()))).string();
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
    std::string pattern = TempFolder() + Prefix + "XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw EInOutError("Cannot create a folder in " + TempFolder());
    }
    return pattern + "/";
}

void RemoveEmptyFolder(const std::string& Folder) {
    ::rmdir(Folder.c_str());
}

} // namespace korvane
