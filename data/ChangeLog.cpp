#include "data/ChangeLog.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <map>

#include "data/ProcessState.h"
#include "platform/sys/FileReplace.h"
#include "platform/sys/System.h"
#include "platform/sys/TextFile.h"

namespace korvane {

namespace {

constexpr char Separator = '\t';
constexpr const char* AdministrativeText = "administrative";
constexpr const char* OrdinaryText = "ordinary";
constexpr std::size_t FieldCount = 7;

std::string Cleaned(const std::string& Text) {
    std::string clean = Text;
    for (char& c : clean) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            c = '?';
        }
    }
    return clean;
}

std::string IDText(std::int32_t ID) {
    return ID == 0 ? std::string() : std::to_string(ID);
}

bool ParseID(const std::string& Text, std::int32_t& ID) {
    ID = 0;
    if (Text.empty()) {
        return true;
    }
    const auto [end, error] = std::from_chars(Text.data(), Text.data() + Text.size(), ID);
    return error == std::errc() && end == Text.data() + Text.size() && ID != 0;
}

} // namespace

bool IsUtcTimeStamp(const std::string& Text) {
    // Digits where the pattern has 9.
    constexpr std::string_view Pattern = "9999-99-99T99:99:99Z";
    if (Text.size() != Pattern.size()) {
        return false;
    }
    for (std::size_t i = 0; i < Text.size(); ++i) {
        const bool digit = Text[i] >= '0' && Text[i] <= '9';
        if (Pattern[i] == '9' ? !digit : Text[i] != Pattern[i]) {
            return false;
        }
    }
    return true;
}

namespace {

// Changes this run could not log, per position folder, until a line is written there again.
struct TMissed {
    int Count = 0;
    std::string Since;
};
std::map<std::string, TMissed> Missed;

std::string CurrentFolder() {
    std::error_code error;
    return std::filesystem::current_path(error).string();
}

} // namespace

std::string ChangeLine(const TChangeEntry& Entry) {
    const std::string fields[FieldCount] = {Cleaned(Entry.Time),
                                            Cleaned(Entry.User),
                                            Entry.Administrative ? AdministrativeText
                                                                 : OrdinaryText,
                                            Cleaned(Entry.Change.Command),
                                            IDText(Entry.Change.ApplicantID),
                                            IDText(Entry.Change.MemberID),
                                            Cleaned(Entry.Change.What)};
    std::string line = fields[0];
    for (std::size_t i = 1; i < FieldCount; ++i) {
        line += Separator + fields[i];
    }
    return line + '\n';
}

bool ParseChangeLine(const std::string& Line, TChangeEntry& Entry) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t tab = Line.find(Separator); tab != std::string::npos;
         tab = Line.find(Separator, start)) {
        fields.push_back(Line.substr(start, tab - start));
        start = tab + 1;
    }
    fields.push_back(Line.substr(start));
    if (fields.size() != FieldCount) {
        return false;
    }
    const std::string& mode = fields[2];
    TChangeEntry entry{fields[0], fields[1], mode == AdministrativeText,
                       TChange{fields[3], fields[6]}};
    if (!IsUtcTimeStamp(entry.Time) || (mode != AdministrativeText && mode != OrdinaryText) ||
        entry.Change.Command.empty() || !ParseID(fields[4], entry.Change.ApplicantID) ||
        !ParseID(fields[5], entry.Change.MemberID)) {
        return false;
    }
    Entry = std::move(entry);
    return true;
}

TResult<TLogFailure> LogChange(const TChange& Change) {
    if (Change.What.empty()) {
        return {};
    }
    TChangeEntry entry{UtcTimeStamp(), LoginName(), AdministrativeMode, Change};
    const std::string folder = CurrentFolder();
    std::string lines;
    const auto missed = Missed.find(folder);
    if (missed != Missed.end()) {
        TChangeEntry gap = entry;
        gap.Change = {"Change Log",
                      "lines may be missing: " + std::to_string(missed->second.Count) +
                          (missed->second.Count == 1 ? " change" : " changes") + " since " +
                          missed->second.Since + " could not be logged"};
        lines = ChangeLine(gap);
    }
    lines += ChangeLine(entry);
    if (!AppendFileContent(ChangeLogFileName, lines.data(), lines.size())) {
        TMissed& note = Missed[folder];
        note.Since = note.Count == 0 ? entry.Time : note.Since;
        ++note.Count;
        return TResult<TLogFailure>::Failure(TLogFailure::NotWritten, ChangeLogFileName);
    }
    Missed.erase(folder);
    return {};
}

TChangeLog ReadChangeLog(const std::string& Path) {
    TChangeLog log;
    TTextFile file;
    if (!file.Open(Path)) {
        std::error_code error;
        log.Unreadable = std::filesystem::exists(Path, error);
        return log;
    }
    std::string line;
    for (int number = 1; file.ReadLine(line); ++number) {
        TChangeEntry entry;
        if (ParseChangeLine(line, entry)) {
            log.Entries.push_back(std::move(entry));
        } else {
            log.DamagedLines.push_back(number);
        }
    }
    return log;
}

std::vector<TChangeEntry> NewestFirst(const std::vector<TChangeEntry>& Entries,
                                      const TChangeFilter& Filter) {
    std::vector<TChangeEntry> shown;
    for (auto entry = Entries.rbegin(); entry != Entries.rend(); ++entry) {
        const TChange& change = entry->Change;
        if ((Filter.ApplicantID == 0 || change.ApplicantID == Filter.ApplicantID) &&
            (Filter.MemberID == 0 || change.MemberID == Filter.MemberID) &&
            (Filter.Command.empty() || change.Command == Filter.Command)) {
            shown.push_back(*entry);
        }
    }
    return shown;
}

} // namespace korvane
