#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "data/DataBase.h"
#include "data/ProcessState.h"
#include "data/RateDataBase.h"
#include "data/RecusalFile.h"
#include "data/SelectDataBase.h"
#include "data/SetupCounts.h"

namespace korvane {

// The place of the first record with each ID in a list of IDs: a table over the IDs' range
// where that range is small, a hash map where it is not (the IDs of a damaged file may lie
// anywhere). Memory in proportion to the list.
class TIdIndex {
public:
    static constexpr std::size_t None = static_cast<std::size_t>(-1);

    explicit TIdIndex(const std::vector<std::int32_t>& IDs = {});
    // The place of the first ID equal to ID, or None.
    std::size_t Find(std::int32_t ID) const;

private:
    std::int64_t Lowest_ = 0;
    std::vector<std::uint32_t> Table_; // place + 1 by ID - Lowest_; 0 for none
    std::unordered_map<std::int32_t, std::size_t> Map_;
};

// One applicant's rating record from one member of the committee, with its ratings as the scores
// count them (CountedRating).
struct TMemberRating {
    std::uint32_t Member; // place in CommitteeIDs() of the first member with the ID
    std::array<std::uint8_t, RatingCount> Rate;
    const TRateRecord* Record;
};

// The files a score run reads, each read once: Applicant.Dat, committee.dat, Preferre.dat and
// Rating.dat of the working directory. Look-ups answer what the record files' own searches
// answer: the first record in file order wins. Only the rating records there are are indexed:
// memory goes with the size of the files, not with applicants times members.
class TRatingData {
public:
    // Reads the four files; a missing one is created empty, as the record files do. Raises
    // EInOutError when a file's size cannot be asked or the file cannot be read.
    static TRatingData ReadWorkingDirectory();

    TRatingData(TRatingData&&) = default;
    TRatingData& operator=(TRatingData&&) = default;
    TRatingData(const TRatingData&) = delete; // the index points into the rating records
    TRatingData& operator=(const TRatingData&) = delete;

    // Applicant.Dat in file order.
    const std::vector<TDataRecord>& Applicants() const { return Applicants_; }
    // The first applicant record with the ID, or nullptr.
    const TDataRecord* Applicant(std::int32_t ID) const;
    // The ID of every committee member, in committee.dat order.
    const std::vector<std::int32_t>& CommitteeIDs() const { return CommitteeIDs_; }
    // Preferre.dat in file order (criterion n is record n; only the first 12 count).
    const std::vector<TSelectRecord>& Criteria() const { return Criteria_; }
    // The weight of criterion N (from 1), 0 when there is no such criterion.
    int Weight(std::size_t N) const;
    // The first rating record of the pair, or nullptr.
    const TRateRecord* Rating(std::int32_t ApplicantID, std::int32_t CommitteeID) const;

    // The rating records of the applicant at Index of Applicants() from the members of the
    // committee who have one, in file order; applicants that share an ID share them.
    std::span<const TMemberRating> CommitteeRatings(std::size_t Index) const;
    // How many places of the committee hold the ID of the member at Member: members that
    // share an ID share their ratings, and each place counts them.
    std::int64_t Seats(std::uint32_t Member) const { return Seats_[Member]; }
    // The rating record of one member, who need not be on the committee, for every applicant in
    // applicant order; nullptr where there is none.
    std::vector<const TRateRecord*> MemberRatings(std::int32_t CommitteeID) const;

private:
    TRatingData() = default;

    std::vector<TDataRecord> Applicants_;
    TIdIndex ApplicantIndex_;
    std::vector<std::int32_t> CommitteeIDs_;
    TIdIndex MemberIndex_;
    std::vector<std::int64_t> Seats_; // by member place
    std::vector<TSelectRecord> Criteria_;
    std::array<int, MaxSelectedCriteria> Weights_{};
    std::vector<TRateRecord> Ratings_;
    // By applicant place, the range of its ratings in Entries_.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> Ranges_;
    std::vector<TMemberRating> Entries_;
};

// One line of the final rating sheet or of a member's rating sheet, in sheet order.
struct TScoreLine {
    std::int32_t ApplicantID = 0;
    // From the first applicant record with that ID: what the sheet prints.
    char Mark = ' ';
    std::string Name;
    std::int32_t ApplicantStatus = 0;
    // Weighted points per criterion; negative when an averaged fill-in went into the value.
    std::array<std::int64_t, RatingCount> Values{};
    std::int64_t Total = 0; // sum of the magnitudes of Values
    std::int64_t VeteranPoints = 0;
    // The sort key: the final score (Total + VeteranPoints) on the final sheet; on a member's
    // sheet the same with totals and 0 without (VeteranPoints is then 0 as well).
    std::int64_t Score = 0;
    // "Eliminated In Level n" on the final sheet, the member's own comment on a member's sheet.
    std::string Comments;

    // Whether any value rests on a fill-in.
    bool Marked() const;

    bool operator==(const TScoreLine&) const = default;
};

// The committee's score of every applicant, best final score first; equal scores are ordered by
// the tie rules of Rules, then by the applicant file. A recused member's ratings never count: each
// criterion takes the average of the other members' ratings instead, as a fill-in, whatever the
// settings say. An abstaining member's ratings count as not given.
std::vector<TScoreLine> ComputeFinalRating(const TRatingData& Data, const TSettings& Rules,
                                           const TRecusalFile& Decisions = TRecusalFile());

// Each run of two or more lines with equal scores in Lines, which stand by score, as the place
// of its first line and of the line after its last.
std::vector<std::pair<std::size_t, std::size_t>>
EqualScoreRuns(const std::vector<TScoreLine>& Lines);

// One member's rating sheet: only applicants still in the pool, by score with totals and in
// applicant-file order without. Blank ratings are filled in only with totals (and the setting),
// a recusal only with totals; a line under a decision says "Recused" or "Abstained" instead of
// the member's comment.
std::vector<TScoreLine> ComputeMemberRating(const TRatingData& Data, const TSettings& Rules,
                                            std::int32_t CommitteeID, bool PrintTotals,
                                            const TRecusalFile& Decisions = TRecusalFile());

// Rate × Base rounded to the nearest integer, halves to even, from the exact product of the
// double and the integer: 0.05 × 250 gives 13, since the double nearest 0.05 lies above it. A
// rate that is not a number from 0 to 1, or a base below 0, gives 0.
std::int64_t VeteranPoints(double Rate, std::int64_t Base);

// The rate of a stored veteran preference; 0 for a choice the table has no rate for.
double VeteranRate(const TSettings& Rules, double VeteranPreference);

// A stored rating as the scores count it: 1 to 5, or 0 (not rated). A damaged value outside 0 to
// 5 counts as not rated.
inline std::int32_t CountedRating(std::int32_t Stored) {
    return Stored >= 0 && Stored <= 5 ? Stored : 0;
}

} // namespace korvane
