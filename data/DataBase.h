#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "data/RecordFile.h"

namespace korvane {

// One record of committee.dat, Applicant.Dat, SampleRe.dat, SamplePr.dat or the applicant copy
// in TempFile.dat: 64 bytes on disk.
struct TDataRecord {
    std::int32_t ID = 0;
    std::string Description; // code-page bytes; at most 40 are stored
    char Mark = ' ';         // '*' or a blank
    double VeteranPreference = 0.0;
    std::int32_t ApplicantStatus = 0;

    bool operator==(const TDataRecord&) const = default;
};

inline constexpr std::size_t MaxDescriptionLength = 40;

// Byte layout: ID at 0, Description at 4 (length byte, 40 characters), Mark at 45,
// VeteranPreference at 48, ApplicantStatus at 56; all else zero.
struct TDataRecordCodec {
    using TRecord = TDataRecord;
    static constexpr std::size_t Size = 64;
    static void Encode(const TDataRecord& Rec, unsigned char* Bytes);
    static void Decode(const unsigned char* Bytes, TDataRecord& Rec);
};

// The text GetDescription gives for an ID that is not in the file.
inline constexpr const char* DescriptionNotFound = "Description For ID Number Not Found";

// Automatic IDs stay below this; IDs from here on are never counted by NextID.
inline constexpr std::int32_t AutomaticIDLimit = 2000;

// A file of TDataRecord kept in ascending order of Description (byte order, case-sensitive).
// Every change is made whole (see TRecordFile): a failed write adds stIOError and changes
// nothing, neither the file nor Cursor and LastIndex.
class TDataBase : public TRecordFileOf<TDataRecordCodec> {
public:
    explicit TDataBase(const std::string& FileName, TFileUse Use = TFileUse::Data);

    using TRecordFileOf::Delete;
    using TRecordFileOf::GoTo;
    using TRecordFileOf::Prior;

    // Linear search from the first record; the first record with the ID wins. On failure
    // stNotFound is added and Cursor is LastIndex.
    void Find(TDataRecord& Rec, std::int32_t ID);
    // The description of the record with the ID (Cursor left on it), or DescriptionNotFound.
    std::string GetDescription(std::int32_t ID);
    // One more than the highest ID below 2000, or 1; scans the whole file.
    std::int32_t NextID();
    // Adds Rec in sorted place; an ID of 0 is replaced by NextID() in the caller's record. With
    // two or more records in the file an ID already present is refused (Added false). A failed
    // write leaves Added false and the caller's ID as it was.
    void Insert(TDataRecord& Rec, bool& Added);
    // Stores Rec in place of the record with the same ID, keeping the stored ApplicantStatus;
    // adds it when there is none. One change: the old record goes only when the new one comes.
    // When the ID stands on a second record too, nothing changes (Cursor on that record).
    void Replace(const TDataRecord& Rec);
    // The edit of a list screen, as one change: the record at Index goes and Rec comes in its
    // sorted place, with the result of Delete(Index) followed by Insert(Rec, Added): Cursor on
    // the new record, LastIndex and Status as that pair leaves them. An Index outside
    // 0..LastIndex removes nothing. When Rec's ID stands on another record (and the file holds
    // two or more records without the one at Index), nothing changes: Added false, Cursor on
    // that other record, LastIndex as before. A failed write changes nothing either.
    void ReplaceAt(std::int32_t Index, TDataRecord& Rec, bool& Added);

private:
    bool FindID(TDataRecord& Rec, std::int32_t ID);
    // Insert within a change; false when the ID is refused.
    bool InsertInCopy(TDataRecord& Rec);
    // A refused edit or replacement: nothing changes, Cursor on the record holding the ID.
    // Removed is the index taken out of the copy before, or -1.
    void Refuse(TChange& Change, std::int32_t Removed);
};

// The veteran choice 0, 1 or 2 of a stored VeteranPreference, which holds either the choice
// itself or the preference rate. A damaged value of 3 or more gives its whole part (at most
// VeteranIndexBound): a choice that does not exist, which readers show as none and rate 0.
int VeteranIndex(double VeteranPreference);
inline constexpr int VeteranIndexBound = 1000;

} // namespace korvane
