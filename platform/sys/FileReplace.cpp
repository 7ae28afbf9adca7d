#include "platform/sys/FileReplace.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/sys/InOutError.h"
#include "platform/sys/PathParts.h"
#include "platform/sys/TextFile.h"

namespace korvane {

namespace {

struct TFaultState {
    std::uint64_t Steps = 0;
    std::uint64_t At = 0; // 0: no fault armed
    int Error = 0;
    bool Crash = false;
    std::optional<std::int64_t> WriteLimit;
};

TFaultState Faults;

std::uint64_t Replacements = 0;

constexpr const char* JournalHeading = "Korvane change 1";
constexpr const char* JournalEnd = "end";
// mkostemp's six characters.
constexpr std::size_t UniqueLength = 6;

bool FlushFolderOf(const std::string& Folder) {
    if (!TFileFaults::TakeStep()) {
        return false;
    }
    const int handle = OpenRetrying(Folder, O_RDONLY | O_DIRECTORY);
    if (handle < 0) {
        return false;
    }
    bool flushed = true;
    while (::fsync(handle) != 0) {
        if (errno != EINTR) {
            flushed = errno == EINVAL || errno == ENOTSUP;
            break;
        }
    }
    ::close(handle);
    return flushed;
}

bool RenameStep(const std::string& From, const std::string& To) {
    if (!TFileFaults::TakeStep() || ::rename(From.c_str(), To.c_str()) != 0) {
        return false;
    }
    ++Replacements;
    return true;
}

bool IsRegularFile(const std::string& Path) {
    struct stat info {};
    return ::lstat(Path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool IsUnique(const std::string& Text, std::size_t From, std::size_t Length) {
    return Text.size() == From + Length &&
           std::all_of(Text.begin() + static_cast<std::ptrdiff_t>(From), Text.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

// ".<Name>.XXXXXX": a new file of ours beside Name.
bool IsNewFileOf(const std::string& Entry, const std::string& Name) {
    const std::string stem = "." + Name + ".";
    return Entry.compare(0, stem.size(), stem) == 0 && IsUnique(Entry, stem.size(), UniqueLength);
}

// ".<Name>.xxxxxxxx.tmp": a copy's temporary file as earlier versions named it.
bool IsOlderCopyOf(const std::string& Entry, const std::string& Name) {
    const std::string stem = "." + Name + ".";
    const std::string tail = ".tmp";
    return Entry.size() == stem.size() + 8 + tail.size() &&
           Entry.compare(0, stem.size(), stem) == 0 &&
           Entry.compare(stem.size() + 8, tail.size(), tail) == 0 &&
           std::all_of(Entry.begin() + static_cast<std::ptrdiff_t>(stem.size()),
                       Entry.begin() + static_cast<std::ptrdiff_t>(stem.size() + 8),
                       [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; });
}

} // namespace

TReplacement::~TReplacement() {
    Discard();
}

bool TReplacement::Begin(const std::string& Target) {
    Discard();
    Target_ = Target;
    Renamed_ = false;
    std::string pattern = Joined(FolderOf(Target), "." + NameOf(Target) + ".XXXXXX");
    if (!TFileFaults::TakeStep()) {
        return false;
    }
    const int handle = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (handle < 0) {
        return false;
    }
    Handle_ = handle;
    Name_ = pattern;
    Written_ = 0;
    // The new file takes the old one's place: it gets its mode and, where allowed, its owner.
    struct stat old {};
    if (::stat(Target.c_str(), &old) == 0) {
        if (::fchmod(handle, old.st_mode & 07777) != 0) {
            // a narrower mode than the file had harms nothing
        }
        if ((old.st_uid != ::geteuid() || old.st_gid != ::getegid()) &&
            ::fchown(handle, old.st_uid, old.st_gid) != 0) {
            // only the owner may give a file away
        }
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        if (::fchmod(handle, 0666 & ~mask) != 0) {
            // the private mode of a new file harms nothing
        }
    }
    return true;
}

bool TReplacement::Write(const void* Bytes, std::size_t Count) {
    if (Handle_ < 0) {
        return false;
    }
    if (Faults.WriteLimit && Written_ + static_cast<std::int64_t>(Count) > *Faults.WriteLimit) {
        // A full disk takes what fits, then fails.
        const std::int64_t room = std::max<std::int64_t>(*Faults.WriteLimit - Written_, 0);
        WriteAllAt(Handle_, Written_, Bytes, static_cast<std::size_t>(room));
        Written_ += room;
        errno = ENOSPC;
        return false;
    }
    if (!WriteAllAt(Handle_, Written_, Bytes, Count)) {
        return false;
    }
    Written_ += static_cast<std::int64_t>(Count);
    return true;
}

bool WriteAllAt(int Handle, std::int64_t Offset, const void* Bytes, std::size_t Count) {
    const auto* in = static_cast<const char*>(Bytes);
    std::size_t done = 0;
    while (done < Count) {
        if (!TFileFaults::TakeStep()) {
            return false;
        }
        const ssize_t put = ::pwrite(Handle, in + done, Count - done,
                                     static_cast<off_t>(Offset + static_cast<std::int64_t>(done)));
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(put);
    }
    return true;
}

bool TReplacement::Flush() {
    if (Handle_ < 0 || !TFileFaults::TakeStep()) {
        return false;
    }
    while (::fsync(Handle_) != 0) {
        if (errno != EINTR) {
            return false;
        }
    }
    return true;
}

bool TReplacement::Rename() {
    if (Handle_ < 0 || !RenameStep(Name_, Target_)) {
        return false;
    }
    Renamed_ = true;
    return true;
}

bool TReplacement::FlushFolder() {
    return FlushFolderOf(FolderOf(Target_));
}

int TReplacement::TakeHandle() {
    const int handle = Handle_;
    Handle_ = -1;
    Renamed_ = true; // whatever the name holds now, it is no longer ours to remove
    return handle;
}

void TReplacement::Discard() {
    const int code = errno;
    if (Handle_ >= 0) {
        ::close(Handle_);
        Handle_ = -1;
    }
    if (!Renamed_ && !Name_.empty()) {
        ::unlink(Name_.c_str());
    }
    Name_.clear();
    errno = code;
}

bool ReplaceFileContent(const std::string& Target, const void* Bytes, std::size_t Count,
                        bool Flushed) {
    TReplacement replacement;
    return replacement.Begin(Target) && replacement.Write(Bytes, Count) &&
           (!Flushed || replacement.Flush()) && replacement.Rename() &&
           (!Flushed || replacement.FlushFolder());
}

std::uint64_t ReplacementCount() {
    return Replacements;
}

TFilesChange::TFilesChange(const std::string& JournalFolder)
    : JournalFolder_(FileItself(JournalFolder)) {}

TFilesChange::~TFilesChange() {
    if (!Ended_) {
        for (const TStaged& staged : Staged_) {
            ::unlink(staged.NewName.c_str());
        }
        End(false);
    }
}

bool TFilesChange::Stage(const std::string& Target, const void* Bytes, std::size_t Count) {
    const std::string target = FileItself(Target);
    const bool again = std::any_of(Staged_.begin(), Staged_.end(),
                                   [&](const TStaged& s) { return s.Target == target; });
    TReplacement replacement;
    if (Failed_ || Ended_ || again || !replacement.Begin(target) ||
        !replacement.Write(Bytes, Count) || !replacement.Flush()) {
        Failed_ = true;
        return false;
    }
    Staged_.push_back({target, replacement.NewName()});
    ::close(replacement.TakeHandle());
    return true;
}

bool TFilesChange::WriteJournal(const std::string& Folder) {
    std::string text = std::string(JournalHeading) + "\n";
    for (const TStaged& staged : Staged_) {
        const std::string folder = FolderOf(staged.Target);
        text += NameOf(staged.NewName) + "\t" +
                (folder == Folder ? NameOf(staged.Target) : staged.Target) + "\n";
    }
    text += std::string(JournalEnd) + "\n";
    const std::string journal = Joined(Folder, ChangeJournalName);
    TReplacement replacement;
    if (!replacement.Begin(journal) || !replacement.Write(text.data(), text.size()) ||
        !replacement.Flush() || !replacement.Rename()) {
        return false;
    }
    if (!replacement.FlushFolder()) {
        // A journal that may not last must not decide: nothing is renamed yet.
        ::unlink(journal.c_str());
        return false;
    }
    return true;
}

bool TFilesChange::Commit() {
    if (Ended_) {
        return false;
    }
    if (Failed_ || Staged_.empty()) {
        const bool made = !Failed_;
        for (const TStaged& staged : Staged_) {
            ::unlink(staged.NewName.c_str());
        }
        End(made);
        return made;
    }
    if (!WriteJournal(JournalFolder_)) {
        for (const TStaged& staged : Staged_) {
            ::unlink(staged.NewName.c_str());
        }
        End(false);
        return false;
    }
    // From here on the change is made; a step that fails is tried once more.
    bool complete = true;
    std::vector<std::string> folders;
    for (const TStaged& staged : Staged_) {
        if (!RenameStep(staged.NewName, staged.Target) &&
            !RenameStep(staged.NewName, staged.Target)) {
            complete = false;
        }
        const std::string own = FolderOf(staged.Target);
        if (std::find(folders.begin(), folders.end(), own) == folders.end()) {
            folders.push_back(own);
        }
    }
    for (const std::string& own : folders) {
        complete = (FlushFolderOf(own) || FlushFolderOf(own)) && complete;
    }
    if (complete) {
        // A journal left behind is harmless: its files are gone, the next open removes it.
        const std::string journal = Joined(JournalFolder_, ChangeJournalName);
        if (TFileFaults::TakeStep()) {
            ::unlink(journal.c_str());
        }
    }
    End(complete);
    return complete;
}

void TFilesChange::OnEnd(const void* Owner, std::function<void(bool)> Ended) {
    Listeners_.emplace_back(Owner, std::move(Ended));
}

void TFilesChange::Leave(const void* Owner) {
    std::erase_if(Listeners_, [Owner](const auto& listener) { return listener.first == Owner; });
}

void TFilesChange::End(bool Made) {
    Ended_ = true;
    auto listeners = std::move(Listeners_);
    Listeners_.clear();
    for (auto& [owner, ended] : listeners) {
        ended(Made);
    }
}

TRecovery CompleteInterruptedChange(const std::string& Folder) {
    const std::string journal = Joined(Folder, ChangeJournalName);
    if (!IsRegularFile(journal)) {
        return TRecovery::Nothing;
    }
    struct TPair {
        std::string From;
        std::string To;
    };
    std::vector<TPair> pairs;
    bool sound = false;
    TTextFile file;
    try {
        std::string line;
        if (file.Open(journal) && file.ReadLine(line) && line == JournalHeading) {
            while (file.ReadLine(line)) {
                if (line == JournalEnd) {
                    sound = !file.ReadLine(line);
                    break;
                }
                const auto tab = line.find('\t');
                if (tab == std::string::npos) {
                    break;
                }
                const std::string from = line.substr(0, tab);
                std::string to = line.substr(tab + 1);
                // Only our own new files, each beside its target.
                if (to.empty() || from.find('/') != std::string::npos ||
                    !IsNewFileOf(from, NameOf(to))) {
                    break;
                }
                if (to.front() != '/') {
                    if (to.find('/') != std::string::npos) {
                        break;
                    }
                    to = Joined(Folder, to);
                }
                pairs.push_back({Joined(FolderOf(to), from), to});
            }
        }
    } catch (const EInOutError&) {
        sound = false;
    }
    file.Close();
    bool done = true;
    if (sound) {
        for (const TPair& pair : pairs) {
            if (IsRegularFile(pair.From) && ::rename(pair.From.c_str(), pair.To.c_str()) != 0) {
                done = false;
            }
        }
        done = FlushFolderOf(Folder) && done;
        if (!done) {
            return TRecovery::Failed;
        }
        ++Replacements;
    }
    // A damaged journal never decided anything: the staged files go with the leftovers.
    if (::unlink(journal.c_str()) != 0) {
        return sound ? TRecovery::Failed : TRecovery::Nothing;
    }
    FlushFolderOf(Folder);
    return sound ? TRecovery::Completed : TRecovery::Nothing;
}

int RemoveChangeLeftovers(const std::string& Folder, const std::vector<std::string>& Names) {
    DIR* folder = ::opendir(Folder.c_str());
    if (folder == nullptr) {
        return 0;
    }
    std::vector<std::string> names = Names;
    names.emplace_back(ChangeJournalName);
    std::vector<std::string> found;
    while (const dirent* entry = ::readdir(folder)) {
        const std::string name = entry->d_name;
        if (name.empty() || name.front() != '.') {
            continue;
        }
        if (std::any_of(names.begin(), names.end(), [&](const std::string& own) {
                return IsNewFileOf(name, own) || IsOlderCopyOf(name, own);
            })) {
            found.push_back(name);
        }
    }
    ::closedir(folder);
    int removed = 0;
    for (const std::string& name : found) {
        const std::string path = Joined(Folder, name);
        if (IsRegularFile(path) && ::unlink(path.c_str()) == 0) {
            ++removed;
        }
    }
    return removed;
}

void TFileFaults::FailStep(std::uint64_t Step, int Error) {
    Faults = TFaultState{0, Step, Error, false, Faults.WriteLimit};
}

void TFileFaults::CrashAtStep(std::uint64_t Step) {
    Faults = TFaultState{0, Step, 0, true, Faults.WriteLimit};
}

void TFileFaults::LimitWrites(std::optional<std::int64_t> Limit) {
    Faults.WriteLimit = Limit;
}

void TFileFaults::Clear() {
    Faults = TFaultState{};
}

std::uint64_t TFileFaults::Steps() {
    return Faults.Steps;
}

bool TFileFaults::TakeStep() {
    ++Faults.Steps;
    if (Faults.At == 0 || Faults.Steps != Faults.At) {
        return true;
    }
    if (Faults.Crash) {
        std::_Exit(CrashExitCode);
    }
    errno = Faults.Error;
    return false;
}

} // namespace korvane
