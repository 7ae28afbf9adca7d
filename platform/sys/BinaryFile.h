#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace korvane {

// A file of bytes read and written at given offsets, with no buffering of its own: every write is
// in the file when the call returns. Used by the record files.
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
    // Creates a new empty file for reading and writing; fails when the name is already taken.
    bool Create(const std::string& Path);
    bool IsOpen() const { return Handle_ >= 0; }

    // Size in bytes; raises EInOutError when the size cannot be asked.
    std::int64_t Size() const;
    // Reads up to Count bytes at Offset; the number read (less at the end of the file), or -1 on
    // failure, including a negative offset.
    std::ptrdiff_t ReadAt(std::int64_t Offset, void* Buffer, std::size_t Count) const;
    // Writes all Count bytes at Offset; false when that fails.
    bool WriteAt(std::int64_t Offset, const void* Buffer, std::size_t Count);
    // Cuts the file to Size bytes; raises EInOutError on failure.
    void Truncate(std::int64_t Size);
    // Closes the file; a failure to close is ignored.
    void Close();

private:
    int Handle_ = -1;
    std::string Path_;
};

} // namespace korvane
