#include "reports/ReportFont.h"

#include <QFontMetricsF>
#include <QTextLayout>
#include <QTextOption>
#include <QtMath>

#include <algorithm>

namespace korvane {

namespace {

// Positions are whole 64ths of a device unit: exact as doubles.
int In64ths(qreal value) {
    return qRound(value * 64);
}

bool SameRun(const QGlyphRun& a, const QGlyphRun& b) {
    return a.rawFont() == b.rawFont() && a.glyphIndexes() == b.glyphIndexes() &&
           a.positions() == b.positions();
}

} // namespace

TReportFont::TReportFont(const QFont& font, const QPaintDevice* device)
    : Font_(font, device), Metrics_(font, device), Height_(Metrics_.height()),
      Ascent_(qCeil(QFontMetricsF(Font_).ascent())),
      Decorated_(Font_.underline() || Font_.strikeOut() || Font_.overline()) {
    if (Decorated_) {
        return;
    }
    // Each digit doubled gives its glyph and advance; the digits in a row, both ways, must then
    // come out as the shaper puts them.
    for (int d = 0; d < 10; ++d) {
        const TShapedText twice = Layout(QString(2, QChar(u'0' + d)));
        if (twice.Runs.size() != 1 || twice.Runs[0].glyphIndexes().size() != 2) {
            return;
        }
        const QGlyphRun& run = twice.Runs[0];
        if (d == 0) {
            DigitFont_ = run.rawFont();
        } else if (run.rawFont() != DigitFont_) {
            return;
        }
        DigitGlyphs_[static_cast<std::size_t>(d)] = run.glyphIndexes()[0];
        DigitAdvances_[static_cast<std::size_t>(d)] = In64ths(run.positions()[1].x());
    }
    DigitsAlone_ = true;
    for (const QString& row : {QStringLiteral("0123456789"), QStringLiteral("9876543210")}) {
        TShapedText composed;
        const TShapedText shaped = Layout(row);
        if (!FromDigits(row, composed) || composed.Width != shaped.Width ||
            composed.Runs.size() != 1 || shaped.Runs.size() != 1 ||
            !SameRun(composed.Runs[0], shaped.Runs[0])) {
            DigitsAlone_ = false;
            return;
        }
    }
}

const TShapedText& TReportFont::Shaped(const QString& text) {
    const auto found = Texts_.constFind(text);
    if (found != Texts_.constEnd()) {
        return *found;
    }
    TShapedText shaped;
    if (!FromDigits(text, shaped)) {
        shaped = Layout(text);
    }
    return *Texts_.insert(text, std::move(shaped));
}

TShapedText TReportFont::Layout(const QString& text) const {
    TShapedText shaped;
    // A painter draws the line of a decorated font under each text it is given, and lays out a
    // tab or another control character otherwise than a text layout does: such texts have no
    // runs and are drawn as they are.
    if (Decorated_ || text.isEmpty() ||
        std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x20; })) {
        shaped.Width = Metrics_.horizontalAdvance(text);
        return shaped;
    }
    QTextLayout layout(text, Font_);
    QTextOption option;
    option.setTextDirection(Qt::LeftToRight);
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    // The line's advance is the sum of the glyphs' advances, trailing blanks included, which the
    // metrics round to the nearest unit: the same shaping, once.
    shaped.Width = (In64ths(line.horizontalAdvance()) + 32) >> 6;
    shaped.Runs = layout.glyphRuns();
    if (shaped.Runs.isEmpty() || shaped.Runs[0].positions().isEmpty()) {
        shaped.Runs.clear();
        return shaped;
    }
    // From the top left of the layout to an origin on the baseline.
    const qreal baseline = shaped.Runs[0].positions()[0].y();
    for (QGlyphRun& run : shaped.Runs) {
        QList<QPointF> positions = run.positions();
        for (QPointF& position : positions) {
            position.ry() -= baseline;
        }
        run.setPositions(positions);
    }
    return shaped;
}

bool TReportFont::FromDigits(const QString& text, TShapedText& shaped) const {
    if (!DigitsAlone_ || text.isEmpty() ||
        !std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; })) {
        return false;
    }
    QList<quint32> glyphs;
    QList<QPointF> positions;
    glyphs.reserve(text.size());
    positions.reserve(text.size());
    int x = 0;
    for (const QChar c : text) {
        const auto d = static_cast<std::size_t>(c.unicode() - u'0');
        glyphs.append(DigitGlyphs_[d]);
        positions.append(QPointF(x / 64.0, 0));
        x += DigitAdvances_[d];
    }
    // As the metrics round a width: to the nearest unit, halves up.
    shaped.Width = (x + 32) >> 6;
    QGlyphRun run;
    run.setRawFont(DigitFont_);
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    shaped.Runs = {run};
    return true;
}

} // namespace korvane
