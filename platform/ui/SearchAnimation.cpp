#include "platform/ui/SearchAnimation.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>

namespace korvane {

namespace {
constexpr int Frames = 16;
constexpr int FrameMilliseconds = 90;
} // namespace

TSearchAnimation::TSearchAnimation(QWidget* parent)
    : TAnimation(Frames, FrameMilliseconds, parent) {}

void TSearchAnimation::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(rect()).adjusted(2, 2, -2, -2);
    const double unit = std::min(area.width() / 8, area.height() / 5);
    const QPointF centre = area.center();

    // The sheet being searched, with a few lines of text.
    const QRectF sheet(centre.x() - 1.5 * unit, centre.y() - 2 * unit, 3 * unit, 4 * unit);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
    painter.setBrush(Qt::white);
    painter.drawRect(sheet);
    for (int line = 1; line <= 4; ++line) {
        const double y = sheet.top() + line * sheet.height() / 5;
        painter.drawLine(QPointF(sheet.left() + unit / 3, y), QPointF(sheet.right() - unit / 3, y));
    }

    // The glass moves on an ellipse around the sheet's centre.
    const double angle = 2 * std::numbers::pi * Frame() / Frames;
    const QPointF lens(centre.x() + 1.6 * unit * std::cos(angle),
                       centre.y() + 0.9 * unit * std::sin(angle));
    const double radius = 0.9 * unit;
    painter.setPen(QPen(QColor(60, 60, 60), std::max(1.5, unit / 4), Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(lens + QPointF(radius * 0.7, radius * 0.7),
                     lens + QPointF(radius * 1.8, radius * 1.8));
    painter.setBrush(QColor(170, 210, 255, 150));
    painter.drawEllipse(lens, radius, radius);
}

} // namespace korvane
