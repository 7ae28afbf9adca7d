#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "data/DataBase.h"
#include "data/RateDataBase.h"
#include "data/RecusalFile.h"
#include "platform/sys/Result.h"

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

// Why the ratings of a disk cannot be merged.
enum class TMergeRefusal {
    None,
    Unreadable,       // Subject: a file that is there but cannot be read
    BrokenRecord,     // Subject: a file whose size is no whole number of records
    TooManyCriteria,  // Subject: a selection of more than 12 criteria
    RatingOutOfRange, // Subject: a rating file with a rating outside 0 to 5, in Record
    OnlyHere,         // Subject: the name of the first criterion only this position selected
    OnlyOnDisk,       // Subject: the name of the first criterion only the disk selected
    DamagedDecisions, // Subject: a Recusal.dat with damaged lines (the first in Record), or unread
};

struct TMergeCheck : TResult<TMergeRefusal> {
    bool OnDisk = false;          // the file is the disk's, not this position's
    int Record = 0;               // RatingOutOfRange: the record, from 1
    std::int32_t CriterionID = 0; // OnlyHere, OnlyOnDisk: the criterion (Subject empty: unnamed)
};

// The files of one side that the merge compares.
struct TRatingSide {
    std::vector<std::int32_t> Criteria; // CriterionID of each selected preferred criterion
    std::vector<TRateRecord> Ratings;   // in file order
    std::vector<TDataRecord> Samples;   // the sample preferred criteria, for their names
    TRecusalFile Decisions{};           // recusals and abstentions
};

// A recusal or abstention of the disk: added where this position has none on the pair,
// unchanged where it has the same, a conflict where it has another (kept, unless the choice for
// all conflicts takes the disk's), skipped for someone this position does not know.
struct TDiskDecision {
    TPairKind Kind = TPairKind::Empty;
    TDecision Theirs;
    bool TakeTheirs = false;
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
    // directory. Ok when the merge can go on; a refused merge has nothing to merge.
    TMergeCheck Read(const std::string& DiskFolder);
    // The same from files already read; Applicants and Members are this position's lists.
    TMergeCheck Compare(TRatingSide Ours, TRatingSide Disk,
                        const std::vector<TDataRecord>& Applicants,
                        const std::vector<TDataRecord>& Members);

    // The disk's records in disk order, each pair once.
    const std::vector<TDiskPair>& Pairs() const { return Pairs_; }
    // The conflicts: indexes into Pairs, in disk order.
    const std::vector<std::size_t>& Conflicts() const { return Conflicts_; }
    // Keeps ours or takes theirs for the Index-th conflict of ratings, or for all conflicts,
    // those of the decisions too.
    void Decide(std::size_t Conflict, bool TakeTheirs);
    void DecideAll(bool TakeTheirs);
    // The disk's decisions, each pair once, in disk order.
    const std::vector<TDiskDecision>& Decisions() const { return Decisions_; }
    // This position's decisions after the merge.
    TRecusalFile MergedDecisions() const;

    TMergeCounts Counts() const;
    // Whether the merge changes this position's ratings.
    bool Changes() const;
    // This position's record of a pair, or the blank rating when it has none.
    TRateRecord Ours(const TDiskPair& Pair) const;
    // This position's ratings after the merge: the records in their places, changed where the
    // disk brings ratings, and in front the added ones, the disk's most recent first.
    std::vector<TRateRecord> Merged() const;
    // Ratings (this position's Rating.dat) gets the merged ratings, and Recusal.dat the merged
    // decisions where they change, in one change of the position's files. False, with every file as
    // it was and stIOError in Ratings' Status, when that fails.
    bool Commit(TRateDataBase& Ratings) const;

    // For the screens: the names here (code-page bytes), and whether this position knows an ID.
    std::string ApplicantName(std::int32_t ID) const;
    std::string MemberName(std::int32_t ID) const;
    const std::vector<std::string>& CriterionNames() const { return CriterionNames_; }
    bool KnowsApplicant(std::int32_t ID) const { return Applicants_.contains(ID); }
    bool KnowsMember(std::int32_t ID) const { return Members_.contains(ID); }

private:
    std::vector<TRateRecord> Ours_;
    std::vector<TDiskPair> Pairs_;
    std::vector<std::size_t> Conflicts_;
    TRecusalFile OurDecisions_;
    std::vector<TDiskDecision> Decisions_;
    std::size_t CriteriaCount_ = 0;
    std::vector<std::string> CriterionNames_;
    std::unordered_map<std::int32_t, std::string> Applicants_;
    std::unordered_map<std::int32_t, std::string> Members_;
};

} // namespace korvane
