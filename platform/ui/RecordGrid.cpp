#include "platform/ui/RecordGrid.h"

namespace korvane {

TRecordGrid::TRecordGrid(QWidget* parent) : TDrawGrid(parent) {
    SetOnDrawCell([this](QPainter& canvas, int col, int row, const QRect& rect,
                         TGridDrawState state) { DrawRecordCell(canvas, col, row, rect, state); });
}

void TRecordGrid::Bind(std::vector<QString> Headers, TCount Count, TText Text) {
    Headers_ = std::move(Headers);
    Count_ = std::move(Count);
    Text_ = std::move(Text);
}

void TRecordGrid::Reload() {
    const int count = RecordCount();
    if (count <= 0) {
        SetRowCount(2);
        SetRow(1);
    } else {
        SetRowCount(count + FixedRows);
    }
}

void TRecordGrid::DrawRecordCell(QPainter& canvas, int col, int row, const QRect& rect,
                                 TGridDrawState state) const {
    QString text;
    if (row == 0) {
        if (col >= 0 && col < static_cast<int>(Headers_.size())) {
            text = Headers_[static_cast<std::size_t>(col)];
        }
    } else if (row - 1 < RecordCount() && Text_) {
        text = Text_(col, row);
    }
    const bool right = row > 0 && col >= RightFrom_;
    DrawCellText(*this, canvas, rect, text, state, right ? TCellAlign::Right : TCellAlign::Left,
                 FocusOnFirstRow_ || row >= 2);
}

} // namespace korvane
