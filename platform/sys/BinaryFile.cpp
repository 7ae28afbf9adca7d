#include "platform/sys/BinaryFile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/sys/FileReplace.h"
#include "platform/sys/InOutError.h"
#include "platform/sys/PathParts.h"

namespace korvane {

namespace {

std::string ErrorText(const std::string& what, const std::string& path, int code) {
    return what + " " + path + ": " + std::strerror(code);
}

} // namespace

TBinaryFile::~TBinaryFile() {
    Close();
}

TBinaryFile::TOpenOutcome TBinaryFile::Take(int Handle, const std::string& Path) {
    if (Handle < 0) {
        return errno == ENOENT ? TOpenOutcome::Missing : TOpenOutcome::Refused;
    }
    Handle_ = Handle;
    Path_ = FileItself(Path);
    Seen_ = ReplacementCount();
    return TOpenOutcome::Opened;
}

TBinaryFile::TOpenOutcome TBinaryFile::OpenReadWrite(const std::string& Path) {
    Close();
    return Take(OpenRetrying(Path, O_RDWR), Path);
}

TBinaryFile::TOpenOutcome TBinaryFile::OpenReadOnly(const std::string& Path) {
    Close();
    return Take(OpenRegularFile(Path), Path);
}

bool TBinaryFile::Create(const std::string& Path) {
    Close();
    return Take(OpenRetrying(Path, O_RDWR | O_CREAT | O_EXCL, 0666), Path) == TOpenOutcome::Opened;
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
    return WriteAllAt(Handle_, Offset, Buffer, Count);
}

void TBinaryFile::Truncate(std::int64_t Size) {
    int code = Handle_ < 0 ? EBADF : (Size < 0 ? EINVAL : 0);
    if (code == 0) {
        code = TFileFaults::TakeStep() ? 0 : errno;
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
    if (Handle_ < 0) {
        return false;
    }
    TReplacement replacement;
    if (!replacement.Begin(Path_) || !replacement.Write(Bytes, Count) ||
        (Flushed && !replacement.Flush()) || !replacement.Rename()) {
        return false;
    }
    const bool durable = !Flushed || replacement.FlushFolder();
    const int handle = replacement.TakeHandle();
    std::vector<unsigned char> before;
    // The new content has the name but may not last: the old one, still open here, goes back.
    if (!durable && ReadAll(before, INT64_MAX) && PutBack(before, Flushed)) {
        ::close(handle);
    } else {
        ::close(Handle_);
        Handle_ = handle;
    }
    Seen_ = ReplacementCount();
    return durable;
}

bool TBinaryFile::PutBack(const std::vector<unsigned char>& Content, bool Flushed) {
    TReplacement replacement;
    if (!replacement.Begin(Path_) || !replacement.Write(Content.data(), Content.size()) ||
        (Flushed && !replacement.Flush()) || !replacement.Rename()) {
        return false;
    }
    if (Flushed) {
        replacement.FlushFolder();
    }
    ::close(Handle_);
    Handle_ = replacement.TakeHandle();
    return true;
}

void TBinaryFile::FollowPath() {
    if (Handle_ < 0 || Seen_ == ReplacementCount()) {
        return;
    }
    Seen_ = ReplacementCount();
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

} // namespace korvane
