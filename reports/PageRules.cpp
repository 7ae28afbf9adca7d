#include "reports/PageRules.h"

#include <QPainter>

#include <algorithm>

namespace korvane {

namespace {

// The span of a straight piece along its row or column.
struct TSpan {
    int From;
    int To;
};

TSpan SpanOf(const QLine& line, bool column) {
    const int a = column ? line.y1() : line.x1();
    const int b = column ? line.y2() : line.x2();
    return {std::min(a, b), std::max(a, b)};
}

QLine Piece(bool column, int at, TSpan span) {
    return column ? QLine(at, span.From, at, span.To) : QLine(span.From, at, span.To, at);
}

} // namespace

void TPageRules::Add(const QLine& line, const QPen& pen, QPainter& painter) {
    if (pen.style() == Qt::NoPen) {
        return;
    }
    if (pen != Pen_) {
        Draw(painter);
        Pen_ = pen;
    }
    const bool row = line.y1() == line.y2();
    const bool column = line.x1() == line.x2();
    const bool joins = pen.style() == Qt::SolidLine && pen.color().alpha() == 255;
    if (!joins || row == column) {
        Lines_.push_back(line);
        Gone_.push_back(false);
        return;
    }
    const int at = column ? line.x1() : line.y1();
    std::vector<std::size_t>& pieces = Straight_[{column, at}];
    TSpan span = SpanOf(line, column);
    // Every piece that meets the new one is taken into it; the first of them holds the whole.
    std::size_t kept = Lines_.size();
    for (const std::size_t i : pieces) {
        if (Gone_[i]) {
            continue;
        }
        const TSpan other = SpanOf(Lines_[i], column);
        if (other.From > span.To || span.From > other.To) {
            continue;
        }
        span = {std::min(span.From, other.From), std::max(span.To, other.To)};
        if (kept == Lines_.size()) {
            kept = i;
        } else {
            Gone_[i] = true;
        }
    }
    if (kept == Lines_.size()) {
        pieces.push_back(kept);
        Lines_.push_back(Piece(column, at, span));
        Gone_.push_back(false);
    } else {
        Lines_[kept] = Piece(column, at, span);
    }
}

void TPageRules::Draw(QPainter& painter) {
    painter.setPen(Pen_);
    // One stroke each: a viewer snaps a hairline to whole pixels only when it is a path of its
    // own, and draws the pieces of a shared path grey.
    for (std::size_t i = 0; i < Lines_.size(); ++i) {
        if (!Gone_[i]) {
            painter.drawLine(Lines_[i]);
        }
    }
    Clear();
}

void TPageRules::Clear() {
    Lines_.clear();
    Gone_.clear();
    Straight_.clear();
}

} // namespace korvane
