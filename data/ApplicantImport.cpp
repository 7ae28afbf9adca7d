#include "data/ApplicantImport.h"

#include <algorithm>
#include <filesystem>
#include <string_view>
#include <unordered_map>

#include "data/FileNames.h"
#include "data/WholeNumber.h"
#include "platform/sys/CodePageText.h"
#include "platform/sys/InOutError.h"
#include "platform/sys/TextFile.h"

namespace korvane {

namespace {

constexpr std::size_t ShortestLine = 6;
constexpr std::size_t IdentifierWidth = 10;

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";

// Descriptions compare as the applicant file orders them: bytes, unsigned, the shorter first.
bool Before(const TDataRecord& Left, const TDataRecord& Right) {
    return std::string_view(Left.Description).substr(0, MaxDescriptionLength) <
           std::string_view(Right.Description).substr(0, MaxDescriptionLength);
}

// What the import compares after storing a line: the fields the line gives.
bool SameApplicant(const TDataRecord& Stored, const TDataRecord& Line) {
    return Stored.ID == Line.ID && Stored.Description == Line.Description &&
           Stored.Mark == Line.Mark && Stored.VeteranPreference == Line.VeteranPreference;
}

// The applicant file in memory, changed line by line exactly as TDataBase::Replace changes the
// file (the first record of an ID gives way, the new one goes after every record whose name is
// not greater, a second record of the ID refuses it), but fast enough for lists of thousands:
// records sit in a pool, the file order is a list of pool places, and while the file is sorted
// the place of a name is found by halving.
class TApplicantOrder {
public:
    explicit TApplicantOrder(std::vector<TDataRecord> Records) : Pool_(std::move(Records)) {
        for (std::uint32_t i = 0; i < Pool_.size(); ++i) {
            Order_.push_back(i);
            IDs_.push_back(Pool_[i].ID);
            ++IDCount_[Pool_[i].ID];
            Sorted_ = Sorted_ && (i == 0 || !Before(Pool_[i], Pool_[i - 1]));
        }
    }

    // Replace followed by the import's look at the record at the cursor: true when that record
    // is Rec as the line gives it. A refused Replace changes nothing and leaves the cursor on
    // the other record of the ID.
    bool Replace(const TDataRecord& Rec) {
        const auto first = Find(Rec.ID, 0);
        const std::size_t remaining = Order_.size() - (first ? 1 : 0);
        // Insert tests for a duplicate only in a file of two or more records.
        if (remaining >= 2 && IDCount_[Rec.ID] > (first ? 1 : 0)) {
            return SameApplicant(At(*Find(Rec.ID, first ? *first + 1 : 0)), Rec);
        }
        TDataRecord copy = Rec;
        if (first) {
            copy.ApplicantStatus = At(*first).ApplicantStatus;
            Remove(*first);
        }
        Insert(std::move(copy));
        Changed_ = true;
        return true;
    }

    bool Changed() const { return Changed_; }

    std::vector<TDataRecord> Records() const {
        std::vector<TDataRecord> records;
        records.reserve(Order_.size());
        for (const std::uint32_t place : Order_) {
            records.push_back(Pool_[place]);
        }
        return records;
    }

private:
    const TDataRecord& At(std::size_t Index) const { return Pool_[Order_[Index]]; }

    std::optional<std::size_t> Find(std::int32_t ID, std::size_t From) const {
        if (IDCount_.count(ID) == 0 || IDCount_.at(ID) == 0) {
            return std::nullopt;
        }
        const auto found =
            std::find(IDs_.begin() + static_cast<std::ptrdiff_t>(From), IDs_.end(), ID);
        if (found == IDs_.end()) {
            return std::nullopt;
        }
        return static_cast<std::size_t>(found - IDs_.begin());
    }

    void Remove(std::size_t Index) {
        --IDCount_[IDs_[Index]];
        Order_.erase(Order_.begin() + static_cast<std::ptrdiff_t>(Index));
        IDs_.erase(IDs_.begin() + static_cast<std::ptrdiff_t>(Index));
    }

    // After the last record from the end whose name is not greater: in a sorted file the first
    // greater name, found by halving; in a damaged one by walking back from the end.
    void Insert(TDataRecord Rec) {
        std::size_t place = Order_.size();
        if (Sorted_) {
            place = static_cast<std::size_t>(
                std::upper_bound(Order_.begin(), Order_.end(), Rec,
                                 [this](const TDataRecord& New, std::uint32_t Place) {
                                     return Before(New, Pool_[Place]);
                                 }) -
                Order_.begin());
        } else {
            while (place > 0 && Before(Rec, At(place - 1))) {
                --place;
            }
        }
        ++IDCount_[Rec.ID];
        IDs_.insert(IDs_.begin() + static_cast<std::ptrdiff_t>(place), Rec.ID);
        Order_.insert(Order_.begin() + static_cast<std::ptrdiff_t>(place),
                      static_cast<std::uint32_t>(Pool_.size()));
        Pool_.push_back(std::move(Rec));
    }

    std::vector<TDataRecord> Pool_;
    std::vector<std::uint32_t> Order_; // pool places in file order
    std::vector<std::int32_t> IDs_;    // the IDs in file order
    std::unordered_map<std::int32_t, std::size_t> IDCount_;
    bool Sorted_ = true;
    bool Changed_ = false;
};

// Applicant.Dat held in one change for the whole import: read once, written once.
class TApplicantFile : public TDataBase {
public:
    TApplicantFile() : TDataBase(ApplicantFileName) {}

    // The records of the file, in file order; nullopt when the file cannot be read.
    std::optional<std::vector<TDataRecord>> Begin() {
        if (!Opened()) {
            return std::nullopt;
        }
        Change_.emplace(*this);
        if (!Change_->Loaded()) {
            Change_.reset();
            return std::nullopt;
        }
        std::vector<TDataRecord> records(static_cast<std::size_t>(CopyRecords()));
        for (std::size_t i = 0; i < records.size(); ++i) {
            TDataRecordCodec::Decode(CopyRecord(static_cast<std::int32_t>(i)), records[i]);
        }
        return records;
    }

    // Puts Records in the file's place, whole; false when that failed and the file is as it was.
    bool Commit(const std::vector<TDataRecord>& Records) {
        TruncateCopy(0);
        unsigned char bytes[TDataRecordCodec::Size];
        for (std::size_t i = 0; i < Records.size(); ++i) {
            std::fill(std::begin(bytes), std::end(bytes), 0);
            TDataRecordCodec::Encode(Records[i], bytes);
            WriteCopy(static_cast<std::int32_t>(i), bytes);
        }
        LastIndex_ = static_cast<std::int32_t>(Records.size()) - 1;
        const bool written = Change_->Commit();
        Change_.reset();
        return written;
    }

private:
    std::optional<TChange> Change_;
};

} // namespace

std::string IdentifierText(const std::string& Line) {
    const std::string field = Line.substr(0, IdentifierWidth);
    const auto first = field.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : field.substr(first);
}

std::optional<TDataRecord> ApplicantFromLine(const std::string& Line) {
    const auto id = WholeNumber(IdentifierText(Line));
    if (!id) {
        return std::nullopt;
    }
    TDataRecord rec;
    rec.ID = *id;
    const char code = Line.size() > IdentifierWidth ? Line[IdentifierWidth] : ' ';
    rec.VeteranPreference = code == '1' ? 1.0 : code == '2' ? 2.0 : 0.0;
    if (Line.size() > IdentifierWidth + 1) {
        rec.Description = Line.substr(IdentifierWidth + 1, MaxDescriptionLength);
    }
    for (char& c : rec.Description) {
        c = CodePageUpper(c);
    }
    rec.Mark = ' ';
    rec.ApplicantStatus = 0;
    return rec;
}

TImportResult ImportApplicants(const std::string& ListPath, const TImportProgress& Progress,
                               const TImportCancel& Cancel) {
    TImportResult result;
    TApplicantFile applicants;
    // Not a plain file (a folder, a pipe that would block) counts as no list at all.
    TTextFile list;
    if (!list.Open(ListPath)) {
        result.Reason = TImportOutcome::ListNotFound;
        return result;
    }
    if (!applicants.Opened()) {
        result.Reason = TImportOutcome::NotStored;
        return result;
    }
    const auto stored = applicants.Begin();
    std::optional<TApplicantOrder> order;
    if (stored) {
        order.emplace(*stored);
    }
    int firstLine = 0; // the first line stored in this change
    std::string firstID;
    // The lines read so far go into the file; a failure to write them stores none of them.
    const auto finish = [&](TImportOutcome Outcome) {
        result.Reason = Outcome;
        if (order && order->Changed() && !applicants.Commit(order->Records())) {
            result = {{TImportOutcome::NotStored, firstID, {}}, 0, firstLine};
        }
        return result;
    };
    bool utf8 = false;
    std::string line;
    for (;;) {
        try {
            if (!list.ReadLine(line)) {
                break;
            }
        } catch (const EInOutError&) {
            return finish(TImportOutcome::ListReadError);
        }
        ++result.LineNumber;
        // Editors save UTF-8 lists with a byte-order mark: the mark says how to read the rest.
        if (result.LineNumber == 1 && line.starts_with(Utf8Mark)) {
            utf8 = true;
            line.erase(0, Utf8Mark.size());
        }
        if (utf8) {
            line = CodePageFromUtf8(line);
        }
        if (line.size() < ShortestLine) {
            continue;
        }
        const auto rec = ApplicantFromLine(line);
        if (!rec) {
            result.Subject = IdentifierText(line);
            return finish(TImportOutcome::BadIdentifier);
        }
        if (firstLine == 0) {
            firstLine = result.LineNumber;
            firstID = IdentifierText(line);
        }
        if (!order || !order->Replace(*rec)) {
            result.Subject = IdentifierText(line);
            return finish(TImportOutcome::NotStored);
        }
        ++result.Loaded;
        if (Progress) {
            Progress(result.Loaded);
        }
        if (Cancel && Cancel()) {
            return finish(TImportOutcome::Canceled);
        }
    }
    list.Close();
    if (finish(TImportOutcome::Imported).Reason != TImportOutcome::Imported) {
        return result;
    }
    result.LineNumber = 0;
    std::error_code error;
    std::filesystem::remove(ListPath, error); // a list that stays is imported once more: harmless
    return result;
}

std::optional<TImportRetryGuard::TStamp> TImportRetryGuard::StampOf(const std::string& ListPath) {
    std::error_code error;
    TStamp stamp;
    stamp.Path = ListPath;
    stamp.Modified = std::filesystem::last_write_time(ListPath, error);
    if (error) {
        return std::nullopt;
    }
    stamp.Size = std::filesystem::file_size(ListPath, error);
    if (error) {
        stamp.Size = 0; // a folder or another kind of file: its time tells a change
    }
    return stamp;
}

bool TImportRetryGuard::ShouldTry(const std::string& ListPath) const {
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(ListPath, error))) {
        return false;
    }
    return !Failed_ || StampOf(ListPath) != FailedStamp_;
}

void TImportRetryGuard::NoteResult(const std::string& ListPath, const TImportResult& Result) {
    Failed_ = Result.Reason != TImportOutcome::Imported;
    FailedStamp_ = Failed_ ? StampOf(ListPath) : std::nullopt;
}

} // namespace korvane
