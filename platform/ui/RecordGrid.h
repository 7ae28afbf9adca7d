#pragma once

#include <QString>

#include <functional>
#include <vector>

#include "platform/ui/DrawGrid.h"

namespace korvane {

// A grid over a list of records: row r shows record r - 1, and a list with no record shows one
// blank row. The owner says how many records there are and what each cell of a record shows.
class TRecordGrid : public TDrawGrid {
    Q_OBJECT
public:
    using TCount = std::function<int()>;
    // The text of column Col of the record shown in grid row Row (from 1).
    using TText = std::function<QString(int Col, int Row)>;

    explicit TRecordGrid(QWidget* parent = nullptr);

    void Bind(std::vector<QString> Headers, TCount Count, TText Text);
    // Columns from Col on stand right-aligned (not the header).
    void SetRightAlignedFrom(int Col) { RightFrom_ = Col; }
    // Whether the first row shows the focus rectangle.
    void SetFocusRectOnFirstRow(bool Shown) { FocusOnFirstRow_ = Shown; }

    // The rows follow the list: one row a record, one blank row for none (then on row 1).
    void Reload();
    // Records in the list now.
    int RecordCount() const { return Count_ ? Count_() : 0; }

    // The cell rule of a record grid; the grid draws its cells with it unless told otherwise.
    void DrawRecordCell(QPainter& canvas, int col, int row, const QRect& rect,
                        TGridDrawState state) const;

private:
    std::vector<QString> Headers_;
    TCount Count_;
    TText Text_;
    int RightFrom_ = 1 << 20;
    bool FocusOnFirstRow_ = true;
};

} // namespace korvane
