#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace korvane {

// The one way a file of ours gets new content: the bytes go to a new hidden file beside it
// (".<name>.XXXXXX"), are flushed, and the new file is renamed over the old one; then the folder
// is flushed. Until the rename the old content stands whole, after it the new one. A file system
// that cannot flush a folder (it says so with EINVAL or ENOTSUP) is no failure.
class TReplacement {
public:
    TReplacement() = default;
    // A new file that was not installed is removed.
    ~TReplacement();
    TReplacement(const TReplacement&) = delete;
    TReplacement& operator=(const TReplacement&) = delete;

    // Creates the new file beside Target. It takes the mode and, where allowed, the owner of the
    // file it replaces; a new name gets the usual mode of a new file.
    bool Begin(const std::string& Target);
    // Appends bytes to the new file.
    bool Write(const void* Bytes, std::size_t Count);
    // The new file's bytes reach the disk.
    bool Flush();
    // Renames the new file over the target. The handle stays open on it (see TakeHandle).
    bool Rename();
    // The folder entry of the renamed file reaches the disk.
    bool FlushFolder();
    // The open handle of the new file; the caller closes it. After this nothing is removed.
    int TakeHandle();
    // Removes the new file unless it was renamed; closes the handle.
    void Discard();

    const std::string& Target() const { return Target_; }
    const std::string& NewName() const { return Name_; }

private:
    int Handle_ = -1;
    bool Renamed_ = false;
    std::int64_t Written_ = 0;
    std::string Target_;
    std::string Name_;
};

// Writes Bytes as the whole content of Target through a TReplacement, flushed when asked.
bool ReplaceFileContent(const std::string& Target, const void* Bytes, std::size_t Count,
                        bool Flushed);

// Writes all Count bytes at Offset of an open file, a counted step each write (see TFileFaults);
// false when that fails. For the platform layer's own files.
bool WriteAllAt(int Handle, std::int64_t Offset, const void* Bytes, std::size_t Count);

// How many files this process has replaced so far: a handle that saw fewer may hold a file that
// no longer has its name.
std::uint64_t ReplacementCount();

// One change of several files: each file's new content is written and flushed beside it, then a
// journal naming the pairs is put in place in JournalFolder and flushed (from here on the change
// is made), then the renames, then the journal goes. A change interrupted before the journal
// leaves the old files; one interrupted after it is completed by CompleteInterruptedChange,
// whoever opens the folder next.
class TFilesChange {
public:
    explicit TFilesChange(const std::string& JournalFolder = ".");
    // Staged files of a change that was not committed are removed; its participants are told.
    ~TFilesChange();
    TFilesChange(const TFilesChange&) = delete;
    TFilesChange& operator=(const TFilesChange&) = delete;

    // Writes Count bytes as the new content of Target (a link followed to its file) and flushes
    // them; the target is not touched yet. One stage per file. False when that fails: the change
    // can then only fail.
    bool Stage(const std::string& Target, const void* Bytes, std::size_t Count);
    // Puts every staged file in place at once. False, with every target as it was, when a step
    // before the journal fails; a step after it is tried again, and what still fails is left to
    // CompleteInterruptedChange.
    bool Commit();

    // Owner is told once, with whether the change was made, when the change ends (commit or
    // destruction); Leave takes it off the list.
    void OnEnd(const void* Owner, std::function<void(bool)> Ended);
    void Leave(const void* Owner);

private:
    struct TStaged {
        std::string Target;
        std::string NewName;
    };
    bool WriteJournal(const std::string& Folder);
    void End(bool Made);

    std::string JournalFolder_;
    std::vector<TStaged> Staged_;
    std::vector<std::pair<const void*, std::function<void(bool)>>> Listeners_;
    bool Failed_ = false;
    bool Ended_ = false;
};

// The name of the journal of a change of several files, in the folder of its files.
inline constexpr const char* ChangeJournalName = ".Korvane.journal";

enum class TRecovery {
    Nothing,   // no journal: nothing was interrupted after its commit
    Completed, // an interrupted change was completed
    Failed,    // a journal is there but could not be completed (the folder is read-only, ...)
};

// Completes the change whose journal lies in Folder: every file it names was flushed before the
// journal was written, so each staged file still there is renamed over its target. A journal
// that is damaged, or names files that are not of our pattern in Folder, is removed unused.
TRecovery CompleteInterruptedChange(const std::string& Folder);

// Removes in Folder the hidden files that changes of Names left behind when they were killed:
// regular files named ".<name>.XXXXXX" (and the ".<name>.xxxxxxxx.tmp" of older copies) for each
// of Names, and the journal's own. Call after CompleteInterruptedChange. The number removed.
int RemoveChangeLeftovers(const std::string& Folder, const std::vector<std::string>& Names);

// Test seam: the steps that change files on disk (creating a file beside, writing, flushing,
// renaming, removing, truncating) are counted, and one of them can be made to fail with an error
// code, as a full or failing disk would, or to end the process on the spot, as a kill or a power
// cut would.
class TFileFaults {
public:
    // The exit code of a process ended by CrashAtStep.
    static constexpr int CrashExitCode = 86;

    // The Step-th step from now (1 is the next one) fails with the error code Error (ENOSPC,
    // EIO, ...); the steps after it work again.
    static void FailStep(std::uint64_t Step, int Error);
    // The process ends, without any clean-up, instead of taking the Step-th step from now.
    static void CrashAtStep(std::uint64_t Step);
    // A write into a new file fails with "no space left" once that file would grow past Limit
    // bytes, as on a full disk; nullopt lifts the limit.
    static void LimitWrites(std::optional<std::int64_t> Limit);
    // No fault armed, no limit; the count starts again.
    static void Clear();
    // Steps taken since the last FailStep, CrashAtStep or Clear.
    static std::uint64_t Steps();
    // Counts one step; false, with errno set, when the armed fault takes it. For the platform
    // layer's own file steps.
    static bool TakeStep();
};

} // namespace korvane
