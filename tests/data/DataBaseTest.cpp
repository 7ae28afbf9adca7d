#include <cstdio>
#include <filesystem>
#include <limits>

#include "data/DataBase.h"
#include "tests/data/RecordTestSupport.h"
#include "tests/support/core/TempWorkDir.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using test::IDs;
using test::Named;
using test::Zeros;

class DataBaseTest : public test::TempWorkDirTest {};

TEST_F(DataBaseTest, WritesTheRecordLayoutByteForByte) {
    {
        TDataBase file("Applicant.Dat");
        TDataRecord rec = Named(258, "Smith");
        rec.Mark = '*';
        rec.VeteranPreference = 0.05;
        rec.ApplicantStatus = 3;
        bool added = false;
        file.Insert(rec, added);
        ASSERT_TRUE(added);
    }
    const std::string expected = Bytes({0x02, 0x01, 0x00, 0x00, 5, 'S', 'm', 'i', 't', 'h'}) +
                                 Zeros(35)                                                 // 0..44
                                 + Bytes({0x2A, 0x00, 0x00})                               // 45..47
                                 + Bytes({0x9A, 0x99, 0x99, 0x99, 0x99, 0x99, 0xA9, 0x3F}) // 48..55
                                 + Bytes({0x03, 0x00, 0x00, 0x00}) + Zeros(4);             // 56..63
    EXPECT_EQ(ReadFile("Applicant.Dat"), expected);
}

TEST_F(DataBaseTest, CutsADescriptionToFortyCharacters) {
    {
        TDataBase file("committee.dat");
        TDataRecord rec = Named(1, std::string(45, 'X'));
        bool added = false;
        file.Insert(rec, added);
    }
    const std::string bytes = ReadFile("committee.dat");
    ASSERT_EQ(bytes.size(), 64u);
    EXPECT_EQ(bytes.substr(4, 41), Bytes({40}) + std::string(40, 'X'));
    EXPECT_EQ(bytes[45], ' ') << "the field after the description is untouched";
}

TEST_F(DataBaseTest, IgnoresGarbageInUnusedBytesAndWritesZerosWhenMoving) {
    std::string record = Bytes({7, 0, 0, 0, 3, 'B', 'o', 'b'}) + std::string(37, '\xEE') +
                         Bytes({' ', 0x55, 0x66}) + Bytes({0, 0, 0, 0, 0, 0, 0xF0, 0x3F}) +
                         Bytes({1, 0, 0, 0, 0x77, 0x88, 0x99, 0xAA});
    ASSERT_EQ(record.size(), 64u);
    WriteFile("Applicant.Dat", record);

    TDataBase file("Applicant.Dat");
    TDataRecord rec;
    file.First(rec);
    ASSERT_EQ(file.Status(), 0);
    EXPECT_EQ(rec.ID, 7);
    EXPECT_EQ(rec.Description, "Bob");
    EXPECT_EQ(rec.Mark, ' ');
    EXPECT_EQ(rec.VeteranPreference, 1.0);
    EXPECT_EQ(rec.ApplicantStatus, 1);

    // "Al" sorts first, so Bob moves up one place and is written anew.
    TDataRecord al = Named(8, "Al");
    bool added = false;
    file.Insert(al, added);
    const std::string moved = ReadFile("Applicant.Dat").substr(64);
    EXPECT_EQ(moved, Bytes({7, 0, 0, 0, 3, 'B', 'o', 'b'}) + Zeros(37) + Bytes({' ', 0, 0}) +
                         Bytes({0, 0, 0, 0, 0, 0, 0xF0, 0x3F}) + Bytes({1, 0, 0, 0}) + Zeros(4));
}

TEST_F(DataBaseTest, AMissingFileIsCreatedEmpty) {
    TDataBase file("SampleRe.dat");
    EXPECT_TRUE(file.Opened());
    EXPECT_EQ(file.Status(), 0);
    EXPECT_EQ(file.LastIndex(), -1);
    EXPECT_EQ(file.Cursor(), 0);
    ASSERT_TRUE(fs::exists("SampleRe.dat"));
    EXPECT_EQ(fs::file_size("SampleRe.dat"), 0u);

    TDataRecord rec = Named(99, "untouched");
    file.First(rec);
    EXPECT_EQ(file.Status(), stIOError);
    EXPECT_EQ(rec, Named(99, "untouched"));
    EXPECT_TRUE(test::Scan(file).empty());
}

TEST_F(DataBaseTest, NextIDCountsOnlyIDsBelow2000) {
    {
        TDataBase file("a.dat");
        EXPECT_EQ(file.NextID(), 1);
    }
    {
        TDataBase file("b.dat");
        test::InsertAll(file, {Named(3, "C"), Named(2500, "A"), Named(7, "B")});
        EXPECT_EQ(file.NextID(), 8);
        EXPECT_EQ(file.Cursor(), file.LastIndex());
    }
    {
        TDataBase file("c.dat");
        test::InsertAll(file, {Named(2000, "A")});
        EXPECT_EQ(file.NextID(), 1);
    }
    {
        TDataBase file("d.dat");
        test::InsertAll(file, {Named(1999, "A"), Named(2000, "B")});
        EXPECT_EQ(file.NextID(), 2000);
        const std::string before = ReadFile("d.dat");
        TDataRecord automatic = Named(0, "C");
        bool added = true;
        file.Insert(automatic, added);
        EXPECT_FALSE(added);
        EXPECT_EQ(automatic.ID, 2000);
        EXPECT_EQ(ReadFile("d.dat"), before);
        EXPECT_EQ(file.LastIndex(), 1);
    }
}

TEST_F(DataBaseTest, InsertKeepsByteOrderOfDescriptionsAndOrderOfEqualOnes) {
    TDataBase file("SamplePr.dat");
    test::InsertAll(file, {Named(1, "beta"), Named(2, "Alpha"), Named(3, "alpha")});
    EXPECT_EQ(test::Descriptions(file), (std::vector<std::string>{"Alpha", "alpha", "beta"}));

    TDataRecord second = Named(4, "beta");
    bool added = false;
    file.Insert(second, added);
    EXPECT_EQ(file.Cursor(), 3) << "the cursor ends on the new record";
    EXPECT_EQ(IDs(file), (std::vector<std::int32_t>{2, 3, 1, 4}));

    // Capitals before small letters, the shorter first, and code-page letters after 'z'.
    test::InsertAll(file, {Named(5, "Zulu"), Named(6, "\xC9mile"), Named(7, "Alph"), Named(8, "")});
    EXPECT_EQ(test::Descriptions(file),
              (std::vector<std::string>{"", "Alph", "Alpha", "Zulu", "alpha", "beta", "beta",
                                        "\xC9mile"}));
}

TEST_F(DataBaseTest, AutomaticIDsAreWrittenBackIntoTheRecord) {
    TDataBase file("committee.dat");
    TDataRecord first = Named(0, "JONES");
    TDataRecord second = Named(0, "ADAMS");
    bool added = false;
    file.Insert(first, added);
    file.Insert(second, added);
    EXPECT_EQ(first.ID, 1);
    EXPECT_EQ(second.ID, 2);
    EXPECT_EQ(IDs(file), (std::vector<std::int32_t>{2, 1}));
}

TEST_F(DataBaseTest, DuplicateIDsAreRefusedOnlyFromTwoRecordsOn) {
    TDataBase file("committee.dat");
    test::InsertAll(file, {Named(5, "M")});
    TDataRecord again = Named(5, "A");
    bool added = false;
    file.Insert(again, added);
    EXPECT_TRUE(added) << "with one record there is no duplicate test";
    EXPECT_EQ(IDs(file), (std::vector<std::int32_t>{5, 5}));

    const std::string before = ReadFile("committee.dat");
    TDataRecord third = Named(5, "Z");
    file.Insert(third, added);
    EXPECT_FALSE(added);
    EXPECT_EQ(ReadFile("committee.dat"), before);
    EXPECT_EQ(file.LastIndex(), 1);
}

TEST_F(DataBaseTest, CursorAndStatusAfterEachMove) {
    TDataBase file("committee.dat");
    test::InsertAll(file, {Named(1, "A"), Named(2, "B"), Named(3, "C"), Named(4, "D")});
    TDataRecord rec;

    file.First(rec);
    EXPECT_EQ(rec.ID, 1);
    EXPECT_EQ(file.Status(), 0);
    file.Next(rec, 2);
    EXPECT_EQ(rec.ID, 3);
    EXPECT_EQ(file.Cursor(), 2);
    file.Next(rec);
    EXPECT_EQ(file.Status(), 0);
    file.Next(rec);
    EXPECT_EQ(rec.ID, 4) << "the last record again";
    EXPECT_EQ(file.Status(), stBound);
    EXPECT_EQ(file.Cursor(), file.LastIndex());

    file.Prior(rec, 3);
    EXPECT_EQ(rec.ID, 1);
    EXPECT_EQ(file.Status(), 0);
    file.Prior(rec);
    EXPECT_EQ(rec.ID, 1) << "the first record again";
    EXPECT_EQ(file.Status(), stBound);
    EXPECT_EQ(file.Cursor(), 0);
    file.Next(rec, 10);
    EXPECT_EQ(file.Status(), stBound);
    EXPECT_EQ(rec.ID, 4);

    // GoTo out of range: Status exactly 4, record and cursor as they were.
    file.Find(rec, 42);
    EXPECT_EQ(file.Status(), stBound | stNotFound);
    file.GoTo(rec, 1);
    EXPECT_EQ(rec.ID, 2);
    EXPECT_EQ(file.Status(), stBound | stNotFound) << "GoTo in range leaves Status alone";
    for (const std::int32_t index : {-1, 4}) {
        TDataRecord kept = Named(77, "kept");
        file.Find(kept, 99);
        kept = Named(77, "kept");
        const auto cursor = file.Cursor();
        file.GoTo(kept, index);
        EXPECT_EQ(file.Status(), stBound);
        EXPECT_EQ(file.Cursor(), cursor);
        EXPECT_EQ(kept, Named(77, "kept"));
    }
}

TEST_F(DataBaseTest, FindAndGetDescription) {
    TDataBase empty("empty.dat");
    TDataRecord rec;
    empty.Find(rec, 1);
    EXPECT_EQ(empty.Status(), stIOError | stNotFound);
    EXPECT_EQ(empty.Cursor(), 0);

    TDataBase file("SampleRe.dat");
    test::InsertAll(file, {Named(10, "C"), Named(20, "A"), Named(30, "B")});
    file.Find(rec, 10);
    EXPECT_EQ(file.Status(), 0);
    EXPECT_EQ(file.Cursor(), 2);
    EXPECT_EQ(rec.Description, "C");

    file.Find(rec, 40);
    EXPECT_TRUE(file.Status() & stNotFound);
    EXPECT_EQ(file.Cursor(), file.LastIndex());
    EXPECT_EQ(file.GetDescription(40), "Description For ID Number Not Found");

    EXPECT_EQ(file.GetDescription(30), "B");
    EXPECT_EQ(file.Cursor(), 1) << "the cursor tells the place in the sorted list";
}

TEST_F(DataBaseTest, DeleteFrontMiddleAndBack) {
    TDataBase file("committee.dat");
    test::InsertAll(file, {Named(1, "A"), Named(2, "B"), Named(3, "C"), Named(4, "D")});
    const std::string all = ReadFile("committee.dat");

    file.Delete(3);
    EXPECT_EQ(ReadFile("committee.dat"), all.substr(0, 192)) << "the back is cut off";
    EXPECT_EQ(file.LastIndex(), 2);

    file.Delete(1);
    EXPECT_EQ(IDs(file), (std::vector<std::int32_t>{1, 3}));

    TDataRecord rec;
    file.Find(rec, 9);
    const auto status = file.Status();
    file.Delete(0);
    EXPECT_EQ(file.Status(), status) << "Delete does not reset Status";
    EXPECT_EQ(ReadFile("committee.dat"), all.substr(128, 64));
    EXPECT_EQ(file.LastIndex(), 0);

    file.Delete(5);
    file.Delete(-1);
    EXPECT_EQ(file.LastIndex(), 0) << "an index outside the file deletes nothing";
    file.Delete(0);
    EXPECT_EQ(file.LastIndex(), -1);
    EXPECT_EQ(fs::file_size("committee.dat"), 0u);
}

TEST_F(DataBaseTest, EditingMovesARecordToItsNewPlace) {
    TDataBase file("committee.dat");
    test::InsertAll(file, {Named(1, "ADAMS"), Named(2, "BAKER"), Named(3, "CLARK")});
    TDataRecord rec;
    file.GoTo(rec, 0);
    rec.Description = "DAVIS";
    file.Delete(0);
    bool added = false;
    file.Insert(rec, added);
    EXPECT_TRUE(added);
    EXPECT_EQ(file.Cursor(), 2);
    EXPECT_EQ(test::Descriptions(file), (std::vector<std::string>{"BAKER", "CLARK", "DAVIS"}));
    EXPECT_EQ(IDs(file), (std::vector<std::int32_t>{2, 3, 1}));
}

// The list screen's edit as one change leaves what Delete and then Insert left.
TEST_F(DataBaseTest, ReplaceAtGivesWhatDeleteThenInsertGave) {
    struct TEdit {
        int Records;
        std::int32_t Index;
        std::int32_t ID;
        const char* Name;
    };
    const TEdit edits[] = {
        {4, 0, 1, "Z"}, {4, 3, 4, "A"},  {4, 1, 2, "B"},    {4, 2, 3, "G"}, {1, 0, 1, "Q"},
        {2, 0, 2, "X"}, {4, -1, 9, "X"}, {4, 4, 9, "X"},    {4, 0, 0, "E"}, {0, 0, 5, "X"},
        {3, 2, 3, "A"}, {2, 1, 0, "A"},  {4, 1, 2000, "Z"},
    };
    const char* names[] = {"B", "D", "F", "H"};
    for (const TEdit& edit : edits) {
        SCOPED_TRACE(testing::Message() << edit.Records << " records, index " << edit.Index);
        fs::remove("pair.dat");
        fs::remove("one.dat");
        TDataBase pair("pair.dat");
        TDataBase one("one.dat");
        for (int i = 0; i < edit.Records; ++i) {
            test::InsertAll(pair, {Named(i + 1, names[i])});
            test::InsertAll(one, {Named(i + 1, names[i])});
        }
        TDataRecord viaPair = Named(edit.ID, edit.Name);
        TDataRecord viaOne = viaPair;
        bool pairAdded = false;
        bool oneAdded = false;
        pair.Delete(edit.Index);
        pair.Insert(viaPair, pairAdded);
        one.ReplaceAt(edit.Index, viaOne, oneAdded);
        EXPECT_EQ(oneAdded, pairAdded);
        EXPECT_EQ(viaOne, viaPair);
        EXPECT_EQ(one.Cursor(), pair.Cursor());
        EXPECT_EQ(one.LastIndex(), pair.LastIndex());
        EXPECT_EQ(one.Status(), pair.Status());
        EXPECT_EQ(ReadFile("one.dat"), ReadFile("pair.dat"));
    }
}

// Delete and Insert would lose the edited record here; one change loses nothing.
TEST_F(DataBaseTest, AnEditOrReplaceOntoTheIDOfAnotherRecordChangesNothing) {
    TDataBase file("committee.dat");
    test::InsertAll(file, {Named(1, "A"), Named(2, "B"), Named(3, "C")});
    const std::string before = ReadFile("committee.dat");
    TDataRecord rec;
    file.GoTo(rec, 0);
    rec.ID = 3;
    rec.Description = "Z";
    bool added = true;
    file.ReplaceAt(0, rec, added);
    EXPECT_FALSE(added);
    EXPECT_EQ(ReadFile("committee.dat"), before);
    EXPECT_EQ(file.LastIndex(), 2);
    EXPECT_EQ(file.Cursor(), 2) << "on the record that holds the ID";

    // With one record there is no duplicate test, so a file can hold an ID twice.
    TDataBase twice("Applicant.Dat");
    test::InsertAll(twice, {Named(5, "A"), Named(5, "B"), Named(6, "C")});
    const std::string both = ReadFile("Applicant.Dat");
    twice.Replace(Named(5, "Z"));
    EXPECT_EQ(ReadFile("Applicant.Dat"), both);
    EXPECT_EQ(twice.LastIndex(), 2);
    EXPECT_EQ(twice.Cursor(), 1);
}

TEST_F(DataBaseTest, ReplaceKeepsTheStoredStatus) {
    TDataBase file("Applicant.Dat");
    TDataRecord stored = Named(12, "MILLER");
    stored.ApplicantStatus = 2;
    test::InsertAll(file, {stored, Named(13, "NASH")});

    TDataRecord update = Named(12, "ZIMMER");
    update.VeteranPreference = 1.0;
    update.ApplicantStatus = 0;
    file.Replace(update);
    ASSERT_EQ(file.LastIndex(), 1);
    TDataRecord rec;
    file.GoTo(rec, 1);
    EXPECT_EQ(rec.ID, 12);
    EXPECT_EQ(rec.Description, "ZIMMER");
    EXPECT_EQ(rec.VeteranPreference, 1.0);
    EXPECT_EQ(rec.ApplicantStatus, 2);

    file.Replace(Named(14, "ABLE"));
    EXPECT_EQ(IDs(file), (std::vector<std::int32_t>{14, 13, 12}));
}

TEST_F(DataBaseTest, VeteranIndexAcceptsChoicesAndRates) {
    EXPECT_EQ(VeteranIndex(0.0), 0);
    EXPECT_EQ(VeteranIndex(0.039), 0);
    EXPECT_EQ(VeteranIndex(0.05), 1);
    EXPECT_EQ(VeteranIndex(0.10), 2);
    EXPECT_EQ(VeteranIndex(1.0), 1);
    EXPECT_EQ(VeteranIndex(1.9), 1);
    EXPECT_EQ(VeteranIndex(2.0), 2);
    // Values no choice is stored as give none; damaged large ones a choice that does not exist.
    EXPECT_EQ(VeteranIndex(0.04), 0);
    EXPECT_EQ(VeteranIndex(0.07), 0);
    EXPECT_EQ(VeteranIndex(0.5), 0);
    EXPECT_EQ(VeteranIndex(-3.0), 0);
    EXPECT_EQ(VeteranIndex(7.0), 7);
    EXPECT_EQ(VeteranIndex(1e300), VeteranIndexBound);
    EXPECT_EQ(VeteranIndex(std::numeric_limits<double>::quiet_NaN()), 0);
}

// Enough records that the moves and searches span several blocks of the file.
TEST_F(DataBaseTest, LargeFilesInsertFindAndDeleteLikeSmallOnes) {
    constexpr int Count = 2600;
    std::string bytes;
    std::vector<std::int32_t> expected;
    for (int i = 0; i < Count; ++i) {
        char name[8];
        std::snprintf(name, sizeof name, "N%05d", i * 2);
        bytes += Bytes({(i + 1) & 0xFF, (i + 1) >> 8, 0, 0, 6}) + name + Zeros(34) + Bytes({' '}) +
                 Zeros(18);
        expected.push_back(i + 1);
    }
    ASSERT_EQ(bytes.size(), 64u * Count);
    WriteFile("committee.dat", bytes);

    TDataBase file("committee.dat");
    ASSERT_EQ(file.LastIndex(), Count - 1);
    TDataRecord rec;
    file.Find(rec, Count);
    EXPECT_EQ(file.Status(), 0);
    EXPECT_EQ(file.Cursor(), Count - 1);

    TDataRecord early = Named(5000, "N00003");
    bool added = false;
    file.Insert(early, added);
    ASSERT_TRUE(added);
    EXPECT_EQ(file.Cursor(), 2);
    expected.insert(expected.begin() + 2, 5000);
    EXPECT_EQ(IDs(file), expected);

    file.Delete(1);
    expected.erase(expected.begin() + 1);
    EXPECT_EQ(file.Cursor(), Count - 1);
    EXPECT_EQ(IDs(file), expected);
    EXPECT_EQ(fs::file_size("committee.dat"), 64u * Count);
    EXPECT_EQ(file.NextID(), 2000);
}

} // namespace
} // namespace korvane
