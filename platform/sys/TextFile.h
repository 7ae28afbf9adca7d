#pragma once

#include <cstddef>
#include <string>

namespace korvane {

// A small text file read line by line: kvn.dat, support.dat, the applicant list. Only a regular
// file is opened, so a FIFO, a device or a folder of that name reads as "cannot be opened"
// instead of hanging the program or growing without end. Lines end in CR LF; a lone CR or LF
// ends a line too.
class TTextFile {
public:
    // No line is kept longer than this; the rest of a longer line is skipped.
    static constexpr std::size_t MaxLineLength = 64 * 1024;

    TTextFile() = default;
    ~TTextFile();
    TTextFile(const TTextFile&) = delete;
    TTextFile& operator=(const TTextFile&) = delete;

    // False when the path is missing, not a regular file or cannot be opened for reading.
    bool Open(const std::string& Path);
    bool IsOpen() const { return Handle_ >= 0; }
    // The next line without its line end; false at the end of the file. A read error raises
    // EInOutError.
    bool ReadLine(std::string& Line);
    void Close();

private:
    // Refills the buffer; false at the end of the file.
    bool Fill();

    int Handle_ = -1;
    std::string Path_;
    char Buffer_[4096] = {};
    std::size_t Used_ = 0;
    std::size_t Size_ = 0;
    bool AtEnd_ = false;
};

} // namespace korvane
