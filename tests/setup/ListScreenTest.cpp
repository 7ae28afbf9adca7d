#include <QAction>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "data/DataBase.h"
#include "data/FileNames.h"
#include "platform/ui/HelpWindow.h"
#include "setup/CommitteeForm.h"
#include "setup/ListEditDialog.h"
#include "setup/SamplePreferedForm.h"
#include "setup/SampleRequired.h"
#include "tests/setup/SetupTestSupport.h"
#include "tests/support/ModalScript.h"
#include "tests/support/core/TempWorkDir.h"

namespace korvane {
namespace {

using test::Child;
using test::ModalScript;

// What differs between the three list screens, as far as the shared pattern goes.
struct TScreenCase {
    const char* Name;
    std::function<std::unique_ptr<TDataListScreen>()> Create;
    const char* File;
    const char* Caption;
    int HelpContext;
    const char* IdField;
    const char* TextField;
    std::array<const char*, 3> DialogCaptions;
    std::array<int, 3> DialogHelp;
};

void PrintTo(const TScreenCase& Case, std::ostream* Out) {
    *Out << Case.Name;
}

const TScreenCase Cases[] = {
    {"Committee",
     [] { return std::make_unique<TCommitteeForm>(nullptr); },
     CommitteeFileName,
     "Committee Members",
     100,
     "CommitteeID",
     "CommitteeName",
     {"Add Committee Member", "Edit Committee Member", "Delete Committee Member"},
     {240, 260, 270}},
    {"SampleRequired",
     [] { return std::make_unique<TSampleRequired>(nullptr); },
     SampleRequiredFileName,
     "Sample Required Criteria",
     110,
     "CriteriaID",
     "CriteriaDescription",
     {"Add Sample Required Criteria", "Edit Sample Required Criteria",
      "Delete Sample Required Criteria"},
     {280, 290, 300}},
    {"SamplePreferred",
     [] { return std::make_unique<TSamplePreferedForm>(nullptr); },
     SamplePreferredFileName,
     "Sample Preferred Criteria",
     130,
     "CriteriaID",
     "CriteriaDescription",
     {"Add Sample Preferred Criteria", "Edit Sample Preferred Criteria",
      "Delete Sample Preferred Criteria"},
     {360, 370, 380}},
};

class ListScreenTest : public test::TempWorkDirTest,
                       public ::testing::WithParamInterface<TScreenCase> {
protected:
    const TScreenCase& Case() const { return GetParam(); }

    std::vector<TDataRecord> OnDisk() const { return test::ReadRecords(Case().File); }

    // The text column of the grid: column 1, or 2 beside the mark column.
    int TextColumn() const { return std::string(Case().File) == SamplePreferredFileName ? 2 : 1; }

    // A step that types text into the dialog's text field and saves.
    ModalScript::Step TypeAndSave(const QString& text) {
        return [this, text](QWidget* dialog) {
            auto* field = Child<QLineEdit>(dialog, Case().TextField);
            field->selectAll();
            test::TypeText(field, text);
            Child<QPushButton>(dialog, "SaveBtn")->click();
        };
    }

    static ModalScript::Step Cancel() {
        return [](QWidget* dialog) { Child<QPushButton>(dialog, "BitBtn1")->click(); };
    }
};

TEST_P(ListScreenTest, EmptyFileShowsOneBlankRowAndOnlyAdd) {
    auto screen = Case().Create();
    EXPECT_TRUE(std::filesystem::exists(Case().File));
    EXPECT_EQ(std::filesystem::file_size(Case().File), 0u);
    EXPECT_EQ(screen->windowTitle().toStdString(), Case().Caption);
    EXPECT_EQ(HelpContext(screen.get()), Case().HelpContext);
    EXPECT_EQ(screen->DrawGrid1->RowCount(), 2);
    EXPECT_EQ(screen->DrawGrid1->Row(), 1);
    EXPECT_EQ(screen->DrawGrid1->DefaultRowHeight(), 15);
    EXPECT_TRUE(screen->AddBtn->isEnabled());
    EXPECT_FALSE(screen->EditBtn->isEnabled());
    EXPECT_FALSE(screen->DeleteBtn->isEnabled());
    EXPECT_FALSE(screen->PrintBtn->isEnabled());

    // A double click on the blank row opens nothing: the step stays unused.
    ModalScript script;
    script.Then([](QWidget* dialog) { dialog->close(); });
    screen->DrawGrid1DblClick();
    QTest::qWait(50);
    EXPECT_EQ(script.Pending(), 1);
}

TEST_P(ListScreenTest, AddGivesNextIdInCapitalsAndEnablesButtons) {
    auto screen = Case().Create();
    ModalScript script;
    script.Then([this](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle().toStdString(), Case().DialogCaptions[0]);
        EXPECT_EQ(HelpContext(dialog), Case().DialogHelp[0]);
        auto* id = Child<QLineEdit>(dialog, Case().IdField);
        EXPECT_EQ(id->text(), QStringLiteral("0"));
        EXPECT_FALSE(id->isEnabled());
        EXPECT_FALSE(Child<QPushButton>(dialog, "DeleteBtn")->isVisible());
        TypeAndSave(QStringLiteral("smith, ann \u00e9"))(dialog);
    });
    screen->AddBtnClick();
    ASSERT_EQ(OnDisk().size(), 1u);
    EXPECT_EQ(OnDisk()[0].ID, 1);
    EXPECT_EQ(OnDisk()[0].Description, "SMITH, ANN \xC9");
    EXPECT_EQ(screen->DrawGrid1->RowCount(), 2);
    EXPECT_TRUE(screen->EditBtn->isEnabled());
    EXPECT_TRUE(screen->DeleteBtn->isEnabled());
    EXPECT_TRUE(screen->PrintBtn->isEnabled());
    EXPECT_EQ(screen->CellText(0, 1), QStringLiteral("1"));
    EXPECT_EQ(screen->CellText(TextColumn(), 1), QStringLiteral("SMITH, ANN \u00c9"));

    // Later IDs: one above the highest below 2000.
    test::InsertRecords(Case().File, {{7, "KELLY"}, {2500, "ZED"}});
    auto reopened = Case().Create();
    script.Then(TypeAndSave(QStringLiteral("adams")));
    reopened->AddBtnClick();
    const auto records = OnDisk();
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0].Description, "ADAMS");
    EXPECT_EQ(records[0].ID, 8);
    EXPECT_EQ(reopened->DrawGrid1->RowCount(), 5);
    EXPECT_EQ(reopened->DrawGrid1->Row(), 1);
    EXPECT_EQ(script.Pending(), 0);
}

TEST_P(ListScreenTest, NameFieldTakesFortyCharactersAndStoresEmptyText) {
    auto screen = Case().Create();
    ModalScript script;
    script.Then(TypeAndSave(QString(45, QLatin1Char('x'))));
    screen->AddBtnClick();
    script.Then(TypeAndSave(QString()));
    screen->AddBtnClick();
    const auto records = OnDisk();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].Description, "");
    EXPECT_EQ(records[0].ID, 2);
    EXPECT_EQ(records[1].Description, std::string(40, 'X'));
}

TEST_P(ListScreenTest, LongTextIsClippedByTheCellNotByItsMargin) {
    test::InsertRecords(Case().File, {{1, "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW"}});
    auto screen = Case().Create();
    const int width = screen->DrawGrid1->ColWidth(TextColumn());
    const int height = screen->DrawGrid1->DefaultRowHeight();
    QImage cell(width, height, QImage::Format_RGB32);
    cell.fill(Qt::white);
    {
        QPainter canvas(&cell);
        canvas.setFont(screen->DrawGrid1->font());
        canvas.setBrush(Qt::white);
        canvas.setPen(Qt::black);
        screen->DrawGrid1DrawCell(canvas, TextColumn(), 1, cell.rect(), {});
    }
    // The text starts 4 pixels in and runs on to the right edge of the cell.
    auto inked = [&](int from, int to) {
        for (int x = from; x < to; ++x) {
            for (int y = 0; y < height; ++y) {
                if (cell.pixel(x, y) != qRgb(255, 255, 255)) {
                    return true;
                }
            }
        }
        return false;
    };
    EXPECT_FALSE(inked(0, 4));
    EXPECT_TRUE(inked(width - 4, width));
}

TEST_P(ListScreenTest, EditMovesRecordWhileHighlightKeepsRow) {
    test::InsertRecords(Case().File, {{1, "ALPHA"}, {2, "BRAVO"}, {3, "CHARLIE"}});
    auto screen = Case().Create();
    screen->DrawGrid1->SetRow(1);
    ModalScript script;
    script.Then([this](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle().toStdString(), Case().DialogCaptions[1]);
        EXPECT_EQ(HelpContext(dialog), Case().DialogHelp[1]);
        EXPECT_EQ(Child<QLineEdit>(dialog, Case().IdField)->text(), QStringLiteral("1"));
        EXPECT_EQ(Child<QLineEdit>(dialog, Case().TextField)->text(), QStringLiteral("ALPHA"));
        TypeAndSave(QStringLiteral("delta"))(dialog);
    });
    screen->EditBtnClick();
    const auto records = OnDisk();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].Description, "BRAVO");
    EXPECT_EQ(records[2].Description, "DELTA");
    EXPECT_EQ(records[2].ID, 1);
    EXPECT_EQ(screen->DrawGrid1->Row(), 1);
    EXPECT_EQ(screen->CellText(TextColumn(), 1), QStringLiteral("BRAVO"));
    EXPECT_EQ(screen->DrawGrid1->RowCount(), 4);
}

TEST_P(ListScreenTest, RefusedWritesAreReportedAndLoseNothing) {
    // Two records with ID 5 can only come from elsewhere; editing one must not lose it.
    test::InsertRecords(Case().File, {{5, "ALPHA"}, {5, "BRAVO"}, {6, "CHARLIE"}});
    auto screen = Case().Create();
    screen->DrawGrid1->SetRow(1);
    ModalScript script;
    script.Then(TypeAndSave(QStringLiteral("zulu"))).ThenAnswer(TModalResult::Ok);
    screen->EditBtnClick();
    EXPECT_EQ(test::Descriptions(OnDisk()), "ALPHA BRAVO CHARLIE");
    ASSERT_EQ(script.Messages().size(), 1);
    EXPECT_EQ(script.Messages()[0].toStdString(),
              "Error: ID Number 5 Is Used Twice In This List; The Change Was Not Saved");

    // Once 1999 is taken every automatic number is 2000, which a file may already hold.
    std::filesystem::remove(Case().File);
    test::InsertRecords(Case().File, {{1999, "ALPHA"}, {2000, "BRAVO"}});
    auto full = Case().Create();
    script.Then(TypeAndSave(QStringLiteral("charlie"))).ThenAnswer(TModalResult::Ok);
    full->AddBtnClick();
    EXPECT_EQ(test::Descriptions(OnDisk()), "ALPHA BRAVO");
    ASSERT_EQ(script.Messages().size(), 2);
    EXPECT_EQ(script.MessageKinds()[1], TMessageKind::Error);
    EXPECT_EQ(script.Pending(), 0);
}

TEST_P(ListScreenTest, DeleteSelectsRowAboveExceptOnFirstRow) {
    test::InsertRecords(Case().File, {{1, "A"}, {2, "B"}, {3, "C"}, {4, "D"}, {5, "E"}, {6, "F"}});
    auto screen = Case().Create();
    ModalScript script;
    auto confirm = [this](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle().toStdString(), Case().DialogCaptions[2]);
        EXPECT_EQ(HelpContext(dialog), Case().DialogHelp[2]);
        EXPECT_FALSE(Child<QLineEdit>(dialog, Case().TextField)->isEnabled());
        auto* save = Child<QPushButton>(dialog, "SaveBtn");
        auto* remove = Child<QPushButton>(dialog, "DeleteBtn");
        EXPECT_FALSE(save->isVisible());
        EXPECT_TRUE(remove->isVisible());
        EXPECT_TRUE(remove->isDefault());
        QTest::keyClick(dialog, Qt::Key_Return);
    };

    screen->DrawGrid1->SetRow(5);
    script.Then(confirm);
    screen->DeleteBtnClick();
    EXPECT_EQ(screen->DrawGrid1->Row(), 4);
    EXPECT_EQ(test::Descriptions(OnDisk()), "A B C D F");

    screen->DrawGrid1->SetRow(1);
    script.Then(confirm);
    screen->DeleteBtnClick();
    EXPECT_EQ(screen->DrawGrid1->Row(), 1);
    EXPECT_EQ(test::Descriptions(OnDisk()), "B C D F");
    EXPECT_EQ(screen->DrawGrid1->RowCount(), 5);

    // The last row: the highlight moves up with the shrinking list.
    screen->DrawGrid1->SetRow(4);
    script.Then(confirm);
    screen->DeleteBtnClick();
    EXPECT_EQ(screen->DrawGrid1->Row(), 3);
    EXPECT_EQ(test::Descriptions(OnDisk()), "B C D");
    EXPECT_EQ(script.Pending(), 0);
}

// The screen's own file object has just scanned the file for the next ID: its status word must
// not stop the delete.
TEST_P(ListScreenTest, AnEntryAddedHereIsDeletedHere) {
    auto screen = Case().Create();
    ModalScript script;
    script.Then(TypeAndSave(QStringLiteral("SMITH")));
    screen->AddBtnClick();
    ASSERT_EQ(OnDisk().size(), 1u);
    screen->DrawGrid1->SetRow(1);
    script.Then([](QWidget* dialog) { Child<QPushButton>(dialog, "DeleteBtn")->click(); });
    screen->DeleteBtnClick();
    EXPECT_TRUE(OnDisk().empty());
    EXPECT_EQ(script.Pending(), 0);
}

TEST_P(ListScreenTest, DeletingTheOnlyRecordReturnsToEmptyState) {
    test::InsertRecords(Case().File, {{4, "ONLY"}});
    auto screen = Case().Create();
    ModalScript script;
    script.Then([](QWidget* dialog) { Child<QPushButton>(dialog, "DeleteBtn")->click(); });
    screen->DeleteBtnClick();
    EXPECT_TRUE(OnDisk().empty());
    EXPECT_EQ(std::filesystem::file_size(Case().File), 0u);
    EXPECT_EQ(screen->DrawGrid1->RowCount(), 2);
    EXPECT_EQ(screen->DrawGrid1->Row(), 1);
    EXPECT_FALSE(screen->EditBtn->isEnabled());
    EXPECT_FALSE(screen->DeleteBtn->isEnabled());
    EXPECT_FALSE(screen->PrintBtn->isEnabled());
    EXPECT_TRUE(screen->CellText(0, 1).isEmpty());
}

TEST_P(ListScreenTest, CancelInEveryModeLeavesFileAlone) {
    test::InsertRecords(Case().File, {{1, "ALPHA"}, {2, "BRAVO"}});
    const std::string before = ReadFile(Case().File);
    auto screen = Case().Create();
    screen->DrawGrid1->SetRow(2);
    ModalScript script;
    script.Then([this](QWidget* dialog) {
        test::TypeText(Child<QLineEdit>(dialog, Case().TextField), QStringLiteral("zulu"));
        Child<QPushButton>(dialog, "BitBtn1")->click();
    });
    screen->AddBtnClick();
    script.Then(Cancel());
    screen->EditBtnClick();
    // Escape cancels too.
    script.Then([](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
    screen->DeleteBtnClick();
    EXPECT_EQ(ReadFile(Case().File), before);
    EXPECT_EQ(screen->DrawGrid1->Row(), 2);
    EXPECT_EQ(screen->DrawGrid1->RowCount(), 3);
    EXPECT_EQ(script.Pending(), 0);
}

TEST_P(ListScreenTest, EnterAndDoubleClickOpenTheEditDialog) {
    test::InsertRecords(Case().File, {{1, "ALPHA"}, {2, "BRAVO"}});
    auto screen = Case().Create();
    screen->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(screen.get()));
    screen->activateWindow();
    screen->DrawGrid1->setFocus();
    QTest::keyClick(screen->DrawGrid1, Qt::Key_Down);
    EXPECT_EQ(screen->DrawGrid1->Row(), 2);

    QStringList seen;
    ModalScript script;
    script.Then([&](QWidget* dialog) {
        seen << dialog->windowTitle() << Child<QLineEdit>(dialog, Case().TextField)->text();
        Child<QPushButton>(dialog, "BitBtn1")->click();
    });
    QTest::keyClick(screen->DrawGrid1, Qt::Key_Return);
    script.Then([&](QWidget* dialog) {
        seen << Child<QLineEdit>(dialog, Case().TextField)->text();
        Child<QPushButton>(dialog, "BitBtn1")->click();
    });
    const QRect cell = screen->DrawGrid1->CellRect(1, 1);
    QTest::mouseDClick(screen->DrawGrid1->viewport(), Qt::LeftButton, {}, cell.center());
    // Enter on a focused button presses that button.
    script.Then([&](QWidget* dialog) {
        seen << dialog->windowTitle();
        Child<QPushButton>(dialog, "BitBtn1")->click();
    });
    screen->AddBtn->setFocus();
    QTest::keyClick(screen->AddBtn, Qt::Key_Return);
    EXPECT_EQ(seen.join(QLatin1Char('|')).toStdString(),
              std::string(Case().DialogCaptions[1]) + "|BRAVO|ALPHA|" + Case().DialogCaptions[0]);
    EXPECT_EQ(script.Pending(), 0);
    screen->close();
}

TEST_P(ListScreenTest, HelpButtonsOpenTheTopicOfScreenAndMode) {
    test::InsertRecords(Case().File, {{1, "ALPHA"}});
    auto screen = Case().Create();
    screen->HelpButton->click();
    EXPECT_EQ(ShownHelpContext(), Case().HelpContext);
    std::vector<int> shown;
    ModalScript script;
    for (int mode = 0; mode < 3; ++mode) {
        script.Then([&](QWidget* dialog) {
            static_cast<TListEditDialog*>(dialog)->HelpButton->click();
            shown.push_back(ShownHelpContext());
            Child<QPushButton>(dialog, "BitBtn1")->click();
        });
    }
    screen->AddBtnClick();
    screen->EditBtnClick();
    screen->DeleteBtnClick();
    CloseHelp();
    EXPECT_EQ(shown, std::vector<int>(Case().DialogHelp.begin(), Case().DialogHelp.end()));
}

INSTANTIATE_TEST_SUITE_P(Screens, ListScreenTest, ::testing::ValuesIn(Cases),
                         [](const auto& test) { return std::string(test.param.Name); });

} // namespace
} // namespace korvane

namespace korvane {
namespace {

class SetupMenuTest : public test::TempWorkDirTest {};

// The menu commands open their screens modally over the main window.
TEST_F(SetupMenuTest, MenuCommandsOpenTheListScreens) {
    TMainForm main({QStringLiteral("korvane")});
    QStringList opened;
    test::ModalScript script;
    for (int i = 0; i < 6; ++i) {
        script.Then([&](QWidget* screen) {
            opened << screen->windowTitle();
            EXPECT_EQ(screen->parentWidget(), &main);
            screen->close();
        });
    }
    for (QAction* item :
         {main.CommitteeMember1, main.RequiredCriteria1, main.SelectedRequiredCriteria1,
          main.SamplePreferedCriteria1, main.SelectedPreferredCriteria1, main.Applicants1}) {
        EXPECT_TRUE(item->isEnabled());
        item->trigger();
    }
    EXPECT_EQ(opened.join(QLatin1Char('|')).toStdString(),
              "Committee Members|Sample Required Criteria|Selected Required Criteria|Sample "
              "Preferred Criteria|Selected Preferred Criteria|Applicants");
    EXPECT_TRUE(std::filesystem::exists(CommitteeFileName));
    EXPECT_TRUE(std::filesystem::exists(SampleRequiredFileName));
    EXPECT_TRUE(std::filesystem::exists(SamplePreferredFileName));
}

} // namespace
} // namespace korvane

namespace korvane {
namespace {

class InertFileTest : public test::TempWorkDirTest {};

// A committee file that can be neither opened nor created (here a folder of that name): the
// screen shows one blank row, offers only Add, and adding writes nothing.
TEST_F(InertFileTest, UnopenableFileShowsAnEmptyListAndStoresNothing) {
    std::filesystem::create_directory(CommitteeFileName);
    TCommitteeForm screen(nullptr);
    ASSERT_FALSE(screen.File()->Opened());
    EXPECT_EQ(screen.DrawGrid1->RowCount(), 2);
    EXPECT_TRUE(screen.CellText(0, 1).isEmpty());
    EXPECT_FALSE(screen.EditBtn->isEnabled());
    EXPECT_FALSE(screen.DeleteBtn->isEnabled());
    EXPECT_FALSE(screen.PrintBtn->isEnabled());
    test::ModalScript script;
    script.Then([](QWidget* dialog) {
        test::TypeText(test::Child<QLineEdit>(dialog, "CommitteeName"), QStringLiteral("lost"));
        test::Child<QPushButton>(dialog, "SaveBtn")->click();
    });
    script.ThenAnswer(TModalResult::Ok);
    screen.AddBtnClick();
    EXPECT_EQ(script.Pending(), 0);
    ASSERT_EQ(script.Messages().size(), 1);
    EXPECT_EQ(script.Messages()[0].toStdString(),
              "Error: committee.dat Could Not Be Opened; The Entry Was Not Saved");
    EXPECT_EQ(screen.DrawGrid1->RowCount(), 2);
    EXPECT_FALSE(screen.EditBtn->isEnabled());
    EXPECT_TRUE(std::filesystem::is_directory(CommitteeFileName));
}

} // namespace
} // namespace korvane
