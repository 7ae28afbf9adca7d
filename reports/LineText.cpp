#include "reports/LineText.h"

#include <QPainter>

namespace korvane {

void TLineText::Add(const QPointF& origin, const QList<QGlyphRun>& runs, const QColor& colour) {
    for (const QGlyphRun& run : runs) {
        const QRawFont font = run.rawFont();
        auto glyphs = Glyphs_.begin();
        while (glyphs != Glyphs_.end() && (glyphs->Font != font || glyphs->Colour != colour)) {
            ++glyphs;
        }
        if (glyphs == Glyphs_.end()) {
            glyphs = Glyphs_.insert(Glyphs_.end(), {font, colour, {}, {}});
        }
        glyphs->Indexes.append(run.glyphIndexes());
        for (const QPointF& position : run.positions()) {
            glyphs->Positions.append(origin + position);
        }
    }
}

void TLineText::Draw(QPainter& painter) {
    for (const TGlyphs& glyphs : Glyphs_) {
        QGlyphRun run;
        run.setRawFont(glyphs.Font);
        run.setGlyphIndexes(glyphs.Indexes);
        run.setPositions(glyphs.Positions);
        painter.setPen(glyphs.Colour);
        painter.drawGlyphRun(QPointF(0, 0), run);
    }
    Clear();
}

} // namespace korvane
