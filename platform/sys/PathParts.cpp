#include "platform/sys/PathParts.h"

#include <cerrno>
#include <cstdlib>

#include <fcntl.h>

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

} // namespace korvane
