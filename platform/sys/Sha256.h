#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korvane {

// SHA-256 of a run of bytes, fed in pieces of any size.
class TSha256 {
public:
    TSha256();
    void Update(const void* Bytes, std::size_t Count);
    // The digest of everything fed so far; the object is spent afterwards.
    std::array<std::uint8_t, 32> Finish();

private:
    void Block(const std::uint8_t* Bytes);

    std::array<std::uint32_t, 8> State_;
    std::array<std::uint8_t, 64> Pending_{};
    std::size_t PendingCount_ = 0;
    std::uint64_t Length_ = 0; // bytes fed
};

// The digest as 64 lower-case hexadecimal digits.
std::string Sha256Hex(std::string_view Bytes);

// The digest of a file's content in hexadecimal. Missing when no file has that name; nullopt when
// the name is not a regular file or the file cannot be read to its end.
struct TFileDigest {
    bool Missing = false;
    std::string Hex;
};
std::optional<TFileDigest> FileSha256(const std::string& Path);

} // namespace korvane
