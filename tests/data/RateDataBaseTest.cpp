#include <vector>

#include "data/RateDataBase.h"
#include "tests/data/RecordTestSupport.h"
#include "tests/support/core/TempWorkDir.h"

namespace korvane {
namespace {

using test::Zeros;

class RateDataBaseTest : public test::TempWorkDirTest {};

TRateRecord Rated(std::int32_t ApplicantID, std::int32_t CommitteeID, std::int32_t Sequence = -1) {
    TRateRecord rec = BlankRating(ApplicantID, CommitteeID);
    rec.Sequence = Sequence;
    return rec;
}

std::vector<std::int32_t> Sequences(TRateDataBase& File) {
    std::vector<std::int32_t> result;
    for (const auto& rec : test::Scan(File)) {
        result.push_back(rec.Sequence);
    }
    return result;
}

TEST_F(RateDataBaseTest, WritesTheRecordLayoutByteForByte) {
    {
        TRateDataBase file("Rating.dat");
        TRateRecord rec = Rated(7, 3);
        rec.Comments = "Good";
        rec.Rate[0] = 5;
        rec.Rate[1] = 4;
        rec.Rate[11] = -3;
        bool added = false;
        file.Insert(rec, added);
        EXPECT_TRUE(added);
        EXPECT_EQ(rec.Sequence, 1);
    }
    EXPECT_EQ(ReadFile("Rating.dat"), Bytes({7, 0, 0, 0, 3, 0, 0, 0}) +
                                          Bytes({4, 'G', 'o', 'o', 'd'}) + Zeros(27) +
                                          Bytes({5, 0, 0, 0, 4, 0, 0, 0}) + Zeros(36) +
                                          Bytes({0xFD, 0xFF, 0xFF, 0xFF}) + Bytes({1, 0, 0, 0}));
}

TEST_F(RateDataBaseTest, CommentsAreCutToThirtyCharacters) {
    {
        TRateDataBase file("Rating.dat");
        TRateRecord rec = Rated(1, 1);
        rec.Comments = std::string(31, 'c') + "dropped";
        rec.Rate.fill(0x11111111);
        bool added = false;
        file.Insert(rec, added);
    }
    const std::string bytes = ReadFile("Rating.dat");
    ASSERT_EQ(bytes.size(), 92u);
    EXPECT_EQ(bytes.substr(8, 32), Bytes({30}) + std::string(30, 'c') + Zeros(1));
    EXPECT_EQ(bytes.substr(40, 4), Bytes({0x11, 0x11, 0x11, 0x11}));
}

TEST_F(RateDataBaseTest, FindRatingOnAnEmptyFileDeliversTheBlankRecord) {
    TRateDataBase file("Rating.dat");
    TRateRecord rec = Rated(1, 2, 44);
    rec.Comments = "old";
    rec.Rate[3] = 4;
    EXPECT_FALSE(file.FindRating(rec, 7, 3));
    EXPECT_EQ(file.Status(), stIOError | stNotFound);
    EXPECT_EQ(rec, Rated(7, 3, -1));
    for (const auto rating : rec.Rate) {
        EXPECT_EQ(rating, 0);
    }
}

// The rating sheet: look the pair up, write in place when found, insert when not.
TEST_F(RateDataBaseTest, SavingRatingsFirstInsertsThenOverwrites) {
    TRateDataBase file("Rating.dat");
    auto save = [&file](std::int32_t Applicant, std::int32_t Member, std::int32_t Rating) {
        TRateRecord rec;
        const bool found = file.FindRating(rec, Applicant, Member);
        rec.Rate[0] = Rating;
        if (found) {
            file.WriteRecord(rec);
        } else {
            bool added = false;
            file.Insert(rec, added);
        }
    };
    save(7, 3, 4);
    EXPECT_EQ(Sequences(file), (std::vector<std::int32_t>{1}));
    save(7, 3, 5);
    EXPECT_EQ(file.LastIndex(), 0);
    TRateRecord rec;
    ASSERT_TRUE(file.FindRating(rec, 7, 3));
    EXPECT_EQ(rec.Rate[0], 5);

    save(8, 3, 2);
    EXPECT_EQ(Sequences(file), (std::vector<std::int32_t>{2, 1}));
    ASSERT_TRUE(file.FindRating(rec, 7, 3));
    EXPECT_EQ(file.Cursor(), 1);
    EXPECT_EQ(file.Status(), 0);
    EXPECT_FALSE(file.FindRating(rec, 3, 7));
    EXPECT_EQ(file.Status(), stBound | stNotFound);
}

TEST_F(RateDataBaseTest, DescendingOrderKeepsEqualSequencesInInsertionOrder) {
    TRateDataBase file("TempFile.dat");
    const std::vector<std::pair<std::int32_t, std::int32_t>> input{
        {1, 40}, {2, 55}, {3, 40}, {4, 70}};
    for (const auto& [applicant, sequence] : input) {
        TRateRecord rec = Rated(applicant, 0, sequence);
        bool added = false;
        file.Insert(rec, added);
        EXPECT_TRUE(added);
    }
    std::vector<std::int32_t> applicants;
    for (const auto& rec : test::Scan(file)) {
        applicants.push_back(rec.ApplicantID);
    }
    EXPECT_EQ(Sequences(file), (std::vector<std::int32_t>{70, 55, 40, 40}));
    EXPECT_EQ(applicants, (std::vector<std::int32_t>{4, 2, 1, 3}));
    EXPECT_EQ(file.NextSequence(), 71);
}

TEST_F(RateDataBaseTest, ManyRatingsSpanningBlocksAreFoundWhereverTheyLie) {
    TRateDataBase file("Rating.dat");
    constexpr int Count = 1000;
    for (int i = 0; i < Count; ++i) {
        TRateRecord rec = Rated(i % 100, i / 100);
        rec.Rate[0] = i;
        bool added = false;
        file.Insert(rec, added);
    }
    EXPECT_EQ(file.LastIndex(), Count - 1);
    TRateRecord rec;
    ASSERT_TRUE(file.FindRating(rec, 0, 0));
    EXPECT_EQ(file.Cursor(), Count - 1) << "the first rated pair ends up last";
    EXPECT_EQ(rec.Sequence, 1);
    ASSERT_TRUE(file.FindRating(rec, 99, 9));
    EXPECT_EQ(file.Cursor(), 0);
    ASSERT_TRUE(file.FindRating(rec, 42, 7));
    EXPECT_EQ(rec.Rate[0], 742);
    EXPECT_EQ(file.Cursor(), Count - 1 - 742);
    EXPECT_FALSE(file.FindRating(rec, 100, 0));
    EXPECT_EQ(file.Cursor(), Count - 1);
}

} // namespace
} // namespace korvane
