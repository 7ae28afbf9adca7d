#include "platform/sys/Sha256.h"

#include <cerrno>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/sys/PathParts.h"

namespace korvane {

namespace {

constexpr std::array<std::uint32_t, 64> RoundConstants = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};

constexpr std::uint32_t Rotated(std::uint32_t Value, int Bits) {
    return (Value >> Bits) | (Value << (32 - Bits));
}

} // namespace

TSha256::TSha256()
    : State_{0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
             0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19} {}

void TSha256::Block(const std::uint8_t* Bytes) {
    std::array<std::uint32_t, 64> w{};
    for (int i = 0; i < 16; ++i) {
        w[i] = std::uint32_t{Bytes[4 * i]} << 24 | std::uint32_t{Bytes[4 * i + 1]} << 16 |
               std::uint32_t{Bytes[4 * i + 2]} << 8 | std::uint32_t{Bytes[4 * i + 3]};
    }
    for (int i = 16; i < 64; ++i) {
        const std::uint32_t s0 = Rotated(w[i - 15], 7) ^ Rotated(w[i - 15], 18) ^ (w[i - 15] >> 3);
        const std::uint32_t s1 = Rotated(w[i - 2], 17) ^ Rotated(w[i - 2], 19) ^ (w[i - 2] >> 10);
        w[i] = w[i - 16] + s0 + w[i - 7] + s1;
    }
    auto [a, b, c, d, e, f, g, h] = State_;
    for (int i = 0; i < 64; ++i) {
        const std::uint32_t s1 = Rotated(e, 6) ^ Rotated(e, 11) ^ Rotated(e, 25);
        const std::uint32_t choice = (e & f) ^ (~e & g);
        const std::uint32_t t1 = h + s1 + choice + RoundConstants[i] + w[i];
        const std::uint32_t s0 = Rotated(a, 2) ^ Rotated(a, 13) ^ Rotated(a, 22);
        const std::uint32_t majority = (a & b) ^ (a & c) ^ (b & c);
        const std::uint32_t t2 = s0 + majority;
        h = g;
        g = f;
        f = e;
        e = d + t1;
        d = c;
        c = b;
        b = a;
        a = t1 + t2;
    }
    const std::array<std::uint32_t, 8> worked = {a, b, c, d, e, f, g, h};
    for (std::size_t i = 0; i < State_.size(); ++i) {
        State_[i] += worked[i];
    }
}

void TSha256::Update(const void* Bytes, std::size_t Count) {
    const auto* bytes = static_cast<const std::uint8_t*>(Bytes);
    Length_ += Count;
    while (Count > 0) {
        const std::size_t take = std::min(Count, Pending_.size() - PendingCount_);
        std::memcpy(Pending_.data() + PendingCount_, bytes, take);
        PendingCount_ += take;
        bytes += take;
        Count -= take;
        if (PendingCount_ == Pending_.size()) {
            Block(Pending_.data());
            PendingCount_ = 0;
        }
    }
}

std::array<std::uint8_t, 32> TSha256::Finish() {
    const std::uint64_t bits = Length_ * 8;
    const std::uint8_t one = 0x80;
    Update(&one, 1);
    const std::uint8_t zero = 0;
    while (PendingCount_ != 56) {
        Update(&zero, 1);
    }
    std::uint8_t length[8];
    for (int i = 0; i < 8; ++i) {
        length[i] = static_cast<std::uint8_t>(bits >> (56 - 8 * i));
    }
    Update(length, sizeof length);
    std::array<std::uint8_t, 32> digest{};
    for (std::size_t i = 0; i < State_.size(); ++i) {
        for (std::size_t k = 0; k < 4; ++k) {
            digest[4 * i + k] = static_cast<std::uint8_t>(State_[i] >> (24 - 8 * k));
        }
    }
    return digest;
}

namespace {

std::string Hex(const std::array<std::uint8_t, 32>& Digest) {
    static constexpr char Digits[] = "0123456789abcdef";
    std::string text;
    for (const std::uint8_t byte : Digest) {
        text += Digits[byte >> 4];
        text += Digits[byte & 15];
    }
    return text;
}

} // namespace

std::string Sha256Hex(std::string_view Bytes) {
    TSha256 hash;
    hash.Update(Bytes.data(), Bytes.size());
    return Hex(hash.Finish());
}

std::optional<TFileDigest> FileSha256(const std::string& Path) {
    struct stat info {};
    if (::stat(Path.c_str(), &info) != 0 && errno == ENOENT) {
        return TFileDigest{true, {}};
    }
    const int handle = OpenRegularFile(Path);
    if (handle < 0) {
        return std::nullopt;
    }
    TSha256 hash;
    char buffer[65536];
    ssize_t got = 0;
    while ((got = ::read(handle, buffer, sizeof buffer)) != 0) {
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            ::close(handle);
            return std::nullopt;
        }
        hash.Update(buffer, static_cast<std::size_t>(got));
    }
    ::close(handle);
    return TFileDigest{false, Hex(hash.Finish())};
}

} // namespace korvane
