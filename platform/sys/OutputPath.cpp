#include "platform/sys/OutputPath.h"

#include <filesystem>
#include <system_error>

#include <unistd.h>

namespace korvane {

std::string OutputPathRefusal(const std::string& Path) {
    namespace fs = std::filesystem;
    if (Path.empty() || Path.back() == '/') {
        return "is not a file name";
    }
    std::error_code error;
    const fs::file_status status = fs::symlink_status(Path, error);
    if (status.type() == fs::file_type::not_found) {
        return {};
    }
    if (error) {
        return "cannot be reached (" + error.message() + ")";
    }
    switch (status.type()) {
    case fs::file_type::regular:
        return {};
    case fs::file_type::symlink:
        return "is a link";
    case fs::file_type::directory:
        return "is a folder";
    default:
        return "is not a regular file";
    }
}

bool IsWritableFolder(const std::string& Folder) {
    std::error_code error;
    // access() also answers for a read-only mount, which the permission bits do not show.
    return !Folder.empty() && std::filesystem::is_directory(Folder, error) &&
           ::access(Folder.c_str(), W_OK) == 0;
}

} // namespace korvane
