#pragma once

#include <string>
#include <vector>

#include "data/ProcessState.h"
#include "data/ScoreComputation.h"
#include "platform/sys/Result.h"

namespace korvane {

// The final rating as a CSV text for spreadsheets and HR systems: RFC 4180, UTF-8 after a
// byte-order mark (so that a spreadsheet reads the accented letters), CRLF line ends, a header
// row, then one row per line in sheet order. Columns: Line, Rank (ties share one),
// ApplicantID, Mark, Name, one column per criterion headed "C<n> <description>" (Criteria gives
// the descriptions of the criteria that exist, in order), Total, WithVet, Filled (the numbers of
// the criteria whose value rests on a fill-in, "1 3"), WithVetFilled ("yes" when the total and
// the final score rest on one) and Comments. Numbers are plain numbers; a text that a
// spreadsheet would run as a formula (beginning with = + - @) gets a leading apostrophe.
std::string RankingCsv(const std::vector<TScoreLine>& Lines,
                       const std::vector<std::string>& Criteria);

enum class TRankingFailure {
    None,
    Refused,    // Path may not be written (see OutputFileCheck): check it first to say why
    NotWritten, // the file could not be written
    Unreadable, // a file of the position could not be read (Detail says why)
};

// Computes the final rating of the position in the working directory, under the decisions of
// Recusal.dat, and writes it as RankingCsv to Path. The file appears whole or not at all, and a
// file of the position is never overwritten, nor anything that is not a regular file.
TResult<TRankingFailure> WriteRankingFile(const std::string& Path, const TSettings& Rules);

} // namespace korvane
