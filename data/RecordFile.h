#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/sys/BinaryFile.h"

namespace korvane {

// Condition bits of the status word of a record file.
inline constexpr std::uint16_t stNotOpen = 1;   // the file could neither be opened nor created
inline constexpr std::uint16_t stIOError = 2;   // a read or write at the cursor failed
inline constexpr std::uint16_t stBound = 4;     // a move went beyond either end
inline constexpr std::uint16_t stNotFound = 16; // the key searched for is absent

// The file, cursor and status word of a file of fixed-size records, at the level of bytes.
// The file is open from construction to destruction; every write is in the file at once.
class TRecordFile {
public:
    TRecordFile(const TRecordFile&) = delete;
    TRecordFile& operator=(const TRecordFile&) = delete;

    const std::string& FileName() const { return FileName_; }
    bool Opened() const { return Opened_; }
    std::int32_t Cursor() const { return Cursor_; }
    std::int32_t LastIndex() const { return LastIndex_; }
    std::uint16_t Status() const { return Status_; }

protected:
    // Opens the file for reading and writing, or creates it empty when no such file exists. An
    // existing file that cannot be opened so is left alone: the object stays inert with Status
    // stNotOpen and LastIndex 0. Raises EInOutError when the size cannot be asked.
    TRecordFile(const std::string& FileName, std::size_t RecordSize);
    ~TRecordFile() = default;

    // One record at Cursor; stIOError on failure.
    bool ReadBytesAtCursor(unsigned char* Bytes);
    bool WriteBytesAtCursor(const unsigned char* Bytes);
    // Whole records from First on: the number read, fewer at the end of the file or on failure.
    std::int32_t ReadBlock(std::int32_t First, std::int32_t Count, unsigned char* Bytes);
    // Fails rather than start past the end of the file.
    bool WriteBlock(std::int32_t First, std::int32_t Count, const unsigned char* Bytes);
    // Cuts the file after Count records; raises EInOutError on failure.
    void TruncateTo(std::int32_t Count);
    // Whole records in the file (a broken last record does not count); raises EInOutError.
    std::int32_t RecordCount() const;
    // Records per block read or written by the bulk operations: enough for a file of Count
    // records, at most 64 KiB.
    std::int32_t BlockRecords(std::int32_t Count) const;

    std::size_t RecordSize_;
    std::string FileName_;
    TBinaryFile File_;
    bool Opened_ = false;
    std::int32_t Cursor_ = 0;
    std::int32_t LastIndex_ = 0;
    std::uint16_t Status_ = 0;
};

// The record operations shared by the record files, over a codec that turns one record into
// its bytes and back (Codec::TRecord, Codec::Size, Codec::Encode, Codec::Decode; Encode writes
// into cleared bytes). Operations do nothing when the file is not open.
template <class Codec> class TRecordFileOf : public TRecordFile {
public:
    using TRecord = typename Codec::TRecord;

    // Reads the record at Cursor into Rec; the cursor does not move.
    void ReadRecord(TRecord& Rec) {
        if (!Opened_) {
            return;
        }
        unsigned char bytes[Codec::Size];
        if (ReadBytesAtCursor(bytes)) {
            Codec::Decode(bytes, Rec);
        }
    }

    // Writes Rec at Cursor (appending when Cursor is one past the last record); neither the
    // cursor nor LastIndex changes.
    void WriteRecord(const TRecord& Rec) {
        if (!Opened_) {
            return;
        }
        unsigned char bytes[Codec::Size] = {};
        Codec::Encode(Rec, bytes);
        WriteBytesAtCursor(bytes);
    }

    void First(TRecord& Rec) {
        if (!Opened_) {
            return;
        }
        Status_ = 0;
        Cursor_ = 0;
        ReadRecord(Rec);
    }

    // At the end the last record is delivered once more, with stBound.
    void Next(TRecord& Rec, std::int32_t Count = 1) {
        if (!Opened_) {
            return;
        }
        Status_ = 0;
        const std::int64_t target = std::int64_t{Cursor_} + Count;
        if (target > LastIndex_) {
            Status_ = stBound;
            Cursor_ = LastIndex_;
        } else {
            Cursor_ = static_cast<std::int32_t>(target);
        }
        ReadRecord(Rec);
    }

protected:
    explicit TRecordFileOf(const std::string& FileName) : TRecordFile(FileName, Codec::Size) {}

    void Prior(TRecord& Rec, std::int32_t Count = 1) {
        if (!Opened_) {
            return;
        }
        Status_ = 0;
        const std::int64_t target = std::int64_t{Cursor_} - Count;
        if (target < 0) {
            Status_ = stBound;
            Cursor_ = 0;
        } else {
            Cursor_ = static_cast<std::int32_t>(std::min<std::int64_t>(target, INT32_MAX));
        }
        ReadRecord(Rec);
    }

    // Out of range sets Status to exactly stBound and changes nothing else.
    void GoTo(TRecord& Rec, std::int32_t Index) {
        if (!Opened_) {
            return;
        }
        if (Index < 0 || Index > LastIndex_) {
            Status_ = stBound;
            return;
        }
        Cursor_ = Index;
        ReadRecord(Rec);
    }

    // Removes the record at Index and shortens the file by one record; Status is not reset.
    // An index outside 0..LastIndex is refused: it would cut off the last record instead.
    void Delete(std::int32_t Index) {
        if (!Opened_ || Index < 0 || Index > LastIndex_) {
            return;
        }
        if (Index < LastIndex_) {
            const std::int32_t block = BlockRecords(LastIndex_ - Index);
            std::vector<unsigned char> bytes(static_cast<std::size_t>(block) * Codec::Size);
            TRecord rec{};
            for (std::int32_t from = Index + 1; from <= LastIndex_; from += block) {
                const std::int32_t want = std::min(block, LastIndex_ - from + 1);
                const std::int32_t got = ReadBlock(from, want, bytes.data());
                if (got < want) {
                    Status_ |= stIOError;
                }
                Normalise(bytes.data(), got, rec);
                if (!WriteBlock(from - 1, got, bytes.data())) {
                    Status_ |= stIOError;
                }
            }
            Cursor_ = LastIndex_ - 1;
        }
        TruncateTo(LastIndex_);
        LastIndex_ = RecordCount() - 1;
    }

    // The walk of First and then Next while Status is 0, until Match accepts the record
    // delivered. True with Status 0 and Cursor on the record when one is accepted; otherwise
    // Cursor and Status are those the walk ends with (LastIndex and stBound, stIOError on an
    // empty file) and Rec holds the last record read.
    template <class Match> bool Walk(TRecord& Rec, Match match) {
        if (LastIndex_ < 0) {
            First(Rec);
            while (Status_ == 0) {
                if (match(Rec)) {
                    return true;
                }
                Next(Rec);
            }
            return false;
        }
        Status_ = 0;
        Cursor_ = 0;
        const std::int32_t block = BlockRecords(LastIndex_ + 1);
        std::vector<unsigned char> bytes(static_cast<std::size_t>(block) * Codec::Size);
        for (std::int32_t from = 0; from <= LastIndex_; from += block) {
            const std::int32_t want = std::min(block, LastIndex_ - from + 1);
            const std::int32_t got = ReadBlock(from, want, bytes.data());
            for (std::int32_t i = 0; i < got; ++i) {
                Codec::Decode(bytes.data() + static_cast<std::size_t>(i) * Codec::Size, Rec);
                Cursor_ = from + i;
                if (match(Rec)) {
                    return true;
                }
            }
            if (got < want) {
                Cursor_ = from + got;
                Status_ |= stIOError;
                return false;
            }
        }
        Cursor_ = LastIndex_;
        Status_ = stBound;
        return false;
    }

    // Appends Rec and moves it down past every record it belongs before: one step of insertion
    // sort from the end, so equal keys keep their order of insertion. Cursor ends on Rec.
    template <class Before> void InsertSorted(const TRecord& Rec, Before before) {
        ++LastIndex_;
        std::int32_t place = LastIndex_;
        const std::int32_t block = BlockRecords(LastIndex_);
        std::vector<unsigned char> bytes(static_cast<std::size_t>(block) * Codec::Size);
        TRecord neighbour{};
        while (place > 0) {
            const std::int32_t from = std::max(0, place - block);
            const std::int32_t want = place - from;
            if (ReadBlock(from, want, bytes.data()) < want) {
                Status_ |= stIOError;
                break;
            }
            std::int32_t i = want - 1;
            for (; i >= 0; --i) {
                unsigned char* at = bytes.data() + static_cast<std::size_t>(i) * Codec::Size;
                Codec::Decode(at, neighbour);
                if (!before(Rec, neighbour)) {
                    break;
                }
                std::fill(at, at + Codec::Size, 0);
                Codec::Encode(neighbour, at);
            }
            const std::int32_t moved = want - 1 - i;
            if (moved > 0 &&
                !WriteBlock(from + i + 2, moved,
                            bytes.data() + static_cast<std::size_t>(i + 1) * Codec::Size)) {
                Status_ |= stIOError;
            }
            place = from + i + 1;
            if (i >= 0) {
                break;
            }
        }
        Cursor_ = place;
        WriteRecord(Rec);
    }

private:
    // Decodes and encodes again, so that moved records carry zeros in their unused bytes.
    static void Normalise(unsigned char* Bytes, std::int32_t Count, TRecord& Scratch) {
        for (std::int32_t i = 0; i < Count; ++i) {
            unsigned char* at = Bytes + static_cast<std::size_t>(i) * Codec::Size;
            Codec::Decode(at, Scratch);
            std::fill(at, at + Codec::Size, 0);
            Codec::Encode(Scratch, at);
        }
    }
};

} // namespace korvane
