#pragma once

#include <string>

#include "platform/sys/Result.h"

namespace korvane {

// Why a file may not be written as an output.
enum class TOutputRefusal {
    None,
    NoFileName,  // empty, or a folder's name ending in '/'
    Unreachable, // its folder cannot be read (Detail says why)
    Link,        // a link, even to a regular file
    Folder,
    NotRegular,   // a device, a pipe, a socket
    PositionFile, // one of the position's own files (see OutputFileCheck in data/)
};

// Whether the program may write a file at Path, a name someone handed it (a command-line output,
// a file chosen in a dialog, a file on a removable disk): only when Path names a regular file or
// nothing yet. Everything else is refused, not followed or replaced: writing renames a new file
// over the name, which would put a plain file in the place of a device or a link; a pipe would
// block the program.
TResult<TOutputRefusal> OutputPathCheck(const std::string& Path);

// Whether the program may create and replace files in Folder (a drive's root): it exists, is
// a folder, and neither its permissions nor a read-only mount forbid writing.
bool IsWritableFolder(const std::string& Folder);

} // namespace korvane
