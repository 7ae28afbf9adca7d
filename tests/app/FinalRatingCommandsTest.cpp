#include <QAction>
#include <QLineEdit>
#include <QPushButton>

#include <filesystem>

#include "app/MainForm.h"
#include "data/ChangeLog.h"
#include "data/FinalRating.h"
#include "platform/sys/Sha256.h"
#include "setup/CommitteeForm.h"
#include "tests/data/ScoreTestSupport.h"
#include "tests/setup/SetupTestSupport.h"
#include "tests/support/ModalScript.h"
#include "tests/support/core/ScopedProcessState.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using test::Child;
using test::ModalScript;

class FinalRatingCommandsTest : public test::ScorePositionTest {
protected:
    void SetUp() override {
        ScorePositionTest::SetUp();
        WriteFile(PositionFileName, "Clerk\r\n");
        AddMembers({1});
        AddWeights({10});
        AddApplicant(1, "ADAMS, LEE");
        AddApplicant(2, "CRUZ, ANA");
        Rate(1, 1, {4});
    }
    static std::vector<TChangeEntry> Logged() { return ReadChangeLog().Entries; }

    test::ScopedProcessState Saved_;
};

// Only in the administrative mode: No keeps the data open; Yes seals them and logs it with the
// seal's digest; a second finalise is refused; reopen asks for a reason, lifts the lock and logs
// it; then changes are logged again.
TEST_F(FinalRatingCommandsTest, FinaliseSealsAndLogsReopenNeedsAReason) {
    TMainForm form({QStringLiteral("korvane")});
    EXPECT_FALSE(form.FinaliseFinalRating1->isEnabled() || form.ReopenFinalRating1->isEnabled());
    form.StatusBar1MouseDown(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier, true);
    EXPECT_TRUE(form.FinaliseFinalRating1->isEnabled() && form.ReopenFinalRating1->isEnabled());
    // CRUZ is not rated: the warning comes first, and Cancel there or No to the question keep
    // the data open.
    ModalScript script;
    script.ThenAnswer(TModalResult::Cancel);
    form.FinaliseFinalRating1->trigger();
    EXPECT_EQ(script.Messages(),
              QStringList{QStringLiteral("Warning: 1 Rating Is Missing (1 Committee Member, 1 "
                                         "Applicant)")});
    script.ThenAnswer(TModalResult::No).ThenAnswer(TModalResult::No);
    form.FinaliseFinalRating1->trigger();
    EXPECT_FALSE(fs::exists(FinalFileName));
    EXPECT_TRUE(Logged().empty());

    script.ThenAnswer(TModalResult::No).ThenAnswer(TModalResult::Yes).ThenAnswer(TModalResult::Ok);
    form.FinaliseFinalRating1->trigger();
    ASSERT_TRUE(fs::exists(FinalFileName));
    ASSERT_EQ(Logged().size(), 1u);
    EXPECT_EQ(Logged()[0].Change.Command, "Finalise Final Rating");
    EXPECT_EQ(Logged()[0].Change.What, "final rating finalised: 2 applicants ranked, Final.dat "
                                       "SHA-256 " +
                                           Sha256Hex(ReadFile(FinalFileName)));
    EXPECT_TRUE(Logged()[0].Administrative);
    const std::string sealed = ReadFile(FinalFileName);
    TFinalRating final;
    ASSERT_TRUE(ReadFinalRating(final).Ok());

    script.ThenAnswer(TModalResult::Ok);
    form.FinaliseFinalRating1->trigger();
    EXPECT_TRUE(script.Messages().last().startsWith(QStringLiteral("Error: The Final Rating Was")));
    EXPECT_EQ(ReadFile(FinalFileName), sealed);

    // Cancel, then a reason of blanks cannot be given, then a reason.
    script.Then([](QWidget* dialog) { Child<QPushButton>(dialog, "CancelBtn")->click(); });
    form.ReopenFinalRating1->trigger();
    EXPECT_TRUE(fs::exists(FinalFileName));
    script.Then([](QWidget* dialog) {
        auto* reopen = Child<QPushButton>(dialog, "ReopenBtn");
        auto* reason = Child<QLineEdit>(dialog, "Reason");
        reason->setText(QStringLiteral("   "));
        EXPECT_FALSE(reopen->isEnabled());
        reason->setText(QStringLiteral("  Rating of member 1 corrected  "));
        EXPECT_TRUE(reopen->isEnabled());
        reopen->click();
    });
    form.ReopenFinalRating1->trigger();
    EXPECT_EQ(script.Pending(), 0);
    EXPECT_FALSE(fs::exists(FinalFileName));
    ASSERT_EQ(Logged().size(), 2u);
    EXPECT_EQ(Logged()[1].Change.Command, "Reopen Final Rating");
    EXPECT_EQ(Logged()[1].Change.What, "final rating finalised on " + final.Time +
                                           " reopened: Rating of member 1 corrected");

    script.Then([](QWidget* dialog) {
        Child<QLineEdit>(dialog, "CommitteeName")->setText(QStringLiteral("EVANS"));
        Child<QPushButton>(dialog, "SaveBtn")->click();
    });
    TCommitteeForm(nullptr).AddBtnClick();
    ASSERT_EQ(Logged().size(), 3u);
    EXPECT_EQ(Logged()[2].Change.What, "member 2 \"EVANS\" added");
}

} // namespace
} // namespace korvane
