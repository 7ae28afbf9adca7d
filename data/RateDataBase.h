#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "data/RecordFile.h"

namespace korvane {

inline constexpr std::size_t RatingCount = 12;
inline constexpr std::size_t MaxCommentsLength = 30;

// One rating record of Rating.dat (or a work record of the printouts): 92 bytes on disk.
struct TRateRecord {
    std::int32_t ApplicantID = 0;
    std::int32_t CommitteeID = 0;
    std::string Comments;                         // code-page bytes; at most 30 are stored
    std::array<std::int32_t, RatingCount> Rate{}; // Rate[0] is rating 1; 0 means not rated
    std::int32_t Sequence = -1;                   // -1 until stored

    bool operator==(const TRateRecord&) const = default;
};

// The record of a pair that has not been rated yet.
TRateRecord BlankRating(std::int32_t ApplicantID, std::int32_t CommitteeID);

// Byte layout: ApplicantID at 0, CommitteeID at 4, Comments at 8 (length byte, 30 characters),
// Rate at 40 (twelve 32-bit integers), Sequence at 88; all else zero.
struct TRateRecordCodec {
    using TRecord = TRateRecord;
    static constexpr std::size_t Size = 92;
    static void Encode(const TRateRecord& Rec, unsigned char* Bytes);
    static void Decode(const unsigned char* Bytes, TRateRecord& Rec);
};

// A file of TRateRecord in descending order of Sequence: the most recently added first. Every
// change is made whole (see TRecordFile); work files of the printouts are TFileUse::Scratch.
class TRateDataBase : public TRecordFileOf<TRateRecordCodec> {
public:
    explicit TRateDataBase(const std::string& FileName, TFileUse Use = TFileUse::Data);

    // True with Rec and Cursor on the first record of the pair; otherwise stNotFound is added
    // and Rec becomes the blank rating of the pair.
    bool FindRating(TRateRecord& Rec, std::int32_t ApplicantID, std::int32_t CommitteeID);
    // 1 + the highest Sequence in the file, or 1.
    std::int32_t NextSequence();
    // Adds Rec in descending Sequence order, behind records of equal Sequence; a Sequence of -1
    // is replaced by NextSequence() in the caller's record. No duplicate test. A failed write
    // leaves Added false and the caller's Sequence as it was.
    void Insert(TRateRecord& Rec, bool& Added);

    // How many records hold a rating (above 0) for criterion N, from 1.
    int CountRatings(int N);
    // Criterion N (from 1) leaves the list of selected criteria: in every record ratings N+1 to
    // 12 move down one place and rating 12 becomes 0, so that each stays with the criterion it
    // was given for. One change of the file; false when it could not be written.
    bool RemoveRating(int N);
    // The file holds Records, in their order, and nothing else. One change of the file; false
    // when it could not be written.
    bool ReplaceAll(const std::vector<TRateRecord>& Records);
    // Every record Match accepts leaves the file; the others keep their order. One change of the
    // file; false when it could not be written.
    template <class Match> bool RemoveRecords(Match match) {
        if (!Opened_) {
            return false;
        }
        TChange change(*this);
        if (!change.Loaded()) {
            return false;
        }
        CountWholeCopy();
        std::int32_t kept = 0;
        TRateRecord rec;
        for (std::int32_t i = 0; i < CopyRecords(); ++i) {
            TRateRecordCodec::Decode(CopyRecord(i), rec);
            if (match(rec)) {
                continue;
            }
            if (kept != i) {
                WriteCopy(kept, CopyRecord(i));
            }
            ++kept;
        }
        TruncateCopy(kept);
        LastIndex_ = kept - 1;
        Cursor_ = std::clamp(Cursor_, 0, std::max(LastIndex_, 0));
        return change.Commit();
    }
};

} // namespace korvane
