#include "data/SelectDataBase.h"

#include <limits>

#include "data/RecordBytes.h"

namespace korvane {

void TSelectRecordCodec::Encode(const TSelectRecord& Rec, unsigned char* Bytes) {
    bytes::PutInt32(Bytes + 0, Rec.CriterionID);
    bytes::PutUInt16(Bytes + 4, Rec.Weight);
    bytes::PutInt32(Bytes + 8, Rec.Sequence);
}

void TSelectRecordCodec::Decode(const unsigned char* Bytes, TSelectRecord& Rec) {
    Rec.CriterionID = bytes::GetInt32(Bytes + 0);
    Rec.Weight = bytes::GetUInt16(Bytes + 4);
    Rec.Sequence = bytes::GetInt32(Bytes + 8);
}

TSelectDataBase::TSelectDataBase(const std::string& FileName, TFileUse Use)
    : TRecordFileOf(FileName, Use) {}

std::int32_t TSelectDataBase::NextSequence() {
    std::int32_t candidate = 1;
    if (!Opened_) {
        return candidate;
    }
    TSelectRecord rec;
    Walk(rec, [&candidate](const TSelectRecord& Read) {
        // The highest number stays the highest: there is no number above it to give.
        if (Read.Sequence >= candidate &&
            Read.Sequence < std::numeric_limits<std::int32_t>::max()) {
            candidate = Read.Sequence + 1;
        }
        return false;
    });
    return candidate;
}

bool TSelectDataBase::FindSequence(TSelectRecord& Rec, std::int32_t Sequence) {
    Status_ = 0;
    std::int32_t low = 0;
    std::int32_t high = LastIndex_;
    while (low <= high && Status_ == 0) {
        const std::int32_t middle = low + (high - low) / 2;
        Cursor_ = middle;
        ReadRecord(Rec);
        if (Status_ != 0) {
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
    return false;
}

void TSelectDataBase::Find(TSelectRecord& Rec, std::int32_t Sequence) {
    if (!Opened_) {
        return;
    }
    if (!FindSequence(Rec, Sequence)) {
        Status_ |= stNotFound;
    }
}

void TSelectDataBase::Insert(TSelectRecord& Rec, bool& Added) {
    Added = false;
    if (!Opened_) {
        return;
    }
    TChange change(*this);
    if (!change.Loaded()) {
        return;
    }
    CountWholeCopy();
    const std::int32_t sequence = Rec.Sequence;
    if (Rec.Sequence == 0) {
        Rec.Sequence = NextSequence();
    }
    if (LastIndex_ > 0) {
        TSelectRecord stored;
        if (FindSequence(stored, Rec.Sequence)) {
            return;
        }
        Status_ |= stNotFound;
    }
    InsertSorted(Rec, [](const TSelectRecord& New, const TSelectRecord& Neighbour) {
        return New.Sequence < Neighbour.Sequence;
    });
    Added = change.Commit();
    if (!Added) {
        Rec.Sequence = sequence;
    }
}

} // namespace korvane
