#include "data/DataBase.h"

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

TDataBase::TDataBase(const std::string& FileName) : TRecordFileOf(FileName) {}

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

void TDataBase::Insert(TDataRecord& Rec, bool& Added) {
    Added = false;
    if (!Opened_) {
        return;
    }
    if (Rec.ID == 0) {
        Rec.ID = NextID();
    }
    // The duplicate test is made only when the file holds two or more records.
    if (LastIndex_ > 0) {
        TDataRecord stored;
        if (FindID(stored, Rec.ID)) {
            return;
        }
        Status_ |= stNotFound;
    }
    Added = true;
    InsertSorted(Rec, [](const TDataRecord& New, const TDataRecord& Neighbour) {
        return Stored(New.Description) < Stored(Neighbour.Description);
    });
}

void TDataBase::Replace(const TDataRecord& Rec) {
    if (!Opened_) {
        return;
    }
    TDataRecord copy = Rec;
    TDataRecord stored;
    if (FindID(stored, Rec.ID)) {
        copy.ApplicantStatus = stored.ApplicantStatus;
        Delete(Cursor_);
    } else {
        Status_ |= stNotFound;
    }
    bool added = false;
    Insert(copy, added);
}

int VeteranIndex(double VeteranPreference) {
    const double v = VeteranPreference;
    if (v >= 2.0) {
        return 2; // also bounds a damaged value: there are only three choices
    }
    if (v >= 1.0) {
        return 1;
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
