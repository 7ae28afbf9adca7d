#include "reports/LineBatch.h"

#include <QPainter>

namespace korvane {

void TLineBatch::AddRule(const QLine& line, const QPen& pen) {
    if (Rules_.empty() || Rules_.back().Pen != pen) {
        Rules_.push_back({pen, {}});
    }
    Rules_.back().Lines.push_back(line);
}

void TLineBatch::AddText(const QPointF& origin, const QList<QGlyphRun>& runs,
                         const QColor& colour) {
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

void TLineBatch::Draw(QPainter& painter) {
    for (const TRules& rules : Rules_) {
        painter.setPen(rules.Pen);
        painter.drawLines(rules.Lines.data(), static_cast<int>(rules.Lines.size()));
    }
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

void TLineBatch::Clear() {
    Rules_.clear();
    Glyphs_.clear();
}

} // namespace korvane
