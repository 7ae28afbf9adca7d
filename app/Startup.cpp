#include "app/Startup.h"

#include <QApplication>

#include <cstdio>

#include "app/Appearance.h"
#include "app/MainForm.h"
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

int RunDesktop(const QStringList& arguments, unsigned splashMilliseconds) {
    ShowSplash(0);
    TMainForm main(arguments);
    WaitOnSplash(splashMilliseconds);
    CloseSplash();
    try {
        LoadSettings();
        LoadAppearance();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "korvane: %s\n", error.what());
        ShowError(FromCodePage(error.what()));
        return 1;
    }
    main.show();
    return QApplication::exec();
}

} // namespace korvane
