// The 64-byte record of the named lists: decoding, encoding and their round trip.

#include "data/DataBase.h"
#include "fuzz/CodecProperties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    using namespace korvane::fuzz;
    return CheckCodec<korvane::TDataRecordCodec>(
        Data, Size, [](const unsigned char* In, unsigned char* Out) {
            CopyField(In, Out, 0, 4);        // ID
            CopyShortString(In, Out, 4, 40); // Description
            CopyField(In, Out, 45, 46);      // Mark
            CopyField(In, Out, 48, 60);      // VeteranPreference, ApplicantStatus
        });
}
