#include "data/DecidedRatings.h"

namespace korvane {

TApplicantDecisions::TApplicantDecisions(const TRecusalFile& Decisions, const TRatingData& Data,
                                         std::int32_t ApplicantID)
    : Decisions_(Decisions), Data_(Data), ApplicantID_(ApplicantID),
      Any_(!Decisions.Decisions().empty()) {
    for (std::uint32_t place = 0; Any_ && place < Data.CommitteeIDs().size(); ++place) {
        // A later place of a shared ID has no seats of its own: the first counts them all.
        const TDecision* decision = Of(Data.CommitteeIDs()[place]);
        if (decision != nullptr && decision->Kind == TDecisionKind::Recused) {
            RecusedSeats_ += Data.Seats(place);
        }
    }
}

} // namespace korvane
