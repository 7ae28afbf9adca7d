#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>

#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "data/FileNames.h"
#include "maintenance/UnInstallForm.h"
#include "platform/sys/Registry.h"
#include "platform/sys/RunOnce.h"
#include "platform/sys/UserFolders.h"
#include "tests/exchange/PositionDiskTestSupport.h"
#include "tests/support/ModalScript.h"
#include "tests/support/core/TempUserFolders.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using test::Child;
using test::ModalScript;

const std::string Title = "Budget Analyst";
const QString Sure = QStringLiteral("Are You Sure You Want To Uninstall The Korvane?");
const QString Canceled = QStringLiteral("You Canceled The Export, Still Uninstall?");
const QString ExportError = QStringLiteral("Error During Export, Still Uninstall?");

// What the export screen does when the uninstall opens it.
enum class TExportStep { NotShown, Cancelled, DiskNotInserted, Exported };

class UnInstallTest : public test::TempUserFoldersTest {
protected:
    void SetUp() override {
        TempUserFoldersTest::SetUp();
        Disk_.emplace(WorkDir() / "stick", Title);
        fs::create_directories("Sub");
        for (const std::string& name :
             std::vector<std::string>{ApplicantFileName, CommitteeFileName, SupportFileName,
                                      ".hidden", "Sub/keep.txt"}) {
            WriteFile(name, "data of " + name);
        }
        WriteFile(Home() / "target.txt", "elsewhere");
        fs::create_symlink(Home() / "target.txt", "link.txt");
        Shortcut(Title);
        WriteFile(Desktop() / "Other.desktop", "x");
    }
    void TearDown() override {
        Disk_.reset();
        TempUserFoldersTest::TearDown();
    }

    const test::TPositionDisk& Disk() const { return *Disk_; }
    fs::path Desktop() const { return Home() / "Desktop"; }
    fs::path Group() const { return ApplicationsDir() / "Korvane"; }

    // The shortcuts of a position in the program group and on the desktop.
    void Shortcut(const std::string& Name) const {
        fs::create_directories(Group());
        fs::create_directories(Desktop());
        WriteFile(Group() / (Name + ".desktop"), "[Desktop Entry]\n");
        WriteFile(Desktop() / (Name + ".desktop"), "[Desktop Entry]\n");
    }

    // Every plain file and link below the working directory and the home folder.
    std::set<std::string> Everything() const {
        std::set<std::string> paths;
        for (const fs::path& root : {WorkDir(), Home()}) {
            for (const auto& entry : fs::recursive_directory_iterator(root)) {
                if (!entry.is_directory() || entry.is_symlink()) {
                    paths.insert(entry.path().string());
                }
            }
        }
        return paths;
    }

    // What must be gone after an uninstall, and what must stay.
    void ExpectUninstalled(const std::string& ShortcutName) const {
        std::set<std::string> left;
        for (const auto& entry : fs::directory_iterator(WorkDir())) {
            left.insert(entry.path().filename().string());
        }
        EXPECT_EQ(left, (std::set<std::string>{"Sub", "stick", "tmp"}));
        EXPECT_EQ(ReadFile("Sub/keep.txt"), "data of Sub/keep.txt");
        EXPECT_EQ(ReadFile(Home() / "target.txt"), "elsewhere");
        EXPECT_FALSE(fs::exists(Desktop() / (ShortcutName + ".desktop")));
        EXPECT_FALSE(fs::exists(Group())) << "the empty program group goes too";
        EXPECT_TRUE(fs::exists(Desktop() / "Other.desktop"));

        // The test program lives outside the position's folder: it stays.
        EXPECT_TRUE(TRegistry().Values(RunOnceKey).empty());
        EXPECT_FALSE(fs::exists(RunOnceAutostartPath()));
    }

    // Arms the script for the screen: tick the box or not, press Uninstall, answer the first
    // question, run the export as asked, answer the export question if one comes. A last step
    // catches a window that should not have come.
    void Arm(ModalScript& Script, bool Checked, TModalResult First, TExportStep Export,
             std::optional<TModalResult> Then, QStringList& Unexpected) {
        Script.Then([Checked](QWidget* screen) {
            Child<QCheckBox>(screen, "CheckBox1")->setChecked(Checked);
            Child<QPushButton>(screen, "UnintallBtn")->click();
        });
        Script.ThenAnswer(First);
        switch (Export) {
        case TExportStep::NotShown:
            break;
        case TExportStep::Cancelled:
            Script.Then([](QWidget* screen) {
                EXPECT_EQ(screen->windowTitle().toStdString(), "Export");
                Child<QPushButton>(screen, "BitBtn1")->click();
            });
            break;
        case TExportStep::DiskNotInserted:
        case TExportStep::Exported:
            Script.Then([](QWidget* screen) { Child<QPushButton>(screen, "ExportBtn")->click(); });
            Script.ThenAnswer(TModalResult::Ok); // insert the disk
            if (Export == TExportStep::DiskNotInserted) {
                Script.ThenAnswer(TModalResult::No); // do not make the stick a position disk
                Script.ThenAnswer(TModalResult::Cancel).ThenAnswer(TModalResult::Cancel);
            }
            Script.ThenAnswer(TModalResult::Ok); // completed, or not inserted
            break;
        }
        if (Then) {
            Script.ThenAnswer(*Then);
        }
        Script.Then([&Unexpected](QWidget* window) {
            auto* box = qobject_cast<QMessageBox*>(window);
            Unexpected << (box != nullptr ? box->text() : window->windowTitle());
            window->close();
        });
    }

private:
    std::optional<test::TPositionDisk> Disk_;
};

struct TUninstallCase {
    const char* Name;
    bool Checked;
    TModalResult First;
    TExportStep Export;
    std::optional<TModalResult> Then; // to the export question
    QString Asked;                    // the export question, if any
    TModalResult Result;
};

class UnInstallFlowTest : public UnInstallTest,
                          public ::testing::WithParamInterface<TUninstallCase> {};

TEST_P(UnInstallFlowTest, RemovesOnlyWhenTheUserGoesOn) {
    const TUninstallCase& c = GetParam();
    WriteFile(PositionFileName, Title + "\r\n");
    std::map<std::string, std::string> sources;
    for (const char* name : {PositionFileName, ApplicantFileName, CommitteeFileName}) {
        sources[name] = ReadFile(name);
    }
    if (c.Export == TExportStep::DiskNotInserted) {
        fs::remove(Disk() / "Disk2.id");
    }
    const auto before = Everything();

    ModalScript script;
    QStringList unexpected;
    Arm(script, c.Checked, c.First, c.Export, c.Then, unexpected);
    TUnInstallForm screen(nullptr);
    EXPECT_EQ(ShowModal(screen), c.Result);
    EXPECT_EQ(script.Pending(), 1);
    EXPECT_EQ(unexpected, QStringList());
    EXPECT_EQ(script.Messages().first(), Sure);
    EXPECT_EQ(script.Messages().filter(QStringLiteral("Still Uninstall")),
              c.Asked.isEmpty() ? QStringList() : QStringList{c.Asked});

    if (c.Result == TModalResult::Ok) {
        ExpectUninstalled(Title);
    } else {
        EXPECT_EQ(Everything(), before) << "nothing touched";
    }
    for (const auto& [name, bytes] : sources) {
        if (c.Export == TExportStep::Exported) {
            EXPECT_EQ(ReadFile(Disk() / name), bytes) << name;
        }
    }
}

using E = TExportStep;
using R = TModalResult;
INSTANTIATE_TEST_SUITE_P(
    Cases, UnInstallFlowTest,
    ::testing::Values(
        TUninstallCase{"NoKeepsEverything", true, R::No, E::NotShown, {}, {}, R::No},
        TUninstallCase{"UncheckedNeverExports", false, R::Yes, E::NotShown, {}, {}, R::Ok},
        TUninstallCase{"ExportCancelledThenNo", true, R::Yes, E::Cancelled, R::No, Canceled, R::No},
        TUninstallCase{"ExportCancelledThenYes", true, R::Yes, E::Cancelled, R::Yes, Canceled,
                       R::Ok},
        TUninstallCase{"DiskNotInsertedThenNo", true, R::Yes, E::DiskNotInserted, R::No,
                       ExportError, R::No},
        TUninstallCase{"ExportedThenRemoved", true, R::Yes, E::Exported, {}, {}, R::Ok}),
    [](const auto& test) { return std::string(test.param.Name); });

// Without a position file the shortcuts are those of "No Position Found"; afterwards the main
// window says so and keeps only the commands that need no data.
TEST_F(UnInstallTest, TheMainWindowAnnouncesItAndDisablesTheDataCommands) {
    fs::remove(Desktop() / (Title + ".desktop"));
    fs::remove(Group() / (Title + ".desktop"));
    Shortcut("No Position Found");
    TMainForm main({QStringLiteral("korvane")});
    ASSERT_EQ(PositionTitle, "No Position Found");
    ASSERT_TRUE(main.Uninstall1->isEnabled());
    ModalScript script;
    QStringList unexpected;
    Arm(script, false, TModalResult::Yes, TExportStep::NotShown, TModalResult::Ok, unexpected);
    main.Uninstall1->trigger();
    EXPECT_EQ(script.Pending(), 1);
    ASSERT_EQ(script.Messages().size(), 2);
    EXPECT_EQ(script.Messages()[1].toStdString(),
              "Korvane Uninstalled\n\nThe Position's Data And Shortcuts Are Removed. The Program "
              "Itself Stays: " +
                  RunningProgramFile());
    EXPECT_EQ(script.MessageKinds()[1], TMessageKind::Error);
    ExpectUninstalled("No Position Found");

    QStringList enabled;
    for (QAction* item : main.findChildren<QAction*>()) {
        if (item->isEnabled() && !item->objectName().isEmpty() && !item->isSeparator() &&
            item->menu() == nullptr) {
            enabled << item->objectName();
        }
    }
    enabled.sort();
    EXPECT_EQ(enabled.join(QLatin1Char(' ')).toStdString(),
              "About1 Exit1 NewPosition1 OpenPosition1 PrinterSetup1 Support1");

    // A list dropped into the emptied folder brings no data file back.
    WriteFile(ApplicantListFileName, "        17 SMITH\r\n");
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&main, &activate);
    EXPECT_FALSE(fs::exists(ApplicantFileName));
}

// Started from the home folder, the program must not empty it: nothing is removed at all.
TEST_F(UnInstallTest, RefusesAFolderThatIsNoPositionsFolder) {
    fs::current_path(Home());
    WriteFile("precious.txt", "x");
    const auto before = Everything();
    ModalScript script;
    QStringList unexpected;
    Arm(script, false, TModalResult::Yes, TExportStep::NotShown, TModalResult::Ok, unexpected);
    TUnInstallForm screen(nullptr);
    EXPECT_EQ(ShowModal(screen), TModalResult::No);
    EXPECT_EQ(script.Pending(), 1);
    ASSERT_EQ(script.Messages().size(), 2);
    EXPECT_TRUE(script.Messages()[1].startsWith(QStringLiteral("Error: ") +
                                                QString::fromStdString(Home().string())));
    EXPECT_EQ(Everything(), before);
    EXPECT_TRUE(TRegistry().Values(RunOnceKey).empty());
}

// The title is code-page text; the shortcut files are named in the file system's encoding.
TEST_F(UnInstallTest, FindsTheShortcutsOfATitleBeyondAscii) {
    fs::remove(Desktop() / (Title + ".desktop"));
    fs::remove(Group() / (Title + ".desktop"));
    const std::string utf8 = "Caf\xC3\xA9 Manager";
    Shortcut(utf8);
    PositionTitle = "Caf\xE9 Manager";
    ModalScript script;
    QStringList unexpected;
    Arm(script, false, TModalResult::Yes, TExportStep::NotShown, std::nullopt, unexpected);
    TUnInstallForm screen(nullptr);
    EXPECT_EQ(ShowModal(screen), TModalResult::Ok);
    EXPECT_EQ(unexpected, QStringList());
    ExpectUninstalled(utf8);
}

} // namespace
} // namespace korvane
