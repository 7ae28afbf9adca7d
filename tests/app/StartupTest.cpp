#include "app/Startup.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QTimer>

#include "app/MainForm.h"
#include "app/SplashForm.h"
#include "data/ProcessState.h"
#include "tests/support/ModalScript.h"
#include "tests/support/core/ScopedProcessState.h"
#include "tests/support/core/TempUserFolders.h"

namespace korvane {
namespace {

class StartupTest : public test::TempUserFoldersTest {
protected:
    test::ScopedProcessState Saved_;
};

TMainForm* ShownMainForm() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* form = qobject_cast<TMainForm*>(widget); form != nullptr && form->isVisible()) {
            return form;
        }
    }
    return nullptr;
}

TEST_F(StartupTest, SplashThenSettingsThenTheMainWindow) {
    WriteFile("kvn.dat", "Clerk Typist\r\n");
    WriteFile("support.dat", "PORTRAITFONT=12\r\n");
    Settings.PortraitFont = 10;
    bool splashUpDuringLoad = true;
    QString title;
    int fontWhenShown = 0;
    // Waits for the main window (the splash's own painting runs timers too).
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        TMainForm* form = ShownMainForm();
        if (form == nullptr) {
            return;
        }
        poll.stop();
        splashUpDuringLoad = SplashForm() != nullptr;
        title = form->Panel0->text();
        fontWhenShown = Settings.PortraitFont;
        form->close();
    });
    poll.start();
    EXPECT_EQ(RunDesktop({}, 0), 0);
    EXPECT_FALSE(splashUpDuringLoad) << "the splash is gone once the main window runs";
    EXPECT_EQ(title.toStdString(), "Clerk Typist");
    EXPECT_EQ(fontWhenShown, 12) << "settings are loaded before the main window shows";
}

TEST_F(StartupTest, ABadNumberEndsTheStartBeforeTheMainWindowShows) {
    WriteFile("kvn.dat", "Clerk Typist\r\n");
    WriteFile("support.dat", "LANDSCAPEFONT=eight\r\n");
    test::ModalScript script;
    bool mainShown = false;
    script.Then([&](QWidget* box) {
        mainShown = ShownMainForm() != nullptr;
        test::ModalScript::PressMessageButton(box, TModalResult::Ok);
    });
    EXPECT_EQ(RunDesktop({}, 0), 1);
    EXPECT_FALSE(mainShown);
    EXPECT_EQ(script.Pending(), 0) << "the error was shown";
    EXPECT_EQ(ShownMainForm(), nullptr);
}

// Once an application display name is set, the window system shows it after every caption
// ("Support — Korvane"). With none set, the application answers its plain name, whatever that
// is: renamed for the test, a display name set by the application object or by the start-up
// shows up as the old name.
TEST_F(StartupTest, NoDisplayNameIsAddedToTheCaptions) {
    const QString name = QCoreApplication::applicationName();
    const QString probe = QStringLiteral("korvane-caption-probe");
    WriteFile("kvn.dat", "Clerk Typist\r\n");
    QCoreApplication::setApplicationName(probe);
    EXPECT_EQ(QGuiApplication::applicationDisplayName().toStdString(), probe.toStdString())
        << "set by the application object";
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [] {
        if (TMainForm* form = ShownMainForm()) {
            form->close();
        }
    });
    poll.start();
    EXPECT_EQ(RunDesktop({}, 0), 0);
    EXPECT_EQ(QGuiApplication::applicationDisplayName().toStdString(), probe.toStdString())
        << "set by the start-up";
    QCoreApplication::setApplicationName(name);
}

} // namespace
} // namespace korvane
