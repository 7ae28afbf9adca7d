#include <filesystem>
#include <string>

#include "platform/sys/Sha256.h"
#include "tests/support/core/TempWorkDir.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

struct TVector {
    const char* Name;
    std::string Text;
    std::size_t Repeat;
    std::size_t Piece; // bytes fed at a time
    const char* Digest;
};

class Sha256Test : public test::TempWorkDirTest, public ::testing::WithParamInterface<TVector> {};

// The standard test vectors, fed whole, in pieces that straddle the blocks, and from a file.
TEST_P(Sha256Test, GivesTheStandardDigests) {
    const TVector& v = GetParam();
    std::string bytes;
    for (std::size_t i = 0; i < v.Repeat; ++i) {
        bytes += v.Text;
    }
    EXPECT_EQ(Sha256Hex(bytes), v.Digest);
    TSha256 pieces;
    for (std::size_t at = 0; at < bytes.size(); at += v.Piece) {
        pieces.Update(bytes.data() + at, std::min(v.Piece, bytes.size() - at));
    }
    std::string hex;
    for (const auto byte : pieces.Finish()) {
        static constexpr char Digits[] = "0123456789abcdef";
        hex += Digits[byte >> 4];
        hex += Digits[byte & 15];
    }
    EXPECT_EQ(hex, v.Digest);
    WriteFile("file", bytes);
    const auto file = FileSha256("file");
    ASSERT_TRUE(file.has_value());
    EXPECT_FALSE(file->Missing);
    EXPECT_EQ(file->Hex, v.Digest);
}

INSTANTIATE_TEST_SUITE_P(
    Vectors, Sha256Test,
    ::testing::Values(
        TVector{"Empty", "", 1, 1,
                "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        TVector{"Abc", "abc", 1, 1,
                "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        TVector{"TwoBlocks", "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq", 1, 7,
                "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        TVector{"Long",
                "abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqk"
                "lmnopqrlmnopqrsmnopqrstnopqrstu",
                1, 63, "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1"},
        TVector{"MillionA", "a", 1000000, 65537,
                "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"}),
    [](const auto& test) { return std::string(test.param.Name); });

TEST_F(Sha256Test, AFileMissingIsToldApartFromOneThatCannotBeRead) {
    const auto missing = FileSha256("none");
    ASSERT_TRUE(missing.has_value());
    EXPECT_TRUE(missing->Missing);
    fs::create_directory("folder");
    EXPECT_FALSE(FileSha256("folder").has_value());
    MakeFifo("fifo");
    EXPECT_FALSE(FileSha256("fifo").has_value()) << "refused, never waited on";
}

} // namespace
} // namespace korvane
