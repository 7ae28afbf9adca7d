#include "data/Disagreements.h"

#include <algorithm>
#include <span>
#include <unordered_map>
#include <unordered_set>

namespace korvane {

TDisagreements ComputeDisagreements(const TRatingData& Data,
                                    const std::vector<TScoreLine>& FinalLines, int Spread,
                                    const TRecusalFile& Decisions) {
    TDisagreements result;
    // Members that share an ID share their ratings: one column for the first of them.
    const std::vector<std::int32_t>& committee = Data.CommitteeIDs();
    std::vector<std::size_t> columnOf(committee.size());
    std::unordered_map<std::int32_t, std::size_t> columnOfID;
    for (std::size_t place = 0; place < committee.size(); ++place) {
        const auto [found, added] = columnOfID.emplace(committee[place], result.Members.size());
        if (added) {
            result.Members.push_back(committee[place]);
        }
        columnOf[place] = found->second;
    }
    const std::size_t members = result.Members.size();
    const std::size_t criteria = std::min(Data.Criteria().size(), RatingCount);
    std::vector<double> differences(members, 0.0);
    result.Tendencies.resize(members);
    for (std::size_t m = 0; m < members; ++m) {
        result.Tendencies[m].MemberID = result.Members[m];
    }

    std::vector<std::int32_t> given(criteria * members); // by criterion, then member
    std::unordered_set<std::int32_t> seen;
    for (const TScoreLine& line : FinalLines) {
        const TDataRecord* applicant = Data.Applicant(line.ApplicantID);
        if (applicant == nullptr || applicant->ApplicantStatus != 0 ||
            !seen.insert(line.ApplicantID).second) {
            continue;
        }
        std::fill(given.begin(), given.end(), 0);
        const auto index = static_cast<std::size_t>(applicant - Data.Applicants().data());
        for (const TMemberRating& rating : Data.CommitteeRatings(index)) {
            if (Decisions.Find(line.ApplicantID, committee[rating.Member]) != nullptr) {
                continue;
            }
            for (std::size_t n = 0; n < criteria; ++n) {
                given[n * members + columnOf[rating.Member]] = rating.Rate[n];
            }
        }
        for (std::size_t n = 0; n < criteria; ++n) {
            const std::span<const std::int32_t> ratings(given.data() + n * members, members);
            std::int32_t lowest = 6, highest = 0, count = 0, sum = 0;
            for (const std::int32_t r : ratings) {
                if (r > 0) {
                    lowest = std::min(lowest, r);
                    highest = std::max(highest, r);
                    ++count;
                    sum += r;
                }
            }
            for (std::size_t m = 0; m < members; ++m) {
                if (ratings[m] == 0) {
                    continue;
                }
                TMemberTendency& tendency = result.Tendencies[m];
                ++tendency.Ratings;
                if (count > 1) {
                    ++tendency.Compared;
                    differences[m] +=
                        ratings[m] - static_cast<double>(sum - ratings[m]) / (count - 1);
                }
            }
            if (count > 1 && highest - lowest >= Spread) {
                result.Lines.push_back({line.ApplicantID, line.Mark, line.Name, n + 1,
                                        std::vector<std::int32_t>(ratings.begin(), ratings.end()),
                                        highest - lowest});
            }
        }
    }
    for (std::size_t m = 0; m < members; ++m) {
        TMemberTendency& tendency = result.Tendencies[m];
        if (tendency.Compared > 0) {
            tendency.MeanDifference = differences[m] / static_cast<double>(tendency.Compared);
        }
    }
    return result;
}

} // namespace korvane
