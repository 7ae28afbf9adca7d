#pragma once

#include <cstdint>

#include "data/RecusalFile.h"
#include "data/ScoreComputation.h"

namespace korvane {

// The decisions on one applicant as a score run needs them. A recused or abstaining member's
// ratings of the applicant do not count (they stay in Rating.dat as they are); a recused
// member's seats take the other members' average. Without a decision on the applicant nothing
// changes.
class TApplicantDecisions {
public:
    TApplicantDecisions(const TRecusalFile& Decisions, const TRatingData& Data,
                        std::int32_t ApplicantID);

    // Whether the ratings of the member at Place of Data.CommitteeIDs() are under a decision.
    bool Decided(std::uint32_t Place) const {
        return Any_ && Decisions_.Find(ApplicantID_, Data_.CommitteeIDs()[Place]) != nullptr;
    }
    // The decision of the member with the ID, who need not be on the committee, or nullptr.
    const TDecision* Of(std::int32_t CommitteeID) const {
        return Any_ ? Decisions_.Find(ApplicantID_, CommitteeID) : nullptr;
    }
    // The places of the committee whose member is recused (members that share an ID count each).
    std::int64_t RecusedSeats() const { return RecusedSeats_; }

private:
    const TRecusalFile& Decisions_;
    const TRatingData& Data_;
    std::int32_t ApplicantID_;
    bool Any_;
    std::int64_t RecusedSeats_ = 0;
};

} // namespace korvane
