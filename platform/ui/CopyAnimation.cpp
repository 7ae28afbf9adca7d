#include "platform/ui/CopyAnimation.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace korvane {

namespace {

constexpr int Frames = 20;
constexpr int FrameMilliseconds = 60;

void DrawFolder(QPainter& painter, const QRectF& box) {
    const double tab = box.height() / 5;
    painter.setPen(QPen(QColor(120, 90, 20), 1));
    painter.setBrush(QColor(235, 195, 90));
    painter.drawRect(QRectF(box.left(), box.top(), box.width() * 0.4, tab));
    painter.drawRect(QRectF(box.left(), box.top() + tab, box.width(), box.height() - tab));
}

} // namespace

TCopyAnimation::TCopyAnimation(QWidget* parent) : TAnimation(Frames, FrameMilliseconds, parent) {}

void TCopyAnimation::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(rect()).adjusted(2, 2, -2, -2);
    const double size = std::min(area.height(), area.width() / 5);
    const QRectF from(area.left(), area.bottom() - size * 0.8, size, size * 0.8);
    const QRectF to(area.right() - size, area.bottom() - size * 0.8, size, size * 0.8);
    DrawFolder(painter, from);
    DrawFolder(painter, to);

    // The sheet flies on an arc from the mouth of one folder to the other.
    const double t = static_cast<double>(Frame()) / (Frames - 1);
    const double x0 = from.center().x();
    const double x1 = to.center().x();
    const QSizeF sheet(size * 0.45, size * 0.55);
    // Highest in the middle, still whole inside the picture.
    const double lift = from.top() - area.top() - sheet.height() * 0.75;
    const QPointF centre(x0 + (x1 - x0) * t, from.top() - std::max(0.0, lift) * 4 * t * (1 - t));
    painter.save();
    painter.translate(centre);
    painter.rotate(-25 + 50 * t);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
    painter.setBrush(Qt::white);
    const QRectF page(-sheet.width() / 2, -sheet.height() / 2, sheet.width(), sheet.height());
    painter.drawRect(page);
    for (int line = 1; line <= 3; ++line) {
        const double y = page.top() + line * page.height() / 4;
        painter.drawLine(QPointF(page.left() + 2, y), QPointF(page.right() - 2, y));
    }
    painter.restore();
}

} // namespace korvane
