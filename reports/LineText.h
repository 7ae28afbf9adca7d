#pragma once

#include <QColor>
#include <QGlyphRun>
#include <QList>
#include <QPointF>
#include <QRawFont>

#include <vector>

class QPainter;

namespace korvane {

// The texts of one line of a report, held until the line is done and then drawn with one call
// per font and colour: a sheet's line is a name and a dozen numbers, and each call costs a page
// description a text object of its own.
class TLineText {
public:
    // Glyph runs placed from an origin on the baseline.
    void Add(const QPointF& origin, const QList<QGlyphRun>& runs, const QColor& colour);
    // Draws what was added and empties the line.
    void Draw(QPainter& painter);
    void Clear() { Glyphs_.clear(); }

private:
    struct TGlyphs {
        QRawFont Font;
        QColor Colour;
        QList<quint32> Indexes;
        QList<QPointF> Positions;
    };

    std::vector<TGlyphs> Glyphs_;
};

} // namespace korvane
