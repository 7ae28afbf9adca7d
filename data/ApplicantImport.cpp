#include "data/ApplicantImport.h"

#include <filesystem>

#include "data/FileNames.h"
#include "data/WholeNumber.h"
#include "platform/sys/InOutError.h"
#include "platform/sys/TextFile.h"

namespace korvane {

namespace {

constexpr std::size_t ShortestLine = 6;
constexpr std::size_t IdentifierWidth = 10;

// Whether the record at the cursor is Rec as Replace should have stored it.
bool StoredAtCursor(TDataBase& Applicants, const TDataRecord& Rec) {
    TDataRecord stored;
    Applicants.ReadRecord(stored);
    return stored.ID == Rec.ID && stored.Description == Rec.Description &&
           stored.Mark == Rec.Mark && stored.VeteranPreference == Rec.VeteranPreference;
}

std::string Quoted(const std::string& Text) {
    return "\"" + Text + "\"";
}

} // namespace

std::string IdentifierText(const std::string& Line) {
    const std::string field = Line.substr(0, IdentifierWidth);
    const auto first = field.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : field.substr(first);
}

std::optional<TDataRecord> ApplicantFromLine(const std::string& Line) {
    const auto id = WholeNumber(IdentifierText(Line));
    if (!id) {
        return std::nullopt;
    }
    TDataRecord rec;
    rec.ID = *id;
    const char code = Line.size() > IdentifierWidth ? Line[IdentifierWidth] : ' ';
    rec.VeteranPreference = code == '1' ? 1.0 : code == '2' ? 2.0 : 0.0;
    if (Line.size() > IdentifierWidth + 1) {
        rec.Description = Line.substr(IdentifierWidth + 1, MaxDescriptionLength);
    }
    for (char& c : rec.Description) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    rec.Mark = ' ';
    rec.ApplicantStatus = 0;
    return rec;
}

TImportResult ImportApplicants(const std::string& ListPath, const TImportProgress& Progress) {
    TImportResult result;
    TDataBase applicants(ApplicantFileName);
    // Not a plain file (a folder, a pipe that would block) counts as no list at all.
    TTextFile list;
    if (!list.Open(ListPath)) {
        result.Outcome = TImportOutcome::ListNotFound;
        return result;
    }
    if (!applicants.Opened()) {
        result.Outcome = TImportOutcome::NotStored;
        return result;
    }
    std::string line;
    for (;;) {
        try {
            if (!list.ReadLine(line)) {
                break;
            }
        } catch (const EInOutError&) {
            result.Outcome = TImportOutcome::ListReadError;
            return result;
        }
        ++result.LineNumber;
        if (line.size() < ShortestLine) {
            continue;
        }
        const auto rec = ApplicantFromLine(line);
        if (!rec) {
            result.Outcome = TImportOutcome::BadIdentifier;
            result.BadText = IdentifierText(line);
            return result;
        }
        applicants.Replace(*rec);
        if (!StoredAtCursor(applicants, *rec)) {
            result.Outcome = TImportOutcome::NotStored;
            result.BadText = IdentifierText(line);
            return result;
        }
        ++result.Loaded;
        if (Progress) {
            Progress(result.Loaded);
        }
    }
    list.Close();
    result.LineNumber = 0;
    std::error_code error;
    std::filesystem::remove(ListPath, error); // a list that stays is imported once more: harmless
    return result;
}

std::string ImportFailureText(const TImportResult& Result) {
    const std::string line = std::to_string(Result.LineNumber);
    const std::string loaded = "\n\nApplicants Loaded: " + std::to_string(Result.Loaded);
    switch (Result.Outcome) {
    case TImportOutcome::Imported:
        return {};
    case TImportOutcome::ListNotFound:
        return "Update File Not Found";
    case TImportOutcome::BadIdentifier:
        return "Error: Line " + line +
               " Of The Update File Has No Valid Applicant ID: " + Quoted(Result.BadText) + loaded;
    case TImportOutcome::NotStored:
        if (Result.LineNumber == 0) {
            return std::string("Error: ") + ApplicantFileName +
                   " Could Not Be Opened; No Applicant Was Loaded";
        }
        return "Error: Applicant ID " + Result.BadText + " Of Line " + line +
               " Could Not Be Saved In " + ApplicantFileName + loaded;
    case TImportOutcome::ListReadError:
        return "Error: The Update File Could Not Be Read After Line " + line + loaded;
    }
    return {};
}

std::optional<TImportRetryGuard::TStamp> TImportRetryGuard::StampOf(const std::string& ListPath) {
    std::error_code error;
    TStamp stamp;
    stamp.Path = ListPath;
    stamp.Modified = std::filesystem::last_write_time(ListPath, error);
    if (error) {
        return std::nullopt;
    }
    stamp.Size = std::filesystem::file_size(ListPath, error);
    if (error) {
        stamp.Size = 0; // a folder or another kind of file: its time tells a change
    }
    return stamp;
}

bool TImportRetryGuard::ShouldTry(const std::string& ListPath) const {
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(ListPath, error))) {
        return false;
    }
    return !Failed_ || StampOf(ListPath) != FailedStamp_;
}

void TImportRetryGuard::NoteResult(const std::string& ListPath, const TImportResult& Result) {
    Failed_ = Result.Outcome != TImportOutcome::Imported;
    FailedStamp_ = Failed_ ? StampOf(ListPath) : std::nullopt;
}

} // namespace korvane
