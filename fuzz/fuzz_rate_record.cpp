// The 92-byte rating record: decoding, encoding and their round trip.

#include "data/RateDataBase.h"
#include "fuzz/CodecProperties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    using namespace korvane::fuzz;
    return CheckCodec<korvane::TRateRecordCodec>(
        Data, Size, [](const unsigned char* In, unsigned char* Out) {
            CopyField(In, Out, 0, 8);        // ApplicantID, CommitteeID
            CopyShortString(In, Out, 8, 30); // Comments
            CopyField(In, Out, 40, 92);      // Rate 1 to 12, Sequence
        });
}
