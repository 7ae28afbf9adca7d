#include "data/RatingMerge.h"

#include <algorithm>
#include <limits>
#include <map>
#include <optional>
#include <unordered_set>

#include "data/FileNames.h"
#include "data/SelectDataBase.h"
#include "platform/sys/BinaryFile.h"
#include "platform/sys/FileReplace.h"

namespace korvane {

namespace {

// Larger files are no files of ours.
constexpr std::int64_t MaxFileBytes = std::int64_t{256} * 1024 * 1024;

const char* const DiskSide = "The Disk's";
const char* const OurSide = "This Position's";

enum class TRead { Whole, Missing, Damaged, Unreadable };

// Every whole record of a file, opened for reading only. Damaged when a broken record is left
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
    return bytes.size() % Codec::Size == 0 ? TRead::Whole : TRead::Damaged;
}

std::string Refusal(const char* Side, const char* File, TRead Read, const std::string& Detail) {
    return std::string("Error: ") + Side + " " + File +
           (Read == TRead::Unreadable ? " Cannot Be Read" : " Is Damaged") +
           "; No Rating Was Merged" + (Detail.empty() ? "" : "\n\n" + Detail);
}

// Refuses a file that cannot be read, and one that is damaged unless that is allowed.
std::string ReadRefusal(const char* Side, const char* File, TRead Read,
                        bool DamagedAllowed = false) {
    if (Read == TRead::Unreadable || (Read == TRead::Damaged && !DamagedAllowed)) {
        return Refusal(Side, File, Read,
                       Read == TRead::Damaged ? "Its Size Is No Whole Number Of Records"
                                              : std::string());
    }
    return {};
}

// The selected preferred criteria, the ratings and the sample names of the side in Folder.
std::string ReadSide(const std::string& Folder, const char* Side, TRatingSide& Into) {
    std::vector<TSelectRecord> criteria;
    TRead read = ReadRecords<TSelectRecordCodec>(Folder + PreferredFileName, criteria);
    if (std::string refused = ReadRefusal(Side, PreferredFileName, read); !refused.empty()) {
        return refused;
    }
    if (criteria.size() > RatingCount) {
        return Refusal(Side, PreferredFileName, TRead::Damaged, "It Selects More Than 12 Criteria");
    }
    Into.Criteria.clear();
    for (const auto& criterion : criteria) {
        Into.Criteria.push_back(criterion.CriterionID);
    }
    read = ReadRecords<TRateRecordCodec>(Folder + RatingFileName, Into.Ratings);
    if (std::string refused = ReadRefusal(Side, RatingFileName, read); !refused.empty()) {
        return refused;
    }
    // Only names: a damaged list still names its whole records.
    ReadRecords<TDataRecordCodec>(Folder + SamplePreferredFileName, Into.Samples);
    return {};
}

// The ratings of the disk are 0 to 5; anything else is a damaged file.
std::string OutOfRange(const std::vector<TRateRecord>& Ratings) {
    for (std::size_t i = 0; i < Ratings.size(); ++i) {
        const auto& rate = Ratings[i].Rate;
        if (std::any_of(rate.begin(), rate.end(), [](std::int32_t r) { return r < 0 || r > 5; })) {
            return Refusal(DiskSide, RatingFileName, TRead::Damaged,
                           "Record " + std::to_string(i + 1) + " Holds A Rating Outside 0 To 5");
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
// differ, and Missing then says which criterion, the first one of ours and then of the disk's
// that the other side lacks.
std::vector<std::size_t> MapCriteria(const TRatingSide& Ours, const TRatingSide& Disk,
                                     std::string& Missing) {
    std::map<std::int32_t, std::vector<std::size_t>> here, there;
    for (std::size_t i = 0; i < Ours.Criteria.size(); ++i) {
        here[Ours.Criteria[i]].push_back(i);
    }
    for (std::size_t j = 0; j < Disk.Criteria.size(); ++j) {
        there[Disk.Criteria[j]].push_back(j);
    }
    const auto lacking = [](const std::vector<std::int32_t>& Criteria,
                            std::map<std::int32_t, std::vector<std::size_t>>& Other) {
        std::map<std::int32_t, std::size_t> seen;
        for (const std::int32_t id : Criteria) {
            if (seen[id]++ >= Other[id].size()) {
                return std::optional<std::int32_t>(id);
            }
        }
        return std::optional<std::int32_t>();
    };
    const auto name = [](const TRatingSide& First, const TRatingSide& Second, std::int32_t ID) {
        std::string text = NameIn(First.Samples, ID);
        text = text.empty() ? NameIn(Second.Samples, ID) : text;
        return text.empty() ? "Criterion ID " + std::to_string(ID) : text;
    };
    if (const auto id = lacking(Ours.Criteria, there)) {
        Missing = "Only In This Position: " + name(Ours, Disk, *id);
        return {};
    }
    if (const auto id = lacking(Disk.Criteria, here)) {
        Missing = "Only On The Disk: " + name(Disk, Ours, *id);
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

std::string MergeSummary(const TMergeCounts& Counts) {
    return "Ratings Merged: " + std::to_string(Counts.Added) + " Added, " +
           std::to_string(Counts.Combined) + " Combined, " + std::to_string(Counts.Unchanged) +
           " Unchanged, " + std::to_string(Counts.Conflicts) + " Conflicts (" +
           std::to_string(Counts.TakenFromDisk) + " Taken From The Disk), " +
           std::to_string(Counts.Skipped) + " Skipped";
}

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

std::string TRatingMerge::Read(const std::string& DiskFolder) {
    std::string disk = DiskFolder;
    if (!disk.empty() && disk.back() != '/') {
        disk += '/';
    }
    TRatingSide ours, theirs;
    std::vector<TDataRecord> applicants, members;
    std::string refused = ReadSide("", OurSide, ours);
    if (refused.empty()) {
        refused = ReadSide(disk, DiskSide, theirs);
    }
    if (refused.empty()) {
        refused = OutOfRange(theirs.Ratings);
    }
    if (refused.empty()) {
        refused = ReadRefusal(OurSide, ApplicantFileName,
                              ReadRecords<TDataRecordCodec>(ApplicantFileName, applicants), true);
    }
    if (refused.empty()) {
        refused = ReadRefusal(OurSide, CommitteeFileName,
                              ReadRecords<TDataRecordCodec>(CommitteeFileName, members), true);
    }
    if (!refused.empty()) {
        *this = TRatingMerge();
        return refused;
    }
    return Compare(std::move(ours), std::move(theirs), applicants, members);
}

std::string TRatingMerge::Compare(TRatingSide Ours, TRatingSide Disk,
                                  const std::vector<TDataRecord>& Applicants,
                                  const std::vector<TDataRecord>& Members) {
    *this = TRatingMerge();
    std::string missing;
    const std::vector<std::size_t> places = MapCriteria(Ours, Disk, missing);
    if (!missing.empty()) {
        return "Error: The Criteria On The Disk Differ From This Position's; No Rating Was "
               "Merged\n\n" +
               missing;
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
    return {};
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
}

TMergeCounts TRatingMerge::Counts() const {
    TMergeCounts counts;
    for (const TDiskPair& pair : Pairs_) {
        switch (pair.Kind) {
        case TPairKind::Added:
            ++counts.Added;
            break;
        case TPairKind::Unchanged:
            ++counts.Unchanged;
            break;
        case TPairKind::Combined:
            ++counts.Combined;
            break;
        case TPairKind::Conflict:
            ++counts.Conflicts;
            counts.TakenFromDisk += pair.TakeTheirs ? 1 : 0;
            break;
        case TPairKind::Skipped:
            ++counts.Skipped;
            break;
        case TPairKind::Empty:
            break;
        }
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
    return Ratings.ReplaceAll(Merged()) && together.Commit();
}

std::string TRatingMerge::ApplicantName(std::int32_t ID) const {
    const auto found = Applicants_.find(ID);
    return found != Applicants_.end() ? found->second : DescriptionNotFound;
}

std::string TRatingMerge::MemberName(std::int32_t ID) const {
    const auto found = Members_.find(ID);
    return found != Members_.end() ? found->second : DescriptionNotFound;
}

std::vector<std::string> TRatingMerge::SkippedLines() const {
    std::vector<std::string> lines;
    for (const TDiskPair& pair : Pairs_) {
        if (pair.Kind != TPairKind::Skipped) {
            continue;
        }
        const bool applicant = Applicants_.contains(pair.Theirs.ApplicantID);
        const bool member = Members_.contains(pair.Theirs.CommitteeID);
        lines.push_back("Applicant " + std::to_string(pair.Theirs.ApplicantID) + ", Member " +
                        std::to_string(pair.Theirs.CommitteeID) + ": Unknown " +
                        (!applicant && !member ? "Applicant And Member"
                         : !applicant          ? "Applicant"
                                               : "Member"));
    }
    return lines;
}

} // namespace korvane
