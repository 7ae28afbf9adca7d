#include "platform/ui/MessageBox.h"

#include <QCheckBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <filesystem>
#include <optional>

#include "data/FileNames.h"
#include "data/RateDataBase.h"
#include "exchange/PositionDisk.h"
#include "maintenance/UnInstallForm.h"
#include "platform/ui/DrawGrid.h"
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

// Every question the program asks, and what Enter answers: No wherever Yes deletes or
// overwrites. A long position title (188 characters, no blank) leaves every box on the screen.
enum class TQuestion {
    Uninstall,
    UninstallAfterCancelledExport,
    UninstallAfterFailedExport,
    PositionsDiffer,
    DeleteRatedCriterion,
    MakePositionDisk,
};

struct TQuestionCase {
    const char* Name;
    TQuestion Question;
    const char* Begins;
    TModalResult Enter;
    friend void PrintTo(const TQuestionCase& Case, std::ostream* Out) { *Out << Case.Name; }
};

class QuestionDefaultTest : public test::TempUserFoldersTest,
                            public ::testing::WithParamInterface<TQuestionCase> {
protected:
    void SetUp() override {
        TempUserFoldersTest::SetUp();
        Disk_.emplace(WorkDir() / "stick", std::string(188, 'W'));
        WriteFile(PositionFileName, PositionTitle + "\r\n");
    }
    void TearDown() override {
        Disk_.reset();
        TempUserFoldersTest::TearDown();
    }

    // Arms the steps up to the question and runs the code that asks it; the answer Enter gave.
    TModalResult Ask(TQuestion Question, test::ModalScript& Script,
                     const test::ModalScript::Step& Enter) {
        using test::Child;
        const auto uninstall = [&](bool exportFirst) {
            Script.Then([exportFirst](QWidget* screen) {
                Child<QCheckBox>(screen, "CheckBox1")->setChecked(exportFirst);
                Child<QPushButton>(screen, "UnintallBtn")->click();
            });
        };
        switch (Question) {
        case TQuestion::Uninstall: {
            uninstall(false);
            Script.Then(Enter);
            TUnInstallForm screen(nullptr);
            return ShowModal(screen) == TModalResult::Ok ? TModalResult::Yes : TModalResult::No;
        }
        case TQuestion::UninstallAfterCancelledExport:
        case TQuestion::UninstallAfterFailedExport: {
            uninstall(true);
            Script.ThenAnswer(TModalResult::Yes);
            if (Question == TQuestion::UninstallAfterCancelledExport) {
                Script.Then(
                    [](QWidget* screen) { Child<QPushButton>(screen, "BitBtn1")->click(); });
            } else {
                Disk_->Put(PositionFileName, "Clerk\r\n");
                Script.Then(
                    [](QWidget* screen) { Child<QPushButton>(screen, "ExportBtn")->click(); });
                Script.ThenAnswer(TModalResult::Ok).ThenAnswer(TModalResult::No);
            }
            Script.Then(Enter);
            TUnInstallForm screen(nullptr);
            return ShowModal(screen) == TModalResult::Ok ? TModalResult::Yes : TModalResult::No;
        }
        case TQuestion::PositionsDiffer:
            Disk_->Put(PositionFileName, std::string(188, 'V') + "\r\n");
            Script.Then(Enter);
            return CheckDiskPosition('E') ? TModalResult::Yes : TModalResult::No;
        case TQuestion::DeleteRatedCriterion: {
            test::InsertSelections(PreferredFileName, {{10, 5}});
            TRateDataBase ratings(RatingFileName);
            TRateRecord rec = BlankRating(1, 1);
            rec.Rate[0] = 4;
            bool added = false;
            ratings.Insert(rec, added);
            TSelectedPreferredForm screen(nullptr);
            Script.Then([](QWidget* dialog) { Child<QPushButton>(dialog, "DeleteBtn")->click(); });
            Script.Then(Enter);
            screen.DeleteBtnClick();
            return test::ReadSelections(PreferredFileName).empty() ? TModalResult::Yes
                                                                   : TModalResult::No;
        }
        case TQuestion::MakePositionDisk:
            std::filesystem::remove(*Disk_ / "Disk2.id");
            Script.Then(Enter);
            return OfferPositionDisk('E') ? TModalResult::Yes : TModalResult::No;
        }
        return TModalResult::None;
    }

private:
    std::optional<test::TPositionDisk> Disk_;
};

TEST_P(QuestionDefaultTest, EnterGivesTheSafeAnswer) {
    const TQuestionCase& c = GetParam();
    QString text;
    int width = 0;
    test::ModalScript script;
    const auto enter = [&](QWidget* widget) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        ASSERT_NE(box, nullptr);
        text = box->text();
        width = box->width();
        QTest::keyClick(box, Qt::Key_Return);
    };
    const TModalResult answer = Ask(c.Question, script, enter);
    // Whatever else comes (after a wrong Yes) is closed, so that the test fails instead of hanging.
    script.Then([](QWidget* window) { window->close(); });
    EXPECT_TRUE(text.startsWith(QString::fromLatin1(c.Begins))) << text.toStdString();
    EXPECT_EQ(answer, c.Enter);
    EXPECT_LE(width, 640) << "the box must fit a small screen";
    EXPECT_EQ(script.Pending(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Questions, QuestionDefaultTest,
    ::testing::Values(
        TQuestionCase{"Uninstall", TQuestion::Uninstall, "Are You Sure You Want To Uninstall",
                      TModalResult::No},
        TQuestionCase{"UninstallAfterCancelledExport", TQuestion::UninstallAfterCancelledExport,
                      "You Canceled The Export, Still Uninstall?", TModalResult::No},
        TQuestionCase{"UninstallAfterFailedExport", TQuestion::UninstallAfterFailedExport,
                      "Error During Export, Still Uninstall?", TModalResult::No},
        TQuestionCase{"PositionsDiffer", TQuestion::PositionsDiffer,
                      "Error, Positions Do Not Match:", TModalResult::No},
        TQuestionCase{"DeleteRatedCriterion", TQuestion::DeleteRatedCriterion,
                      "Committee Members Have Given 1 Rating On This Criterion.", TModalResult::No},
        // Only files that are not there are written: Enter may make the disk.
        TQuestionCase{"MakePositionDisk", TQuestion::MakePositionDisk,
                      "There Is No Position Disk In Drive E:", TModalResult::Yes}),
    [](const auto& info) { return std::string(info.param.Name); });

} // namespace
} // namespace korvane
