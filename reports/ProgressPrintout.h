#pragma once

#include "reports/PrintDestination.h"

class QWidget;

namespace korvane {

// The rating progress of the working directory's position on portrait pages, under the usual
// header: the counts of every committee member with the totals, the pairs still to rate, the
// recusals and abstentions, and the decisions that count nowhere.
void PrintRatingProgress(QWidget* owner, const TPrintDestination& to);

} // namespace korvane
