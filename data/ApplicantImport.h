#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "data/DataBase.h"
#include "platform/sys/Result.h"

namespace korvane {

enum class TImportOutcome {
    Imported,      // the list was read to its end; the list file is deleted
    ListNotFound,  // no list file, or not a plain file; nothing changed
    BadIdentifier, // a line without a valid ID stopped the import; earlier lines are stored
    NotStored,     // the applicant file could not be opened (line 0) or a line could not be
                   // stored in it; earlier lines are stored
    ListReadError, // the list file could not be read to its end; earlier lines are stored
    Canceled,      // the user stopped the import; earlier lines are stored, the list stays
};

// Reason: Imported (success) or why the import stopped; Subject: the ID field of the line that
// stopped it, without the leading blanks (code-page bytes).
struct TImportResult : TResult<TImportOutcome> {
    int Loaded = 0;     // applicants stored
    int LineNumber = 0; // the line that stopped the import, counted from 1
};

// Called after every applicant stored, with the number stored so far.
using TImportProgress = std::function<void(int Loaded)>;
// Asked after every applicant stored: true stops the import there.
using TImportCancel = std::function<bool()>;

// Imports the applicant list file at ListPath into Applicant.Dat of the working directory.
// Lines end in CR LF; lines under 6 characters are skipped. Characters 1-10 hold the ID
// (leading blanks removed), character 11 the veteran code ("1", "2", else none), the rest the
// name, of which the first 40 characters are kept with every letter in capitals. A list that
// starts with the UTF-8 byte-order mark is read as UTF-8 text; any other list is code-page
// text. Every applicant is stored as official (blank mark) as Replace stores it, so an
// applicant already present keeps its status; the file ends exactly as one Replace per line
// would leave it, but is written once, when the import ends or stops. The list file is deleted
// only when it was read to its end. A failure to ask the applicant file's size raises
// EInOutError, as in every record-file operation.
TImportResult ImportApplicants(const std::string& ListPath, const TImportProgress& Progress = {},
                               const TImportCancel& Cancel = {});

// The record a list line stands for; nullopt when its ID field is not a whole number from 1 to
// 2147483647. The import skips lines under 6 characters before asking.
std::optional<TDataRecord> ApplicantFromLine(const std::string& Line);

// The ID field of a list line without its leading blanks.
std::string IdentifierText(const std::string& Line);

// Keeps the main window's automatic import from trying a failed list again and again (the
// window becomes active again as soon as the error box closes): a list whose import failed is
// not tried again while it stays unchanged. Note the result before showing any message.
class TImportRetryGuard {
public:
    // Whether to import now: something named ListPath is there, and it is not the unchanged
    // list whose import failed last.
    bool ShouldTry(const std::string& ListPath) const;
    void NoteResult(const std::string& ListPath, const TImportResult& Result);

private:
    struct TStamp {
        std::string Path;
        std::uintmax_t Size = 0;
        std::filesystem::file_time_type Modified;
        bool operator==(const TStamp&) const = default;
    };
    // Size and time of the list; nullopt when they cannot be read.
    static std::optional<TStamp> StampOf(const std::string& ListPath);

    bool Failed_ = false;
    std::optional<TStamp> FailedStamp_;
};

} // namespace korvane
