#include "platform/ui/MessageBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest-spi.h>

#include <filesystem>
#include <functional>

#include "data/FileNames.h"
#include "data/RateDataBase.h"
#include "exchange/PositionDisk.h"
#include "maintenance/UnInstallForm.h"
#include "setup/ApplicantForm.h"
#include "setup/SelectedPreferredForm.h"
#include "tests/exchange/PositionDiskTestSupport.h"
#include "tests/setup/SetupTestSupport.h"
#include "tests/support/ModalScript.h"
#include "tests/support/core/TempUserFolders.h"

namespace korvane {
namespace {

TEST(MessageBoxTest, CaptionIconAndTheButtonPressed) {
    test::ModalScript script;
    script.ThenAnswer(TModalResult::No).ThenAnswer(TModalResult::Yes).ThenAnswer(TModalResult::Ok);
    EXPECT_FALSE(AskYesNo(QStringLiteral("Delete this member?")));
    EXPECT_TRUE(AskYesNo(QStringLiteral("Delete this member?")));
    ShowError(QStringLiteral("Error: No Applicants Are Loaded"));
    ASSERT_EQ(script.Messages().size(), 3);
    EXPECT_EQ(script.MessageKinds()[0], TMessageKind::Question);
    EXPECT_EQ(script.MessageKinds()[2], TMessageKind::Error);
    EXPECT_EQ(script.Messages()[2].toStdString(), "Error: No Applicants Are Loaded");
}

TEST(MessageBoxTest, WithoutAWindowQuestionsTakeTheSafeAnswer) {
    test::ModalScript script;
    {
        const TMessagesToStandardError noWindows;
        script.ThenAnswer(TModalResult::Yes); // must stay unused: no box may open
        EXPECT_FALSE(AskYesNo(QStringLiteral("Overwrite the disk?")));
        EXPECT_EQ(ShowMessage(QStringLiteral("Replace?"), TMessageKind::Question,
                              TMessageButtons::YesNoCancel),
                  TModalResult::Cancel);
        EXPECT_EQ(ShowMessage(QStringLiteral("Done"), TMessageKind::Information), TModalResult::Ok);
    }
    EXPECT_EQ(script.Pending(), 1);
}

// A box no script expects fails the test at once instead of waiting for a click.
TEST(MessageBoxTest, ABoxNobodyExpectedFailsTheTestAndTakesTheSafeAnswer) {
    TModalResult answer = TModalResult::None;
    EXPECT_NONFATAL_FAILURE(answer = ShowMessage(QStringLiteral("Delete it?"),
                                                 TMessageKind::Question, TMessageButtons::YesNo),
                            "a message box nobody expected: Delete it?");
    EXPECT_EQ(answer, TModalResult::No);
}

using QuestionDefaultTest = test::TempUserFoldersTest;

// Every question the program asks, and what Enter answers: No wherever Yes deletes or
// overwrites. A long position title (188 characters, no blank) leaves every box on the screen.
TEST_F(QuestionDefaultTest, EnterGivesTheSafeAnswer) {
    using test::Child;
    const test::TPositionDisk disk(WorkDir() / "stick", std::string(188, 'W'));
    WriteFile(PositionFileName, PositionTitle + "\r\n");
    using TStep = test::ModalScript::Step;
    // Arms the steps up to the question, then Enter; runs the code that asks; true for Yes.
    const auto uninstall = [](test::ModalScript& Script, bool ExportFirst) {
        Script.Then([ExportFirst](QWidget* screen) {
            Child<QCheckBox>(screen, "CheckBox1")->setChecked(ExportFirst);
            Child<QPushButton>(screen, "UnintallBtn")->click();
        });
        if (ExportFirst) {
            Script.ThenAnswer(TModalResult::Yes);
        }
    };
    const auto uninstalled = [] {
        TUnInstallForm screen(nullptr);
        return ShowModal(screen) == TModalResult::Ok;
    };
    const struct {
        const char* Begins;
        bool Yes;
        std::function<bool(test::ModalScript&, const TStep&)> Ask;
    } questions[] = {
        {"Are You Sure You Want To Uninstall", false,
         [&](test::ModalScript& Script, const TStep& Enter) {
             uninstall(Script, false);
             Script.Then(Enter);
             return uninstalled();
         }},
        {"You Canceled The Export, Still Uninstall?", false,
         [&](test::ModalScript& Script, const TStep& Enter) {
             uninstall(Script, true);
             Script.Then([](QWidget* screen) { Child<QPushButton>(screen, "BitBtn1")->click(); });
             Script.Then(Enter);
             return uninstalled();
         }},
        {"Error During Export, Still Uninstall?", false,
         [&](test::ModalScript& Script, const TStep& Enter) {
             disk.Put(PositionFileName, "Clerk\r\n"); // the export stops at the position
             uninstall(Script, true);
             Script.Then([](QWidget* screen) { Child<QPushButton>(screen, "ExportBtn")->click(); });
             Script.ThenAnswer(TModalResult::Ok).ThenAnswer(TModalResult::No).Then(Enter);
             return uninstalled();
         }},
        {"Error, Positions Do Not Match:", false,
         [&](test::ModalScript& Script, const TStep& Enter) {
             disk.Put(PositionFileName, std::string(188, 'V') + "\r\n");
             Script.Then(Enter);
             return CheckDiskPosition('E');
         }},
        {"Committee Members Have Given 1 Rating On This Criterion.", false,
         [&](test::ModalScript& Script, const TStep& Enter) {
             test::InsertSelections(PreferredFileName, {{10, 5}});
             TRateRecord rec = BlankRating(1, 1);
             rec.Rate[0] = 4;
             bool added = false;
             TRateDataBase(RatingFileName).Insert(rec, added);
             TSelectedPreferredForm screen(nullptr);
             Script.Then([](QWidget* dialog) { Child<QPushButton>(dialog, "DeleteBtn")->click(); });
             Script.Then(Enter);
             screen.DeleteBtnClick();
             return test::ReadSelections(PreferredFileName).empty();
         }},
        {"Applicant ADAMS Has Been Rated By", false,
         [&](test::ModalScript& Script, const TStep& Enter) {
             test::InsertRecords(ApplicantFileName, {{1, "ADAMS", '*'}});
             TRateRecord rec = BlankRating(1, 1);
             rec.Rate[0] = 4;
             bool added = false;
             TRateDataBase(RatingFileName).Insert(rec, added);
             TApplicantForm screen(nullptr);
             screen.DrawGrid1SelectCell(0, 1);
             Script.Then([](QWidget* dialog) { Child<QPushButton>(dialog, "DeleteBtn")->click(); });
             Script.Then(Enter);
             screen.DeleteBtnClick();
             return test::ReadRecords(ApplicantFileName).empty();
         }},
        {"Committee Members Have Given 2 Ratings On \"FILING\".", false,
         [&](test::ModalScript& Script, const TStep& Enter) {
             test::InsertRecords(SamplePreferredFileName, {{10, "FILING"}, {20, "TYPING"}});
             test::InsertSelections(PreferredFileName, {{10, 5}});
             TSelectedPreferredForm screen(nullptr);
             Script.Then([](QWidget* dialog) {
                 Child<QComboBox>(dialog, "CriteriaList")->setCurrentIndex(1);
                 Child<QPushButton>(dialog, "SaveBtn")->click();
             });
             Script.Then(Enter);
             screen.EditBtnClick();
             return test::ReadSelections(PreferredFileName)[0].CriterionID == 20;
         }},
        // Only files that are not there are written: Enter may make the disk.
        {"There Is No Position Disk In Drive E:", true,
         [&](test::ModalScript& Script, const TStep& Enter) {
             std::filesystem::remove(disk / "Disk2.id");
             Script.Then(Enter);
             return OfferPositionDisk('E');
         }},
    };
    for (const auto& question : questions) {
        SCOPED_TRACE(question.Begins);
        QString text;
        int width = 0;
        test::ModalScript script;
        const bool yes = question.Ask(script, [&](QWidget* widget) {
            text = qobject_cast<QMessageBox*>(widget)->text();
            width = widget->width();
            QTest::keyClick(widget, Qt::Key_Return);
        });
        // Whatever comes after a wrong Yes is closed: the test fails instead of hanging.
        script.Then([](QWidget* window) { window->close(); });
        EXPECT_TRUE(text.startsWith(QString::fromLatin1(question.Begins))) << text.toStdString();
        EXPECT_EQ(yes, question.Yes);
        EXPECT_LE(width, 640) << "the box must fit a small screen";
        EXPECT_EQ(script.Pending(), 1);
    }
}

} // namespace
} // namespace korvane
