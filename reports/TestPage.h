#pragma once

class QWidget;

namespace korvane {

// Pages of the printer test page.
constexpr int TestPagePages = 3;
// Body lines on each page of the test page.
constexpr int TestPageLines = 30;

// Prints the printer test page: TestPagePages pages of rules, shading and text at the left,
// the right and the centre, each page with its header. For the printer the print dialog comes
// first; false when it was cancelled.
bool PrintTestPage(QWidget* owner, int destination);

} // namespace korvane
