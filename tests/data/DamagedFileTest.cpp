#include <filesystem>
#include <fstream>

#include "data/DataBase.h"
#include "data/RateDataBase.h"
#include "data/SelectDataBase.h"
#include "tests/data/RecordTestSupport.h"
#include "tests/support/core/TempWorkDir.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using test::Named;
using test::Zeros;

class DamagedFileTest : public test::TempWorkDirTest {};

TEST_F(DamagedFileTest, LengthBytesAboveTheMaximumReadAsTheMaximum) {
    // The description's length byte says 255; the field holds 40 characters, then the Mark.
    WriteFile("committee.dat", Bytes({1, 0, 0, 0, 255}) + std::string(40, 'D') + Bytes({'*'}) +
                                   std::string(18, '\xFF'));
    TDataBase members("committee.dat");
    TDataRecord member;
    members.First(member);
    EXPECT_EQ(member.Description, std::string(40, 'D'));
    EXPECT_EQ(member.Mark, '*');

    WriteFile("Rating.dat", Bytes({2, 0, 0, 0, 3, 0, 0, 0, 255}) + std::string(31, 'C') +
                                Bytes({5, 0, 0, 0}) + Zeros(44) + Bytes({9, 0, 0, 0}));
    TRateDataBase ratings("Rating.dat");
    TRateRecord rating;
    ASSERT_TRUE(ratings.FindRating(rating, 2, 3));
    EXPECT_EQ(rating.Comments, std::string(30, 'C'));
    EXPECT_EQ(rating.Rate[0], 5);
    EXPECT_EQ(rating.Sequence, 9);
}

TEST_F(DamagedFileTest, ABrokenLastRecordIsNotCountedAndIsOverwrittenOrCutOff) {
    TDataRecord a = Named(1, "A");
    TDataRecord b = Named(2, "B");
    {
        TDataBase file("Applicant.Dat");
        test::InsertAll(file, {a, b});
    }
    const std::string whole = ReadFile("Applicant.Dat");
    WriteFile("Applicant.Dat", whole + std::string(30, '\x5A'));

    TDataBase file("Applicant.Dat");
    EXPECT_EQ(file.LastIndex(), 1);
    EXPECT_EQ(test::IDs(file), (std::vector<std::int32_t>{1, 2}));
    TDataRecord rec;
    file.Next(rec);
    EXPECT_EQ(rec.ID, 2);

    TDataRecord c = Named(3, "C");
    bool added = false;
    file.Insert(c, added);
    EXPECT_EQ(fs::file_size("Applicant.Dat"), 192u) << "the new record covers the broken one";
    EXPECT_EQ(test::IDs(file), (std::vector<std::int32_t>{1, 2, 3}));

    WriteFile("Required.dat", Bytes({1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0}) + Zeros(4) + Zeros(9));
    TSelectDataBase selected("Required.dat");
    EXPECT_EQ(selected.LastIndex(), 0);
    selected.Delete(0);
    EXPECT_EQ(fs::file_size("Required.dat"), 0u) << "deleting cuts the broken record too";
    EXPECT_EQ(selected.LastIndex(), -1);
}

// A cursor or LastIndex left beyond the end of the file must not leave a gap of records that
// were never written.
TEST_F(DamagedFileTest, AWritePastTheEndFailsInsteadOfLeavingAGap) {
    TDataBase file("committee.dat");
    test::InsertAll(file, {Named(1, "A"), Named(2, "B"), Named(3, "C")});
    TDataRecord rec;
    file.GoTo(rec, 2);
    file.Delete(2);
    file.Delete(1);
    ASSERT_EQ(file.Cursor(), 2);
    file.WriteRecord(Named(7, "X"));
    EXPECT_TRUE(file.Status() & stIOError);
    EXPECT_EQ(fs::file_size("committee.dat"), 64u);

    // Another object, opened while the file held three records, inserts after two were removed.
    test::InsertAll(file, {Named(4, "D"), Named(5, "E")});
    TDataBase stale("committee.dat");
    file.Delete(2);
    file.Delete(1);
    TDataRecord late = Named(9, "Z");
    bool added = false;
    stale.Insert(late, added);
    EXPECT_TRUE(stale.Status() & stIOError);
    EXPECT_EQ(fs::file_size("committee.dat"), 64u);
}

// Every operation of an object that could not open its file is a no-op.
void ExpectInert(const std::string& Name) {
    TDataBase file(Name);
    EXPECT_FALSE(file.Opened());
    EXPECT_EQ(file.Status(), stNotOpen);
    EXPECT_EQ(file.LastIndex(), 0);
    EXPECT_EQ(file.Cursor(), 0);

    TDataRecord rec = Named(5, "mine");
    file.First(rec);
    file.Next(rec);
    file.GoTo(rec, 0);
    file.Find(rec, 5);
    EXPECT_EQ(rec, Named(5, "mine"));
    EXPECT_EQ(file.GetDescription(5), DescriptionNotFound);
    bool added = true;
    TDataRecord automatic = Named(0, "new");
    file.Insert(automatic, added);
    EXPECT_FALSE(added);
    EXPECT_EQ(automatic.ID, 0);
    file.Replace(rec);
    file.Delete(0);
    EXPECT_EQ(file.Status(), stNotOpen);

    TRateDataBase ratings(Name);
    TRateRecord rating = BlankRating(1, 1);
    rating.Comments = "mine";
    EXPECT_FALSE(ratings.FindRating(rating, 1, 1));
    EXPECT_EQ(rating.Comments, "mine");
    ratings.Insert(rating, added);
    EXPECT_FALSE(added);

    TSelectDataBase selected(Name);
    TSelectRecord selection;
    selection.Sequence = 3;
    selected.Find(selection, 1);
    EXPECT_EQ(selected.Status(), stNotOpen);
    EXPECT_EQ(selection.Sequence, 3);
}

TEST_F(DamagedFileTest, AnUnopenableNameLeavesTheObjectInertAndCreatesNothing) {
    fs::create_directory("committee.dat");
    fs::create_directory("committee.dat/inside");
    ExpectInert("committee.dat");
    EXPECT_TRUE(fs::is_directory("committee.dat/inside"));

    // A link to a missing file: nothing is created through it.
    fs::create_symlink(WorkDir() / "nowhere" / "x.dat", "Rating.dat");
    ExpectInert("Rating.dat");
    EXPECT_FALSE(fs::exists(WorkDir() / "nowhere"));

    ExpectInert("");
}

TEST_F(DamagedFileTest, AReadOnlyFileIsNeverEmptied) {
    {
        TDataBase file("Applicant.Dat");
        test::InsertAll(file, {Named(1, "A"), Named(2, "B")});
    }
    const std::string before = ReadFile("Applicant.Dat");
    fs::permissions("Applicant.Dat", fs::perms::owner_read, fs::perm_options::replace);
    if (std::fstream("Applicant.Dat", std::ios::in | std::ios::out | std::ios::binary)) {
        GTEST_SKIP() << "this user may write any file";
    }
    ExpectInert("Applicant.Dat");
    EXPECT_EQ(ReadFile("Applicant.Dat"), before);
}

} // namespace
} // namespace korvane
