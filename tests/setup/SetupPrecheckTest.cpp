#include <filesystem>

#include "data/DataBase.h"
#include "data/FileNames.h"
#include "data/SelectDataBase.h"
#include "setup/SetupPrecheck.h"
#include "tests/support/ModalScript.h"
#include "tests/support/core/TempWorkDir.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

class SetupPrecheckTest : public test::TempWorkDirTest {
protected:
    static void AddNamed(const char* File) {
        TDataBase file(File);
        TDataRecord rec;
        rec.Description = "SOMEONE";
        bool added = false;
        file.Insert(rec, added);
    }
    static void AddSelection(const char* File) {
        TSelectDataBase file(File);
        TSelectRecord rec;
        rec.CriterionID = 1;
        rec.Weight = 10;
        bool added = false;
        file.Insert(rec, added);
    }
};

TEST_F(SetupPrecheckTest, WithNoDataFilesTheApplicantsAreMissing) {
    test::ModalScript script;
    script.ThenAnswer(TModalResult::Ok);
    EXPECT_FALSE(CheckPreferredSetup());
    EXPECT_EQ(script.Pending(), 0);
    EXPECT_EQ(script.Messages(), QStringList{QStringLiteral("Error: No Applicants Are Loaded")});
    EXPECT_EQ(script.MessageKinds(), QList<TMessageKind>{TMessageKind::Error});
    EXPECT_TRUE(fs::exists(ApplicantFileName));
    EXPECT_FALSE(fs::exists(CommitteeFileName));
}

TEST_F(SetupPrecheckTest, EachCheckReportsOnlyItsFirstMissingItem) {
    AddNamed(ApplicantFileName);
    AddNamed(CommitteeFileName);
    {
        test::ModalScript script;
        script.ThenAnswer(TModalResult::Ok);
        EXPECT_FALSE(CheckPreferredSetup());
        EXPECT_EQ(script.Messages(),
                  QStringList{QStringLiteral("Error: No Preferred Criteria Selected")});
    }
    {
        test::ModalScript script;
        script.ThenAnswer(TModalResult::Ok);
        EXPECT_FALSE(CheckRequiredSetup());
        EXPECT_EQ(script.Messages(),
                  QStringList{QStringLiteral("Error: No Required Criteria Selected")});
    }
    AddSelection(PreferredFileName);
    AddSelection(RequiredFileName);
    test::ModalScript script;
    EXPECT_TRUE(CheckPreferredSetup());
    EXPECT_TRUE(CheckRequiredSetup());
    EXPECT_TRUE(script.Messages().isEmpty());
}

TEST_F(SetupPrecheckTest, MissingCommitteeMembersComeBeforeTheCriteria) {
    AddNamed(ApplicantFileName);
    test::ModalScript script;
    script.ThenAnswer(TModalResult::Ok);
    EXPECT_FALSE(CheckRequiredSetup());
    EXPECT_EQ(script.Messages(),
              QStringList{QStringLiteral("Error: No Committee Members Are Entered")});
}

} // namespace
} // namespace korvane
