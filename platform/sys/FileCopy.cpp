#include "platform/sys/FileCopy.h"

#include <cerrno>

#include <unistd.h>

#include "platform/sys/FileReplace.h"
#include "platform/sys/PathParts.h"

namespace korvane {

namespace {

bool CopyInto(int Source, TReplacement& Target) {
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(Source, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return got == 0;
        }
        if (!Target.Write(buffer, static_cast<std::size_t>(got))) {
            return false;
        }
    }
}

} // namespace

bool CopyFileReplacing(const std::string& Source, const std::string& Destination) {
    const int source = OpenRegularFile(Source);
    if (source < 0) {
        return false;
    }
    TReplacement target;
    const bool copied = target.Begin(Destination) && CopyInto(source, target) && target.Flush() &&
                        target.Rename() && target.FlushFolder();
    ::close(source);
    return copied;
}

bool WriteFileReplacing(const std::string& Destination, const std::string& Bytes) {
    return ReplaceFileContent(Destination, Bytes.data(), Bytes.size(), true);
}

} // namespace korvane
