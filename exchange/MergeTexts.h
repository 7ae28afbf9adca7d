#pragma once

#include <QString>
#include <QStringList>

#include "data/RatingMerge.h"

namespace korvane {

// The words in which the merge of a disk's ratings speaks to the user, on the screen and on the
// command line alike.

// The help topic of the merge and its conflict list.
inline constexpr int MergeHelpContext = 530;

// "Error: The Disk's Rating.dat Is Damaged; No Rating Was Merged", with what is wrong after it.
QString MergeRefusalText(const TMergeCheck& Check);
// "Ratings Merged: n Added, n Combined, n Unchanged, n Conflicts (k Taken From The Disk),
// n Skipped"
QString MergeSummaryText(const TMergeCounts& Counts);
// One line per skipped pair: "Applicant 17, Member 3: Unknown Applicant".
QStringList SkippedPairTexts(const TRatingMerge& Merge);
// The merge was made but Rating.dat could not be written.
QString MergeNotWrittenText();

} // namespace korvane
