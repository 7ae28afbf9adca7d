#include "platform/sys/FileCopy.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <functional>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvane {

namespace {

std::optional<std::int64_t> WriteLimit;

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

int OpenRetrying(const char* Path, int Flags, mode_t Mode = 0) {
    int handle;
    do {
        handle = ::open(Path, Flags, Mode);
    } while (handle < 0 && errno == EINTR);
    return handle;
}

bool WriteAll(int Handle, const char* Bytes, std::size_t Count, std::int64_t& Written) {
    std::size_t done = 0;
    while (done < Count) {
        std::size_t chunk = Count - done;
        if (WriteLimit) {
            if (Written >= *WriteLimit) {
                errno = ENOSPC;
                return false;
            }
            chunk = std::min<std::size_t>(chunk, static_cast<std::size_t>(*WriteLimit - Written));
        }
        const ssize_t put = ::write(Handle, Bytes + done, chunk);
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(put);
        Written += put;
    }
    return true;
}

// Creates a new temporary file beside Destination; its name goes to Temp.
int CreateTemporaryBeside(const std::string& Destination, std::string& Temp) {
    std::random_device random;
    const std::string stem = FolderOf(Destination) + "/." + NameOf(Destination) + ".";
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, "%08x.tmp", static_cast<unsigned>(random()));
        Temp = stem + suffix;
        const int handle =
            OpenRetrying(Temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (handle >= 0 || errno != EEXIST) {
            return handle;
        }
    }
    return -1;
}

// The folder's entry for the renamed file reaches the disk too. A file system that cannot
// flush folders says so with EINVAL; that is no failure of the copy.
bool FlushFolder(const std::string& Folder) {
    const int handle = OpenRetrying(Folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0) {
        return false;
    }
    const bool flushed = ::fsync(handle) == 0 || errno == EINVAL || errno == ENOTSUP;
    ::close(handle);
    return flushed;
}

// Fills a temporary file through Fill, flushes it and renames it over Destination.
bool ReplaceThrough(const std::string& Destination, const std::function<bool(int)>& Fill) {
    std::string temp;
    const int handle = CreateTemporaryBeside(Destination, temp);
    if (handle < 0) {
        return false;
    }
    bool done = Fill(handle) && ::fsync(handle) == 0;
    done = ::close(handle) == 0 && done;
    done = done && ::rename(temp.c_str(), Destination.c_str()) == 0;
    if (!done) {
        ::unlink(temp.c_str());
        return false;
    }
    return FlushFolder(FolderOf(Destination));
}

} // namespace

bool CopyFileReplacing(const std::string& Source, const std::string& Destination) {
    const int source = OpenRetrying(Source.c_str(), O_RDONLY | O_CLOEXEC);
    if (source < 0) {
        return false;
    }
    struct stat info {};
    bool done = false;
    if (::fstat(source, &info) == 0 && S_ISREG(info.st_mode)) {
        done = ReplaceThrough(Destination, [source](int Target) {
            char buffer[65536];
            std::int64_t written = 0;
            for (;;) {
                const ssize_t got = ::read(source, buffer, sizeof buffer);
                if (got < 0 && errno == EINTR) {
                    continue;
                }
                if (got <= 0) {
                    return got == 0;
                }
                if (!WriteAll(Target, buffer, static_cast<std::size_t>(got), written)) {
                    return false;
                }
            }
        });
    }
    ::close(source);
    return done;
}

bool WriteFileReplacing(const std::string& Destination, const std::string& Bytes) {
    return ReplaceThrough(Destination, [&Bytes](int Target) {
        std::int64_t written = 0;
        return WriteAll(Target, Bytes.data(), Bytes.size(), written);
    });
}

void SetReplaceWriteLimit(std::optional<std::int64_t> Limit) {
    WriteLimit = Limit;
}

} // namespace korvane
