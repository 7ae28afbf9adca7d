#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "data/FileNames.h"
#include "data/RatingUpkeep.h"
#include "platform/ui/RadioGroup.h"
#include "setup/ApplicantForm.h"
#include "tests/setup/SetupTestSupport.h"
#include "tests/support/ModalScript.h"
#include "tests/support/core/ApplicantRecords.h"
#include "tests/support/core/ScopedProcessState.h"
#include "tests/support/core/TempWorkDir.h"

namespace korvane {
namespace {

using test::Child;
using test::ModalScript;

class ApplicantFormTest : public test::TempWorkDirTest {
protected:
    std::vector<TDataRecord> OnDisk() const { return test::ReadRecords(ApplicantFileName); }

    // An applicant with the given mark, veteran value and status.
    static void Applicant(std::int32_t id, const char* name, char mark, double veteran = 0.0,
                          int status = 0) {
        test::InsertApplicant(id, name, veteran, status, mark);
    }

    static ModalScript::Step AddNamed(const char* name, int veteran, int status) {
        return [=](QWidget* dialog) {
            test::TypeText(Child<QLineEdit>(dialog, "ApplicantName"), QString::fromLatin1(name));
            Child<TRadioGroup>(dialog, "RadioGroup1")->SetItemIndex(veteran);
            Child<TRadioGroup>(dialog, "RadioGroup2")->SetItemIndex(status);
            Child<QPushButton>(dialog, "SaveBtn")->click();
        };
    }

    test::ScopedProcessState Saved_;
};

TEST_F(ApplicantFormTest, AnOrdinaryUsersApplicantIsMarkedAndAnAdministratorsIsNot) {
    TApplicantForm screen(nullptr);
    ModalScript script;
    script.Then(AddNamed("lee, ann", 2, 3));
    screen.AddBtnClick();
    AdministrativeMode = true;
    script.Then(AddNamed("moss, bo", 0, 0));
    screen.AddBtnClick();
    const auto records = OnDisk();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].Description, "LEE, ANN");
    EXPECT_EQ(records[0].Mark, '*');
    EXPECT_EQ(records[0].VeteranPreference, 2.0);
    EXPECT_EQ(records[0].ApplicantStatus, 3);
    EXPECT_EQ(records[1].Mark, ' ');
    EXPECT_EQ(screen.CellText(1, 1), QStringLiteral("*"));
    EXPECT_EQ(screen.CellText(3, 1), QStringLiteral("10%"));
    EXPECT_EQ(screen.CellText(4, 1), QStringLiteral("3"));
    EXPECT_TRUE(screen.CellText(3, 2).isEmpty()) << "not a veteran";
    EXPECT_TRUE(screen.CellText(4, 2).isEmpty()) << "still in the pool";
    EXPECT_FALSE(screen.DeleteBtn->isEnabled()) << "until a row is selected again";
    EXPECT_EQ(script.Pending(), 0);
}

// Only an applicant an ordinary user added ("*") may be deleted or renamed outside the
// administrative mode; in it, every applicant may.
TEST_F(ApplicantFormTest, OfficialApplicantsAreLockedOutsideTheAdministrativeMode) {
    Applicant(1, "ADAMS", ' ');
    Applicant(2, "BAKER", '*');
    for (const bool administrative : {false, true}) {
        SCOPED_TRACE(administrative);
        AdministrativeMode = administrative;
        TApplicantForm screen(nullptr);
        EXPECT_FALSE(screen.DeleteBtn->isEnabled());
        screen.DrawGrid1->SetRow(2);
        EXPECT_TRUE(screen.DeleteBtn->isEnabled());
        screen.DrawGrid1->SetRow(1);
        EXPECT_EQ(screen.DeleteBtn->isEnabled(), administrative);

        std::vector<bool> nameEnabled;
        ModalScript script;
        for (int row : {1, 2}) {
            screen.DrawGrid1->SetRow(row);
            script.Then([&](QWidget* dialog) {
                nameEnabled.push_back(Child<QLineEdit>(dialog, "ApplicantName")->isEnabled());
                EXPECT_TRUE(Child<TRadioGroup>(dialog, "RadioGroup1")->isEnabled());
                Child<QPushButton>(dialog, "BitBtn1")->click();
            });
            screen.EditBtnClick();
        }
        EXPECT_EQ(nameEnabled, (std::vector<bool>{administrative, true}));
        EXPECT_EQ(script.Pending(), 0);
    }
}

// The percentages come from the rates in force, truncated; older records hold the rate itself;
// a damaged choice shows nothing and opens on "Not A Veteran".
TEST_F(ApplicantFormTest, VeteranChoicesFollowTheRates) {
    Settings.VeteranRates[1] = 0.07;
    Applicant(1, "ADAMS", '*', 0.05);
    Applicant(2, "BAKER", '*', 7.0);
    TApplicantForm screen(nullptr);
    EXPECT_EQ(screen.CellText(3, 1), QStringLiteral("7%"));
    EXPECT_TRUE(screen.CellText(3, 2).isEmpty());
    std::vector<int> opened;
    ModalScript script;
    for (int row : {1, 2}) {
        screen.DrawGrid1->SetRow(row);
        script.Then([&](QWidget* dialog) {
            auto* choices = Child<TRadioGroup>(dialog, "RadioGroup1");
            EXPECT_EQ(choices->ItemText(1), QStringLiteral("7% Preference"));
            EXPECT_EQ(choices->ItemText(2), QStringLiteral("10% Preference"));
            opened.push_back(choices->ItemIndex());
            Child<QPushButton>(dialog, "SaveBtn")->click();
        });
        screen.EditBtnClick();
    }
    EXPECT_EQ(opened, (std::vector<int>{1, 0}));
    const auto records = OnDisk();
    EXPECT_EQ(records[0].VeteranPreference, 1.0) << "saved as the choice";
    EXPECT_EQ(records[1].VeteranPreference, 0.0);
    EXPECT_EQ(script.Pending(), 0);
}

TEST_F(ApplicantFormTest, DeleteDialogShowsEverythingLocked) {
    Applicant(1, "ADAMS", '*', 1.0, 2);
    TApplicantForm screen(nullptr);
    screen.DrawGrid1->SetRow(1);
    ModalScript script;
    script.Then([](QWidget* dialog) {
        EXPECT_FALSE(Child<QLineEdit>(dialog, "ApplicantName")->isEnabled());
        EXPECT_FALSE(Child<TRadioGroup>(dialog, "RadioGroup1")->isEnabled());
        EXPECT_EQ(Child<TRadioGroup>(dialog, "RadioGroup2")->ItemIndex(), 2);
        Child<QPushButton>(dialog, "DeleteBtn")->click();
    });
    screen.DeleteBtnClick();
    EXPECT_TRUE(OnDisk().empty());
    EXPECT_FALSE(screen.DeleteBtn->isEnabled());
    EXPECT_EQ(script.Pending(), 0);
}

// A deleted applicant's ratings go with it, and a new applicant never inherits ratings.
TEST_F(ApplicantFormTest, DeletingARatedApplicantTakesItsRatingsAndTheNewOneStartsUnrated) {
    AdministrativeMode = true;
    Applicant(1007, "ADAMS, AL", ' ');
    Applicant(1008, "BAKER, BO", ' ');
    Applicant(1009, "CLARK, CY", ' ');
    {
        TRateDataBase ratings(RatingFileName);
        for (const std::int32_t member : {1, 2}) {
            TRateRecord rec = BlankRating(1008, member);
            rec.Rate[0] = 5;
            bool added = false;
            ratings.Insert(rec, added);
        }
        // A stale rating of an applicant deleted by an older installation.
        TRateRecord stale = BlankRating(1010, 1);
        stale.Rate[0] = 2;
        bool added = false;
        ratings.Insert(stale, added);
    }
    TApplicantForm screen(nullptr);
    ModalScript script;
    const auto confirm = [](QWidget* dialog) { Child<QPushButton>(dialog, "DeleteBtn")->click(); };
    // BAKER, row 2, has ratings: the question, answered Yes. Then CLARK, unrated, in its row.
    for (const bool rated : {true, false}) {
        screen.DrawGrid1SelectCell(0, 2);
        screen.DrawGrid1->SetRow(2);
        script.Then(confirm);
        if (rated) {
            script.ThenAnswer(TModalResult::Yes);
        }
        screen.DeleteBtnClick();
    }
    ASSERT_EQ(script.Messages().size(), 1) << "only the rated applicant asks";
    EXPECT_EQ(script.Messages()[0],
              QStringLiteral("Applicant BAKER, BO Has Been Rated By 2 Committee Members. The "
                             "Ratings Are Deleted With The Applicant. Delete The Applicant?"));
    script.Then(AddNamed("walker, tom", 0, 0));
    screen.AddBtnClick();
    const auto records = OnDisk();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1].Description, "WALKER, TOM");
    EXPECT_EQ(records[1].ID, 1011) << "1008 and 1009 are free, 1010 is still rated";
    TRateDataBase ratings(RatingFileName);
    EXPECT_EQ(CountRatingsOf(ratings, TRatingRole::Applicant, 1008), 0);
    EXPECT_EQ(CountRatingsOf(ratings, TRatingRole::Applicant, 1010), 1);
    EXPECT_EQ(script.Pending(), 0);
}

} // namespace
} // namespace korvane
