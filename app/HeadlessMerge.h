#pragma once

#include <string>

namespace korvane {

// Exit statuses of `korvane --merge-ratings DIR` besides 0 (merged) and 2 (command line).
inline constexpr int MergeRefused = 1;       // no position, a damaged file, other criteria, ...
inline constexpr int MergeOtherPosition = 3; // the disk holds another position
inline constexpr int MergeUndecided = 4;     // conflicts, and no --prefer to decide them

// Merges the ratings of the position disk in DiskFolder into the position in Folder (the
// working directory when empty), with no window: the disk's title must be this position's, and
// Prefer ("ours" or "theirs") decides every conflict; without it any conflict ends the merge.
// Prints the summary and the skipped pairs on standard output, a refusal on standard error;
// nothing changes unless the merge is made. Returns the exit status.
int RunMergeRatings(const std::string& DiskFolder, const std::string& Folder,
                    const std::string& Prefer);

} // namespace korvane
