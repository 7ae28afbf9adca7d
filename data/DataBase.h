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
class TDataBase : public TRecordFileOf<TDataRecordCodec> {
public:
    explicit TDataBase(const std::string& FileName);

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
    // two or more records in the file an ID already present is refused (Added false).
    void Insert(TDataRecord& Rec, bool& Added);
    // Stores Rec in place of the record with the same ID, keeping the stored ApplicantStatus;
    // adds it when there is none.
    void Replace(const TDataRecord& Rec);

private:
    bool FindID(TDataRecord& Rec, std::int32_t ID);
};

// The veteran choice 0, 1 or 2 of a stored VeteranPreference, which holds either the choice
// itself or the preference rate.
int VeteranIndex(double VeteranPreference);

} // namespace korvane
