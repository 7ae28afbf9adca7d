#include "data/DataBase.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "data/RecordBytes.h"

namespace korvane {

namespace {

// Descriptions compare as stored: at most 40 bytes, unsigned, the shorter first.
std::string_view Stored(const std::string& Description) {
    return std::string_view(Description).substr(0, MaxDescriptionLength);
}

} // namespace

void TDataRecordCodec::Encode(const TDataRecord& Rec, unsigned char* Bytes) {
    bytes::PutInt32(Bytes + 0, Rec.ID);
    bytes::PutShortString(Bytes + 4, MaxDescriptionLength, Rec.Description);
    Bytes[45] = static_cast<unsigned char>(Rec.Mark);
    bytes::PutDouble(Bytes + 48, Rec.VeteranPreference);
    bytes::PutInt32(Bytes + 56, Rec.ApplicantStatus);
}

void TDataRecordCodec::Decode(const unsigned char* Bytes, TDataRecord& Rec) {
    Rec.ID = bytes::GetInt32(Bytes + 0);
    bytes::GetShortString(Bytes + 4, MaxDescriptionLength, Rec.Description);
    Rec.Mark = static_cast<char>(Bytes[45]);
    Rec.VeteranPreference = bytes::GetDouble(Bytes + 48);
    Rec.ApplicantStatus = bytes::GetInt32(Bytes + 56);
}

TDataBase::TDataBase(const std::string& FileName, TFileUse Use) : TRecordFileOf(FileName, Use) {}

bool TDataBase::FindID(TDataRecord& Rec, std::int32_t ID) {
    return Walk(Rec, [ID](const TDataRecord& Read) { return Read.ID == ID; });
}

void TDataBase::Find(TDataRecord& Rec, std::int32_t ID) {
    if (!Opened_) {
        return;
    }
    if (!FindID(Rec, ID)) {
        Status_ |= stNotFound;
    }
}

std::string TDataBase::GetDescription(std::int32_t ID) {
    TDataRecord rec;
    if (!Opened_ || !FindID(rec, ID)) {
        Status_ |= Opened_ ? stNotFound : 0;
        return DescriptionNotFound;
    }
    return rec.Description;
}

std::int32_t TDataBase::NextID() {
    std::int32_t candidate = 1;
    if (!Opened_) {
        return candidate;
    }
    TDataRecord rec;
    Walk(rec, [&candidate](const TDataRecord& Read) {
        if (Read.ID >= candidate && Read.ID < AutomaticIDLimit) {
            candidate = Read.ID + 1;
        }
        return false;
    });
    return candidate;
}

bool TDataBase::InsertInCopy(TDataRecord& Rec) {
    if (Rec.ID == 0) {
        Rec.ID = NextID();
    }
    // The duplicate test is made only when the file holds two or more records.
    if (LastIndex_ > 0) {
        TDataRecord stored;
        if (FindID(stored, Rec.ID)) {
            return false;
        }
        Status_ |= stNotFound;
    }
    InsertSorted(Rec, [](const TDataRecord& New, const TDataRecord& Neighbour) {
        return Stored(New.Description) < Stored(Neighbour.Description);
    });
    return true;
}

void TDataBase::Refuse(TChange& Change, std::int32_t Removed) {
    if (StepsFailed()) {
        Change.Commit(); // fails: stIOError, and nothing changes
        return;
    }
    // The other record's place in the file as it stays, the removed record still in it.
    const std::int32_t other = Removed >= 0 && Cursor_ >= Removed ? Cursor_ + 1 : Cursor_;
    Change.Abandon();
    Cursor_ = other;
}

void TDataBase::Insert(TDataRecord& Rec, bool& Added) {
    Added = false;
    if (!Opened_) {
        return;
    }
    TChange change(*this);
    if (!change.Loaded()) {
        return;
    }
    CountWholeCopy();
    const std::int32_t id = Rec.ID;
    if (!InsertInCopy(Rec)) {
        return;
    }
    Added = change.Commit();
    if (!Added) {
        Rec.ID = id;
    }
}

void TDataBase::Replace(const TDataRecord& Rec) {
    if (!Opened_) {
        return;
    }
    TChange change(*this);
    if (!change.Loaded()) {
        return;
    }
    CountWholeCopy();
    TDataRecord copy = Rec;
    TDataRecord stored;
    std::int32_t removed = -1;
    if (FindID(stored, Rec.ID)) {
        copy.ApplicantStatus = stored.ApplicantStatus;
        removed = Cursor_;
        RemoveFromCopy(removed);
    } else {
        Status_ |= stNotFound;
    }
    if (InsertInCopy(copy)) {
        change.Commit();
    } else {
        Refuse(change, removed);
    }
}

void TDataBase::ReplaceAt(std::int32_t Index, TDataRecord& Rec, bool& Added) {
    Added = false;
    if (!Opened_) {
        return;
    }
    TChange change(*this);
    if (!change.Loaded()) {
        return;
    }
    std::int32_t removed = -1;
    if (Index >= 0 && Index <= LastIndex_) {
        CountWholeCopy();
        RemoveFromCopy(Index);
        removed = Index;
    }
    CountWholeCopy();
    const std::int32_t id = Rec.ID;
    if (!InsertInCopy(Rec)) {
        Refuse(change, removed);
        return;
    }
    Added = change.Commit();
    if (!Added) {
        Rec.ID = id;
    }
}

int VeteranIndex(double VeteranPreference) {
    const double v = VeteranPreference;
    if (v >= 1.0) {
        // A damaged value above the choices reads as a number no choice has, which every reader
        // treats as no preference; huge values stop at a bound that fits an int.
        return static_cast<int>(std::min(v, static_cast<double>(VeteranIndexBound)));
    }
    if (v > 0.04 && v < 0.06) {
        return 1;
    }
    if (v > 0.09 && v < 0.11) {
        return 2;
    }
    return 0; // below 0.04, not a number, and the values no choice is stored as
}

} // namespace korvane
