#include "app/PositionFolder.h"

#include "data/PositionFile.h"

#include <filesystem>
#include <random>
#include <system_error>

#include "data/FileNames.h"
#include "platform/sys/FileCopy.h"
#include "platform/sys/TextFile.h"

namespace korvane {

namespace {

namespace fs = std::filesystem;

// The folder as the user reads it: absolute, without "." or a trailing '/'.
std::string Shown(const std::string& Folder) {
    std::error_code error;
    std::string shown = fs::absolute(Folder, error).lexically_normal().string();
    while (shown.size() > 1 && shown.back() == '/') {
        shown.pop_back();
    }
    return error ? Folder : shown;
}

enum class TWriteNew { Written, Existing, Failed };

// Writes Bytes as a new file at Path, whole or not at all, and never over a file already there.
TWriteNew WriteNewFile(const fs::path& Path, const std::string& Bytes) {
    std::error_code error;
    if (fs::exists(fs::symlink_status(Path, error))) {
        return TWriteNew::Existing;
    }
    std::random_device random;
    const fs::path written =
        Path.parent_path() / ("." + Path.filename().string() + "." + std::to_string(random()));
    if (!WriteFileReplacing(written.string(), Bytes)) {
        return TWriteNew::Failed;
    }
    // A link cannot replace a file that appeared meanwhile; where the file system has no links
    // (FAT), the check above stands.
    fs::create_hard_link(written, Path, error);
    if (error && error != std::errc::file_exists) {
        fs::rename(written, Path, error);
    }
    const bool existing = error == std::errc::file_exists;
    const bool failed = error && !existing;
    fs::remove(written, error);
    return existing ? TWriteNew::Existing : failed ? TWriteNew::Failed : TWriteNew::Written;
}

} // namespace

TFolderState FolderState(const std::string& Folder) {
    std::error_code error;
    const fs::file_status status = fs::status(Folder, error);
    if (!fs::is_directory(status)) {
        return error && error != std::errc::no_such_file_or_directory &&
                       error != std::errc::not_a_directory
                   ? TFolderState::Unreadable
                   : TFolderState::Missing;
    }
    const fs::directory_iterator entries(Folder, error);
    if (error) {
        return TFolderState::Unreadable;
    }
    TTextFile position;
    return position.Open((fs::path(Folder) / PositionFileName).string()) ? TFolderState::Position
                                                                         : TFolderState::NoPosition;
}

std::string FolderRefusal(TFolderState State, const std::string& Folder) {
    const std::string folder = "Error: The Folder " + Shown(Folder);
    switch (State) {
    case TFolderState::NoPosition:
        return folder + " Holds No Position.";
    case TFolderState::Missing:
        return folder + " Does Not Exist.";
    case TFolderState::Unreadable:
        return folder + " Cannot Be Read.";
    case TFolderState::Position:
        break;
    }
    return {};
}

std::string EnterFolder(const std::string& Folder) {
    if (Folder.empty()) {
        return {};
    }
    const TFolderState state = FolderState(Folder);
    if (state == TFolderState::Missing || state == TFolderState::Unreadable) {
        return FolderRefusal(state, Folder);
    }
    std::error_code error;
    fs::current_path(Folder, error);
    return error ? FolderRefusal(TFolderState::Unreadable, Folder) : std::string();
}

std::string OpenPositionFolder(const std::string& Folder) {
    const TFolderState state = FolderState(Folder.empty() ? "." : Folder);
    if (state != TFolderState::Position) {
        return FolderRefusal(state, Folder.empty() ? "." : Folder);
    }
    if (std::string refused = EnterFolder(Folder); !refused.empty()) {
        return refused;
    }
    // A change of several files that was interrupted is completed before any file is read.
    if (TidyPositionFolder() == TRecovery::Failed) {
        return "Error: A Change Of This Position Was Interrupted And Could Not Be Completed; Its "
               "Files May Not Belong Together. Make The Folder Writable And Open It Again.";
    }
    return {};
}

std::string NewPositionFile(const std::string& Title) {
    return Title + "\r\n";
}

std::string DefaultSupportFile(char Separator) {
    const std::string zero = std::string("0") + Separator;
    std::string text = "VETPREFERENCERATE1=" + zero + "05\r\nVETPREFERENCERATE2=" + zero + "10\r\n";
    for (const char* line : {"SENDREPORTSTOPRINTER=TRUE", "COMPUTEVETONMAXPOINTS=TRUE",
                             "FILLINBLANKRATTINGS=FALSE", "VETPREFONRATEDSCORES=FALSE",
                             "HIGHLIGHTON=FALSE", "LANDSCAPEFONT=8", "PORTRAITFONT=10"}) {
        text += std::string(line) + "\r\n";
    }
    return text;
}

TNewPosition CreatePosition(const std::string& Folder, const std::string& Title, std::string& Error,
                            char Separator) {
    std::error_code error;
    TFolderState state = FolderState(Folder);
    if (state == TFolderState::Missing && fs::create_directories(Folder, error)) {
        state = FolderState(Folder);
    }
    if (state == TFolderState::Position) {
        return TNewPosition::Existing;
    }
    if (state != TFolderState::NoPosition) {
        Error = FolderRefusal(state, Folder);
        return TNewPosition::Failed;
    }
    // Settings already in the folder stay; the position file comes last, so that a folder
    // never holds a position without its settings.
    const fs::path folder(Folder);
    const TWriteNew support = WriteNewFile(folder / SupportFileName, DefaultSupportFile(Separator));
    const TWriteNew position =
        support == TWriteNew::Failed
            ? TWriteNew::Failed
            : WriteNewFile(folder / PositionFileName, NewPositionFile(Title));
    // Something other than a readable position file in its place is no position either.
    if (position == TWriteNew::Failed || FolderState(Folder) != TFolderState::Position) {
        Error = "Error: The Position Could Not Be Written In " + Shown(Folder) + ".";
        return TNewPosition::Failed;
    }
    return position == TWriteNew::Existing ? TNewPosition::Existing : TNewPosition::Created;
}

} // namespace korvane
