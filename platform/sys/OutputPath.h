#pragma once

#include <string>

namespace korvane {

// Why the program must not write a file at Path, a name someone handed it (a command-line
// output, a file chosen in a dialog, a file on a removable disk): empty when Path names a
// regular file or nothing yet. Everything else is refused, not followed or replaced: a link
// (even to a regular file), a folder, a device, a pipe, a socket. Writing renames a new file
// over the name, which would put a plain file in the place of a device or a link; a pipe
// would block the program.
std::string OutputPathRefusal(const std::string& Path);

// Whether the program may create and replace files in Folder (a drive's root): it exists, is
// a folder, and neither its permissions nor a read-only mount forbid writing.
bool IsWritableFolder(const std::string& Folder);

} // namespace korvane
