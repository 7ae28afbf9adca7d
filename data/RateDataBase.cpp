#include "data/RateDataBase.h"

#include <algorithm>
#include <limits>

#include "data/RecordBytes.h"

namespace korvane {

TRateRecord BlankRating(std::int32_t ApplicantID, std::int32_t CommitteeID) {
    TRateRecord rec;
    rec.ApplicantID = ApplicantID;
    rec.CommitteeID = CommitteeID;
    return rec;
}

void TRateRecordCodec::Encode(const TRateRecord& Rec, unsigned char* Bytes) {
    bytes::PutInt32(Bytes + 0, Rec.ApplicantID);
    bytes::PutInt32(Bytes + 4, Rec.CommitteeID);
    bytes::PutShortString(Bytes + 8, MaxCommentsLength, Rec.Comments);
    for (std::size_t n = 0; n < RatingCount; ++n) {
        bytes::PutInt32(Bytes + 40 + 4 * n, Rec.Rate[n]);
    }
    bytes::PutInt32(Bytes + 88, Rec.Sequence);
}

void TRateRecordCodec::Decode(const unsigned char* Bytes, TRateRecord& Rec) {
    Rec.ApplicantID = bytes::GetInt32(Bytes + 0);
    Rec.CommitteeID = bytes::GetInt32(Bytes + 4);
    bytes::GetShortString(Bytes + 8, MaxCommentsLength, Rec.Comments);
    for (std::size_t n = 0; n < RatingCount; ++n) {
        Rec.Rate[n] = bytes::GetInt32(Bytes + 40 + 4 * n);
    }
    Rec.Sequence = bytes::GetInt32(Bytes + 88);
}

TRateDataBase::TRateDataBase(const std::string& FileName, TFileUse Use)
    : TRecordFileOf(FileName, Use) {}

bool TRateDataBase::FindRating(TRateRecord& Rec, std::int32_t ApplicantID,
                               std::int32_t CommitteeID) {
    if (!Opened_) {
        return false;
    }
    if (Walk(Rec, [ApplicantID, CommitteeID](const TRateRecord& Read) {
            return Read.ApplicantID == ApplicantID && Read.CommitteeID == CommitteeID;
        })) {
        return true;
    }
    Status_ |= stNotFound;
    Rec = BlankRating(ApplicantID, CommitteeID);
    return false;
}

std::int32_t TRateDataBase::NextSequence() {
    std::int32_t candidate = 1;
    if (!Opened_) {
        return candidate;
    }
    TRateRecord rec;
    Walk(rec, [&candidate](const TRateRecord& Read) {
        if (Read.Sequence >= candidate &&
            Read.Sequence < std::numeric_limits<std::int32_t>::max()) {
            candidate = Read.Sequence + 1;
        }
        return false;
    });
    return candidate;
}

int TRateDataBase::CountRatings(int N) {
    int count = 0;
    if (!Opened_ || N < 1 || N > static_cast<int>(RatingCount)) {
        return count;
    }
    TRateRecord rec;
    Walk(rec, [&count, N](const TRateRecord& Read) {
        count += Read.Rate[static_cast<std::size_t>(N - 1)] > 0 ? 1 : 0;
        return false;
    });
    return count;
}

bool TRateDataBase::RemoveRating(int N) {
    if (!Opened_ || N < 1 || N > static_cast<int>(RatingCount)) {
        return false;
    }
    TChange change(*this);
    if (!change.Loaded()) {
        return false;
    }
    CountWholeCopy();
    TRateRecord rec;
    for (std::int32_t i = 0; i < CopyRecords(); ++i) {
        TRateRecordCodec::Decode(CopyRecord(i), rec);
        std::move(rec.Rate.begin() + N, rec.Rate.end(), rec.Rate.begin() + (N - 1));
        rec.Rate.back() = 0;
        Put(i, rec);
    }
    return change.Commit();
}

bool TRateDataBase::ReplaceAll(const std::vector<TRateRecord>& Records) {
    if (!Opened_) {
        return false;
    }
    TChange change(*this);
    if (!change.Loaded()) {
        return false;
    }
    TruncateCopy(0);
    const auto count = static_cast<std::int32_t>(Records.size());
    for (std::int32_t i = 0; i < count; ++i) {
        Put(i, Records[static_cast<std::size_t>(i)]);
    }
    LastIndex_ = count - 1;
    Cursor_ = 0;
    return change.Commit();
}

void TRateDataBase::Insert(TRateRecord& Rec, bool& Added) {
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
    if (Rec.Sequence == -1) {
        Rec.Sequence = NextSequence();
    }
    InsertSorted(Rec, [](const TRateRecord& New, const TRateRecord& Neighbour) {
        return New.Sequence > Neighbour.Sequence;
    });
    Added = change.Commit();
    if (!Added) {
        Rec.Sequence = sequence;
    }
}

} // namespace korvane
