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

// What a record file is kept for.
enum class TFileUse {
    Data,    // a data file of the position: a change is on the disk when the operation returns
    Scratch, // a work file in the temporary folder: a change is made whole, but not flushed
};

// The file, cursor and status word of a file of fixed-size records, at the level of bytes.
// The file is open from construction to destruction. Every change is made whole: the changed
// content is built in memory and takes the file's place at once, so a failure or a crash half
// way leaves all records as they were. A failed change adds stIOError and leaves the file, the
// cursor and LastIndex as they were; a change that succeeds is on the disk (data files).
class TRecordFile {
public:
    TRecordFile(const TRecordFile&) = delete;
    TRecordFile& operator=(const TRecordFile&) = delete;

    const std::string& FileName() const { return FileName_; }
    bool Opened() const { return Opened_; }
    std::int32_t Cursor() const { return Cursor_; }
    std::int32_t LastIndex() const { return LastIndex_; }
    std::uint16_t Status() const { return Status_; }

    // The changes this object makes from now on belong to Together: each is staged there and
    // takes effect, or not, when Together commits. Until then reads see the file as it was, and
    // should the whole change fail, Cursor and LastIndex go back and Status gains stIOError.
    void JoinChange(TFilesChange& Together);

protected:
    // Opens the file for reading and writing, or creates it empty when no such file exists. An
    // existing file that cannot be opened so is left alone: the object stays inert with Status
    // stNotOpen and LastIndex 0. Raises EInOutError when the size cannot be asked.
    TRecordFile(const std::string& FileName, std::size_t RecordSize, TFileUse Use);
    ~TRecordFile();

    // One change of the file. While it lasts, the object reads and writes a copy of the file in
    // memory; Commit puts the copy in the file's place. Without a Commit the file stays as it was.
    class TChange {
    public:
        // Loads the copy; when the file cannot be read, Loaded is false and Status gains
        // stIOError.
        explicit TChange(TRecordFile& File);
        ~TChange();
        TChange(const TChange&) = delete;
        TChange& operator=(const TChange&) = delete;

        bool Loaded() const { return Loaded_; }
        // Writes the copy unless a step failed. On failure Status gains stIOError and Cursor and
        // LastIndex are as they were before the change; false then.
        bool Commit();
        // Nothing is written; Cursor and LastIndex are as they were before the change.
        void Abandon();

    private:
        TRecordFile& File_;
        bool Loaded_ = false;
        std::int32_t Cursor_;
        std::int32_t LastIndex_;
    };

    // One record at Cursor; stIOError on failure.
    bool ReadBytesAtCursor(unsigned char* Bytes);
    // Whole records from First on: the number read, fewer at the end of the file or on failure.
    std::int32_t ReadBlock(std::int32_t First, std::int32_t Count, unsigned char* Bytes);
    // Whole records in the file (a broken last record does not count); raises EInOutError.
    std::int32_t RecordCount() const;
    // Records per block read by the bulk operations: enough for a file of Count records, at most
    // 64 KiB.
    std::int32_t BlockRecords(std::int32_t Count) const;

    // The copy of a change.
    std::int32_t CopyRecords() const;
    unsigned char* CopyRecord(std::int32_t Index);
    // Writes one record into the copy; a write that would start past its end fails the change.
    bool WriteCopy(std::int32_t Index, const unsigned char* Bytes);
    // Cuts the copy after Count records.
    void TruncateCopy(std::int32_t Count);
    // A change that moves records counts every whole record of the file, also those this object
    // did not count (written past LastIndex, or added by another object), so it never overwrites
    // or cuts off a record.
    void CountWholeCopy();
    // A step of the change failed: it will not be written.
    void StepFailed();
    bool StepsFailed() const { return Failed_; }

    std::size_t RecordSize_;
    std::string FileName_;
    TBinaryFile File_;
    TFileUse Use_;
    bool Opened_ = false;
    std::int32_t Cursor_ = 0;
    std::int32_t LastIndex_ = 0;
    std::uint16_t Status_ = 0;

private:
    // Commits the copy as a part of Together_.
    bool StageCopy(std::int32_t CursorBefore, std::int32_t LastIndexBefore);

    std::vector<unsigned char> Copy_;
    bool Changing_ = false;
    bool Failed_ = false;
    TFilesChange* Together_ = nullptr;
    // Where a staged change would leave the object should the whole change fail.
    bool Staged_ = false;
    std::int32_t CursorBefore_ = 0;
    std::int32_t LastIndexBefore_ = 0;
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
        TChange change(*this);
        if (!change.Loaded()) {
            return;
        }
        unsigned char bytes[Codec::Size] = {};
        Codec::Encode(Rec, bytes);
        WriteCopy(Cursor_, bytes); // fails the change when Cursor lies past the end
        change.Commit();
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
    TRecordFileOf(const std::string& FileName, TFileUse Use)
        : TRecordFile(FileName, Codec::Size, Use) {}

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
        TChange change(*this);
        if (!change.Loaded()) {
            return;
        }
        CountWholeCopy();
        RemoveFromCopy(Index);
        change.Commit();
    }

    // Delete within a change: the records after Index move down one place (Cursor ends on
    // LastIndex - 1), then the copy is cut after LastIndex - 1 records.
    void RemoveFromCopy(std::int32_t Index) {
        if (CopyRecords() <= LastIndex_) {
            StepFailed(); // the records to move are not all there
            return;
        }
        if (Index < LastIndex_) {
            TRecord rec{};
            for (std::int32_t from = Index + 1; from <= LastIndex_; ++from) {
                Codec::Decode(CopyRecord(from), rec);
                Put(from - 1, rec);
            }
            Cursor_ = LastIndex_ - 1;
        }
        TruncateCopy(LastIndex_);
        LastIndex_ = CopyRecords() - 1;
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

    // Within a change: appends Rec and moves it down past every record it belongs before (one
    // step of insertion sort from the end, so equal keys keep their order of insertion). Cursor
    // ends on Rec.
    template <class Before> void InsertSorted(const TRecord& Rec, Before before) {
        ++LastIndex_;
        std::int32_t place = LastIndex_;
        if (place > 0 && CopyRecords() < place) {
            StepFailed(); // the record before the new one cannot be read
            return;
        }
        TRecord neighbour{};
        while (place > 0) {
            Codec::Decode(CopyRecord(place - 1), neighbour);
            if (!before(Rec, neighbour)) {
                break;
            }
            --place;
        }
        for (std::int32_t to = LastIndex_; to > place; --to) {
            Codec::Decode(CopyRecord(to - 1), neighbour);
            Put(to, neighbour);
        }
        Put(place, Rec);
        Cursor_ = place;
    }

    // Writes Rec into the copy at Index, with zeros in its unused bytes.
    void Put(std::int32_t Index, const TRecord& Rec) {
        unsigned char bytes[Codec::Size] = {};
        Codec::Encode(Rec, bytes);
        WriteCopy(Index, bytes);
    }
};

} // namespace korvane
