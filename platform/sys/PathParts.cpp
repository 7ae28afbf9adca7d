#include "platform/sys/PathParts.h"

#include <cerrno>
#include <cstdlib>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvane {

std::string FolderOf(const std::string& Path) {
    const auto slash = Path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : Path.substr(0, slash);
}

std::string NameOf(const std::string& Path) {
    const auto slash = Path.rfind('/');
    return slash == std::string::npos ? Path : Path.substr(slash + 1);
}

std::string Joined(const std::string& Folder, const std::string& Name) {
    return Folder.empty() || Folder.back() == '/' ? Folder + Name : Folder + "/" + Name;
}

std::string FileItself(const std::string& Path) {
    char* resolved = ::realpath(Path.c_str(), nullptr);
    if (resolved == nullptr) {
        return Path;
    }
    std::string result(resolved);
    std::free(resolved);
    return result;
}

int OpenRetrying(const std::string& Path, int Flags, unsigned Mode) {
    int handle;
    do {
        handle = ::open(Path.c_str(), Flags | O_CLOEXEC, static_cast<mode_t>(Mode));
    } while (handle < 0 && errno == EINTR);
    return handle;
}

int OpenRegularFile(const std::string& Path) {
    const int handle = OpenRetrying(Path, O_RDONLY | O_NONBLOCK | O_NOCTTY);
    if (handle < 0) {
        return -1;
    }
    struct stat info {};
    const int flags = ::fcntl(handle, F_GETFL);
    if (::fstat(handle, &info) != 0 || !S_ISREG(info.st_mode) || flags < 0 ||
        ::fcntl(handle, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        ::close(handle);
        errno = EINVAL;
        return -1;
    }
    return handle;
}

} // namespace korvane
