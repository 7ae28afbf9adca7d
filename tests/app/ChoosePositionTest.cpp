#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <filesystem>

#include "app/ChoosePositionForm.h"
#include "app/CommandLine.h"
#include "app/MainForm.h"
#include "app/PositionFolder.h"
#include "app/RecentPositions.h"
#include "app/Startup.h"
#include "data/ProcessState.h"
#include "tests/support/ModalScript.h"
#include "tests/support/core/ScopedProcessState.h"
#include "tests/support/core/TempUserFolders.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using test::Child;
using test::ModalScript;

class ChoosePositionTest : public test::TempUserFoldersTest {
protected:
    void MakePosition(const fs::path& Folder, const std::string& Title) const {
        fs::create_directories(Folder);
        WriteFile(Folder / "kvn.dat", Title + "\r\n");
    }

    test::ScopedProcessState Saved_;
};

struct TStartCase {
    const char* Name;
    std::vector<std::string> Arguments;
    bool Position; // "pos" holds one
};

class StartInFolderTest : public ChoosePositionTest,
                          public ::testing::WithParamInterface<TStartCase> {};

// korvane DIR, as main() runs it: the folder becomes the working directory; its position opens,
// or the choice comes where it holds none.
TEST_P(StartInFolderTest, OpensThePositionInTheFolder) {
    const TStartCase& c = GetParam();
    fs::create_directories("pos");
    if (c.Position) {
        MakePosition("pos", "Clerk Typist");
    }
    const TCommandLine line = ParseCommandLine(c.Arguments);
    ASSERT_EQ(line.Error, "");
    ASSERT_EQ(EnterFolder(line.Folder), "");

    QString title;
    QString mode;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* form = qobject_cast<TMainForm*>(widget);
            if (form != nullptr && form->isVisible()) {
                title = form->Panel0->text();
                mode = form->Panel1->text();
                form->close();
            }
        }
    });
    poll.start();
    ModalScript script;
    script.Then([](QWidget* choice) {
        EXPECT_EQ(choice->windowTitle().toStdString(), "Choose Position");
        Child<QPushButton>(choice, "ExitBtn")->click();
    });
    EXPECT_EQ(RunDesktop(line.Administrative, 0), 0);
    EXPECT_EQ(fs::current_path(), WorkDir() / "pos");
    EXPECT_EQ(script.Pending(), c.Position ? 1 : 0);
    EXPECT_EQ(title.toStdString(), c.Position ? "Clerk Typist" : "");
    EXPECT_EQ(mode.isEmpty(), !c.Position);
    const auto recent = TRecentPositions().Positions();
    EXPECT_EQ(recent.size(), c.Position ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Lines, StartInFolderTest,
                         ::testing::Values(TStartCase{"FolderThenMode", {"pos", "/QX"}, true},
                                           TStartCase{"ModeThenFolder", {"/QX", "pos"}, true},
                                           TStartCase{"NoPositionThere", {"/QX", "pos"}, false}),
                         [](const auto& test) { return std::string(test.param.Name); });

// The recent positions newest first; Enter opens the one chosen.
TEST_F(ChoosePositionTest, ListsTheRecentPositionsAndOpensTheChosen) {
    {
        TChoosePositionForm empty;
        EXPECT_FALSE(empty.OpenBtn->isEnabled());
        EXPECT_TRUE(empty.NewPositionBtn->isDefault()) << "Enter makes a new position";
    }
    TRecentPositions recent;
    const char* titles[] = {"Budget Analyst", "Clerk Typist", "Caf\xE9 Manager"};
    for (int n = 0; n < 3; ++n) {
        MakePosition(WorkDir() / std::to_string(n), titles[n]);
        ASSERT_TRUE(recent.Remember((WorkDir() / std::to_string(n)).string(), 1000 + n));
    }
    fs::create_directories("gone");
    WriteFile("gone/kvn.dat", "Gone\r\n");
    ASSERT_TRUE(recent.Remember((WorkDir() / "gone").string(), 999));
    fs::remove_all("gone");

    TChoosePositionForm choice;
    QStringList rows;
    for (int row = 0; row < choice.PositionList->topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = choice.PositionList->topLevelItem(row);
        rows << item->text(0) + QLatin1Char('|') + item->text(1);
    }
    const QString folder = QString::fromStdString(WorkDir().string()) + QLatin1Char('/');
    EXPECT_EQ(rows, (QStringList{QStringLiteral("Caf\u00e9 Manager|") + folder + QLatin1Char('2'),
                                 QStringLiteral("Clerk Typist|") + folder + QLatin1Char('1'),
                                 QStringLiteral("Budget Analyst|") + folder + QLatin1Char('0')}));
    EXPECT_TRUE(choice.OpenBtn->isDefault());
    choice.show();
    QTest::keyClick(choice.PositionList, Qt::Key_Down);
    QTest::keyClick(choice.PositionList, Qt::Key_Return);
    EXPECT_EQ(choice.result(), static_cast<int>(TModalResult::Ok));
    EXPECT_EQ(fs::current_path(), WorkDir() / "1");
    EXPECT_EQ(TRecentPositions().Positions().front().Folder, (WorkDir() / "1").string());
}

struct TNewFromMenuCase {
    const char* Name;
    bool Existing; // the folder already holds a position
    const char* Title;
    const char* Shown; // in the status bar afterwards
};

class NewPositionFromMenuTest : public ChoosePositionTest,
                                public ::testing::WithParamInterface<TNewFromMenuCase> {};

// File > New Position...: the main window then shows the new position; an existing one is
// opened as it is.
TEST_P(NewPositionFromMenuTest, TheMainWindowReloadsForTheNewFolder) {
    const TNewFromMenuCase& c = GetParam();
    MakePosition("old", "Old Position");
    fs::current_path("old");
    if (c.Existing) {
        MakePosition(WorkDir() / "new", "Kept Title");
    }
    TMainForm main({QStringLiteral("korvane"), QStringLiteral("/QX")});
    ASSERT_EQ(main.Panel0->text().toStdString(), "Old Position");
    ModalScript script;
    const QString typed = QString::fromStdString((WorkDir() / "new").string());
    script.Then([&](QWidget* form) {
        Child<QLineEdit>(form, "TitleEdit")->setText(QString::fromLatin1(c.Title));
        Child<QLineEdit>(form, "FolderEdit")->setText(typed);
        Child<QPushButton>(form, "OkBtn")->click();
    });
    if (c.Existing) {
        script.ThenAnswer(TModalResult::Ok);
    }
    main.NewPosition1->trigger();
    EXPECT_EQ(script.Pending(), 0);
    EXPECT_EQ(script.Messages().size(), c.Existing ? 1 : 0);
    EXPECT_EQ(main.Panel0->text().toStdString(), c.Shown);
    EXPECT_EQ(main.Panel1->text().toStdString(), "Administrative User") << "the mode stays";
    EXPECT_EQ(fs::current_path(), WorkDir() / "new");
    EXPECT_EQ(ReadFile(WorkDir() / "new/kvn.dat"), std::string(c.Shown) + "\r\n");
    EXPECT_TRUE(fs::exists(WorkDir() / "new/support.dat") != c.Existing);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NewPositionFromMenuTest,
    ::testing::Values(TNewFromMenuCase{"Created", false, "Senior Budget Analyst",
                                       "Senior Budget Analyst"},
                      TNewFromMenuCase{"Existing", true, "Typed Title", "Kept Title"}),
    [](const auto& test) { return std::string(test.param.Name); });

} // namespace
} // namespace korvane
