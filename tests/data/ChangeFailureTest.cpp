#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

#include "data/ApplicantImport.h"
#include "data/DataBase.h"
#include "data/FileNames.h"
#include "data/PositionFile.h"
#include "data/RateDataBase.h"
#include "data/RatingMerge.h"
#include "data/RatingUpkeep.h"
#include "platform/sys/BinaryFile.h"
#include "tests/data/RecordTestSupport.h"
#include "tests/support/core/TempWorkDir.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using test::IDs;
using test::Named;

using TKeys = std::vector<std::int32_t>;

// What a change reports, and the keys its own object reads afterwards.
struct TOutcome {
    bool Made;
    std::uint16_t Status;
    TKeys Seen;
};

// Ratings are told apart by applicant and first rating: 10 * applicant + rating.
TKeys RateKeys(TRateDataBase& File) {
    TKeys keys;
    for (const auto& rec : test::Scan(File)) {
        keys.push_back(rec.ApplicantID * 10 + rec.Rate[0]);
    }
    return keys;
}

TOutcome DataOutcome(TDataBase& File, bool Made) {
    return {Made, File.Status(), IDs(File)};
}

void PrepareMembers() {
    TDataBase file(CommitteeFileName);
    test::InsertAll(file, {Named(1, "BAKER"), Named(2, "CLARK"), Named(3, "DAVIS")});
}

TOutcome InsertMember(const char* Name) {
    TDataBase file(CommitteeFileName);
    TDataRecord rec = Named(0, Name);
    bool added = false;
    file.Insert(rec, added);
    return DataOutcome(file, added);
}

void PrepareRatings() {
    TRateDataBase file("Rating.dat");
    for (const std::int32_t applicant : {1, 2, 3}) {
        TRateRecord rec = BlankRating(applicant, 9);
        rec.Rate[0] = 1;
        bool added = false;
        file.Insert(rec, added);
    }
}

// The rating sheet's save: write the found pair in place, or add a new one.
TOutcome SaveRating(std::int32_t Applicant) {
    TRateDataBase file("Rating.dat");
    TRateRecord rec;
    const bool found = file.FindRating(rec, Applicant, 9);
    rec.Rate[0] = 5;
    bool made = false;
    if (found) {
        file.WriteRecord(rec);
        made = (file.Status() & stIOError) == 0;
    } else {
        file.Insert(rec, made);
    }
    return {made, file.Status(), RateKeys(file)};
}

// Three selected preferred criteria (11, 12, 13) and two members' ratings of them.
void PrepareCriteria() {
    TSelectDataBase criteria(PreferredFileName);
    for (const std::int32_t id : {11, 12, 13}) {
        TSelectRecord rec{id, 10, 0};
        bool added = false;
        criteria.Insert(rec, added);
    }
    TRateDataBase ratings(RatingFileName);
    for (const std::int32_t member : {1, 2}) {
        TRateRecord rec = BlankRating(7, member);
        rec.Rate = {member, 2, 3};
        bool added = false;
        ratings.Insert(rec, added);
    }
}

// The criteria, then each rating record as member and its first three ratings.
TOutcome DeleteCriterionWithRatings() {
    TSelectDataBase criteria(PreferredFileName);
    TRateDataBase ratings(RatingFileName);
    const bool made = DeletePreferredWithRatings(criteria, 1, ratings);
    const auto status = static_cast<std::uint16_t>(criteria.Status() | ratings.Status());
    TKeys seen;
    for (const auto& rec : test::Scan(criteria)) {
        seen.push_back(rec.CriterionID);
    }
    for (const auto& rec : test::Scan(ratings)) {
        seen.push_back(rec.CommitteeID * 1000 + rec.Rate[0] * 100 + rec.Rate[1] * 10 + rec.Rate[2]);
    }
    return {made, status, seen};
}

// Ratings of applicants 1 to 3 here, and a disk with a conflicting rating of applicant 2 and a
// new one of applicant 4.
void PrepareMerge() {
    PrepareRatings();
    TDataBase applicants(ApplicantFileName);
    test::InsertAll(applicants, {Named(1, "A"), Named(2, "B"), Named(3, "C"), Named(4, "D")});
    TDataBase members(CommitteeFileName);
    test::InsertAll(members, {Named(9, "M")});
    fs::create_directory("disk");
    for (const char* folder : {"", "disk/"}) {
        TSelectDataBase criteria(std::string(folder) + PreferredFileName);
        TSelectRecord rec{11, 10, 0};
        bool added = false;
        criteria.Insert(rec, added);
    }
    test::InsertRatings("disk/Rating.dat", {{2, 9, 2}, {4, 9, 4}});
    // A decision here, and one from the disk that comes in with the ratings.
    std::ofstream(RecusalFileName, std::ios::binary) << "1,9,A,\r\n";
    std::ofstream("disk/Recusal.dat", std::ios::binary) << "3,9,R,RELATIVE\r\n";
}

TOutcome MergeRatingsTakingTheDisks() {
    TRatingMerge merge;
    merge.Read("disk");
    merge.DecideAll(true);
    TRateDataBase ratings(RatingFileName);
    const bool made = merge.Commit(ratings);
    return {made, ratings.Status(), RateKeys(ratings)};
}

// An applicant list of two lines, one replacing applicant 1, one new: one change of the file.
TOutcome ImportList() {
    std::ofstream(ApplicantListFileName, std::ios::binary | std::ios::trunc)
        << "         1 EVANS\r\n         4 ADAMS\r\n";
    const bool made = ImportApplicants(ApplicantListFileName).Reason == TImportOutcome::Imported;
    TDataBase file(ApplicantFileName);
    return {made, static_cast<std::uint16_t>(made ? 0 : stIOError), IDs(file)};
}

struct TChangeCase {
    const char* Name;
    std::vector<const char*> Files;
    std::function<void()> Prepare;
    std::function<TOutcome()> Run;
    TKeys Before;
    TKeys After;
};

void PrintTo(const TChangeCase& Case, std::ostream* Out) {
    *Out << Case.Name;
}

const TChangeCase Cases[] = {
    {"InsertFront",
     {"committee.dat"},
     PrepareMembers,
     [] { return InsertMember("ADAMS"); },
     {1, 2, 3},
     {4, 1, 2, 3}},
    {"InsertMiddle",
     {"committee.dat"},
     PrepareMembers,
     [] { return InsertMember("CARR"); },
     {1, 2, 3},
     {1, 4, 2, 3}},
    {"InsertBack",
     {"committee.dat"},
     PrepareMembers,
     [] { return InsertMember("ZANE"); },
     {1, 2, 3},
     {1, 2, 3, 4}},
    {"Delete",
     {"committee.dat"},
     PrepareMembers,
     [] {
         TDataBase file(CommitteeFileName);
         file.Delete(1);
         return DataOutcome(file, (file.Status() & stIOError) == 0);
     },
     {1, 2, 3},
     {1, 3}},
    {"DeleteTheOnlyRecord",
     {"committee.dat"},
     [] {
         TDataBase file(CommitteeFileName);
         test::InsertAll(file, {Named(1, "BAKER")});
     },
     [] {
         TDataBase file(CommitteeFileName);
         file.Delete(0);
         return DataOutcome(file, (file.Status() & stIOError) == 0);
     },
     {1},
     {}},
    {"Replace",
     {"committee.dat"},
     PrepareMembers,
     [] {
         TDataBase file(CommitteeFileName);
         file.Replace(Named(1, "EVANS"));
         return DataOutcome(file, (file.Status() & stIOError) == 0);
     },
     {1, 2, 3},
     {2, 3, 1}},
    {"Edit",
     {"committee.dat"},
     PrepareMembers,
     [] {
         TDataBase file(CommitteeFileName);
         TDataRecord rec;
         file.GoTo(rec, 0);
         rec.Description = "EVANS";
         bool added = false;
         file.ReplaceAt(0, rec, added);
         return DataOutcome(file, added);
     },
     {1, 2, 3},
     {2, 3, 1}},
    {"ImportApplicants",
     {"Applicant.Dat"},
     [] {
         TDataBase file(ApplicantFileName);
         test::InsertAll(file, {Named(1, "BAKER"), Named(2, "CLARK"), Named(3, "DAVIS")});
     },
     ImportList,
     {1, 2, 3},
     {4, 2, 3, 1}},
    {"RatingSavedInPlace",
     {"Rating.dat"},
     PrepareRatings,
     [] { return SaveRating(2); },
     {31, 21, 11},
     {31, 25, 11}},
    {"RatingOfANewPair",
     {"Rating.dat"},
     PrepareRatings,
     [] { return SaveRating(4); },
     {31, 21, 11},
     {45, 31, 21, 11}},
    // Two files in one change.
    {"CriterionDeletedWithItsRatings",
     {"Preferre.dat", "Rating.dat"},
     PrepareCriteria,
     DeleteCriterionWithRatings,
     {11, 12, 13, 2223, 1123},
     {11, 13, 2230, 1130}},
    {"RatingsMerged",
     {"Rating.dat", "Recusal.dat"},
     PrepareMerge,
     MergeRatingsTakingTheDisks,
     {31, 21, 11},
     {44, 31, 22, 11}},
};

class ChangeFailureTest : public test::TempWorkDirTest,
                          public ::testing::WithParamInterface<TChangeCase> {
protected:
    void TearDown() override {
        TFileFaults::Clear();
        TempWorkDirTest::TearDown();
    }
    const TChangeCase& Case() const { return GetParam(); }

    // The bytes of every file of the change, one after the other.
    std::vector<std::string> Contents() const {
        std::vector<std::string> contents;
        for (const char* file : Case().Files) {
            contents.push_back(ReadFile(file));
        }
        return contents;
    }
    void PutBack(const std::vector<std::string>& Contents) const {
        for (std::size_t i = 0; i < Contents.size(); ++i) {
            WriteFile(Case().Files[i], Contents[i]);
        }
    }
    // Hidden names in the working directory: what a change may leave behind.
    std::vector<std::string> Others() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(".")) {
            const std::string name = entry.path().filename().string();
            if (name.front() == '.') {
                names.push_back(name);
            }
        }
        return names;
    }
};

TEST_P(ChangeFailureTest, EachFailedStepLeavesTheOldFile) {
    Case().Prepare();
    const auto before = Contents();
    const auto others = Others();
    std::uint64_t step = 1;
    for (;; ++step) {
        ASSERT_LT(step, 40u) << "the change never succeeds";
        PutBack(before);
        TFileFaults::FailStep(step, step % 2 == 1 ? ENOSPC : EIO);
        const TOutcome outcome = Case().Run();
        TFileFaults::Clear();
        if (outcome.Made) {
            EXPECT_EQ(outcome.Seen, Case().After);
            break;
        }
        EXPECT_TRUE(outcome.Status & stIOError) << "step " << step;
        EXPECT_EQ(outcome.Seen, Case().Before) << "step " << step;
        EXPECT_EQ(Contents(), before) << "step " << step;
        EXPECT_EQ(Others(), others) << "nothing left behind, step " << step;
    }
    // Creating the new content, writing it, flushing it, renaming it, flushing the folder.
    EXPECT_GE(step, Case().After.empty() ? 5u : 6u);
}

TEST_P(ChangeFailureTest, ACrashAtAnyStepLeavesTheOldOrTheNewFilesAfterTheNextOpen) {
    Case().Prepare();
    const auto before = Contents();
    const auto others = Others();
    TFileFaults::Clear();
    ASSERT_TRUE(Case().Run().Made);
    const std::uint64_t steps = TFileFaults::Steps();
    const auto after = Contents();
    ASSERT_NE(after, before);

    std::string order; // o: old files, n: new files, one letter a step
    for (std::uint64_t step = 1; step <= steps; ++step) {
        PutBack(before);
        EXPECT_EXIT(
            {
                TFileFaults::CrashAtStep(step);
                Case().Run();
                std::_Exit(0);
            },
            ::testing::ExitedWithCode(TFileFaults::CrashExitCode), "");
        TidyPositionFolder();
        const auto now = Contents();
        EXPECT_TRUE(now == before || now == after) << "step " << step;
        EXPECT_EQ(Others(), others) << "leftovers are gone, step " << step;
        order += now == before ? 'o' : 'n';
    }
    // Until the commit the old files stand, from it on the new ones.
    EXPECT_EQ(order.find_last_of('o') + 1, order.find('n')) << order;
    EXPECT_EQ(order.front(), 'o');
}

INSTANTIATE_TEST_SUITE_P(Changes, ChangeFailureTest, ::testing::ValuesIn(Cases),
                         [](const auto& test) { return std::string(test.param.Name); });

class SharedFileTest : public test::TempWorkDirTest {};

// A list screen's object stays open while short-lived objects change the file.
TEST_F(SharedFileTest, AnObjectFollowsTheFileAnotherObjectReplaced) {
    TDataBase list("committee.dat");
    test::InsertAll(list, {Named(1, "A"), Named(3, "C")});
    {
        TDataBase other("committee.dat");
        test::InsertAll(other, {Named(2, "B")});
    }
    TDataRecord rec;
    list.GoTo(rec, 1);
    EXPECT_EQ(rec.ID, 2) << "reads see the file as it is now";
    EXPECT_EQ(list.LastIndex(), 1) << "the object keeps its own count";

    // Its change counts every record of the file and loses none.
    TDataRecord d = Named(4, "D");
    bool added = false;
    list.Insert(d, added);
    EXPECT_TRUE(added);
    EXPECT_EQ(list.LastIndex(), 3);
    TDataBase reader("committee.dat");
    EXPECT_EQ(IDs(reader), (std::vector<std::int32_t>{1, 2, 3, 4}));

    // A write in place by the reader lands in the file that has the name.
    reader.GoTo(rec, 0);
    rec.Description = "AA";
    reader.WriteRecord(rec);
    list.GoTo(rec, 0);
    EXPECT_EQ(rec.Description, "AA");
    EXPECT_EQ(IDs(list), (std::vector<std::int32_t>{1, 2, 3, 4}));
}

TEST_F(SharedFileTest, AnObjectThatCountsRecordsTheFileNoLongerHoldsChangesNothing) {
    TDataBase setup("committee.dat");
    test::InsertAll(setup, {Named(1, "A"), Named(2, "B")});
    TDataBase stale("committee.dat");
    setup.Delete(1);
    setup.Delete(0);

    stale.Delete(1);
    EXPECT_TRUE(stale.Status() & stIOError);
    EXPECT_EQ(fs::file_size("committee.dat"), 0u) << "never grown by a record of zeros";
    EXPECT_EQ(stale.LastIndex(), 1);
    TDataRecord rec = Named(2, "C");
    bool added = true;
    stale.ReplaceAt(0, rec, added);
    EXPECT_FALSE(added);
    EXPECT_TRUE(stale.Status() & stIOError);
    EXPECT_EQ(fs::file_size("committee.dat"), 0u);
}

TEST_F(SharedFileTest, ALinkStaysALinkAndTheFileKeepsItsPermissions) {
    fs::create_directory("real");
    {
        TDataBase file("real/committee.dat");
        test::InsertAll(file, {Named(1, "A")});
    }
    fs::permissions("real/committee.dat",
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read,
                    fs::perm_options::replace);
    fs::create_symlink("real/committee.dat", "committee.dat");
    TDataBase file("committee.dat");
    test::InsertAll(file, {Named(2, "B")});
    EXPECT_TRUE(fs::is_symlink("committee.dat"));
    EXPECT_EQ(fs::file_size("real/committee.dat"), 128u);
    EXPECT_EQ(fs::status("real/committee.dat").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(std::distance(fs::directory_iterator("real"), fs::directory_iterator()), 1)
        << "no file is left beside it";
}

TEST_F(SharedFileTest, ScratchFilesAreChangedWholeButNotFlushed) {
    std::vector<std::uint64_t> steps;
    for (const TFileUse use : {TFileUse::Data, TFileUse::Scratch}) {
        TRateDataBase file(use == TFileUse::Data ? "Rating.dat" : "TempFile.dat", use);
        TRateRecord rec = BlankRating(1, 1);
        bool added = false;
        TFileFaults::Clear();
        file.Insert(rec, added);
        EXPECT_TRUE(added);
        steps.push_back(TFileFaults::Steps());
    }
    // Without the flush of the data and of the folder.
    EXPECT_EQ(steps[1], steps[0] - 2);
}

} // namespace
} // namespace korvane
