#include "app/ProductPicture.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include "data/ProcessState.h"

namespace korvane {

QPixmap ProductPicture(const QSize& size, const QColor& background) {
    QPixmap picture(size);
    picture.fill(background);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width();
    const qreal h = size.height();

    // The sheet, with a few rows of ratings.
    const QRectF sheet(w * 0.12, h * 0.06, w * 0.62, h * 0.86);
    painter.setPen(QPen(QColor(60, 60, 80), 1.5));
    painter.setBrush(QColor(250, 248, 236));
    painter.drawRect(sheet);
    painter.setPen(QPen(QColor(40, 96, 160), 2));
    for (int row = 0; row < 5; ++row) {
        const qreal y = sheet.top() + sheet.height() * (0.18 + row * 0.15);
        painter.drawLine(QPointF(sheet.left() + 6, y), QPointF(sheet.right() - 6, y));
        painter.setBrush(QColor(40, 96, 160));
        const qreal bar = sheet.width() * (0.25 + 0.12 * ((row * 3) % 5));
        painter.drawRect(QRectF(sheet.left() + 6, y - 7, bar - 12, 5));
    }

    // The star of the first rank.
    QPainterPath star;
    const QPointF centre(w * 0.74, h * 0.74);
    const qreal outer = qMin(w, h) * 0.22;
    for (int i = 0; i < 10; ++i) {
        const qreal radius = (i % 2 == 0) ? outer : outer * 0.45;
        const qreal angle = -M_PI / 2 + i * M_PI / 5;
        const QPointF point(centre.x() + radius * qCos(angle), centre.y() + radius * qSin(angle));
        if (i == 0) {
            star.moveTo(point);
        } else {
            star.lineTo(point);
        }
    }
    star.closeSubpath();
    painter.setPen(QPen(QColor(150, 100, 0), 1.5));
    painter.setBrush(QColor(250, 190, 30));
    painter.drawPath(star);
    return picture;
}

TProductLabels AddProductLabels(QWidget* panel, const QPoint& name, const QPoint& version) {
    TProductLabels labels{new QLabel(panel), new QLabel(QStringLiteral("Korvane"), panel),
                          new QLabel(QString::fromLatin1(VersionText), panel)};
    labels.Picture->setGeometry(8, 8, 116, 113);
    labels.Picture->setScaledContents(true);
    labels.Picture->setPixmap(ProductPicture(QSize(116, 113)));
    // 24 pixels at the screen's 96 dots per inch, in points so that it can shrink by points.
    labels.Name->setObjectName(QStringLiteral("ProductName"));
    labels.Name->setFont(QFont(QStringLiteral("Times New Roman"), 18, QFont::Bold));
    labels.Name->setGeometry(name.x(), name.y(), 280, 34);
    FitProductName(labels.Name, 273);
    labels.Version->setObjectName(QStringLiteral("Version"));
    labels.Version->setGeometry(version.x(), version.y(), 200, 16);
    return labels;
}

void FitProductName(QLabel* label, int maxWidth) {
    QFont font = label->font();
    while (QFontMetrics(font).horizontalAdvance(label->text()) > maxWidth &&
           font.pointSizeF() > 1.0) {
        font.setPointSizeF(font.pointSizeF() - 1.0);
    }
    label->setFont(font);
}

} // namespace korvane
