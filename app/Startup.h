#pragma once

namespace korvane {

// How long the splash stays up at start-up.
inline constexpr unsigned SplashMilliseconds = 5000;

// The start-up sequence of the desktop program in the working directory: splash, main window,
// the wait, settings, the message loop. Where no position is, the "Choose Position" window comes
// instead of the main window until one is open. Administrative: started with "/QX". Returns the
// exit status: 1 when a settings value is not a number (before the main window is shown), 0
// when the user leaves the choice with Exit.
int RunDesktop(bool Administrative = false, unsigned splashMilliseconds = SplashMilliseconds);

} // namespace korvane
