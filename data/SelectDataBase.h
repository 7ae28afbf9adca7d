#pragma once

#include <cstddef>
#include <cstdint>

#include "data/RecordFile.h"

namespace korvane {

// One selected criterion of Required.dat or Preferre.dat: 16 bytes on disk.
struct TSelectRecord {
    std::int32_t CriterionID = 0;
    std::uint16_t Weight = 0;  // Preferre.dat only, 1 to 100
    std::int32_t Sequence = 0; // 0 until stored

    bool operator==(const TSelectRecord&) const = default;
};

// Byte layout: CriterionID at 0, Weight at 4, Sequence at 8; all else zero.
struct TSelectRecordCodec {
    using TRecord = TSelectRecord;
    static constexpr std::size_t Size = 16;
    static void Encode(const TSelectRecord& Rec, unsigned char* Bytes);
    static void Decode(const unsigned char* Bytes, TSelectRecord& Rec);
};

// A file of TSelectRecord in ascending order of Sequence, that is in the order of selection.
// Every change is made whole (see TRecordFile).
class TSelectDataBase : public TRecordFileOf<TSelectRecordCodec> {
public:
    explicit TSelectDataBase(const std::string& FileName, TFileUse Use = TFileUse::Data);

    using TRecordFileOf::Delete;
    using TRecordFileOf::GoTo;

    // 1 + the highest Sequence in the file, or 1.
    std::int32_t NextSequence();
    // Binary search on Sequence; stNotFound is added when absent.
    void Find(TSelectRecord& Rec, std::int32_t Sequence);
    // Adds Rec in Sequence order; a Sequence of 0 is replaced by NextSequence() in the caller's
    // record. With two or more records in the file a Sequence already present is refused. A
    // failed write leaves Added false and the caller's Sequence as it was.
    void Insert(TSelectRecord& Rec, bool& Added);

private:
    bool FindSequence(TSelectRecord& Rec, std::int32_t Sequence);
};

} // namespace korvane
