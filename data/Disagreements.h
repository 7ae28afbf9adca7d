#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/RecusalFile.h"
#include "data/ScoreComputation.h"

namespace korvane {

// One criterion of one applicant on which the members' ratings lie far apart.
struct TDisagreement {
    std::int32_t ApplicantID = 0;
    char Mark = ' ';
    std::string Name;
    std::size_t Criterion = 0; // from 1
    // By member in the order of TDisagreements::Members; 0 where the member's rating does not
    // count.
    std::vector<std::int32_t> Ratings;
    std::int32_t Spread = 0; // the highest rating less the lowest

    bool operator==(const TDisagreement&) const = default;
};

// How one member rates beside the others.
struct TMemberTendency {
    std::int32_t MemberID = 0;
    std::int64_t Ratings = 0;  // the member's ratings that count
    std::int64_t Compared = 0; // of them, those on a criterion another member rated as well
    // Over the compared ratings, the mean of the rating less the other members' average on the
    // same applicant and criterion; 0 when none was compared.
    double MeanDifference = 0.0;
};

struct TDisagreements {
    std::vector<std::int32_t> Members; // committee member IDs, each once, in committee.dat order
    std::vector<TDisagreement> Lines;
    std::vector<TMemberTendency> Tendencies; // in the order of Members
};

// The committee's consensus agenda: for each applicant still in the pool, in the order of
// FinalLines (the final sheet's lines), each selected preferred criterion whose counted ratings
// spread by Spread points or more. A rating counts when it is above 0 and comes from a member of
// the committee for an applicant still in the pool, and the member neither recused nor
// abstained (Decisions); a fill-in is no rating. An applicant's ID that stands on more than one
// line counts once.
TDisagreements ComputeDisagreements(const TRatingData& Data,
                                    const std::vector<TScoreLine>& FinalLines, int Spread,
                                    const TRecusalFile& Decisions);

} // namespace korvane
