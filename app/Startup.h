#pragma once

#include <QStringList>

namespace korvane {

// How long the splash stays up at start-up.
inline constexpr unsigned SplashMilliseconds = 5000;

// The start-up sequence of the desktop program: splash, main window, the wait, settings, the
// message loop. Returns the exit status; a settings value that is not a number ends it with 1
// before the main window is shown.
int RunDesktop(const QStringList& arguments, unsigned splashMilliseconds = SplashMilliseconds);

} // namespace korvane
