#pragma once

#include <string>
#include <vector>

#include "data/ProcessState.h"
#include "data/ScoreComputation.h"

namespace korvane {

// The final rating as a CSV text for spreadsheets and HR systems: RFC 4180, UTF-8, CRLF line
// ends, a header row, then one row per line in sheet order with the columns Position, Rank (ties
// share one), ApplicantID, Mark, Name, C1 to C12, Total, WithVet and Comments. A value resting
// on a fill-in is followed by "*", and so are Total and WithVet of a line holding one.
std::string RankingCsv(const std::vector<TScoreLine>& Lines);

// Computes the final rating of the position in the working directory, under the decisions of
// Recusal.dat, and writes it as RankingCsv to Path. The file appears whole or not at all, and a file of the position is never
// overwritten. Empty on success, otherwise the message for the user.
std::string WriteRankingFile(const std::string& Path, const TSettings& Settings);

} // namespace korvane
