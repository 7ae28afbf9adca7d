#include "platform/sys/TextFile.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/sys/InOutError.h"

namespace korvane {

TTextFile::~TTextFile() {
    Close();
}

bool TTextFile::Open(const std::string& Path) {
    Close();
    // Non-blocking, so that opening a FIFO returns at once; only a regular file is kept.
    int handle;
    do {
        handle = ::open(Path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    } while (handle < 0 && errno == EINTR);
    if (handle < 0) {
        return false;
    }
    struct stat info {};
    if (::fstat(handle, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(handle);
        return false;
    }
    const int flags = ::fcntl(handle, F_GETFL);
    if (flags >= 0) {
        ::fcntl(handle, F_SETFL, flags & ~O_NONBLOCK);
    }
    Handle_ = handle;
    Path_ = Path;
    Used_ = 0;
    Size_ = 0;
    AtEnd_ = false;
    return true;
}

bool TTextFile::Fill() {
    if (AtEnd_ || Handle_ < 0) {
        return false;
    }
    ssize_t got;
    do {
        got = ::read(Handle_, Buffer_, sizeof Buffer_);
    } while (got < 0 && errno == EINTR);
    if (got < 0) {
        throw EInOutError("Read error on " + Path_ + ": " + std::strerror(errno), errno);
    }
    Used_ = 0;
    Size_ = static_cast<std::size_t>(got);
    AtEnd_ = got == 0;
    return !AtEnd_;
}

bool TTextFile::ReadLine(std::string& Line) {
    Line.clear();
    if (Handle_ < 0 || (Used_ == Size_ && !Fill())) {
        return false;
    }
    for (;;) {
        if (Used_ == Size_ && !Fill()) {
            return true; // the last line has no line end
        }
        const char c = Buffer_[Used_++];
        if (c == '\n') {
            return true;
        }
        if (c == '\r') {
            // CR LF is one line end.
            if ((Used_ < Size_ || Fill()) && Buffer_[Used_] == '\n') {
                ++Used_;
            }
            return true;
        }
        if (Line.size() < MaxLineLength) {
            Line.push_back(c);
        }
    }
}

void TTextFile::Close() {
    if (Handle_ >= 0) {
        ::close(Handle_);
        Handle_ = -1;
    }
}

} // namespace korvane
