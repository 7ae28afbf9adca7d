#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/sys/FileReplace.h"

namespace korvane {

// A file of bytes read at given offsets, with no buffering of its own. Its content is changed
// either in place (WriteAt, Truncate) or as a whole (ReplaceContent): the record files change
// theirs as a whole, so that a failure or a crash half way leaves the file as it was.
class TBinaryFile {
public:
    enum class TOpenOutcome { Opened, Missing, Refused };

    TBinaryFile() = default;
    ~TBinaryFile();
    TBinaryFile(const TBinaryFile&) = delete;
    TBinaryFile& operator=(const TBinaryFile&) = delete;

    // Opens an existing file for reading and writing. Missing means no file of that name exists;
    // Refused means one exists (or the path is unusable) but cannot be opened so.
    TOpenOutcome OpenReadWrite(const std::string& Path);
    // Opens an existing regular file for reading only (a disk that may be write-protected):
    // Missing when no such file exists, Refused when the name is taken by anything else or the
    // file cannot be read. Nothing may be written through it.
    TOpenOutcome OpenReadOnly(const std::string& Path);
    // Creates a new empty file for reading and writing; fails when the name is already taken.
    bool Create(const std::string& Path);
    bool IsOpen() const { return Handle_ >= 0; }

    // Size in bytes; raises EInOutError when the size cannot be asked.
    std::int64_t Size() const;
    // Reads up to Count bytes at Offset; the number read (less at the end of the file), or -1 on
    // failure, including a negative offset.
    std::ptrdiff_t ReadAt(std::int64_t Offset, void* Buffer, std::size_t Count) const;
    // The whole content, at most Limit bytes; false when it cannot be read or is larger.
    bool ReadAll(std::vector<unsigned char>& Content, std::int64_t Limit) const;
    // Writes all Count bytes at Offset; false when that fails.
    bool WriteAt(std::int64_t Offset, const void* Buffer, std::size_t Count);
    // Cuts the file to Size bytes; raises EInOutError on failure.
    void Truncate(std::int64_t Size);

    // Puts Count bytes in place of the whole content at once through a TReplacement (a link is
    // followed to its file).
    // With Flush, the bytes and the folder entry are on the disk before this returns; scratch
    // files go without. The handle then refers to the new file. False, with the file as it was,
    // when any step fails.
    bool ReplaceContent(const void* Bytes, std::size_t Count, bool Flush);
    // Several objects may have one file open. When the file has been replaced since this handle
    // last looked, the handle is moved to the file that now has the name; a name that names no
    // regular file keeps the handle as it is.
    void FollowPath();

    // The file itself: links followed, made absolute.
    const std::string& FilePath() const { return Path_; }

    // Closes the file; a failure to close is ignored.
    void Close();

private:
    // Takes Handle, as open() returned it for Path, as the open file.
    TOpenOutcome Take(int Handle, const std::string& Path);
    bool PutBack(const std::vector<unsigned char>& Content, bool Flush);

    int Handle_ = -1;
    std::string Path_; // the file itself: links followed, made absolute
    std::uint64_t Seen_ = 0;
};

} // namespace korvane
