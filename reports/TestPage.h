#pragma once

#include "reports/PrintDestination.h"

class QWidget;

namespace korvane {

// Pages of the printer test page.
constexpr int TestPagePages = 3;
// Body lines on each page of the test page.
constexpr int TestPageLines = 30;

// Prints the printer test page: TestPagePages pages of rules, shading and text at the left,
// the right and the centre, each page with its header.
void PrintTestPage(QWidget* owner, const TPrintDestination& to);

} // namespace korvane
