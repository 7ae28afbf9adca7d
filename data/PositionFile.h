#pragma once

#include <optional>
#include <string>

#include "data/ProcessState.h"
#include "platform/sys/FileReplace.h"
#include "platform/sys/OutputPath.h"

namespace korvane {

// Reads the first line of Folder + "kvn.dat" (the working directory when Folder is empty) into
// PositionTitle. A missing or unreadable file, or one that is not a regular file, gives
// "No Position Found"; a read error on an opened file raises EInOutError.
void ReadPositionTitle(const std::string& Folder = {});

// The first line of the position file in Folder, without changing PositionTitle.
std::string PositionTitleIn(const std::string& Folder);
// The same, or nullopt when Folder holds no position file to read (no file, not a regular file).
// A read error on an opened file raises EInOutError.
std::optional<std::string> PositionTitleOn(const std::string& Folder);

// True when Path names one of the working directory's position files or the program's own
// inputs (the data files, kvn.dat, support.dat, App.Ext), whether or not it exists yet, also
// through a link or another spelling of the path. Nothing may write such a file but its owner.
bool IsPositionFile(const std::string& Path);

// What opening a position does first, before any of its files is read: a change of several files
// that was interrupted after its commit is completed, and the hidden files of killed changes and
// the page folders of previews whose run has ended are removed. Failed when an interrupted change
// could not be completed (the folder is read-only, ...): the files may then not belong together.
TRecovery TidyPositionFolder(const std::string& Folder = {});

// Whether a file the user named may be written as an output: OutputPathCheck, and never one of
// the position's own files.
TResult<TOutputRefusal> OutputFileCheck(const std::string& Path);

} // namespace korvane
