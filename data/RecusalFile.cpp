#include "data/RecusalFile.h"

#include <algorithm>
#include <filesystem>

#include "data/WholeNumber.h"
#include "platform/sys/FileCopy.h"
#include "platform/sys/FileReplace.h"
#include "platform/sys/InOutError.h"
#include "platform/sys/TextFile.h"

namespace korvane {

namespace {

std::uint64_t PairKey(std::int32_t ApplicantID, std::int32_t CommitteeID) {
    return static_cast<std::uint64_t>(static_cast<std::uint32_t>(ApplicantID)) << 32 |
           static_cast<std::uint32_t>(CommitteeID);
}

} // namespace

const char* DecisionKindText(TDecisionKind Kind) {
    return Kind == TDecisionKind::Recused ? "Recused" : "Abstained";
}

std::string DecisionLine(const TDecision& Decision) {
    return std::to_string(Decision.ApplicantID) + ',' + std::to_string(Decision.CommitteeID) + ',' +
           (Decision.Kind == TDecisionKind::Recused ? 'R' : 'A') + ',' + Decision.Reason;
}

std::optional<TDecision> DecisionFromLine(const std::string& Line) {
    std::string fields[3];
    std::size_t from = 0;
    for (std::string& field : fields) {
        const std::size_t comma = Line.find(',', from);
        if (comma == std::string::npos) {
            return std::nullopt;
        }
        field = Line.substr(from, comma - from);
        from = comma + 1;
    }
    const auto applicant = WholeNumber(fields[0]);
    const auto member = WholeNumber(fields[1]);
    if (!applicant || !member || (fields[2] != "R" && fields[2] != "A")) {
        return std::nullopt;
    }
    return TDecision{*applicant, *member,
                     fields[2] == "R" ? TDecisionKind::Recused : TDecisionKind::Abstained,
                     Line.substr(from, MaxReasonLength)};
}

TRecusalFile TRecusalFile::Read(const std::string& Path) {
    TRecusalFile file;
    file.Path_ = Path;
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(Path, error))) {
        return file;
    }
    TTextFile text;
    if (!text.Open(Path)) {
        file.Unreadable_ = true;
        return file;
    }
    try {
        std::string line;
        for (int number = 1; text.ReadLine(line); ++number) {
            if (line.empty()) {
                continue;
            }
            if (const auto decision = DecisionFromLine(line)) {
                file.Decisions_.push_back(*decision);
            } else {
                file.DamagedLines_.push_back(number);
            }
        }
    } catch (const EInOutError&) {
        file.Unreadable_ = true;
    }
    file.IndexPairs();
    return file;
}

void TRecusalFile::IndexPairs() {
    Pairs_.clear();
    for (std::size_t i = 0; i < Decisions_.size(); ++i) {
        Pairs_.emplace(PairKey(Decisions_[i].ApplicantID, Decisions_[i].CommitteeID), i);
    }
}

const TDecision* TRecusalFile::Find(std::int32_t ApplicantID, std::int32_t CommitteeID) const {
    const auto found = Pairs_.find(PairKey(ApplicantID, CommitteeID));
    return found == Pairs_.end() ? nullptr : &Decisions_[found->second];
}

void TRecusalFile::Set(TDecision Decision) {
    Decision.Reason.resize(std::min(Decision.Reason.size(), MaxReasonLength));
    const auto found = Pairs_.find(PairKey(Decision.ApplicantID, Decision.CommitteeID));
    if (found == Pairs_.end()) {
        Decisions_.push_back(std::move(Decision));
        IndexPairs();
        return;
    }
    const std::size_t first = found->second;
    Decisions_[first] = std::move(Decision);
    const auto later =
        std::remove_if(Decisions_.begin() + static_cast<std::ptrdiff_t>(first) + 1,
                       Decisions_.end(), [&](const TDecision& other) {
                           return other.ApplicantID == Decisions_[first].ApplicantID &&
                                  other.CommitteeID == Decisions_[first].CommitteeID;
                       });
    Decisions_.erase(later, Decisions_.end());
    IndexPairs();
}

bool TRecusalFile::Lift(std::int32_t ApplicantID, std::int32_t CommitteeID) {
    const std::size_t before = Decisions_.size();
    std::erase_if(Decisions_, [&](const TDecision& decision) {
        return decision.ApplicantID == ApplicantID && decision.CommitteeID == CommitteeID;
    });
    IndexPairs();
    return Decisions_.size() != before;
}

std::string TRecusalFile::Text() const {
    std::string text;
    for (const TDecision& decision : Decisions_) {
        text += DecisionLine(decision) + "\r\n";
    }
    return text;
}

TDecisionsWrite TRecusalFile::Write() const {
    if (Unreadable_) {
        return TDecisionsWrite::Unreadable;
    }
    if (!DamagedLines_.empty()) {
        return TDecisionsWrite::Damaged;
    }
    return WriteFileReplacing(Path_, Text()) ? TDecisionsWrite::Written : TDecisionsWrite::Failed;
}

bool TRecusalFile::Stage(TFilesChange& Change) const {
    const std::string text = Text();
    return Whole() && Change.Stage(Path_, text.data(), text.size());
}

} // namespace korvane
