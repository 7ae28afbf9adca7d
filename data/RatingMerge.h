#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "data/DataBase.h"
#include "data/RateDataBase.h"

namespace korvane {

// What a rating record of the position disk is to this position's ratings.
enum class TPairKind {
    Added,     // the pair has no record here: the disk's record comes in
    Unchanged, // the disk's record brings nothing this position's record lacks
    Combined,  // each side rated what the other did not: every criterion takes the rating given
    Conflict,  // both sides rated a criterion, differently: the user keeps ours or takes theirs
    Skipped,   // the applicant or the member is not in this position
    Empty,     // no rating at all: it carries nothing
};

// One rating record of the disk, its ratings put in the order of this position's criteria.
struct TDiskPair {
    TPairKind Kind = TPairKind::Empty;
    TRateRecord Theirs;
    std::int32_t Ours = -1;  // this position's record of the pair (its first), -1 when none
    bool TakeTheirs = false; // a conflict: the disk's ratings win where both sides rated
};

struct TMergeCounts {
    int Added = 0;
    int Combined = 0;
    int Unchanged = 0;
    int Conflicts = 0;
    int TakenFromDisk = 0;
    int Skipped = 0;

    bool operator==(const TMergeCounts&) const = default;
};

// The message of a merge whose Rating.dat could not be written.
inline constexpr const char* MergeNotWritten =
    "Error: Rating.dat Could Not Be Written; No Rating Was Merged";

// "Ratings Merged: n Added, n Combined, n Unchanged, n Conflicts (k Taken From The Disk),
// n Skipped"
std::string MergeSummary(const TMergeCounts& Counts);

// The files of one side that the merge compares.
struct TRatingSide {
    std::vector<std::int32_t> Criteria; // CriterionID of each selected preferred criterion
    std::vector<TRateRecord> Ratings;   // in file order
    std::vector<TDataRecord> Samples;   // the sample preferred criteria, for their names
};

// The record of a pair after the merge, over the first Criteria ratings: each criterion takes
// the rating given; where both sides rated it differently, Theirs' rating when TakeTheirs,
// otherwise Ours'. The comment is the winning side's, or the other's when it has none.
TRateRecord CombinedRating(const TRateRecord& Ours, const TRateRecord& Theirs, std::size_t Criteria,
                           bool TakeTheirs);

// The ratings of a position disk merged into this position's. The n-th rating belongs to the
// n-th selected preferred criterion, so each disk rating goes to the same criterion here, found
// by CriterionID (a criterion selected twice by its order among its namesakes). The first record
// of a pair wins on either side, as FindRating finds it. Nothing is written before Commit.
class TRatingMerge {
public:
    // Reads the disk's files in DiskFolder (only read) and this position's in the working
    // directory. Empty when the merge can go on; otherwise the message that refuses it, and
    // nothing is to be merged.
    std::string Read(const std::string& DiskFolder);
    // The same from files already read; Applicants and Members are this position's lists.
    std::string Compare(TRatingSide Ours, TRatingSide Disk,
                        const std::vector<TDataRecord>& Applicants,
                        const std::vector<TDataRecord>& Members);

    // The disk's records in disk order, each pair once.
    const std::vector<TDiskPair>& Pairs() const { return Pairs_; }
    // The conflicts: indexes into Pairs, in disk order.
    const std::vector<std::size_t>& Conflicts() const { return Conflicts_; }
    // Keeps ours or takes theirs for the Index-th conflict, or for all.
    void Decide(std::size_t Conflict, bool TakeTheirs);
    void DecideAll(bool TakeTheirs);

    TMergeCounts Counts() const;
    // Whether the merge changes this position's ratings.
    bool Changes() const;
    // This position's record of a pair, or the blank rating when it has none.
    TRateRecord Ours(const TDiskPair& Pair) const;
    // This position's ratings after the merge: the records in their places, changed where the
    // disk brings ratings, and in front the added ones, the disk's most recent first.
    std::vector<TRateRecord> Merged() const;
    // Ratings (this position's Rating.dat) gets the merged ratings, in one change of the
    // position's files. False, with every file as it was and stIOError in Ratings' Status, when
    // that fails.
    bool Commit(TRateDataBase& Ratings) const;

    // For the screens: the names here (code-page bytes).
    std::string ApplicantName(std::int32_t ID) const;
    std::string MemberName(std::int32_t ID) const;
    const std::vector<std::string>& CriterionNames() const { return CriterionNames_; }
    // The skipped pairs, one line each: "Applicant 17, Member 3: Unknown Applicant".
    std::vector<std::string> SkippedLines() const;

private:
    std::vector<TRateRecord> Ours_;
    std::vector<TDiskPair> Pairs_;
    std::vector<std::size_t> Conflicts_;
    std::size_t CriteriaCount_ = 0;
    std::vector<std::string> CriterionNames_;
    std::unordered_map<std::int32_t, std::string> Applicants_;
    std::unordered_map<std::int32_t, std::string> Members_;
};

} // namespace korvane
