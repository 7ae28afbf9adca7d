#pragma once

#include <string>

// Small path and handle helpers shared by the file code of the platform layer.
namespace korvane {

// The folder part of Path ("." when it has none).
std::string FolderOf(const std::string& Path);
// The last part of Path.
std::string NameOf(const std::string& Path);
// Folder and Name with one slash between them.
std::string Joined(const std::string& Folder, const std::string& Name);
// The file a path names, links followed, as an absolute path; the path itself when that fails.
std::string FileItself(const std::string& Path);
// open() with close-on-exec, tried again when a signal interrupts it.
int OpenRetrying(const std::string& Path, int Flags, unsigned Mode = 0);
// Opens Path for reading only when it is a regular file (a link followed); the open does not
// wait on a FIFO. -1 otherwise, with errno ENOENT when there is no such file.
int OpenRegularFile(const std::string& Path);

} // namespace korvane
