#include "app/Startup.h"

#include <QApplication>

#include <cstdio>
#include <memory>

#include "app/Appearance.h"
#include "app/ChoosePositionForm.h"
#include "app/MainForm.h"
#include "app/PositionFolder.h"
#include "app/SplashForm.h"
#include "data/ProcessState.h"
#include "platform/sys/System.h"
#include "platform/ui/CodePage.h"
#include "platform/ui/MessageBox.h"

namespace korvane {

namespace {

// Nothing else happens meanwhile: no window messages are processed.
void WaitOnSplash(unsigned milliseconds) {
    const std::uint64_t start = TickCount();
    while (TickCount() - start < milliseconds) {
        SleepMilliseconds(20);
    }
}

} // namespace

int RunDesktop(bool Administrative, unsigned splashMilliseconds) {
    // The main window reads the mode from the first argument after the program's name.
    QStringList arguments{QCoreApplication::applicationFilePath()};
    if (Administrative) {
        arguments << QStringLiteral("/QX");
    }
    ShowSplash(0);
    std::unique_ptr<TMainForm> main;
    const std::string refused = OpenPositionFolder({});
    if (refused.empty()) {
        RememberOpenedPosition();
        main = std::make_unique<TMainForm>(arguments);
    } else if (FolderState(".") == TFolderState::Position) {
        ShowError(FromCodePage(refused)); // a position that cannot be opened says why
    }
    WaitOnSplash(splashMilliseconds);
    CloseSplash();
    if (!main) {
        TChoosePositionForm choice;
        if (ShowModal(choice) != TModalResult::Ok) {
            return 0;
        }
        main = std::make_unique<TMainForm>(arguments);
    }
    try {
        LoadSettings();
        LoadAppearance();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "korvane: %s\n", error.what());
        ShowError(FromCodePage(error.what()));
        return 1;
    }
    main->show();
    return QApplication::exec();
}

} // namespace korvane
