#pragma once

#include <functional>

class QWidget;

namespace korvane {

// Bits per pixel of the primary screen.
int DisplayDepth();

// Replaces where the depth comes from (tests; a display Qt cannot paint at 8 bits). An empty
// function restores the screen's own depth.
void SetDisplayDepthSource(std::function<int()> source);

// Places a window of fixed size in the middle of the primary screen.
void CentreOnScreen(QWidget* window);

} // namespace korvane
