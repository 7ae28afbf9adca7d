#include <array>
#include <filesystem>
#include <initializer_list>

#include "data/DataBase.h"
#include "data/FileNames.h"
#include "data/SelectDataBase.h"
#include "data/SetupCounts.h"
#include "tests/data/RecordTestSupport.h"
#include "tests/support/core/TempWorkDir.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

class SetupCountsTest : public test::TempWorkDirTest {
protected:
    static void AddNamed(const char* File, std::int32_t ApplicantStatus = 0) {
        TDataBase file(File);
        TDataRecord rec = test::Named(0, "SOMEONE");
        rec.ApplicantStatus = ApplicantStatus;
        bool added = false;
        file.Insert(rec, added);
    }
    static void AddWeights(const char* File, std::initializer_list<int> Weights) {
        TSelectDataBase file(File);
        int criterion = 1;
        for (const int weight : Weights) {
            TSelectRecord rec;
            rec.CriterionID = criterion++;
            rec.Weight = static_cast<std::uint16_t>(weight);
            bool added = false;
            file.Insert(rec, added);
        }
    }
};

TEST_F(SetupCountsTest, RecordCountTestsCreateMissingFilesEmpty) {
    EXPECT_FALSE(HasApplicants());
    EXPECT_FALSE(HasCommitteeMembers());
    EXPECT_FALSE(HasSelectedRequired());
    EXPECT_FALSE(HasSelectedPreferred());
    EXPECT_FALSE(HasSampleRequired());
    EXPECT_FALSE(HasSamplePreferred());
    for (const char* name : {ApplicantFileName, CommitteeFileName, RequiredFileName,
                             PreferredFileName, SampleRequiredFileName, SamplePreferredFileName}) {
        ASSERT_TRUE(fs::exists(name)) << name;
        EXPECT_EQ(fs::file_size(name), 0u) << name;
    }
    AddNamed(SamplePreferredFileName);
    EXPECT_TRUE(HasSamplePreferred());
    AddWeights(RequiredFileName, {0});
    EXPECT_TRUE(HasSelectedRequired());
}

TEST_F(SetupCountsTest, ChecksStopAtTheFirstMissingItem) {
    EXPECT_EQ(MissingPreferredSetup(), TSetupItem::Applicants);
    EXPECT_EQ(fs::file_size(ApplicantFileName), 0u);
    EXPECT_FALSE(fs::exists(CommitteeFileName)) << "later tests are not run";
    EXPECT_FALSE(fs::exists(PreferredFileName));

    AddNamed(ApplicantFileName, 3); // eliminated applicants count as well
    EXPECT_EQ(MissingRequiredSetup(), TSetupItem::CommitteeMembers);
    AddNamed(CommitteeFileName);
    EXPECT_EQ(MissingPreferredSetup(), TSetupItem::PreferredCriteria);
    EXPECT_EQ(MissingRequiredSetup(), TSetupItem::RequiredCriteria);
    AddWeights(PreferredFileName, {10});
    EXPECT_EQ(MissingPreferredSetup(), TSetupItem::None);
    EXPECT_EQ(MissingRequiredSetup(), TSetupItem::RequiredCriteria);
}

TEST_F(SetupCountsTest, AnUnopenableFileCountsAsHoldingNothing) {
    fs::create_directory(ApplicantFileName);
    EXPECT_FALSE(HasApplicants());
    EXPECT_EQ(MissingPreferredSetup(), TSetupItem::Applicants);
}

TEST_F(SetupCountsTest, SelectedWeightCountsFromOne) {
    EXPECT_EQ(SelectedWeight(1), 0) << "no criteria yet";
    AddWeights(PreferredFileName, {10, 20, 5});
    EXPECT_EQ(SelectedWeight(0), 0);
    EXPECT_EQ(SelectedWeight(1), 10);
    EXPECT_EQ(SelectedWeight(3), 5);
    EXPECT_EQ(SelectedWeight(4), 0);
    EXPECT_EQ(SelectedWeight(13), 0);
}

TEST_F(SetupCountsTest, MaxPointsWeighsTheHighestRating) {
    std::array<int, 12> values;
    values.fill(-1);
    EXPECT_EQ(MaxPoints(values), 0);
    EXPECT_EQ(values, (std::array<int, 12>{}));

    AddWeights(PreferredFileName, {10, 20, 5});
    EXPECT_EQ(MaxPoints(values), 175);
    EXPECT_EQ(values, (std::array<int, 12>{50, 100, 25}));
}

TEST_F(SetupCountsTest, MaxPointsStopsAtTwelveCriteria) {
    AddWeights(PreferredFileName, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 100, 100});
    std::array<int, 12> values{};
    EXPECT_EQ(MaxPoints(values), 60);
    EXPECT_EQ(values[11], 5);
}

} // namespace
} // namespace korvane
