#include <vector>

#include "data/SelectDataBase.h"
#include "tests/data/RecordTestSupport.h"
#include "tests/support/core/TempWorkDir.h"

namespace korvane {
namespace {

using test::Zeros;

class SelectDataBaseTest : public test::TempWorkDirTest {};

TSelectRecord Selection(std::int32_t CriterionID, std::uint16_t Weight, std::int32_t Sequence = 0) {
    TSelectRecord rec;
    rec.CriterionID = CriterionID;
    rec.Weight = Weight;
    rec.Sequence = Sequence;
    return rec;
}

std::vector<std::int32_t> Sequences(TSelectDataBase& File) {
    std::vector<std::int32_t> result;
    for (const auto& rec : test::Scan(File)) {
        result.push_back(rec.Sequence);
    }
    return result;
}

void Add(TSelectDataBase& File, TSelectRecord Rec) {
    bool added = false;
    File.Insert(Rec, added);
    EXPECT_TRUE(added);
}

TEST_F(SelectDataBaseTest, WritesTheRecordLayoutByteForByte) {
    {
        TSelectDataBase file("Preferre.dat");
        Add(file, Selection(0x01020304, 40000));
        Add(file, Selection(-2, 7));
    }
    EXPECT_EQ(ReadFile("Preferre.dat"),
              Bytes({0x04, 0x03, 0x02, 0x01, 0x40, 0x9C, 0, 0, 1, 0, 0, 0}) + Zeros(4) +
                  Bytes({0xFE, 0xFF, 0xFF, 0xFF, 7, 0, 0, 0, 2, 0, 0, 0}) + Zeros(4));
}

TEST_F(SelectDataBaseTest, ReadsRecordsWithGarbageInThePadding) {
    WriteFile("Required.dat", Bytes({9, 0, 0, 0, 10, 0, 0xAB, 0xCD, 3, 0, 0, 0, 1, 2, 3, 4}));
    TSelectDataBase file("Required.dat");
    TSelectRecord rec;
    file.First(rec);
    EXPECT_EQ(rec, Selection(9, 10, 3));
}

TEST_F(SelectDataBaseTest, SequencesFollowTheOrderOfSelectionAndAreNotReused) {
    TSelectDataBase file("Preferre.dat");
    Add(file, Selection(11, 10));
    Add(file, Selection(12, 20));
    Add(file, Selection(13, 30));
    EXPECT_EQ(Sequences(file), (std::vector<std::int32_t>{1, 2, 3}));

    file.Delete(1);
    TSelectRecord added = Selection(14, 5);
    bool ok = false;
    file.Insert(added, ok);
    EXPECT_EQ(added.Sequence, 4) << "written back into the caller's record";
    EXPECT_EQ(file.Cursor(), 2);
    EXPECT_EQ(Sequences(file), (std::vector<std::int32_t>{1, 3, 4}));

    // Binary search over 1, 3, 4.
    TSelectRecord rec;
    file.Find(rec, 2);
    EXPECT_TRUE(file.Status() & stNotFound);
    file.Find(rec, 4);
    EXPECT_EQ(file.Status(), 0);
    EXPECT_EQ(file.Cursor(), 2);
    EXPECT_EQ(rec.CriterionID, 14);
    file.Find(rec, 1);
    EXPECT_EQ(file.Cursor(), 0);
}

TEST_F(SelectDataBaseTest, InsertPlacesExplicitSequencesAndRefusesDuplicates) {
    TSelectDataBase file("Preferre.dat");
    Add(file, Selection(1, 1, 5));
    Add(file, Selection(2, 1, 5)); // one record: no duplicate test
    Add(file, Selection(3, 1, 2));
    Add(file, Selection(4, 1, 9));
    EXPECT_EQ(Sequences(file), (std::vector<std::int32_t>{2, 5, 5, 9}));
    EXPECT_EQ(file.NextSequence(), 10);

    const std::string before = ReadFile("Preferre.dat");
    TSelectRecord duplicate = Selection(7, 1, 9);
    bool added = true;
    file.Insert(duplicate, added);
    EXPECT_FALSE(added);
    EXPECT_EQ(ReadFile("Preferre.dat"), before);
}

TEST_F(SelectDataBaseTest, EditingAWeightInPlaceKeepsThePosition) {
    TSelectDataBase file("Preferre.dat");
    Add(file, Selection(11, 10));
    Add(file, Selection(12, 10));
    Add(file, Selection(13, 10));
    TSelectRecord rec;
    file.GoTo(rec, 1);
    rec.Weight = 40;
    file.WriteRecord(rec);
    EXPECT_EQ(file.LastIndex(), 2);
    const auto all = test::Scan(file);
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[1], Selection(12, 40, 2));
}

TEST_F(SelectDataBaseTest, NextSequenceHasNoUpperLimit) {
    TSelectDataBase file("Required.dat");
    EXPECT_EQ(file.NextSequence(), 1);
    Add(file, Selection(1, 0, 2500));
    EXPECT_EQ(file.NextSequence(), 2501);
}

TEST_F(SelectDataBaseTest, GoToOutsideTheFileLeavesTheRecord) {
    TSelectDataBase file("Required.dat");
    Add(file, Selection(1, 0));
    TSelectRecord rec = Selection(8, 8, 8);
    file.GoTo(rec, 1);
    EXPECT_EQ(file.Status(), stBound);
    EXPECT_EQ(rec, Selection(8, 8, 8));
}

} // namespace
} // namespace korvane
