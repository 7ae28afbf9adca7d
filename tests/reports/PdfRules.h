#pragma once

#include <QPointF>
#include <QString>

#include <vector>

namespace korvane::test {

// One straight stroke of a PDF page, in points from the top left of the page.
struct TPdfStroke {
    int Page = 0;
    QPointF From;
    QPointF To;
};

// The strokes of every page of a PDF written by the program's printer (content streams plain
// or deflated; moves, lines and strokes under the page's transformations). Fills and text are
// left out.
std::vector<TPdfStroke> ReadPdfStrokes(const QString& pdf);

} // namespace korvane::test
