#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "data/RecusalFile.h"
#include "data/ScoreComputation.h"

namespace korvane {

// The ratings of one applicant as the decisions on it leave them: a recused or abstaining
// member's ratings count as not given (they stay in Rating.dat as they are). Without a decision
// on the applicant the cells are the ones given.
class TDecidedRatings {
public:
    // Cells: the applicant's cell with each of Members, in that order; they must outlive this.
    TDecidedRatings(const TRecusalFile& Decisions, std::int32_t ApplicantID,
                    std::span<const std::int32_t> Members, const TRatingCell* Cells);

    const TRatingCell* Cells() const { return Changed_.empty() ? Cells_ : Changed_.data(); }
    // The decision of the member at Index of Members, or nullptr.
    const TDecision* Decision(std::size_t Index) const {
        return Decisions_.empty() ? nullptr : Decisions_[Index];
    }
    bool Recused(std::size_t Index) const {
        const TDecision* decision = Decision(Index);
        return decision != nullptr && decision->Kind == TDecisionKind::Recused;
    }
    bool AnyRecused() const { return AnyRecused_; }

private:
    const TRatingCell* Cells_;
    std::vector<TRatingCell> Changed_;
    std::vector<const TDecision*> Decisions_; // per member; empty when the applicant has none
    bool AnyRecused_ = false;
};

} // namespace korvane
