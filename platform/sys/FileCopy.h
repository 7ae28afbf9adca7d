#pragma once

#include <string>

namespace korvane {

// Copies Source over Destination through a TReplacement (see FileReplace.h). Only a regular file
// is copied: a source that is a FIFO, a device or a folder is not opened for reading at all, so
// the copy cannot hang on it. A copy that fails (source missing or not a plain file, disk full,
// disk removed, destination not writable) returns false, leaves an older destination as it was
// and leaves no temporary file behind.
bool CopyFileReplacing(const std::string& Source, const std::string& Destination);

// Writes Bytes as the whole content of Destination in the same way.
bool WriteFileReplacing(const std::string& Destination, const std::string& Bytes);

} // namespace korvane
