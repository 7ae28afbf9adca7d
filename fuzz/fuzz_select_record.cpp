// The 16-byte record of the selected criteria: decoding, encoding and their round trip.

#include "data/SelectDataBase.h"
#include "fuzz/CodecProperties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    using namespace korvane::fuzz;
    return CheckCodec<korvane::TSelectRecordCodec>(
        Data, Size, [](const unsigned char* In, unsigned char* Out) {
            CopyField(In, Out, 0, 6);  // CriterionID, Weight
            CopyField(In, Out, 8, 12); // Sequence
        });
}
