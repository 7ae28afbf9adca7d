#include "data/DecidedRatings.h"

namespace korvane {

TDecidedRatings::TDecidedRatings(const TRecusalFile& Decisions, std::int32_t ApplicantID,
                                 std::span<const std::int32_t> Members, const TRatingCell* Cells)
    : Cells_(Cells) {
    if (Decisions.Decisions().empty()) {
        return;
    }
    for (std::size_t m = 0; m < Members.size(); ++m) {
        const TDecision* decision = Decisions.Find(ApplicantID, Members[m]);
        if (decision == nullptr) {
            continue;
        }
        if (Changed_.empty()) {
            Changed_.assign(Cells, Cells + Members.size());
            Decisions_.assign(Members.size(), nullptr);
        }
        Changed_[m].Rate = {};
        Decisions_[m] = decision;
        AnyRecused_ = AnyRecused_ || decision->Kind == TDecisionKind::Recused;
    }
}

} // namespace korvane
