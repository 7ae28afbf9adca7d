#pragma once

#include <QString>

#include "data/RatingProgress.h"
#include "reports/PrintDestination.h"

class QWidget;

namespace korvane {

// The rating progress of the working directory's position on portrait pages, under the usual
// header: the counts of every committee member with the totals, the pairs still to rate, the
// recusals and abstentions, and the decisions that count nowhere.
void PrintRatingProgress(QWidget* owner, const TPrintDestination& to);

// The same as plain text for `korvane --progress`, titled with the position's Title (code-page
// text): columns padded with blanks, LF line ends, the warning or the word that nothing is
// missing last.
QString ProgressSummaryText(const TRatingProgress& Progress, const std::string& Title);

} // namespace korvane
