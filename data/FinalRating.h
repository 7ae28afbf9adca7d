#pragma once

#include <string>
#include <utility>
#include <vector>

#include "data/FileNames.h"
#include "data/ProcessState.h"
#include "platform/sys/Result.h"

namespace korvane {

// A data file as it stood when the final rating was finalised.
struct TSealedFile {
    std::string Name;
    std::string Sha256; // of its content; a missing file counts as an empty one

    bool operator==(const TSealedFile&) const = default;
};

// What Final.dat holds: the ranking handed on, what shaped it, when, by whom, and the files it
// rests on (the seven data files and Recusal.dat).
struct TFinalRating {
    std::string Time; // UTC, as the change log writes it
    std::string User;
    // The scoring settings in force, as support.dat names and writes them.
    std::vector<std::pair<std::string, std::string>> Settings;
    std::vector<TSealedFile> Files;
    // The ranking file's rows, its header first, without line ends (UTF-8).
    std::vector<std::string> Rows;

    bool operator==(const TFinalRating&) const = default;
};

enum class TFinalFailure {
    None,
    NotFinalised, // there is no Final.dat
    Finalised,    // there is one already; Subject: when it was finalised
    Damaged,      // Final.dat holds a line that is not one of its lines; Subject: its number
    Unreadable,   // a file could not be read; Subject: its name, Detail: why
    NotWritten,   // Final.dat could not be written or removed
};

// The text of Final.dat, one line each, LF line ends.
std::string FinalRatingText(const TFinalRating& Final);
// Final.dat of the working directory.
TResult<TFinalFailure> ReadFinalRating(TFinalRating& Final);

// The scoring settings of Rules by their support.dat names.
std::vector<std::pair<std::string, std::string>> ScoringSettings(const TSettings& Rules);

// Computes the ranking file's rows from the data files under Rules, seals the seven data files
// and Recusal.dat with their SHA-256 and writes Final.dat whole. Refused when the position is
// finalised already.
TResult<TFinalFailure> FinaliseFinalRating(const TSettings& Rules, TFinalRating& Made);
// Removes Final.dat: the data files may change again. Lifted holds what it said, as far as it
// could be read.
TResult<TFinalFailure> ReopenFinalRating(TFinalRating& Lifted);
// The data files whose content differs from what Final.dat sealed, in Final.dat's order.
TResult<TFinalFailure> VerifyFinalRating(std::vector<std::string>& Changed);

enum class TChangeRefusal {
    None,
    Finalised, // Subject: when (UTC), empty when Final.dat cannot be read
};

// The one check before a data file changes: refused while the final rating is finalised, that
// is while anything named Final.dat is in the working directory.
TResult<TChangeRefusal> MayChange();

} // namespace korvane
