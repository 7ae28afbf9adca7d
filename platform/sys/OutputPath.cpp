#include "platform/sys/OutputPath.h"

#include <filesystem>
#include <system_error>

#include <unistd.h>

namespace korvane {

TResult<TOutputRefusal> OutputPathCheck(const std::string& Path) {
    namespace fs = std::filesystem;
    using TRefusal = TResult<TOutputRefusal>;
    if (Path.empty() || Path.back() == '/') {
        return TRefusal::Failure(TOutputRefusal::NoFileName, Path);
    }
    std::error_code error;
    const fs::file_status status = fs::symlink_status(Path, error);
    if (status.type() == fs::file_type::not_found) {
        return {};
    }
    if (error) {
        return TRefusal::Failure(TOutputRefusal::Unreachable, Path, error.message());
    }
    switch (status.type()) {
    case fs::file_type::regular:
        return {};
    case fs::file_type::symlink:
        return TRefusal::Failure(TOutputRefusal::Link, Path);
    case fs::file_type::directory:
        return TRefusal::Failure(TOutputRefusal::Folder, Path);
    default:
        return TRefusal::Failure(TOutputRefusal::NotRegular, Path);
    }
}

bool IsWritableFolder(const std::string& Folder) {
    std::error_code error;
    // access() also answers for a read-only mount, which the permission bits do not show.
    return !Folder.empty() && std::filesystem::is_directory(Folder, error) &&
           ::access(Folder.c_str(), W_OK) == 0;
}

} // namespace korvane
