#pragma once

#include <functional>

class QWidget;

namespace korvane {

// Bits per pixel of the primary screen.
int DisplayDepth();

// Replaces where the depth comes from (tests; a display Qt cannot paint at 8 bits). An empty
// function restores the screen's own depth.
void SetDisplayDepthSource(std::function<int()> source);

// Makes "MS Sans Serif", the face of the screens, resolve to Liberation Sans Narrow: of the
// faces every installation has, it is the one in which the longest names fit the grid columns
// sized for the original face. Called once when the application object is made.
void InstallScreenFontSubstitute();

// Places a window of fixed size in the middle of the primary screen.
void CentreOnScreen(QWidget* window);

} // namespace korvane
