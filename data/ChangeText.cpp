#include "data/ChangeText.h"

#include <vector>

#include "platform/sys/CodePageText.h"

namespace korvane {

namespace {

constexpr const char* Arrow = " \xE2\x86\x92 ";

std::string Quoted(const std::string& CodePageName) {
    return '"' + Utf8FromCodePage(CodePageName) + '"';
}

std::string FromTo(const std::string& Before, const std::string& After) {
    return Before + Arrow + After;
}

std::string Counted(int Count, const std::string& Noun) {
    return std::to_string(Count) + ' ' + Noun + (Count == 1 ? "" : "s");
}

std::string Joined(const std::vector<std::string>& Items) {
    std::string text;
    for (const std::string& item : Items) {
        text += (text.empty() ? "" : ", ") + item;
    }
    return text;
}

const char* NounOf(TNamedList List) {
    switch (List) {
    case TNamedList::Members:
        return "member";
    case TNamedList::Applicants:
        return "applicant";
    case TNamedList::SampleRequired:
        return "sample required criterion";
    case TNamedList::SamplePreferred:
        return "sample preferred criterion";
    }
    return "";
}

const char* YesNo(bool Value) {
    return Value ? "yes" : "no";
}

} // namespace

std::string NamedRecordChange(TNamedList List, const TDataRecord* Before,
                              const TDataRecord* After) {
    const TDataRecord* record = After != nullptr ? After : Before;
    if (record == nullptr) {
        return {};
    }
    const std::string named =
        NounOf(List) + (' ' + std::to_string(record->ID)) + ' ' + Quoted(record->Description);
    const bool applicants = List == TNamedList::Applicants;
    const bool marked = List == TNamedList::SamplePreferred;
    if (Before == nullptr) {
        std::vector<std::string> items{named + " added"};
        const int veteran = VeteranIndex(After->VeteranPreference);
        if (applicants && veteran != 0) {
            items.push_back("veteran preference " + std::to_string(veteran));
        }
        if (applicants && After->ApplicantStatus != 0) {
            items.push_back("status " + std::to_string(After->ApplicantStatus));
        }
        if (marked && After->Mark == '*') {
            items.push_back("reference check");
        }
        return Joined(items);
    }
    if (After == nullptr) {
        return named + " deleted";
    }
    std::vector<std::string> items;
    if (Before->Description != After->Description) {
        items.push_back("name " + FromTo(Quoted(Before->Description), Quoted(After->Description)));
    }
    const int vetBefore = VeteranIndex(Before->VeteranPreference);
    const int vetAfter = VeteranIndex(After->VeteranPreference);
    if (applicants && vetBefore != vetAfter) {
        items.push_back("veteran preference " +
                        FromTo(std::to_string(vetBefore), std::to_string(vetAfter)));
    }
    if (applicants && Before->ApplicantStatus != After->ApplicantStatus) {
        items.push_back("status " + FromTo(std::to_string(Before->ApplicantStatus),
                                           std::to_string(After->ApplicantStatus)));
    }
    if (marked && (Before->Mark == '*') != (After->Mark == '*')) {
        items.push_back("reference check " +
                        FromTo(YesNo(Before->Mark == '*'), YesNo(After->Mark == '*')));
    }
    if (items.empty()) {
        return {};
    }
    return NounOf(List) + (' ' + std::to_string(After->ID)) + ' ' + Joined(items);
}

std::string SelectionChange(TSelectionList List, int Number, const TSelectRecord* Before,
                            const TSelectRecord* After, const std::string& BeforeName,
                            const std::string& AfterName) {
    const bool preferred = List == TSelectionList::Preferred;
    const std::string noun =
        std::string(preferred ? "selected preferred criterion " : "selected required criterion ") +
        std::to_string(Number) + ' ';
    if (Before == nullptr && After != nullptr) {
        return noun + Quoted(AfterName) + " added" +
               (preferred ? ", weight " + std::to_string(After->Weight) : "");
    }
    if (Before != nullptr && After == nullptr) {
        return noun + Quoted(BeforeName) + " deleted";
    }
    if (Before == nullptr) {
        return {};
    }
    const bool criterion = Before->CriterionID != After->CriterionID;
    const bool weight = preferred && Before->Weight != After->Weight;
    const std::string weights =
        FromTo(std::to_string(Before->Weight), std::to_string(After->Weight));
    if (!criterion) {
        return weight ? "weight of " + Quoted(BeforeName) + ' ' + weights : std::string();
    }
    return noun + FromTo(Quoted(BeforeName), Quoted(AfterName)) +
           (weight ? ", weight " + weights : "");
}

std::string WithRatings(int Count, const char* What) {
    return Count > 0 ? ", with " + Counted(Count, What) : std::string();
}

std::string RatingChange(const TRateRecord& Before, const TRateRecord& After, bool New) {
    const std::string pair = "applicant " + std::to_string(After.ApplicantID) + " by member " +
                             std::to_string(After.CommitteeID);
    std::vector<std::string> items;
    for (std::size_t n = 0; n < RatingCount; ++n) {
        if (Before.Rate[n] != After.Rate[n]) {
            items.push_back("criterion " + std::to_string(n + 1) + ": " +
                            FromTo(std::to_string(Before.Rate[n]), std::to_string(After.Rate[n])));
        }
    }
    const bool ratingsOnly = items.size() == 1;
    if (Before.Comments != After.Comments) {
        items.push_back("comments " + FromTo(Quoted(Before.Comments), Quoted(After.Comments)));
    }
    if (items.size() == 1 && ratingsOnly) {
        return "rating of " + pair + ", " + items.front();
    }
    if (items.empty()) {
        return New ? "ratings of " + pair + ": blank sheet stored" : std::string();
    }
    return "ratings of " + pair + ": " + Joined(items);
}

std::string ImportChange(const TImportResult& Result) {
    const std::string applicants = Counted(Result.Loaded, "applicant");
    if (Result.Reason == TImportOutcome::Imported) {
        return "\"Korvane Updated\": " + applicants;
    }
    if (Result.Loaded == 0) {
        return {};
    }
    if (Result.Reason == TImportOutcome::Canceled) {
        return "update canceled: " + applicants + " stored";
    }
    return "update stopped at line " + std::to_string(Result.LineNumber) + ": " + applicants +
           " stored";
}

std::string DecisionChange(const TDecision* Before, const TDecision* After) {
    const TDecision* pair = After ? After : Before;
    if (!pair || (Before && After && *Before == *After)) {
        return {};
    }
    const auto text = [](const TDecision* Decision) {
        if (!Decision) {
            return std::string("none");
        }
        std::string kind = Decision->Kind == TDecisionKind::Recused ? "recused" : "abstained";
        return Decision->Reason.empty() ? kind : kind + ' ' + Quoted(Decision->Reason);
    };
    return "decision of member " + std::to_string(pair->CommitteeID) + " on applicant " +
           std::to_string(pair->ApplicantID) + ": " + FromTo(text(Before), text(After));
}

std::string MergeChange(const TMergeCounts& Counts) {
    return "ratings merged: " + std::to_string(Counts.Added) + " added, " +
           std::to_string(Counts.Combined) + " combined, " + std::to_string(Counts.Unchanged) +
           " unchanged, " + Counted(Counts.Conflicts, "conflict") + " (" +
           std::to_string(Counts.TakenFromDisk) + " taken from the disk), " +
           std::to_string(Counts.Skipped) + " skipped";
}

} // namespace korvane
