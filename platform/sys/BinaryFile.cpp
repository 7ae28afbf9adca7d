#include "platform/sys/BinaryFile.h"

#include <cerrno>
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

} // namespace

TBinaryFile::~TBinaryFile() {
    Close();
}

TBinaryFile::TOpenOutcome TBinaryFile::OpenReadWrite(const std::string& Path) {
    Close();
    int handle;
    do {
        handle = ::open(Path.c_str(), O_RDWR | O_CLOEXEC);
    } while (handle < 0 && errno == EINTR);
    if (handle < 0) {
        return errno == ENOENT ? TOpenOutcome::Missing : TOpenOutcome::Refused;
    }
    Handle_ = handle;
    Path_ = Path;
    return TOpenOutcome::Opened;
}

bool TBinaryFile::Create(const std::string& Path) {
    Close();
    int handle;
    do {
        handle = ::open(Path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    } while (handle < 0 && errno == EINTR);
    if (handle < 0) {
        return false;
    }
    Handle_ = handle;
    Path_ = Path;
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

bool TBinaryFile::WriteAt(std::int64_t Offset, const void* Buffer, std::size_t Count) {
    if (Handle_ < 0 || Offset < 0) {
        return false;
    }
    const auto* in = static_cast<const char*>(Buffer);
    std::size_t done = 0;
    while (done < Count) {
        const ssize_t put = ::pwrite(Handle_, in + done, Count - done,
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

void TBinaryFile::Truncate(std::int64_t Size) {
    int code = Handle_ < 0 ? EBADF : (Size < 0 ? EINVAL : 0);
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

void TBinaryFile::Close() {
    if (Handle_ >= 0) {
        ::close(Handle_);
        Handle_ = -1;
    }
}

} // namespace korvane
