#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/FileNames.h"
#include "platform/sys/Result.h"

namespace korvane {

// One change a user made through the program, as a command reports it. Texts are UTF-8.
struct TChange {
    std::string Command;          // the screen or menu command, as the user knows it
    std::string What;             // what changed, in the program's own terms
    std::int32_t ApplicantID = 0; // the applicant the change concerns; 0 for none
    std::int32_t MemberID = 0;    // the committee member it concerns; 0 for none

    bool operator==(const TChange&) const = default;
};

// One line of Changes.log: the change with when, by whom and in which mode it was made.
struct TChangeEntry {
    std::string Time; // UTC, ISO 8601: "2025-03-04T10:11:12Z"
    std::string User; // login name
    bool Administrative = false;
    TChange Change;

    bool operator==(const TChangeEntry&) const = default;
};

// Whether Text is a time as the log writes it: "2025-03-04T10:11:12Z".
bool IsUtcTimeStamp(const std::string& Text);

// The line of an entry, ending in LF: its fields separated by tabs, the IDs empty for none. A
// tab, line end or other control character in a text is written as '?', so an entry is always
// one line of seven fields.
std::string ChangeLine(const TChangeEntry& Entry);
// The entry of a line (without its line end); false when the line is not one ChangeLine writes.
bool ParseChangeLine(const std::string& Line, TChangeEntry& Entry);

enum class TLogFailure {
    None,
    NotWritten, // the line could not be added to Changes.log; the change stands all the same
};

// Appends the change to Changes.log in the working directory, with the time, the login name and
// the administrative mode, and flushes it before returning. After a line that could not be
// written, the next line written in the folder by this run is preceded by one that says how many
// changes may be missing since when. A change with nothing to say (an empty What) is no line.
TResult<TLogFailure> LogChange(const TChange& Change);

// Changes.log as read: its entries in file order and the numbers (from 1) of the lines that are
// not entries. No file is an empty log; a read error raises EInOutError.
struct TChangeLog {
    std::vector<TChangeEntry> Entries;
    std::vector<int> DamagedLines;
    bool Unreadable = false; // something of that name is there but cannot be read as a file
};
TChangeLog ReadChangeLog(const std::string& Path = ChangeLogFileName);

// What the change log screen shows: 0 and an empty command let every entry through.
struct TChangeFilter {
    std::int32_t ApplicantID = 0;
    std::int32_t MemberID = 0;
    std::string Command;
};
// The entries the filter lets through, the newest first.
std::vector<TChangeEntry> NewestFirst(const std::vector<TChangeEntry>& Entries,
                                      const TChangeFilter& Filter);

} // namespace korvane
