#pragma once

#include <functional>

namespace korvane {

// Bits per pixel of the primary screen.
int DisplayDepth();

// Replaces where the depth comes from (tests; a display Qt cannot paint at 8 bits). An empty
// function restores the screen's own depth.
void SetDisplayDepthSource(std::function<int()> source);

} // namespace korvane
