#include "data/RatingMerge.h"

#include <algorithm>
#include <limits>
#include <map>
#include <unordered_set>

#include "data/FileNames.h"
#include "data/SelectDataBase.h"
#include "platform/sys/BinaryFile.h"
#include "platform/sys/FileReplace.h"

namespace korvane {

namespace {

// Larger files are no files of ours.
constexpr std::int64_t MaxFileBytes = std::int64_t{256} * 1024 * 1024;

enum class TRead { Whole, Missing, Broken, Unreadable };

// Every whole record of a file, opened for reading only. Broken when a broken record is left
// over at the end.
template <class Codec>
TRead ReadRecords(const std::string& Path, std::vector<typename Codec::TRecord>& Records) {
    Records.clear();
    TBinaryFile file;
    const auto outcome = file.OpenReadOnly(Path);
    if (outcome != TBinaryFile::TOpenOutcome::Opened) {
        return outcome == TBinaryFile::TOpenOutcome::Missing ? TRead::Missing : TRead::Unreadable;
    }
    std::vector<unsigned char> bytes;
    if (!file.ReadAll(bytes, MaxFileBytes)) {
        return TRead::Unreadable;
    }
    Records.resize(bytes.size() / Codec::Size);
    for (std::size_t i = 0; i < Records.size(); ++i) {
        Codec::Decode(bytes.data() + i * Codec::Size, Records[i]);
    }
    return bytes.size() % Codec::Size == 0 ? TRead::Whole : TRead::Broken;
}

TMergeCheck Refused(TMergeRefusal Why, const char* File, bool OnDisk, int Record = 0) {
    TMergeCheck check;
    check.Reason = Why;
    check.Subject = File;
    check.OnDisk = OnDisk;
    check.Record = Record;
    return check;
}

// Refuses a file that cannot be read, and one with a broken record unless that is allowed.
TMergeCheck Refused(TRead Read, const char* File, bool OnDisk, bool BrokenAllowed = false) {
    if (Read == TRead::Unreadable || (Read == TRead::Broken && !BrokenAllowed)) {
        return Refused(Read == TRead::Broken ? TMergeRefusal::BrokenRecord
                                             : TMergeRefusal::Unreadable,
                       File, OnDisk);
    }
    return {};
}

// The selected preferred criteria, the ratings and the sample names of the side in Folder.
TMergeCheck ReadSide(const std::string& Folder, bool OnDisk, TRatingSide& Into) {
    std::vector<TSelectRecord> criteria;
    TRead read = ReadRecords<TSelectRecordCodec>(Folder + PreferredFileName, criteria);
    if (TMergeCheck refused = Refused(read, PreferredFileName, OnDisk); !refused.Ok()) {
        return refused;
    }
    if (criteria.size() > RatingCount) {
        return Refused(TMergeRefusal::TooManyCriteria, PreferredFileName, OnDisk);
    }
    Into.Criteria.clear();
    for (const auto& criterion : criteria) {
        Into.Criteria.push_back(criterion.CriterionID);
    }
    read = ReadRecords<TRateRecordCodec>(Folder + RatingFileName, Into.Ratings);
    if (TMergeCheck refused = Refused(read, RatingFileName, OnDisk); !refused.Ok()) {
        return refused;
    }
    // Only names: a broken list still names its whole records.
    ReadRecords<TDataRecordCodec>(Folder + SamplePreferredFileName, Into.Samples);
    // Decisions are merged line by line: a damaged line would be lost, here or from the disk.
    Into.Decisions = TRecusalFile::Read(Folder + RecusalFileName);
    if (!Into.Decisions.Whole()) {
        const auto& damaged = Into.Decisions.DamagedLines();
        return Refused(TMergeRefusal::DamagedDecisions, RecusalFileName, OnDisk,
                       damaged.empty() ? 0 : damaged.front());
    }
    if (OnDisk) {
        for (std::size_t i = 0; i < Into.Ratings.size(); ++i) {
            const auto& rate = Into.Ratings[i].Rate;
            if (std::any_of(rate.begin(), rate.end(),
                            [](std::int32_t r) { return r < 0 || r > 5; })) {
                return Refused(TMergeRefusal::RatingOutOfRange, RatingFileName, OnDisk,
                               static_cast<int>(i + 1));
            }
        }
    }
    return {};
}

std::string NameIn(const std::vector<TDataRecord>& Records, std::int32_t ID) {
    const auto found = std::find_if(Records.begin(), Records.end(),
                                    [ID](const TDataRecord& Rec) { return Rec.ID == ID; });
    return found != Records.end() ? found->Description : std::string();
}

std::unordered_map<std::int32_t, std::string> NamesByID(const std::vector<TDataRecord>& Records) {
    std::unordered_map<std::int32_t, std::string> names;
    for (const auto& rec : Records) {
        names.emplace(rec.ID, rec.Description); // the first record of an ID wins
    }
    return names;
}

// For each criterion of the disk, the place of the same criterion here: the k-th selection of a
// CriterionID on the disk is the k-th selection of it here. Empty when the two selections
// differ, and Differs then names the first criterion of ours, and then of the disk's, that the
// other side lacks.
std::vector<std::size_t> MapCriteria(const TRatingSide& Ours, const TRatingSide& Disk,
                                     TMergeCheck& Differs) {
    std::map<std::int32_t, std::vector<std::size_t>> here, there;
    for (std::size_t i = 0; i < Ours.Criteria.size(); ++i) {
        here[Ours.Criteria[i]].push_back(i);
    }
    for (std::size_t j = 0; j < Disk.Criteria.size(); ++j) {
        there[Disk.Criteria[j]].push_back(j);
    }
    const auto lacking = [&Differs](const TRatingSide& Side, const TRatingSide& Other,
                                    std::map<std::int32_t, std::vector<std::size_t>>& Others,
                                    TMergeRefusal Why) {
        std::map<std::int32_t, std::size_t> seen;
        for (const std::int32_t id : Side.Criteria) {
            if (seen[id]++ >= Others[id].size()) {
                const std::string name = NameIn(Side.Samples, id);
                Differs.Reason = Why;
                Differs.Subject = name.empty() ? NameIn(Other.Samples, id) : name;
                Differs.CriterionID = id;
                return true;
            }
        }
        return false;
    };
    if (lacking(Ours, Disk, there, TMergeRefusal::OnlyHere) ||
        lacking(Disk, Ours, here, TMergeRefusal::OnlyOnDisk)) {
        return {};
    }
    std::vector<std::size_t> places(Disk.Criteria.size());
    std::map<std::int32_t, std::size_t> seen;
    for (std::size_t j = 0; j < Disk.Criteria.size(); ++j) {
        const std::int32_t id = Disk.Criteria[j];
        places[j] = here[id][seen[id]++];
    }
    return places;
}

std::uint64_t PairKey(std::int32_t Applicant, std::int32_t Member) {
    return (std::uint64_t{static_cast<std::uint32_t>(Applicant)} << 32) |
           static_cast<std::uint32_t>(Member);
}

} // namespace

TRateRecord CombinedRating(const TRateRecord& Ours, const TRateRecord& Theirs, std::size_t Criteria,
                           bool TakeTheirs) {
    TRateRecord merged = Ours;
    const TRateRecord& winner = TakeTheirs ? Theirs : Ours;
    const TRateRecord& other = TakeTheirs ? Ours : Theirs;
    for (std::size_t n = 0; n < std::min(Criteria, RatingCount); ++n) {
        merged.Rate[n] = winner.Rate[n] != 0 ? winner.Rate[n] : other.Rate[n];
    }
    merged.Comments = winner.Comments.empty() ? other.Comments : winner.Comments;
    return merged;
}

TMergeCheck TRatingMerge::Read(const std::string& DiskFolder) {
    std::string disk = DiskFolder;
    if (!disk.empty() && disk.back() != '/') {
        disk += '/';
    }
    TRatingSide ours, theirs;
    std::vector<TDataRecord> applicants, members;
    TMergeCheck check = ReadSide("", false, ours);
    if (check.Ok()) {
        check = ReadSide(disk, true, theirs);
    }
    if (check.Ok()) {
        check = Refused(ReadRecords<TDataRecordCodec>(ApplicantFileName, applicants),
                        ApplicantFileName, false, true);
    }
    if (check.Ok()) {
        check = Refused(ReadRecords<TDataRecordCodec>(CommitteeFileName, members),
                        CommitteeFileName, false, true);
    }
    if (!check.Ok()) {
        *this = TRatingMerge();
        return check;
    }
    return Compare(std::move(ours), std::move(theirs), applicants, members);
}

TMergeCheck TRatingMerge::Compare(TRatingSide Ours, TRatingSide Disk,
                                  const std::vector<TDataRecord>& Applicants,
                                  const std::vector<TDataRecord>& Members) {
    *this = TRatingMerge();
    TMergeCheck differs;
    const std::vector<std::size_t> places = MapCriteria(Ours, Disk, differs);
    if (!differs.Ok()) {
        return differs;
    }
    CriteriaCount_ = std::min(Ours.Criteria.size(), RatingCount);
    for (std::size_t n = 0; n < CriteriaCount_; ++n) {
        const std::string name = NameIn(Ours.Samples, Ours.Criteria[n]);
        CriterionNames_.push_back(name.empty() ? DescriptionNotFound : name);
    }
    Applicants_ = NamesByID(Applicants);
    Members_ = NamesByID(Members);
    Ours_ = std::move(Ours.Ratings);

    std::unordered_map<std::uint64_t, std::int32_t> ours;
    ours.reserve(Ours_.size());
    for (std::size_t i = 0; i < Ours_.size(); ++i) {
        ours.emplace(PairKey(Ours_[i].ApplicantID, Ours_[i].CommitteeID),
                     static_cast<std::int32_t>(i));
    }
    std::unordered_set<std::uint64_t> seen;
    seen.reserve(Disk.Ratings.size());
    for (const TRateRecord& read : Disk.Ratings) {
        const std::uint64_t key = PairKey(read.ApplicantID, read.CommitteeID);
        if (!seen.insert(key).second) {
            continue;
        }
        TDiskPair pair;
        pair.Theirs = read;
        pair.Theirs.Rate.fill(0);
        for (std::size_t j = 0; j < places.size(); ++j) {
            if (places[j] < RatingCount) {
                pair.Theirs.Rate[places[j]] = read.Rate[j];
            }
        }
        const auto found = ours.find(key);
        pair.Ours = found != ours.end() ? found->second : -1;
        const auto& rate = pair.Theirs.Rate;
        if (!Applicants_.contains(read.ApplicantID) || !Members_.contains(read.CommitteeID)) {
            pair.Kind = TPairKind::Skipped;
        } else if (std::all_of(rate.begin(), rate.end(), [](std::int32_t r) { return r == 0; })) {
            pair.Kind = TPairKind::Empty;
        } else if (pair.Ours < 0) {
            pair.Kind = TPairKind::Added;
        } else {
            const TRateRecord& here = Ours_[static_cast<std::size_t>(pair.Ours)];
            bool conflict = false;
            for (std::size_t n = 0; n < CriteriaCount_; ++n) {
                conflict =
                    conflict || (here.Rate[n] != 0 && rate[n] != 0 && here.Rate[n] != rate[n]);
            }
            if (conflict) {
                pair.Kind = TPairKind::Conflict;
                Conflicts_.push_back(Pairs_.size());
            } else {
                pair.Kind = CombinedRating(here, pair.Theirs, CriteriaCount_, false) == here
                                ? TPairKind::Unchanged
                                : TPairKind::Combined;
            }
        }
        Pairs_.push_back(std::move(pair));
    }

    OurDecisions_ = std::move(Ours.Decisions);
    std::unordered_set<std::uint64_t> decided;
    for (const TDecision& theirs : Disk.Decisions.Decisions()) {
        if (!decided.insert(PairKey(theirs.ApplicantID, theirs.CommitteeID)).second) {
            continue; // the first line of a pair counts
        }
        TDiskDecision decision;
        decision.Theirs = theirs;
        const TDecision* here = OurDecisions_.Find(theirs.ApplicantID, theirs.CommitteeID);
        if (!Applicants_.contains(theirs.ApplicantID) || !Members_.contains(theirs.CommitteeID)) {
            decision.Kind = TPairKind::Skipped;
        } else if (here == nullptr) {
            decision.Kind = TPairKind::Added;
        } else {
            decision.Kind = *here == theirs ? TPairKind::Unchanged : TPairKind::Conflict;
        }
        Decisions_.push_back(std::move(decision));
    }
    return {};
}

TRecusalFile TRatingMerge::MergedDecisions() const {
    TRecusalFile merged = OurDecisions_;
    for (const TDiskDecision& decision : Decisions_) {
        if (decision.Kind == TPairKind::Added ||
            (decision.Kind == TPairKind::Conflict && decision.TakeTheirs)) {
            merged.Set(decision.Theirs);
        }
    }
    return merged;
}

void TRatingMerge::Decide(std::size_t Conflict, bool TakeTheirs) {
    if (Conflict < Conflicts_.size()) {
        Pairs_[Conflicts_[Conflict]].TakeTheirs = TakeTheirs;
    }
}

void TRatingMerge::DecideAll(bool TakeTheirs) {
    for (const std::size_t index : Conflicts_) {
        Pairs_[index].TakeTheirs = TakeTheirs;
    }
    for (TDiskDecision& decision : Decisions_) {
        decision.TakeTheirs = decision.Kind == TPairKind::Conflict && TakeTheirs;
    }
}

namespace {

void Count(TMergeCounts& Counts, TPairKind Kind, bool TakeTheirs) {
    switch (Kind) {
    case TPairKind::Added:
        ++Counts.Added;
        break;
    case TPairKind::Unchanged:
        ++Counts.Unchanged;
        break;
    case TPairKind::Combined:
        ++Counts.Combined;
        break;
    case TPairKind::Conflict:
        ++Counts.Conflicts;
        Counts.TakenFromDisk += TakeTheirs ? 1 : 0;
        break;
    case TPairKind::Skipped:
        ++Counts.Skipped;
        break;
    case TPairKind::Empty:
        break;
    }
}

} // namespace

TMergeCounts TRatingMerge::Counts() const {
    TMergeCounts counts;
    for (const TDiskPair& pair : Pairs_) {
        Count(counts, pair.Kind, pair.TakeTheirs);
    }
    for (const TDiskDecision& decision : Decisions_) {
        Count(counts, decision.Kind, decision.TakeTheirs);
    }
    return counts;
}

bool TRatingMerge::Changes() const {
    const TMergeCounts counts = Counts();
    return counts.Added + counts.Combined + counts.Conflicts > 0;
}

TRateRecord TRatingMerge::Ours(const TDiskPair& Pair) const {
    return Pair.Ours >= 0 ? Ours_[static_cast<std::size_t>(Pair.Ours)]
                          : BlankRating(Pair.Theirs.ApplicantID, Pair.Theirs.CommitteeID);
}

std::vector<TRateRecord> TRatingMerge::Merged() const {
    std::vector<TRateRecord> added;
    std::vector<TRateRecord> merged = Ours_;
    for (const TDiskPair& pair : Pairs_) {
        if (pair.Kind == TPairKind::Added) {
            added.push_back(pair.Theirs);
        } else if (pair.Kind == TPairKind::Combined || pair.Kind == TPairKind::Conflict) {
            auto& here = merged[static_cast<std::size_t>(pair.Ours)];
            here = CombinedRating(here, pair.Theirs, CriteriaCount_, pair.TakeTheirs);
        }
    }
    // Numbered as the rating sheet numbers new records, the disk's oldest first, so that the
    // file stays in descending order with the most recently rated pair in front.
    std::int64_t next = 1;
    for (const TRateRecord& rec : Ours_) {
        next = std::max<std::int64_t>(next, std::int64_t{rec.Sequence} + 1);
    }
    for (std::size_t i = added.size(); i-- > 0;) {
        added[i].Sequence = static_cast<std::int32_t>(
            std::min<std::int64_t>(next++, std::numeric_limits<std::int32_t>::max()));
    }
    added.insert(added.end(), merged.begin(), merged.end());
    return added;
}

bool TRatingMerge::Commit(TRateDataBase& Ratings) const {
    TFilesChange together;
    Ratings.JoinChange(together);
    const bool decisions = std::any_of(Decisions_.begin(), Decisions_.end(), [](const auto& d) {
        return d.Kind == TPairKind::Added || (d.Kind == TPairKind::Conflict && d.TakeTheirs);
    });
    return Ratings.ReplaceAll(Merged()) && (!decisions || MergedDecisions().Stage(together)) &&
           together.Commit();
}

std::string TRatingMerge::ApplicantName(std::int32_t ID) const {
    const auto found = Applicants_.find(ID);
    return found != Applicants_.end() ? found->second : DescriptionNotFound;
}

std::string TRatingMerge::MemberName(std::int32_t ID) const {
    const auto found = Members_.find(ID);
    return found != Members_.end() ? found->second : DescriptionNotFound;
}

} // namespace korvane
