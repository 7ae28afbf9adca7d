#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace korvane {

// Copies Source over Destination: the bytes go to a temporary file beside the destination, are
// flushed to the disk, and the temporary file is renamed over the destination. A copy that fails
// (source missing or not a plain file, disk full, disk removed, destination not writable) returns
// false, leaves an older destination as it was and leaves no temporary file behind.
bool CopyFileReplacing(const std::string& Source, const std::string& Destination);

// Writes Bytes as the whole content of Destination in the same way.
bool WriteFileReplacing(const std::string& Destination, const std::string& Bytes);

// Test seam: with a limit set, every write of the two functions above fails with "no space
// left" once the temporary file would grow past Limit bytes, as on a full disk.
void SetReplaceWriteLimit(std::optional<std::int64_t> Limit);

} // namespace korvane
