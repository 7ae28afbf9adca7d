#include "platform/sys/BinaryFile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/sys/InOutError.h"

namespace korvane {

namespace {

std::string ErrorText(const std::string& what, const std::string& path, int code) {
    return what + " " + path + ": " + std::strerror(code);
}

struct TFaultState {
    std::uint64_t Steps = 0;
    std::uint64_t At = 0; // 0: no fault armed
    int Error = 0;
    bool Crash = false;
};

TFaultState Faults;

// Files replaced by this process so far: a handle that has seen fewer may point at a file that
// no longer has its name.
std::uint64_t Replacements = 0;

// Counts one step that changes a file; false, with errno set, when the armed fault takes it.
bool TakeStep() {
    ++Faults.Steps;
    if (Faults.At == 0 || Faults.Steps != Faults.At) {
        return true;
    }
    if (Faults.Crash) {
        std::_Exit(TFileFaults::CrashExitCode);
    }
    errno = Faults.Error;
    return false;
}

int OpenRetrying(const std::string& Path, int Flags, mode_t Mode = 0) {
    int handle;
    do {
        handle = ::open(Path.c_str(), Flags | O_CLOEXEC, Mode);
    } while (handle < 0 && errno == EINTR);
    return handle;
}

// The file a path names, links followed, as an absolute path; the path itself when that fails.
std::string FileItself(const std::string& Path) {
    char* resolved = ::realpath(Path.c_str(), nullptr);
    if (resolved == nullptr) {
        return Path;
    }
    std::string result(resolved);
    std::free(resolved);
    return result;
}

std::string FolderOf(const std::string& Path) {
    const auto slash = Path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : Path.substr(0, slash);
}

bool WriteAll(int Handle, std::int64_t Offset, const void* Buffer, std::size_t Count) {
    const auto* in = static_cast<const char*>(Buffer);
    std::size_t done = 0;
    while (done < Count) {
        if (!TakeStep()) {
            return false;
        }
        const ssize_t put = ::pwrite(Handle, in + done, Count - done,
                                     static_cast<off_t>(Offset + static_cast<std::int64_t>(done)));
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(put);
    }
    return true;
}

bool Flush(int Handle) {
    if (!TakeStep()) {
        return false;
    }
    while (::fsync(Handle) != 0) {
        if (errno != EINTR) {
            return false;
        }
    }
    return true;
}

bool FlushFolder(const std::string& Path) {
    if (!TakeStep()) {
        return false;
    }
    const int folder = OpenRetrying(FolderOf(Path), O_RDONLY | O_DIRECTORY);
    if (folder < 0) {
        return false;
    }
    bool flushed = true;
    while (::fsync(folder) != 0) {
        if (errno != EINTR) {
            flushed = false;
            break;
        }
    }
    ::close(folder);
    return flushed;
}

void Discard(int Handle, const std::string& Name) {
    const int code = errno;
    ::close(Handle);
    ::unlink(Name.c_str());
    errno = code;
}

// A new file beside Path holding the bytes, with the permissions of Like, flushed when asked; its
// handle and Name, or -1 with nothing left behind.
int WriteBeside(const std::string& Path, const struct stat& Like, const void* Bytes,
                std::size_t Count, bool Flushed, std::string& Name) {
    const auto slash = Path.rfind('/');
    const std::size_t start = slash == std::string::npos ? 0 : slash + 1;
    std::string pattern = Path.substr(0, start) + "." + Path.substr(start) + ".XXXXXX";
    if (!TakeStep()) {
        return -1;
    }
    const int handle = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (handle < 0) {
        return -1;
    }
    Name = pattern;
    // The new file takes the old one's place: it gets its mode and, where allowed, its owner.
    if (::fchmod(handle, Like.st_mode & 07777) != 0) {
        // a narrower mode than the file had harms nothing
    }
    if ((Like.st_uid != ::geteuid() || Like.st_gid != ::getegid()) &&
        ::fchown(handle, Like.st_uid, Like.st_gid) != 0) {
        // only the owner may give a file away
    }
    if (!WriteAll(handle, 0, Bytes, Count) || (Flushed && !Flush(handle))) {
        Discard(handle, Name);
        return -1;
    }
    return handle;
}

} // namespace

TBinaryFile::~TBinaryFile() {
    Close();
}

TBinaryFile::TOpenOutcome TBinaryFile::OpenReadWrite(const std::string& Path) {
    Close();
    const int handle = OpenRetrying(Path, O_RDWR);
    if (handle < 0) {
        return errno == ENOENT ? TOpenOutcome::Missing : TOpenOutcome::Refused;
    }
    Handle_ = handle;
    Path_ = FileItself(Path);
    Seen_ = Replacements;
    return TOpenOutcome::Opened;
}

bool TBinaryFile::Create(const std::string& Path) {
    Close();
    const int handle = OpenRetrying(Path, O_RDWR | O_CREAT | O_EXCL, 0666);
    if (handle < 0) {
        return false;
    }
    Handle_ = handle;
    Path_ = FileItself(Path);
    Seen_ = Replacements;
    return true;
}

std::int64_t TBinaryFile::Size() const {
    struct stat info {};
    const int code = Handle_ < 0 ? EBADF : (::fstat(Handle_, &info) == 0 ? 0 : errno);
    if (code != 0) {
        throw EInOutError(ErrorText("Cannot ask the size of", Path_, code), code);
    }
    return static_cast<std::int64_t>(info.st_size);
}

std::ptrdiff_t TBinaryFile::ReadAt(std::int64_t Offset, void* Buffer, std::size_t Count) const {
    if (Handle_ < 0 || Offset < 0) {
        return -1;
    }
    auto* out = static_cast<char*>(Buffer);
    std::size_t done = 0;
    while (done < Count) {
        const ssize_t got = ::pread(Handle_, out + done, Count - done,
                                    static_cast<off_t>(Offset + static_cast<std::int64_t>(done)));
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return -1;
        }
        if (got == 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    return static_cast<std::ptrdiff_t>(done);
}

bool TBinaryFile::ReadAll(std::vector<unsigned char>& Content, std::int64_t Limit) const {
    struct stat info {};
    if (Handle_ < 0 || ::fstat(Handle_, &info) != 0 || info.st_size > Limit) {
        return false;
    }
    Content.resize(static_cast<std::size_t>(info.st_size));
    const std::ptrdiff_t got = ReadAt(0, Content.data(), Content.size());
    if (got < 0) {
        return false;
    }
    Content.resize(static_cast<std::size_t>(got));
    return true;
}

bool TBinaryFile::WriteAt(std::int64_t Offset, const void* Buffer, std::size_t Count) {
    if (Handle_ < 0 || Offset < 0) {
        return false;
    }
    return WriteAll(Handle_, Offset, Buffer, Count);
}

void TBinaryFile::Truncate(std::int64_t Size) {
    int code = Handle_ < 0 ? EBADF : (Size < 0 ? EINVAL : 0);
    if (code == 0) {
        code = TakeStep() ? 0 : errno;
    }
    if (code == 0) {
        while (::ftruncate(Handle_, static_cast<off_t>(Size)) != 0) {
            if (errno != EINTR) {
                code = errno;
                break;
            }
        }
    }
    if (code != 0) {
        throw EInOutError(ErrorText("Cannot truncate", Path_, code), code);
    }
}

bool TBinaryFile::ReplaceContent(const void* Bytes, std::size_t Count, bool Flushed) {
    struct stat old {};
    if (Handle_ < 0 || ::fstat(Handle_, &old) != 0) {
        return false;
    }
    std::string name;
    const int handle = WriteBeside(Path_, old, Bytes, Count, Flushed, name);
    if (handle < 0) {
        return false;
    }
    if (!TakeStep() || ::rename(name.c_str(), Path_.c_str()) != 0) {
        Discard(handle, name);
        return false;
    }
    const bool durable = !Flushed || FlushFolder(Path_);
    std::vector<unsigned char> before;
    // The new content has the name but may not last: the old one, still open here, goes back.
    const bool putBack = !durable && ReadAll(before, INT64_MAX) && PutBack(before, Flushed);
    if (!putBack) {
        ::close(Handle_);
        Handle_ = handle;
    } else {
        ::close(handle);
    }
    Seen_ = ++Replacements;
    return durable;
}

bool TBinaryFile::PutBack(const std::vector<unsigned char>& Content, bool Flushed) {
    struct stat old {};
    if (::fstat(Handle_, &old) != 0) {
        return false;
    }
    std::string name;
    const int handle = WriteBeside(Path_, old, Content.data(), Content.size(), Flushed, name);
    if (handle < 0) {
        return false;
    }
    if (!TakeStep() || ::rename(name.c_str(), Path_.c_str()) != 0) {
        Discard(handle, name);
        return false;
    }
    if (Flushed) {
        FlushFolder(Path_);
    }
    ::close(Handle_);
    Handle_ = handle;
    return true;
}

void TBinaryFile::FollowPath() {
    if (Handle_ < 0 || Seen_ == Replacements) {
        return;
    }
    Seen_ = Replacements;
    struct stat named {};
    struct stat held {};
    if (::stat(Path_.c_str(), &named) != 0 || !S_ISREG(named.st_mode) ||
        ::fstat(Handle_, &held) != 0 ||
        (named.st_dev == held.st_dev && named.st_ino == held.st_ino)) {
        return;
    }
    const int handle = OpenRetrying(Path_, O_RDWR);
    if (handle >= 0) {
        ::close(Handle_);
        Handle_ = handle;
    }
}

void TBinaryFile::Close() {
    if (Handle_ >= 0) {
        ::close(Handle_);
        Handle_ = -1;
    }
}

void TFileFaults::FailStep(std::uint64_t Step, int Error) {
    Faults = TFaultState{0, Step, Error, false};
}

void TFileFaults::CrashAtStep(std::uint64_t Step) {
    Faults = TFaultState{0, Step, 0, true};
}

void TFileFaults::Clear() {
    Faults = TFaultState{};
}

std::uint64_t TFileFaults::Steps() {
    return Faults.Steps;
}

} // namespace korvane
