#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "data/DataBase.h"
#include "data/ProcessState.h"
#include "data/RateDataBase.h"
#include "data/RecusalFile.h"
#include "data/SelectDataBase.h"
#include "data/SetupCounts.h"

namespace korvane {

// What one member's rating record of one applicant holds for the scores: the stored ratings
// (all 0 without a record) and the record itself (nullptr without one).
struct TRatingCell {
    std::array<std::int32_t, RatingCount> Rate{};
    const TRateRecord* Record = nullptr;
};

// The files a score run reads, each read once: Applicant.Dat, committee.dat, Preferre.dat and
// Rating.dat of the working directory. Look-ups answer what the record files' own searches
// answer: the first record in file order wins.
class TRatingData {
public:
    // Reads the four files; a missing one is created empty, as the record files do. Raises
    // EInOutError when a file's size cannot be asked.
    static TRatingData ReadWorkingDirectory();

    TRatingData(TRatingData&&) = default;
    TRatingData& operator=(TRatingData&&) = default;
    TRatingData(const TRatingData&) = delete; // the cells point into the rating records
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
    // The first rating record of the pair, or nullptr. Immediate for an applicant of the file
    // and a member of the committee; a search of the ratings for any other pair.
    const TRateRecord* Rating(std::int32_t ApplicantID, std::int32_t CommitteeID) const;

    // The cells of the applicant at Index of Applicants() with each member of CommitteeIDs(),
    // in committee order: one row of a table read in one pass over the ratings.
    const TRatingCell* CommitteeCells(std::size_t Index) const {
        return Cells_.data() + Index * CommitteeIDs_.size();
    }
    // The cells of every applicant, in applicant order, with one member, who need not be on the
    // committee.
    std::vector<TRatingCell> MemberCells(std::int32_t CommitteeID) const;

private:
    TRatingData() = default;

    std::vector<TDataRecord> Applicants_;
    std::unordered_map<std::int32_t, std::size_t> ApplicantIndex_; // first record of an ID
    std::vector<std::int32_t> CommitteeIDs_;
    std::unordered_map<std::int32_t, std::size_t> MemberIndex_; // first member of an ID
    std::vector<TSelectRecord> Criteria_;
    std::array<int, MaxSelectedCriteria> Weights_{};
    std::vector<TRateRecord> Ratings_;
    std::vector<TRatingCell> Cells_; // applicants × committee members
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

// The committee's score of every applicant, best final score first; equal scores keep the order
// of the applicant file. A recused member's ratings never count: each criterion takes the average
// of the other members' ratings instead, as a fill-in, whatever the settings say. An abstaining
// member's ratings count as not given.
std::vector<TScoreLine> ComputeFinalRating(const TRatingData& Data, const TSettings& Settings,
                                           const TRecusalFile& Decisions = TRecusalFile());

// One member's rating sheet: only applicants still in the pool, by score with totals and in
// applicant-file order without. Blank ratings are filled in only with totals (and the setting),
// a recusal only with totals; a line under a decision says "Recused" or "Abstained" instead of
// the member's comment.
std::vector<TScoreLine> ComputeMemberRating(const TRatingData& Data, const TSettings& Settings,
                                            std::int32_t CommitteeID, bool PrintTotals,
                                            const TRecusalFile& Decisions = TRecusalFile());

// Rate × Base rounded to the nearest integer, halves to even, from the exact product of the
// double and the integer: 0.05 × 250 gives 13, since the double nearest 0.05 lies above it. A
// rate that is not a number from 0 to 1, or a base below 0, gives 0.
std::int64_t VeteranPoints(double Rate, std::int64_t Base);

// The rate of a stored veteran preference; 0 for a choice the table has no rate for.
double VeteranRate(const TSettings& Settings, double VeteranPreference);

// A stored rating as the scores count it: 1 to 5, or 0 (not rated). A damaged value outside 0 to
// 5 counts as not rated.
inline std::int32_t CountedRating(std::int32_t Stored) {
    return Stored >= 0 && Stored <= 5 ? Stored : 0;
}

} // namespace korvane
