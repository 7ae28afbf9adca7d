#pragma once

#include <QColor>
#include <QGlyphRun>
#include <QLine>
#include <QList>
#include <QPen>
#include <QPointF>
#include <QRawFont>

#include <vector>

class QPainter;

namespace korvane {

// What one line of a report draws, held until the line is done and then drawn with one call
// per pen and one per font and colour: a sheet's line is a dozen rules and a dozen numbers, and
// each call to the painter costs a page description its own drawing state.
class TLineBatch {
public:
    void AddRule(const QLine& line, const QPen& pen);
    // Glyph runs placed from an origin on the baseline.
    void AddText(const QPointF& origin, const QList<QGlyphRun>& runs, const QColor& colour);
    // Draws the rules, then the texts, and empties the batch.
    void Draw(QPainter& painter);
    void Clear();

private:
    struct TRules {
        QPen Pen;
        std::vector<QLine> Lines;
    };
    struct TGlyphs {
        QRawFont Font;
        QColor Colour;
        QList<quint32> Indexes;
        QList<QPointF> Positions;
    };

    std::vector<TRules> Rules_;
    std::vector<TGlyphs> Glyphs_;
};

} // namespace korvane
