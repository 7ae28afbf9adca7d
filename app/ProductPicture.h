#pragma once

#include <QFont>
#include <QPixmap>

class QLabel;
class QWidget;

namespace korvane {

// The product picture of the splash, the About box and the program's icon: a score sheet with a
// ranking star.
QPixmap ProductPicture(const QSize& size, const QColor& background = Qt::white);

// The picture, the product name fitted to 273 pixels and the version text, as the splash and
// the About box show them at the top left of panel.
struct TProductLabels {
    QLabel* Picture;
    QLabel* Name;
    QLabel* Version;
};
TProductLabels AddProductLabels(QWidget* panel, const QPoint& name, const QPoint& version);

// Shrinks the label's font one point at a time while the product name is wider than
// maxWidth pixels.
void FitProductName(QLabel* label, int maxWidth);

} // namespace korvane
