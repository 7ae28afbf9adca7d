#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "fuzz/FuzzSupport.h"

namespace korvane::fuzz {

// The properties every record codec must have, for bytes Data of which the first Codec::Size
// make one record:
// - decoding reads no byte outside the record and encoding writes none (the sanitizer sees a
//   buffer of exactly one record);
// - encoding the decoded record gives the canonical form of the bytes, which Layout states on
//   its own terms: the fields copied, length bytes above the maximum cut to it, all else zero;
// - decoding that again gives the same record, and encoding it the same bytes.
template <class Codec, class Layout>
int CheckCodec(const std::uint8_t* Data, std::size_t Size, Layout Canonical) {
    if (Size < Codec::Size) {
        return -1;
    }
    const auto stored = std::make_unique<unsigned char[]>(Codec::Size);
    std::copy(Data, Data + Codec::Size, stored.get());
    typename Codec::TRecord rec;
    Codec::Decode(stored.get(), rec);

    const auto encoded = std::make_unique<unsigned char[]>(Codec::Size);
    std::fill(encoded.get(), encoded.get() + Codec::Size, 0);
    Codec::Encode(rec, encoded.get());
    std::vector<unsigned char> expected(Codec::Size, 0);
    Canonical(stored.get(), expected.data());
    KORVANE_FUZZ_CHECK(std::equal(expected.begin(), expected.end(), encoded.get()));

    typename Codec::TRecord again;
    Codec::Decode(encoded.get(), again);
    const auto twice = std::make_unique<unsigned char[]>(Codec::Size);
    std::fill(twice.get(), twice.get() + Codec::Size, 0);
    Codec::Encode(again, twice.get());
    KORVANE_FUZZ_CHECK(std::equal(encoded.get(), encoded.get() + Codec::Size, twice.get()));
    return 0;
}

// Copies bytes [From, To) of a record.
inline void CopyField(const unsigned char* In, unsigned char* Out, std::size_t From,
                      std::size_t To) {
    std::copy(In + From, In + To, Out + From);
}

// A length byte at At and the characters after it, the length cut to Max.
inline void CopyShortString(const unsigned char* In, unsigned char* Out, std::size_t At,
                            std::size_t Max) {
    const std::size_t length = std::min<std::size_t>(In[At], Max);
    Out[At] = static_cast<unsigned char>(length);
    CopyField(In, Out, At + 1, At + 1 + length);
}

} // namespace korvane::fuzz
