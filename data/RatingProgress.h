#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "data/DataBase.h"
#include "data/RecusalFile.h"
#include "data/ScoreComputation.h"

namespace korvane {

// Where one member stands with one applicant still in the pool.
enum class TRatingState : std::uint8_t {
    Full,      // every selected preferred criterion rated above 0
    Partly,    // some of them
    NotRated,  // none, or no rating record at all
    Abstained, // under a decision: whatever Rating.dat holds does not count
    Recused,
};
inline constexpr std::size_t RatingStateCount = 5;

// How many applicants of the pool are in each state, for one member or the whole committee.
struct TProgressCounts {
    std::array<int, RatingStateCount> Of{};

    int operator[](TRatingState State) const { return Of[static_cast<std::size_t>(State)]; }
    int Pairs() const;
    // Pairs rated partly or not at all, and under no decision.
    int Missing() const { return (*this)[TRatingState::Partly] + (*this)[TRatingState::NotRated]; }
};

// The ratings still missing: pairs, and the members and applicants they belong to.
struct TMissingRatings {
    int Ratings = 0;
    int Members = 0;
    int Applicants = 0;

    bool operator==(const TMissingRatings&) const = default;
};

// A decision with the names of its member and applicant (code-page bytes); the name of one that
// is gone is empty, and its ID is the decision's.
struct TDecisionRow {
    TDecision Decision;
    std::string Member;
    std::string Applicant;
    bool MemberGone = false;
    bool ApplicantGone = false;
};

// Who still has to rate whom: every committee member against every applicant still in the pool.
class TRatingProgress {
public:
    struct TMember {
        std::int32_t ID = 0;
        std::string Name; // code-page bytes
    };

    // Reads Applicant.Dat, committee.dat, Preferre.dat, Rating.dat and Recusal.dat of the working
    // directory, each once.
    static TRatingProgress ReadWorkingDirectory();

    // Committee: the records of committee.dat in file order (only their IDs and names count).
    TRatingProgress(const TRatingData& Data, TRecusalFile Decisions,
                    const std::vector<TDataRecord>& Committee);

    // The members in committee.dat order and the applicants still in the pool in Applicant.Dat
    // (name) order; a repeated ID counts once.
    const std::vector<TMember>& Members() const { return Members_; }
    const std::vector<TDataRecord>& Pool() const { return Pool_; }
    TRatingState State(std::size_t Member, std::size_t Applicant) const {
        return States_[Member * Pool_.size() + Applicant];
    }
    const TProgressCounts& Counts(std::size_t Member) const { return Counts_[Member]; }
    const TProgressCounts& Totals() const { return Totals_; }

    // The file as read: its decisions, and whether it was read whole.
    const TRecusalFile& Decisions() const { return Decisions_; }
    // The decisions that count (member and applicant both there, the applicant also when
    // eliminated), by member in committee order, then by applicant in file order.
    const std::vector<TDecisionRow>& Counted() const { return Counted_; }
    // The decisions naming a member or an applicant that is no longer there, in file order.
    const std::vector<TDecisionRow>& NotCounted() const { return NotCounted_; }

    // The ratings missing from the members with these IDs (every member when empty).
    TMissingRatings Missing(std::span<const std::int32_t> MemberIDs = {}) const;

private:
    std::vector<TMember> Members_;
    std::vector<TDataRecord> Pool_;
    std::vector<TRatingState> States_; // members × pool
    std::vector<TProgressCounts> Counts_;
    TProgressCounts Totals_;
    TRecusalFile Decisions_;
    std::vector<TDecisionRow> Counted_;
    std::vector<TDecisionRow> NotCounted_;
};

// The committee.dat records in file order.
std::vector<TDataRecord> ReadCommittee();

} // namespace korvane
