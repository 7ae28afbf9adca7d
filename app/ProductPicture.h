#pragma once

#include <QFont>
#include <QPixmap>

class QLabel;

namespace korvane {

// The product picture of the splash and the About box: a score sheet with a ranking star.
QPixmap ProductPicture(const QSize& size);

// Shrinks the label's font one point at a time while the product name is wider than
// maxWidth pixels.
void FitProductName(QLabel* label, int maxWidth);

} // namespace korvane
