#include "platform/sys/TextFile.h"

#include <cerrno>
#include <cstring>

#include <unistd.h>

#include "platform/sys/InOutError.h"
#include "platform/sys/PathParts.h"

namespace korvane {

TTextFile::~TTextFile() {
    Close();
}

bool TTextFile::Open(const std::string& Path) {
    Close();
    const int handle = OpenRegularFile(Path);
    if (handle < 0) {
        return false;
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
