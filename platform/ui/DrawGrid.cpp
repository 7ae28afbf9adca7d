#include "platform/ui/DrawGrid.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>

namespace korvane {

TDrawGrid::TDrawGrid(QWidget* parent) : QAbstractScrollArea(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(false);
    SetOptions(Options_);
    UpdateScrollBar();
}

void TDrawGrid::SetOptions(unsigned options) {
    Options_ = options;
    verticalScrollBar()->setTracking((Options_ & goThumbTracking) != 0);
    UpdateScrollBar();
    viewport()->update();
}

void TDrawGrid::SetColWidths(std::vector<int> widths) {
    ColWidths_ = std::move(widths);
    Col_ = std::clamp(Col_, 0, std::max(0, ColCount() - 1));
    updateGeometry();
    viewport()->update();
}

int TDrawGrid::ColWidth(int col) const {
    return col >= 0 && col < ColCount() ? ColWidths_[static_cast<std::size_t>(col)] : 0;
}

void TDrawGrid::SetRowCount(int rows) {
    RowCount_ = std::max(rows, FixedRows + 1);
    const int last = RowCount_ - 1;
    const bool moved = Row_ > last;
    Row_ = std::min(Row_, last);
    Anchor_ = std::min(Anchor_, last);
    UpdateScrollBar();
    viewport()->update();
    if (moved) {
        Q_EMIT RowChanged(Row_);
    }
}

void TDrawGrid::SetDefaultRowHeight(int height) {
    RowHeight_ = std::max(height, 1);
    UpdateScrollBar();
    viewport()->update();
}

void TDrawGrid::SetRow(int row) {
    MoveTo(Col_, row, false);
}

int TDrawGrid::SelectionTop() const {
    return std::min(Row_, Anchor_);
}
int TDrawGrid::SelectionBottom() const {
    return std::max(Row_, Anchor_);
}

void TDrawGrid::SetTopRow(int row) {
    verticalScrollBar()->setValue(std::clamp(row, FixedRows, LastTopRow()) - FixedRows);
}

int TDrawGrid::VisibleRowCount() const {
    return std::max(1, (viewport()->height() - HeaderPitch()) / RowPitch());
}

int TDrawGrid::VertLineWidth() const {
    return (Options_ & (goVertLine | goFixedVertLine)) != 0 ? 1 : 0;
}

int TDrawGrid::HeaderPitch() const {
    return RowHeight_ + ((Options_ & goFixedHorzLine) != 0 ? 1 : 0);
}

int TDrawGrid::RowPitch() const {
    return RowHeight_ + ((Options_ & goHorzLine) != 0 ? 1 : 0);
}

int TDrawGrid::ColLeft(int col) const {
    int x = 0;
    for (int c = 0; c < col && c < ColCount(); ++c) {
        x += ColWidth(c) + VertLineWidth();
    }
    return x;
}

int TDrawGrid::LastTopRow() const {
    return FixedRows + std::max(0, DataRowCount() - VisibleRowCount());
}

QRect TDrawGrid::CellRect(int col, int row) const {
    if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount_) {
        return {};
    }
    int top = 0;
    if (row >= FixedRows) {
        if (row < TopRow_) {
            return {};
        }
        top = HeaderPitch() + (row - TopRow_) * RowPitch();
        if (top >= viewport()->height()) {
            return {};
        }
    }
    return QRect(ColLeft(col), top, ColWidth(col), RowHeight_);
}

bool TDrawGrid::MouseToCell(const QPoint& point, int& col, int& row) const {
    if (point.x() < 0 || point.y() < 0) {
        return false;
    }
    int found = -1;
    for (int c = 0, x = 0; c < ColCount(); ++c) {
        if (point.x() >= x && point.x() < x + ColWidth(c)) {
            found = c;
            break;
        }
        x += ColWidth(c) + VertLineWidth();
    }
    if (found < 0) {
        return false;
    }
    if (point.y() < RowHeight_) {
        col = found;
        row = 0;
        return true;
    }
    const int offset = point.y() - HeaderPitch();
    if (offset < 0 || offset % RowPitch() >= RowHeight_) {
        return false;
    }
    const int r = TopRow_ + offset / RowPitch();
    if (r >= RowCount_) {
        return false;
    }
    col = found;
    row = r;
    return true;
}

void TDrawGrid::Repaint() {
    viewport()->update();
}

void TDrawGrid::DrawFocusRect(QPainter& canvas, const QRect& rect) const {
    // Dotted in the cell's text colour, so that it shows on the selection colour too.
    canvas.save();
    canvas.setBrush(Qt::NoBrush);
    canvas.setPen(QPen(canvas.pen().color(), 1, Qt::DotLine));
    canvas.drawRect(rect.adjusted(0, 0, -1, -1));
    canvas.restore();
}

void TDrawGrid::UpdateScrollBar() {
    QScrollBar* bar = verticalScrollBar();
    bar->setRange(0, LastTopRow() - FixedRows);
    bar->setPageStep(VisibleRowCount());
    bar->setSingleStep(1);
    TopRow_ = bar->value() + FixedRows;
}

void TDrawGrid::ScrollIntoView(int row) {
    // A hidden grid has no height yet; its resize on showing scrolls the row into view.
    if (row < FixedRows || !isVisible()) {
        return;
    }
    if (row < TopRow_) {
        SetTopRow(row);
    } else if (row >= TopRow_ + VisibleRowCount()) {
        SetTopRow(row - VisibleRowCount() + 1);
    }
}

void TDrawGrid::MoveTo(int col, int row, bool extend) {
    row = std::clamp(row, FixedRows, RowCount_ - 1);
    col = std::clamp(col, 0, std::max(0, ColCount() - 1));
    extend = extend && (Options_ & goRangeSelect) != 0;
    if (row == Row_ && col == Col_) {
        if (!extend && Anchor_ != row) {
            Anchor_ = row;
            viewport()->update();
        }
        ScrollIntoView(row);
        return;
    }
    if (OnSelectCell_ && !OnSelectCell_(col, row)) {
        return;
    }
    const bool rowChanged = row != Row_;
    Row_ = row;
    Col_ = col;
    if (!extend) {
        Anchor_ = row;
    }
    ScrollIntoView(row);
    viewport()->update();
    if (rowChanged) {
        Q_EMIT RowChanged(Row_);
    }
}

void TDrawGrid::DrawFixedEdge(QPainter& canvas, const QRect& rect) const {
    canvas.setPen(palette().color(QPalette::Light));
    canvas.drawLine(rect.topLeft(), rect.topRight());
    canvas.drawLine(rect.topLeft(), rect.bottomLeft());
    canvas.setPen(palette().color(QPalette::Dark));
    canvas.drawLine(rect.bottomLeft(), rect.bottomRight());
    canvas.drawLine(rect.topRight(), rect.bottomRight());
}

void TDrawGrid::paintEvent(QPaintEvent* event) {
    QPainter canvas(viewport());
    canvas.fillRect(event->rect(), palette().brush(QPalette::Base));
    const int height = viewport()->height();
    const int lineWidth = VertLineWidth();
    const bool focused = hasFocus();
    const bool rowSelect = (Options_ & goRowSelect) != 0;

    auto drawRow = [&](int row) {
        const bool fixed = row < FixedRows;
        const bool selectedRow = !fixed && row >= SelectionTop() && row <= SelectionBottom();
        for (int col = 0; col < ColCount(); ++col) {
            const QRect rect = CellRect(col, row);
            if (rect.isEmpty() || !rect.intersects(event->rect())) {
                continue;
            }
            TGridDrawState state;
            state.Fixed = fixed;
            state.Selected = selectedRow && (rowSelect || col == Col_);
            state.Focused = focused && !fixed && row == Row_ && col == Col_;
            canvas.save();
            canvas.setClipRect(rect);
            canvas.setFont(font());
            if (fixed) {
                canvas.setBrush(palette().brush(QPalette::Button));
                canvas.setPen(palette().color(QPalette::ButtonText));
            } else if (state.Selected) {
                canvas.setBrush(palette().brush(QPalette::Highlight));
                canvas.setPen(palette().color(QPalette::HighlightedText));
            } else {
                canvas.setBrush(palette().brush(QPalette::Base));
                canvas.setPen(palette().color(QPalette::Text));
            }
            CutTexts_.erase({col, row});
            PaintingCol_ = col;
            PaintingRow_ = row;
            if (OnDrawCell_) {
                OnDrawCell_(canvas, col, row, rect, state);
            } else {
                canvas.fillRect(rect, canvas.brush());
            }
            PaintingCol_ = -1;
            PaintingRow_ = -1;
            canvas.restore();
            if (fixed) {
                DrawFixedEdge(canvas, rect);
            }
        }
    };

    drawRow(0);
    int bottom = HeaderPitch();
    for (int row = TopRow_; row < RowCount_ && bottom < height; ++row) {
        drawRow(row);
        bottom += RowPitch();
    }
    bottom = std::min(bottom, height);

    // Grid lines: dark around the header, light between data cells.
    const int right = ColLeft(ColCount());
    if ((Options_ & goFixedHorzLine) != 0) {
        canvas.fillRect(QRect(0, RowHeight_, right, 1), palette().color(QPalette::Shadow));
    }
    for (int col = 0; col < ColCount() && lineWidth > 0; ++col) {
        const int x = ColLeft(col) + ColWidth(col);
        if ((Options_ & goFixedVertLine) != 0) {
            canvas.fillRect(QRect(x, 0, lineWidth, RowHeight_), palette().color(QPalette::Shadow));
        }
        if ((Options_ & goVertLine) != 0 && bottom > HeaderPitch()) {
            canvas.fillRect(QRect(x, HeaderPitch(), lineWidth, bottom - HeaderPitch()),
                            palette().color(QPalette::Mid));
        }
    }
    if ((Options_ & goHorzLine) != 0) {
        for (int y = HeaderPitch() + RowHeight_; y < bottom; y += RowPitch()) {
            canvas.fillRect(QRect(0, y, right, 1), palette().color(QPalette::Mid));
        }
    }
}

void TDrawGrid::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBar();
    ScrollIntoView(Row_);
}

void TDrawGrid::showEvent(QShowEvent* event) {
    QAbstractScrollArea::showEvent(event);
    UpdateScrollBar();
    ScrollIntoView(Row_);
}

void TDrawGrid::scrollContentsBy(int, int) {
    TopRow_ = verticalScrollBar()->value() + FixedRows;
    viewport()->update();
}

QString TDrawGrid::CutText(int col, int row) const {
    const auto found = CutTexts_.find({col, row});
    return found != CutTexts_.end() ? found->second : QString();
}

void TDrawGrid::NoteCellText(const QString& text, bool cut) const {
    // Only the grid's own painting has a cell; a cell drawn elsewhere is not the grid's.
    if (cut && PaintingRow_ >= 0) {
        CutTexts_[{PaintingCol_, PaintingRow_}] = text;
    }
}

bool TDrawGrid::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        int col = 0;
        int row = 0;
        const QString text = MouseToCell(help->pos(), col, row) ? CutText(col, row) : QString();
        if (text.isEmpty()) {
            QToolTip::hideText();
        } else {
            QToolTip::showText(help->globalPos(), text, viewport(), CellRect(col, row));
        }
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void TDrawGrid::keyPressEvent(QKeyEvent* event) {
    const bool shift = (event->modifiers() & Qt::ShiftModifier) != 0;
    const bool ctrl = (event->modifiers() & Qt::ControlModifier) != 0;
    const bool rowSelect = (Options_ & goRowSelect) != 0;
    switch (event->key()) {
    case Qt::Key_Up:
        MoveTo(Col_, Row_ - 1, shift);
        break;
    case Qt::Key_Down:
        MoveTo(Col_, Row_ + 1, shift);
        break;
    case Qt::Key_PageUp:
        MoveTo(Col_, Row_ - VisibleRowCount(), shift);
        break;
    case Qt::Key_PageDown:
        MoveTo(Col_, Row_ + VisibleRowCount(), shift);
        break;
    case Qt::Key_Home:
        if (ctrl || rowSelect) {
            MoveTo(Col_, FixedRows, shift);
        } else {
            MoveTo(0, Row_, shift);
        }
        break;
    case Qt::Key_End:
        if (ctrl || rowSelect) {
            MoveTo(Col_, RowCount_ - 1, shift);
        } else {
            MoveTo(ColCount() - 1, Row_, shift);
        }
        break;
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (rowSelect) {
            event->ignore();
            return;
        }
        MoveTo(Col_ + (event->key() == Qt::Key_Left ? -1 : 1), Row_, shift);
        break;
    default:
        // Enter, Escape, Tab and the rest belong to the window: Enter presses its default button.
        event->ignore();
        return;
    }
    event->accept();
}

void TDrawGrid::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    int col = 0;
    int row = 0;
    if (!MouseToCell(event->position().toPoint(), col, row) || row < FixedRows) {
        return;
    }
    const bool shift = (event->modifiers() & Qt::ShiftModifier) != 0;
    MoveTo(col, row, shift);
    Dragging_ = (Options_ & goRangeSelect) != 0;
}

void TDrawGrid::mouseMoveEvent(QMouseEvent* event) {
    if (!Dragging_ || (event->buttons() & Qt::LeftButton) == 0) {
        return;
    }
    const QPoint point = event->position().toPoint();
    int row = 0;
    if (point.y() < HeaderPitch()) {
        row = TopRow_ - 1;
    } else {
        row = TopRow_ + (point.y() - HeaderPitch()) / RowPitch();
    }
    MoveTo(Col_, row, true);
}

void TDrawGrid::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        Dragging_ = false;
    }
}

void TDrawGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second click of a double click arrives here instead of as a press: it selects too.
    mousePressEvent(event);
    Dragging_ = false;
    if (event->button() == Qt::LeftButton) {
        Q_EMIT DblClick();
    }
}

void TDrawGrid::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0) {
        SetTopRow(TopRow_ - 3 * steps);
    }
    event->accept();
}

void TDrawGrid::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void TDrawGrid::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void DrawCellText(const TDrawGrid& grid, QPainter& canvas, const QRect& rect, const QString& text,
                  TGridDrawState state, TCellAlign align, bool focusRect) {
    canvas.fillRect(rect, canvas.brush());
    // The margin is on the side the text starts from; the cell itself clips the other end.
    const bool right = align == TCellAlign::Right;
    const QRect inner = right ? rect.adjusted(0, 2, -4, 0) : rect.adjusted(4, 2, 0, 0);
    canvas.drawText(inner, (right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop, text);
    grid.NoteCellText(text, canvas.fontMetrics().horizontalAdvance(text) > inner.width());
    if (state.Focused && focusRect) {
        grid.DrawFocusRect(canvas, rect);
    }
}

QSize TDrawGrid::sizeHint() const {
    const int frame = 2 * frameWidth();
    return QSize(ColLeft(ColCount()) + verticalScrollBar()->sizeHint().width() + frame,
                 HeaderPitch() + 8 * RowPitch() + frame);
}

} // namespace korvane
