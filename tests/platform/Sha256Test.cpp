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
    const char* Digest;
};

class Sha256Test : public test::TempWorkDirTest, public ::testing::WithParamInterface<TVector> {};

// The standard test vectors, of bytes and of a file (read in pieces that straddle the blocks).
TEST_P(Sha256Test, GivesTheStandardDigests) {
    const TVector& v = GetParam();
    std::string bytes;
    for (std::size_t i = 0; i < v.Repeat; ++i) {
        bytes += v.Text;
    }
    EXPECT_EQ(Sha256Hex(bytes), v.Digest);
    WriteFile("file", bytes);
    const auto file = FileSha256("file");
    ASSERT_TRUE(file.has_value());
    EXPECT_FALSE(file->Missing);
    EXPECT_EQ(file->Hex, v.Digest);
}

INSTANTIATE_TEST_SUITE_P(
    Vectors, Sha256Test,
    ::testing::Values(
        TVector{"Empty", "", 1, "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        TVector{"Abc", "abc", 1,
                "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        TVector{"TwoBlocks", "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq", 1,
                "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        TVector{"Long",
                "abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqk"
                "lmnopqrlmnopqrsmnopqrstnopqrstu",
                1, "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1"},
        TVector{"MillionA", "a", 1000000,
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
