#pragma once

#include <QLine>
#include <QPen>

#include <map>
#include <utility>
#include <vector>

class QPainter;

namespace korvane {

// The rules of a page, held until the page is done. A sheet rules every line: the bottom rule of
// a line is the top rule of the next, and its column rules go on from those of the line above.
// With a solid opaque pen, pieces on one row or column that meet or overlap are drawn as one
// rule, which covers the same: a page description then holds a column rule once instead of once
// per line.
class TPageRules {
public:
    // A rule in another pen first draws those held, so that rules keep their order by pen.
    void Add(const QLine& line, const QPen& pen, QPainter& painter);
    // Draws what is held and empties the page.
    void Draw(QPainter& painter);
    void Clear();

private:
    QPen Pen_;
    std::vector<QLine> Lines_;
    std::vector<bool> Gone_; // joined into another piece
    // The pieces on a row (false, y) or a column (true, x), by their index in Lines_.
    std::map<std::pair<bool, int>, std::vector<std::size_t>> Straight_;
};

} // namespace korvane
