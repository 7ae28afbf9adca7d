#include "data/RatingProgress.h"

#include <algorithm>
#include <numeric>
#include <unordered_map>
#include <unordered_set>

#include "data/FileNames.h"

namespace korvane {

int TProgressCounts::Pairs() const {
    return std::accumulate(Of.begin(), Of.end(), 0);
}

std::vector<TDataRecord> ReadCommittee() {
    std::vector<TDataRecord> records;
    TDataBase file(CommitteeFileName);
    TDataRecord rec;
    file.First(rec);
    while (file.Status() == 0) {
        records.push_back(rec);
        file.Next(rec);
    }
    return records;
}

TRatingProgress TRatingProgress::ReadWorkingDirectory() {
    const TRatingData data = TRatingData::ReadWorkingDirectory();
    return TRatingProgress(data, TRecusalFile::Read(), ReadCommittee());
}

TRatingProgress::TRatingProgress(const TRatingData& Data, TRecusalFile Decisions,
                                 const std::vector<TDataRecord>& Committee)
    : Decisions_(std::move(Decisions)) {
    // Where each member's ratings stand in the rows of the rating table.
    std::unordered_map<std::int32_t, std::size_t> column;
    for (std::size_t m = 0; m < Data.CommitteeIDs().size(); ++m) {
        column.emplace(Data.CommitteeIDs()[m], m);
    }
    std::unordered_map<std::int32_t, std::size_t> memberIndex;
    for (const TDataRecord& member : Committee) {
        if (column.contains(member.ID) && memberIndex.emplace(member.ID, Members_.size()).second) {
            Members_.push_back({member.ID, member.Description});
        }
    }
    std::unordered_map<std::int32_t, std::size_t> applicantIndex;
    std::unordered_set<std::int32_t> inPool;
    std::vector<std::size_t> rows; // the rating-table row of each pool applicant
    const std::vector<TDataRecord>& applicants = Data.Applicants();
    for (std::size_t i = 0; i < applicants.size(); ++i) {
        applicantIndex.emplace(applicants[i].ID, i);
        if (applicants[i].ApplicantStatus == 0 && inPool.insert(applicants[i].ID).second) {
            Pool_.push_back(applicants[i]);
            rows.push_back(i);
        }
    }

    const std::size_t criteria = std::min(Data.Criteria().size(), RatingCount);
    const auto ratedState = [criteria](std::size_t Rated) {
        return Rated == criteria ? TRatingState::Full
               : Rated == 0      ? TRatingState::NotRated
                                 : TRatingState::Partly;
    };
    const bool decided = !Decisions_.Decisions().empty();
    States_.resize(Members_.size() * Pool_.size());
    Counts_.resize(Members_.size());
    // By place in the committee file: what the member's record of the applicant holds.
    std::vector<TRatingState> byPlace(Data.CommitteeIDs().size());
    std::vector<std::size_t> places;
    for (const TMember& member : Members_) {
        places.push_back(column.at(member.ID));
    }
    for (std::size_t p = 0; p < Pool_.size(); ++p) {
        std::fill(byPlace.begin(), byPlace.end(), ratedState(0));
        for (const TMemberRating& rating : Data.CommitteeRatings(rows[p])) {
            byPlace[rating.Member] = ratedState(static_cast<std::size_t>(std::count_if(
                rating.Rate.begin(), rating.Rate.begin() + static_cast<std::ptrdiff_t>(criteria),
                [](std::uint8_t r) { return r > 0; })));
        }
        for (std::size_t k = 0; k < Members_.size(); ++k) {
            const TDecision* decision =
                decided ? Decisions_.Find(Pool_[p].ID, Members_[k].ID) : nullptr;
            TRatingState state = byPlace[places[k]];
            if (decision != nullptr) {
                state = decision->Kind == TDecisionKind::Recused ? TRatingState::Recused
                                                                 : TRatingState::Abstained;
            }
            States_[k * Pool_.size() + p] = state;
            ++Counts_[k].Of[static_cast<std::size_t>(state)];
            ++Totals_.Of[static_cast<std::size_t>(state)];
        }
    }

    // The decisions that count, by member and applicant; the others as they stand in the file.
    std::vector<std::pair<std::size_t, std::size_t>> order;
    for (const TDecision& decision : Decisions_.Decisions()) {
        if (Decisions_.Find(decision.ApplicantID, decision.CommitteeID) != &decision) {
            continue; // a later line of a pair
        }
        const auto member = memberIndex.find(decision.CommitteeID);
        const auto applicant = applicantIndex.find(decision.ApplicantID);
        const bool memberThere = member != memberIndex.end();
        const bool applicantThere = applicant != applicantIndex.end();
        TDecisionRow row{decision, memberThere ? Members_[member->second].Name : std::string(),
                         applicantThere ? applicants[applicant->second].Description : std::string(),
                         !memberThere, !applicantThere};
        if (memberThere && applicantThere) {
            order.emplace_back(member->second, applicant->second);
            Counted_.push_back(std::move(row));
        } else {
            NotCounted_.push_back(std::move(row));
        }
    }
    std::vector<std::size_t> sorted(Counted_.size());
    std::iota(sorted.begin(), sorted.end(), 0);
    std::sort(sorted.begin(), sorted.end(),
              [&](std::size_t A, std::size_t B) { return order[A] < order[B]; });
    std::vector<TDecisionRow> rowsInOrder;
    for (const std::size_t i : sorted) {
        rowsInOrder.push_back(std::move(Counted_[i]));
    }
    Counted_ = std::move(rowsInOrder);
}

TMissingRatings TRatingProgress::Missing(std::span<const std::int32_t> MemberIDs) const {
    TMissingRatings missing;
    std::vector<bool> applicants(Pool_.size(), false);
    for (std::size_t k = 0; k < Members_.size(); ++k) {
        if (!MemberIDs.empty() &&
            std::find(MemberIDs.begin(), MemberIDs.end(), Members_[k].ID) == MemberIDs.end()) {
            continue;
        }
        const int before = missing.Ratings;
        for (std::size_t p = 0; p < Pool_.size(); ++p) {
            const TRatingState state = State(k, p);
            if (state == TRatingState::Partly || state == TRatingState::NotRated) {
                ++missing.Ratings;
                applicants[p] = true;
            }
        }
        missing.Members += missing.Ratings != before ? 1 : 0;
    }
    missing.Applicants = static_cast<int>(std::count(applicants.begin(), applicants.end(), true));
    return missing;
}

} // namespace korvane
