#include "data/SetupCounts.h"

#include "data/DataBase.h"
#include "data/FileNames.h"
#include "data/SelectDataBase.h"

namespace korvane {

namespace {

// An object that could not open its file counts as holding nothing, whatever its LastIndex.
template <class TFile> bool HoldsRecords(const char* FileName) {
    const TFile file(FileName);
    return file.Opened() && file.LastIndex() >= 0;
}

} // namespace

bool HasApplicants() {
    return HoldsRecords<TDataBase>(ApplicantFileName);
}
bool HasCommitteeMembers() {
    return HoldsRecords<TDataBase>(CommitteeFileName);
}
bool HasSelectedRequired() {
    return HoldsRecords<TSelectDataBase>(RequiredFileName);
}
bool HasSelectedPreferred() {
    return HoldsRecords<TSelectDataBase>(PreferredFileName);
}
bool HasSampleRequired() {
    return HoldsRecords<TDataBase>(SampleRequiredFileName);
}
bool HasSamplePreferred() {
    return HoldsRecords<TDataBase>(SamplePreferredFileName);
}

TSetupItem MissingPreferredSetup() {
    if (!HasApplicants()) {
        return TSetupItem::Applicants;
    }
    if (!HasCommitteeMembers()) {
        return TSetupItem::CommitteeMembers;
    }
    if (!HasSelectedPreferred()) {
        return TSetupItem::PreferredCriteria;
    }
    return TSetupItem::None;
}

TSetupItem MissingRequiredSetup() {
    if (!HasApplicants()) {
        return TSetupItem::Applicants;
    }
    if (!HasCommitteeMembers()) {
        return TSetupItem::CommitteeMembers;
    }
    if (!HasSelectedRequired()) {
        return TSetupItem::RequiredCriteria;
    }
    return TSetupItem::None;
}

int SelectedWeight(int N) {
    TSelectDataBase file(PreferredFileName);
    TSelectRecord rec;
    file.GoTo(rec, N - 1);
    return file.Opened() && file.Status() == 0 ? rec.Weight : 0;
}

int MaxPoints(std::array<int, MaxSelectedCriteria>& Values) {
    Values.fill(0);
    TSelectDataBase file(PreferredFileName);
    if (!file.Opened()) {
        return 0;
    }
    int sum = 0;
    TSelectRecord rec;
    file.First(rec);
    // The list never holds more than 12 criteria; any beyond are not counted.
    for (std::size_t n = 0; n < Values.size() && file.Status() == 0; ++n) {
        Values[n] = rec.Weight * 5;
        sum += Values[n];
        file.Next(rec);
    }
    return sum;
}

} // namespace korvane
