// Random scripts of record operations on the three record-file classes, two objects open on
// each file, run side by side with a plain model of the operations in memory, written step by
// step as the operations are defined (read the record at Cursor, write it there, ...). After
// every step the records on disk, every object's Cursor, LastIndex and Status, and every result
// must agree. Scripts may make the next change fail at any of its steps.
//
// Where the model goes beyond the step-by-step definitions, the record files do too:
// - a change is made whole: when a step fails (a read or write outside the file) or the file
//   cannot be put in place, nothing changes, Status gains stIOError and Cursor and LastIndex
//   are as they were;
// - a change that moves records first counts every whole record of the file;
// - Delete fails when the record at LastIndex is not in the file;
// - an Insert refused inside Replace or ReplaceAt abandons the whole change.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "data/DataBase.h"
#include "data/RateDataBase.h"
#include "data/SelectDataBase.h"
#include "fuzz/FuzzSupport.h"
#include "platform/sys/BinaryFile.h"

namespace korvane::fuzz {
namespace {

struct TView {
    std::int32_t Cursor = 0;
    std::int32_t LastIndex = -1;
    std::uint16_t Status = 0;
};

// The fault seam as the model sees it: steps left until the failing one (0: none armed).
std::uint64_t FaultIn = 0;
bool Flushed = true;

// Whether putting a copy in the file's place works, counting the steps it takes: creating the
// new file, writing it (not when empty), flushing it, renaming it, flushing the folder.
bool PutInPlace(bool Empty) {
    const std::uint64_t steps = (Flushed ? 4 : 2) + (Empty ? 0 : 1);
    if (FaultIn == 0) {
        return true;
    }
    if (FaultIn <= steps) {
        FaultIn = 0;
        return false;
    }
    FaultIn -= steps;
    return true;
}

template <class Codec> typename Codec::TRecord Stored(const typename Codec::TRecord& Rec) {
    unsigned char bytes[Codec::Size] = {};
    Codec::Encode(Rec, bytes);
    typename Codec::TRecord result;
    Codec::Decode(bytes, result);
    return result;
}

template <class Codec> std::string Bytes(const typename Codec::TRecord& Rec) {
    unsigned char bytes[Codec::Size] = {};
    Codec::Encode(Rec, bytes);
    return std::string(reinterpret_cast<const char*>(bytes), Codec::Size);
}

const std::string& Text(const TDataRecord& Rec) {
    return Rec.Description;
}
const std::string& Text(const TRateRecord& Rec) {
    return Rec.Comments;
}
std::string Text(const TSelectRecord&) {
    return {};
}

template <class Codec>
bool Same(const typename Codec::TRecord& Left, const typename Codec::TRecord& Right) {
    return Bytes<Codec>(Left) == Bytes<Codec>(Right) && Text(Left) == Text(Right);
}

// One object on a model file: the step-by-step operations.
template <class Codec> class TModel {
public:
    using R = typename Codec::TRecord;

    TModel(std::vector<R>& File) : File_(File), Store_(&File) {
        View.LastIndex = static_cast<std::int32_t>(File.size()) - 1;
    }

    TView View;

    std::int32_t Count() const { return static_cast<std::int32_t>(Store_->size()); }

    bool ReadRecord(R& Rec) {
        if (View.Cursor >= 0 && View.Cursor < Count()) {
            Rec = (*Store_)[static_cast<std::size_t>(View.Cursor)];
            return true;
        }
        View.Status |= stIOError;
        return false;
    }

    void First(R& Rec) {
        View.Status = 0;
        View.Cursor = 0;
        ReadRecord(Rec);
    }

    void Next(R& Rec, std::int32_t N) {
        View.Status = 0;
        const std::int64_t target = std::int64_t{View.Cursor} + N;
        if (target > View.LastIndex) {
            View.Status = stBound;
            View.Cursor = View.LastIndex;
        } else {
            View.Cursor = static_cast<std::int32_t>(target);
        }
        ReadRecord(Rec);
    }

    void Prior(R& Rec, std::int32_t N) {
        View.Status = 0;
        const std::int64_t target = std::int64_t{View.Cursor} - N;
        if (target < 0) {
            View.Status = stBound;
            View.Cursor = 0;
        } else {
            View.Cursor = static_cast<std::int32_t>(
                std::min<std::int64_t>(target, std::numeric_limits<std::int32_t>::max()));
        }
        ReadRecord(Rec);
    }

    void GoTo(R& Rec, std::int32_t Index) {
        if (Index < 0 || Index > View.LastIndex) {
            View.Status = stBound;
            return;
        }
        View.Cursor = Index;
        ReadRecord(Rec);
    }

    // First, then Next while Status is 0, until Match accepts a record.
    template <class Match> bool Walk(R& Rec, Match match) {
        View.Status = 0;
        First(Rec);
        while (View.Status == 0) {
            if (match(Rec)) {
                return true;
            }
            Next(Rec, 1);
        }
        return false;
    }

    // 1 + the highest key, or 1; the highest possible key stays the highest.
    template <class Key> std::int32_t NextKey(Key key) {
        std::int32_t candidate = 1;
        R rec;
        Walk(rec, [&](const R& Read) {
            if (key(Read) >= candidate && key(Read) < std::numeric_limits<std::int32_t>::max()) {
                candidate = key(Read) + 1;
            }
            return false;
        });
        return candidate;
    }

    void WriteRecord(const R& Rec) {
        Begin();
        if (!Write(View.Cursor, Rec)) {
            View.Status |= stIOError;
        }
        Commit();
    }

    void Delete(std::int32_t Index) {
        if (Index < 0 || Index > View.LastIndex) {
            return;
        }
        Begin();
        CountWholeFile();
        Remove(Index);
        Commit();
    }

    // The parts of a change.
    void Begin() {
        Copy_ = File_;
        Store_ = &Copy_;
        Saved_ = View;
        Failed_ = false;
    }

    bool Commit() {
        Store_ = &File_;
        if (Failed_ || !PutInPlace(Copy_.empty())) {
            View.Status |= stIOError;
            Abandon();
            return false;
        }
        File_ = Copy_;
        return true;
    }

    void Abandon() {
        End();
        View.Cursor = Saved_.Cursor;
        View.LastIndex = Saved_.LastIndex;
    }

    // A change refused before it changed anything: Cursor and LastIndex stay as they are.
    void End() { Store_ = &File_; }

    bool StepFailed() const { return Failed_; }

    void CountWholeFile() { View.LastIndex = std::max(View.LastIndex, Count() - 1); }

    bool Write(std::int32_t At, const R& Rec) {
        if (At < 0 || At > Count()) {
            Failed_ = true;
            return false;
        }
        if (At == Count()) {
            Store_->push_back(Stored<Codec>(Rec));
        } else {
            (*Store_)[static_cast<std::size_t>(At)] = Stored<Codec>(Rec);
        }
        return true;
    }

    // Delete within a change.
    void Remove(std::int32_t Index) {
        if (View.LastIndex >= Count()) {
            Failed_ = true;
            return;
        }
        if (Index != View.LastIndex) {
            for (std::int32_t p = Index + 1; p <= View.LastIndex; ++p) {
                Write(p - 1, (*Store_)[static_cast<std::size_t>(p)]);
            }
            View.Cursor = View.LastIndex - 1;
        }
        Store_->resize(static_cast<std::size_t>(View.LastIndex));
        View.LastIndex = Count() - 1;
    }

    // Appends Rec, then moves it down while its neighbour belongs after it.
    template <class Before> void InsertSorted(const R& Rec, Before before) {
        View.LastIndex += 1;
        View.Cursor = View.LastIndex;
        if (!Write(View.Cursor, Rec)) {
            return;
        }
        while (View.Cursor > 0) {
            if (View.Cursor - 1 >= Count()) {
                Failed_ = true;
                return;
            }
            const R neighbour = (*Store_)[static_cast<std::size_t>(View.Cursor - 1)];
            if (!before(Rec, neighbour)) {
                Write(View.Cursor, Rec);
                return;
            }
            Write(View.Cursor, neighbour);
            View.Cursor -= 1;
            if (View.Cursor == 0) {
                Write(0, Rec);
            }
        }
    }

private:
    std::vector<R>& File_;
    std::vector<R>* Store_;
    std::vector<R> Copy_;
    TView Saved_;
    bool Failed_ = false;
};

// Descriptions compare as stored: at most 40 bytes, byte by byte unsigned, the shorter first.
bool DescriptionBefore(const TDataRecord& New, const TDataRecord& Neighbour) {
    const std::string a = New.Description.substr(0, MaxDescriptionLength);
    const std::string& b = Neighbour.Description;
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if (x != y) {
            return x < y;
        }
    }
    return a.size() < b.size();
}

struct TDataModel : TModel<TDataRecordCodec> {
    using TModel::TModel;

    bool Find(TDataRecord& Rec, std::int32_t ID) {
        if (Walk(Rec, [ID](const TDataRecord& Read) { return Read.ID == ID; })) {
            return true;
        }
        View.Status |= stNotFound;
        return false;
    }

    std::string GetDescription(std::int32_t ID) {
        TDataRecord rec;
        return Find(rec, ID) ? rec.Description : DescriptionNotFound;
    }

    std::int32_t NextID() {
        std::int32_t candidate = 1;
        TDataRecord rec;
        Walk(rec, [&candidate](const TDataRecord& Read) {
            if (Read.ID >= candidate && Read.ID < AutomaticIDLimit) {
                candidate = Read.ID + 1;
            }
            return false;
        });
        return candidate;
    }

    bool InsertInChange(TDataRecord& Rec) {
        if (Rec.ID == 0) {
            Rec.ID = NextID();
        }
        if (View.LastIndex > 0) {
            TDataRecord stored;
            if (Find(stored, Rec.ID)) {
                return false;
            }
        }
        InsertSorted(Rec, DescriptionBefore);
        return true;
    }

    bool Insert(TDataRecord& Rec) {
        Begin();
        CountWholeFile();
        const std::int32_t id = Rec.ID;
        if (!InsertInChange(Rec)) {
            End();
            return false;
        }
        const bool added = Commit();
        if (!added) {
            Rec.ID = id;
        }
        return added;
    }

    void Refuse(std::int32_t Removed) {
        if (StepFailed()) {
            Commit();
            return;
        }
        const std::int32_t other =
            Removed >= 0 && View.Cursor >= Removed ? View.Cursor + 1 : View.Cursor;
        Abandon();
        View.Cursor = other;
    }

    void Replace(const TDataRecord& Rec) {
        Begin();
        CountWholeFile();
        TDataRecord copy = Rec;
        TDataRecord stored;
        std::int32_t removed = -1;
        if (Find(stored, Rec.ID)) {
            copy.ApplicantStatus = stored.ApplicantStatus;
            removed = View.Cursor;
            Remove(removed);
        }
        if (InsertInChange(copy)) {
            Commit();
        } else {
            Refuse(removed);
        }
    }

    bool ReplaceAt(std::int32_t Index, TDataRecord& Rec) {
        Begin();
        std::int32_t removed = -1;
        if (Index >= 0 && Index <= View.LastIndex) {
            CountWholeFile();
            Remove(Index);
            removed = Index;
        }
        CountWholeFile();
        const std::int32_t id = Rec.ID;
        if (!InsertInChange(Rec)) {
            Refuse(removed);
            return false;
        }
        const bool added = Commit();
        if (!added) {
            Rec.ID = id;
        }
        return added;
    }
};

struct TSelectModel : TModel<TSelectRecordCodec> {
    using TModel::TModel;

    static std::int32_t Key(const TSelectRecord& Rec) { return Rec.Sequence; }

    // Binary search on Sequence; a failed read ends it.
    bool Find(TSelectRecord& Rec, std::int32_t Sequence) {
        View.Status = 0;
        std::int32_t low = 0;
        std::int32_t high = View.LastIndex;
        while (low <= high && View.Status == 0) {
            const auto middle = static_cast<std::int32_t>((std::int64_t{low} + high) / 2);
            View.Cursor = middle;
            if (!ReadRecord(Rec)) {
                break;
            }
            if (Sequence < Rec.Sequence) {
                high = middle - 1;
            } else if (Rec.Sequence < Sequence) {
                low = middle + 1;
            } else {
                return true;
            }
        }
        View.Status |= stNotFound;
        return false;
    }

    bool Insert(TSelectRecord& Rec) {
        Begin();
        CountWholeFile();
        const std::int32_t sequence = Rec.Sequence;
        if (Rec.Sequence == 0) {
            Rec.Sequence = NextKey(Key);
        }
        if (View.LastIndex > 0) {
            TSelectRecord stored;
            if (Find(stored, Rec.Sequence)) {
                End();
                return false;
            }
        }
        InsertSorted(Rec, [](const TSelectRecord& New, const TSelectRecord& Neighbour) {
            return New.Sequence < Neighbour.Sequence;
        });
        const bool added = Commit();
        if (!added) {
            Rec.Sequence = sequence;
        }
        return added;
    }
};

struct TRateModel : TModel<TRateRecordCodec> {
    using TModel::TModel;

    static std::int32_t Key(const TRateRecord& Rec) { return Rec.Sequence; }

    bool FindRating(TRateRecord& Rec, std::int32_t Applicant, std::int32_t Member) {
        if (Walk(Rec, [&](const TRateRecord& Read) {
                return Read.ApplicantID == Applicant && Read.CommitteeID == Member;
            })) {
            return true;
        }
        View.Status |= stNotFound;
        Rec = BlankRating(Applicant, Member);
        return false;
    }

    bool Insert(TRateRecord& Rec) {
        Begin();
        CountWholeFile();
        const std::int32_t sequence = Rec.Sequence;
        if (Rec.Sequence == -1) {
            Rec.Sequence = NextKey(Key);
        }
        InsertSorted(Rec, [](const TRateRecord& New, const TRateRecord& Neighbour) {
            return New.Sequence > Neighbour.Sequence;
        });
        const bool added = Commit();
        if (!added) {
            Rec.Sequence = sequence;
        }
        return added;
    }
};

// Values that make keys meet and orders tie.
std::int32_t SomeID(FuzzedDataProvider& In) {
    return In.PickValueInArray<std::int32_t>({0, 1, 2, 3, 4, 5, 1998, 1999, 2000, 2001, -3});
}

std::int32_t SomeSequence(FuzzedDataProvider& In) {
    return In.PickValueInArray<std::int32_t>(
        {-1, 0, 1, 2, 3, 4, 7, std::numeric_limits<std::int32_t>::max() - 1,
         std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::min()});
}

std::string SomeText(FuzzedDataProvider& In, std::size_t Max) {
    if (In.ConsumeIntegralInRange(0, 15) == 0) {
        return std::string(In.ConsumeIntegralInRange<std::size_t>(Max - 1, Max + 3), 'Q');
    }
    std::string text;
    const auto length = In.ConsumeIntegralInRange(0, 3);
    for (int i = 0; i < length; ++i) {
        text += In.PickValueInArray({'A', 'a', 'B', 'z', '\xC9', '\0'});
    }
    return text;
}

TDataRecord SomeData(FuzzedDataProvider& In) {
    TDataRecord rec;
    rec.ID = SomeID(In);
    rec.Description = SomeText(In, MaxDescriptionLength);
    rec.Mark = In.PickValueInArray({' ', '*', '\0'});
    rec.VeteranPreference =
        In.PickValueInArray({0.0, 1.0, 2.0, 0.05, std::numeric_limits<double>::quiet_NaN()});
    rec.ApplicantStatus = In.ConsumeIntegralInRange(0, 4);
    return rec;
}

TSelectRecord SomeSelection(FuzzedDataProvider& In) {
    TSelectRecord rec;
    rec.CriterionID = SomeID(In);
    rec.Weight = In.ConsumeIntegral<std::uint16_t>();
    rec.Sequence = SomeSequence(In);
    return rec;
}

TRateRecord SomeRating(FuzzedDataProvider& In) {
    TRateRecord rec = BlankRating(In.ConsumeIntegralInRange(0, 4), In.ConsumeIntegralInRange(0, 2));
    rec.Comments = SomeText(In, MaxCommentsLength);
    rec.Rate[0] = In.ConsumeIntegralInRange(0, 5);
    rec.Sequence = SomeSequence(In);
    return rec;
}

// A file of whole records, perhaps with a broken record after them.
template <class Codec>
std::vector<typename Codec::TRecord> MakeFile(FuzzedDataProvider& In, const std::string& Path) {
    const auto count = In.ConsumeIntegralInRange<std::size_t>(0, 6);
    std::string bytes = In.ConsumeBytesAsString(count * Codec::Size);
    bytes.resize(bytes.size() / Codec::Size * Codec::Size);
    if (In.ConsumeIntegralInRange(0, 7) == 0) {
        bytes +=
            In.ConsumeBytesAsString(In.ConsumeIntegralInRange<std::size_t>(1, Codec::Size - 1));
    }
    WriteBytes(Path, bytes);
    std::vector<typename Codec::TRecord> records(bytes.size() / Codec::Size);
    for (std::size_t i = 0; i < records.size(); ++i) {
        Codec::Decode(reinterpret_cast<const unsigned char*>(bytes.data()) + i * Codec::Size,
                      records[i]);
    }
    return records;
}

template <class Codec>
void CheckFile(const std::string& Path, const std::vector<typename Codec::TRecord>& Model) {
    const std::string bytes = ReadBytes(Path);
    KORVANE_FUZZ_CHECK(bytes.size() / Codec::Size == Model.size());
    for (std::size_t i = 0; i < Model.size(); ++i) {
        typename Codec::TRecord rec;
        Codec::Decode(reinterpret_cast<const unsigned char*>(bytes.data()) + i * Codec::Size, rec);
        KORVANE_FUZZ_CHECK(Bytes<Codec>(rec) == Bytes<Codec>(Model[i]));
    }
}

template <class TFile> void CheckView(const TFile& File, const TView& View) {
    KORVANE_FUZZ_CHECK(File.Cursor() == View.Cursor);
    KORVANE_FUZZ_CHECK(File.LastIndex() == View.LastIndex);
    KORVANE_FUZZ_CHECK(File.Status() == View.Status);
}

// The moves shared by the three classes: 0 ReadRecord, 1 WriteRecord, 2 First, 3 Next.
template <class TFile, class TModelOf, class R>
bool CommonStep(int Op, FuzzedDataProvider& In, TFile& File, TModelOf& Model, R& Rec, R& Expect) {
    switch (Op) {
    case 0:
        File.ReadRecord(Rec);
        Model.ReadRecord(Expect);
        return true;
    case 1:
        File.WriteRecord(Rec);
        Model.WriteRecord(Expect);
        return true;
    case 2:
        File.First(Rec);
        Model.First(Expect);
        return true;
    case 3: {
        const auto count = In.ConsumeIntegralInRange(-2, 4);
        File.Next(Rec, count);
        Model.Next(Expect, count);
        return true;
    }
    default:
        return false;
    }
}

void DataStep(FuzzedDataProvider& In, TDataBase& File, TDataModel& Model) {
    TDataRecord rec = SomeData(In);
    TDataRecord expect = rec;
    const int op = In.ConsumeIntegralInRange(0, 12);
    if (CommonStep(op, In, File, Model, rec, expect)) {
    } else if (op == 4) {
        const auto count = In.ConsumeIntegralInRange(-2, 4);
        File.Prior(rec, count);
        Model.Prior(expect, count);
    } else if (op == 5) {
        const auto index = In.ConsumeIntegralInRange(-1, 8);
        File.GoTo(rec, index);
        Model.GoTo(expect, index);
    } else if (op == 6) {
        const auto id = SomeID(In);
        File.Find(rec, id);
        Model.Find(expect, id);
    } else if (op == 7) {
        const auto id = SomeID(In);
        KORVANE_FUZZ_CHECK(File.GetDescription(id) == Model.GetDescription(id));
    } else if (op == 8) {
        KORVANE_FUZZ_CHECK(File.NextID() == Model.NextID());
    } else if (op == 9) {
        bool added = false;
        File.Insert(rec, added);
        KORVANE_FUZZ_CHECK(added == Model.Insert(expect));
    } else if (op == 10) {
        File.Replace(rec);
        Model.Replace(expect);
    } else if (op == 11) {
        const auto index = In.ConsumeIntegralInRange(-1, 8);
        bool added = false;
        File.ReplaceAt(index, rec, added);
        KORVANE_FUZZ_CHECK(added == Model.ReplaceAt(index, expect));
    } else {
        const auto index = In.ConsumeIntegralInRange(-1, 8);
        File.Delete(index);
        Model.Delete(index);
    }
    KORVANE_FUZZ_CHECK(Same<TDataRecordCodec>(rec, expect));
}

void SelectStep(FuzzedDataProvider& In, TSelectDataBase& File, TSelectModel& Model) {
    TSelectRecord rec = SomeSelection(In);
    TSelectRecord expect = rec;
    const int op = In.ConsumeIntegralInRange(0, 8);
    if (CommonStep(op, In, File, Model, rec, expect)) {
    } else if (op == 4) {
        const auto index = In.ConsumeIntegralInRange(-1, 8);
        File.GoTo(rec, index);
        Model.GoTo(expect, index);
    } else if (op == 5) {
        const auto sequence = SomeSequence(In);
        File.Find(rec, sequence);
        Model.Find(expect, sequence);
    } else if (op == 6) {
        KORVANE_FUZZ_CHECK(File.NextSequence() == Model.NextKey(TSelectModel::Key));
    } else if (op == 7) {
        bool added = false;
        File.Insert(rec, added);
        KORVANE_FUZZ_CHECK(added == Model.Insert(expect));
    } else {
        const auto index = In.ConsumeIntegralInRange(-1, 8);
        File.Delete(index);
        Model.Delete(index);
    }
    KORVANE_FUZZ_CHECK(Same<TSelectRecordCodec>(rec, expect));
}

void RateStep(FuzzedDataProvider& In, TRateDataBase& File, TRateModel& Model) {
    TRateRecord rec = SomeRating(In);
    TRateRecord expect = rec;
    const int op = In.ConsumeIntegralInRange(0, 6);
    if (CommonStep(op, In, File, Model, rec, expect)) {
    } else if (op == 4) {
        const auto applicant = In.ConsumeIntegralInRange(0, 4);
        const auto member = In.ConsumeIntegralInRange(0, 2);
        KORVANE_FUZZ_CHECK(File.FindRating(rec, applicant, member) ==
                           Model.FindRating(expect, applicant, member));
    } else if (op == 5) {
        KORVANE_FUZZ_CHECK(File.NextSequence() == Model.NextKey(TRateModel::Key));
    } else {
        bool added = false;
        File.Insert(rec, added);
        KORVANE_FUZZ_CHECK(added == Model.Insert(expect));
    }
    KORVANE_FUZZ_CHECK(Same<TRateRecordCodec>(rec, expect));
}

} // namespace
} // namespace korvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    using namespace korvane;
    using namespace korvane::fuzz;
    FuzzedDataProvider in(Data, Size);
    Flushed = in.ConsumeBool();
    const TFileUse use = Flushed ? TFileUse::Data : TFileUse::Scratch;
    TFileFaults::Clear();
    FaultIn = 0;

    const std::string dataPath = WorkFolder() + "committee.dat";
    const std::string selectPath = WorkFolder() + "Preferre.dat";
    const std::string ratePath = WorkFolder() + "Rating.dat";
    auto dataFile = MakeFile<TDataRecordCodec>(in, dataPath);
    auto selectFile = MakeFile<TSelectRecordCodec>(in, selectPath);
    auto rateFile = MakeFile<TRateRecordCodec>(in, ratePath);

    TDataBase data[2] = {TDataBase(dataPath, use), TDataBase(dataPath, use)};
    TSelectDataBase select[2] = {TSelectDataBase(selectPath, use),
                                 TSelectDataBase(selectPath, use)};
    TRateDataBase rate[2] = {TRateDataBase(ratePath, use), TRateDataBase(ratePath, use)};
    TDataModel dataModel[2] = {TDataModel(dataFile), TDataModel(dataFile)};
    TSelectModel selectModel[2] = {TSelectModel(selectFile), TSelectModel(selectFile)};
    TRateModel rateModel[2] = {TRateModel(rateFile), TRateModel(rateFile)};

    for (int step = 0; step < 300 && in.remaining_bytes() > 0; ++step) {
        const int which = in.ConsumeIntegralInRange(0, 1);
        switch (in.ConsumeIntegralInRange(0, 3)) {
        case 0:
            DataStep(in, data[which], dataModel[which]);
            break;
        case 1:
            SelectStep(in, select[which], selectModel[which]);
            break;
        case 2:
            RateStep(in, rate[which], rateModel[which]);
            break;
        default: {
            const auto at = in.ConsumeIntegralInRange<std::uint64_t>(1, 7);
            TFileFaults::FailStep(at, in.ConsumeBool() ? ENOSPC : EIO);
            FaultIn = at;
            break;
        }
        }
        CheckFile<TDataRecordCodec>(dataPath, dataFile);
        CheckFile<TSelectRecordCodec>(selectPath, selectFile);
        CheckFile<TRateRecordCodec>(ratePath, rateFile);
        for (int i = 0; i < 2; ++i) {
            CheckView(data[i], dataModel[i].View);
            CheckView(select[i], selectModel[i].View);
            CheckView(rate[i], rateModel[i].View);
        }
    }
    TFileFaults::Clear();
    return 0;
}
