#include "data/RatingProgress.h"

#include <algorithm>
#include <numeric>
#include <unordered_map>
#include <unordered_set>

#include "data/FileNames.h"
#include "platform/sys/CodePageText.h"

namespace korvane {

namespace {

constexpr std::size_t NameWidth = 40;

// "1 Rating", "7 Ratings".
std::string Quantity(int Count, const char* One, const char* Many) {
    return std::to_string(Count) + ' ' + (Count == 1 ? One : Many);
}

std::string Gone(std::int32_t ID, const char* What) {
    return "ID " + std::to_string(ID) + ", No Longer " + What;
}

// Text right-aligned in Width characters.
std::string Right(const std::string& Text, std::size_t Width) {
    return std::string(Width > Text.size() ? Width - Text.size() : 0, ' ') + Text;
}

// Code-page text padded to Width characters, then as UTF-8.
std::string Padded(const std::string& CodePageText, std::size_t Width) {
    std::string text = CodePageText.substr(0, Width);
    text.resize(Width, ' ');
    return Utf8FromCodePage(text);
}

constexpr const char* StateTexts[RatingStateCount] = {"Fully", "Partly", "Not Rated", "Abstained",
                                                      "Recused"};

std::string CountsRow(const std::string& ID, const std::string& Name,
                      const TProgressCounts& Counts) {
    std::string row =
        ID + std::string(ID.size() < 7 ? 7 - ID.size() : 1, ' ') + Padded(Name, NameWidth);
    for (std::size_t s = 0; s < RatingStateCount; ++s) {
        row += Right(std::to_string(Counts.Of[s]), std::string(StateTexts[s]).size() + 2);
    }
    return row + '\n';
}

// A line of a list of pairs: member and applicant in columns, then what there is to say.
std::string PairLine(const std::string& Member, const std::string& Applicant,
                     const std::string& Rest) {
    return "  " + Padded(Member, NameWidth) + ' ' + Padded(Applicant, NameWidth) + ' ' + Rest +
           '\n';
}

std::string DecisionText(const TDecisionRow& Row) {
    std::string text = DecisionKindText(Row.Decision.Kind);
    if (!Row.Decision.Reason.empty()) {
        text += ": " + Utf8FromCodePage(Row.Decision.Reason);
    }
    return PairLine(Row.Member, Row.Applicant, text);
}

} // namespace

int TProgressCounts::Pairs() const {
    return std::accumulate(Of.begin(), Of.end(), 0);
}

std::string MissingRatingsText(const TMissingRatings& Missing) {
    if (Missing.Ratings == 0) {
        return {};
    }
    return "Warning: " + Quantity(Missing.Ratings, "Rating Is", "Ratings Are") + " Missing (" +
           Quantity(Missing.Members, "Committee Member", "Committee Members") + ", " +
           Quantity(Missing.Applicants, "Applicant", "Applicants") + ")";
}

std::string ProgressVerdictText(const TMissingRatings& Missing) {
    const std::string warning = MissingRatingsText(Missing);
    return warning.empty() ? "Every Applicant In The Pool Is Rated Fully Or Under A Decision"
                           : warning;
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
    const bool decided = !Decisions_.Decisions().empty();
    States_.resize(Members_.size() * Pool_.size());
    Counts_.resize(Members_.size());
    for (std::size_t k = 0; k < Members_.size(); ++k) {
        const std::size_t m = column.at(Members_[k].ID);
        for (std::size_t p = 0; p < Pool_.size(); ++p) {
            const TDecision* decision =
                decided ? Decisions_.Find(Pool_[p].ID, Members_[k].ID) : nullptr;
            TRatingState state = TRatingState::NotRated;
            if (decision != nullptr) {
                state = decision->Kind == TDecisionKind::Recused ? TRatingState::Recused
                                                                 : TRatingState::Abstained;
            } else {
                const auto& rates = Data.CommitteeCells(rows[p])[m].Rate;
                const auto rated = static_cast<std::size_t>(std::count_if(
                    rates.begin(), rates.begin() + static_cast<std::ptrdiff_t>(criteria),
                    [](std::int32_t r) { return CountedRating(r) > 0; }));
                state = rated == criteria ? TRatingState::Full
                        : rated == 0      ? TRatingState::NotRated
                                          : TRatingState::Partly;
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
        TDecisionRow row{decision,
                         memberThere ? Members_[member->second].Name
                                     : Gone(decision.CommitteeID, "A Member"),
                         applicantThere ? applicants[applicant->second].Description
                                        : Gone(decision.ApplicantID, "An Applicant")};
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

std::string ProgressSummaryText(const TRatingProgress& Progress, const std::string& Title) {
    std::string text = "Rating Progress: " + Utf8FromCodePage(Title) + '\n' +
                       Quantity(static_cast<int>(Progress.Pool().size()),
                                "Applicant Still In The Pool", "Applicants Still In The Pool") +
                       ", " +
                       Quantity(static_cast<int>(Progress.Members().size()), "Committee Member",
                                "Committee Members") +
                       "\n\n";
    std::string heading = "ID     " + Padded("Committee Member", NameWidth);
    for (const char* state : StateTexts) {
        heading += "  " + std::string(state);
    }
    text += heading + '\n';
    for (std::size_t k = 0; k < Progress.Members().size(); ++k) {
        const TRatingProgress::TMember& member = Progress.Members()[k];
        text += CountsRow(std::to_string(member.ID), member.Name, Progress.Counts(k));
    }
    text += CountsRow("", "Total", Progress.Totals());

    std::string toRate;
    for (std::size_t k = 0; k < Progress.Members().size(); ++k) {
        for (std::size_t p = 0; p < Progress.Pool().size(); ++p) {
            const TRatingState state = Progress.State(k, p);
            if (state == TRatingState::Partly || state == TRatingState::NotRated) {
                toRate += PairLine(Progress.Members()[k].Name, Progress.Pool()[p].Description,
                                   state == TRatingState::Partly ? "Partly Rated" : "Not Rated");
            }
        }
    }
    if (!toRate.empty()) {
        text += "\nStill To Rate:\n" + toRate;
    }
    const auto listed = [&](const char* Heading, const std::vector<TDecisionRow>& Rows) {
        if (!Rows.empty()) {
            text += std::string("\n") + Heading + '\n';
            for (const TDecisionRow& row : Rows) {
                text += DecisionText(row);
            }
        }
    };
    listed("Recusals And Abstentions:", Progress.Counted());
    listed("Not Counted (Member Or Applicant No Longer There):", Progress.NotCounted());
    text += '\n' + ProgressVerdictText(Progress.Missing()) + '\n';
    return text;
}

} // namespace korvane
