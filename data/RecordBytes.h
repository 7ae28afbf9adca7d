#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>

// Field-by-field little-endian encoding of the record layouts.
namespace korvane::bytes {

inline void PutUInt32(unsigned char* At, std::uint32_t Value) {
    At[0] = static_cast<unsigned char>(Value);
    At[1] = static_cast<unsigned char>(Value >> 8);
    At[2] = static_cast<unsigned char>(Value >> 16);
    At[3] = static_cast<unsigned char>(Value >> 24);
}

inline std::uint32_t GetUInt32(const unsigned char* At) {
    return static_cast<std::uint32_t>(At[0]) | static_cast<std::uint32_t>(At[1]) << 8 |
           static_cast<std::uint32_t>(At[2]) << 16 | static_cast<std::uint32_t>(At[3]) << 24;
}

inline void PutInt32(unsigned char* At, std::int32_t Value) {
    PutUInt32(At, static_cast<std::uint32_t>(Value));
}

inline std::int32_t GetInt32(const unsigned char* At) {
    return static_cast<std::int32_t>(GetUInt32(At));
}

inline void PutUInt16(unsigned char* At, std::uint16_t Value) {
    At[0] = static_cast<unsigned char>(Value);
    At[1] = static_cast<unsigned char>(Value >> 8);
}

inline std::uint16_t GetUInt16(const unsigned char* At) {
    return static_cast<std::uint16_t>(At[0] | At[1] << 8);
}

inline void PutDouble(unsigned char* At, double Value) {
    const auto bits = std::bit_cast<std::uint64_t>(Value);
    PutUInt32(At, static_cast<std::uint32_t>(bits));
    PutUInt32(At + 4, static_cast<std::uint32_t>(bits >> 32));
}

inline double GetDouble(const unsigned char* At) {
    const std::uint64_t bits = static_cast<std::uint64_t>(GetUInt32(At)) |
                               static_cast<std::uint64_t>(GetUInt32(At + 4)) << 32;
    return std::bit_cast<double>(bits);
}

// A length byte followed by at most Max characters; longer text is cut to Max. The bytes past
// the length are left as they are (zero in a freshly cleared record).
inline void PutShortString(unsigned char* At, std::size_t Max, const std::string& Text) {
    const std::size_t length = Text.size() < Max ? Text.size() : Max;
    At[0] = static_cast<unsigned char>(length);
    for (std::size_t i = 0; i < length; ++i) {
        At[1 + i] = static_cast<unsigned char>(Text[i]);
    }
}

// A length byte above Max reads as Max, so a damaged record never leads outside its field.
inline void GetShortString(const unsigned char* At, std::size_t Max, std::string& Text) {
    const std::size_t length = At[0] < Max ? At[0] : Max;
    Text.assign(reinterpret_cast<const char*>(At + 1), length);
}

} // namespace korvane::bytes
