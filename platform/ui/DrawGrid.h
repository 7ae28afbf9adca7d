#pragma once

#include <QAbstractScrollArea>

#include <functional>
#include <map>
#include <utility>
#include <vector>

class QPainter;

namespace korvane {

// What the grid knows about a cell when it asks for it to be drawn.
struct TGridDrawState {
    bool Selected = false; // inside the selection (drawn with the selection brush)
    bool Focused = false;  // the current cell of a grid that has the keyboard focus
    bool Fixed = false;    // a header cell
};

// Grid options; combine with |.
enum TGridOption : unsigned {
    goFixedVertLine = 1u << 0, // lines between the header cells
    goFixedHorzLine = 1u << 1, // line below the header row
    goVertLine = 1u << 2,      // lines between the data columns
    goHorzLine = 1u << 3,      // lines between the data rows
    goRowSelect = 1u << 4,     // the selection is always whole rows
    goRangeSelect = 1u << 5,   // shift-click, shift-arrows and dragging select a range of rows
    goThumbTracking = 1u << 6, // the rows follow the scroll thumb while it is dragged
};

// An owner-drawn grid with one fixed header row and no fixed column. The owner draws every cell
// from a callback; the grid keeps the geometry, the current row, the selection, the scrolling and
// the keyboard. Before each call of the callback the painter's brush is the header, selection or
// window colour of the cell, its pen the matching text colour and its clip the cell.
class TDrawGrid : public QAbstractScrollArea {
    Q_OBJECT
public:
    using TDrawCellEvent = std::function<void(QPainter& canvas, int col, int row, const QRect& rect,
                                              TGridDrawState state)>;
    // Asked before the current cell moves; returning false keeps it where it is.
    using TSelectCellEvent = std::function<bool(int col, int row)>;

    explicit TDrawGrid(QWidget* parent = nullptr);

    void SetOptions(unsigned options);
    unsigned Options() const { return Options_; }

    void SetColWidths(std::vector<int> widths);
    int ColCount() const { return static_cast<int>(ColWidths_.size()); }
    int ColWidth(int col) const;

    // The row count includes the header row; it never drops below 2.
    void SetRowCount(int rows);
    int RowCount() const { return RowCount_; }
    static constexpr int FixedRows = 1;

    void SetDefaultRowHeight(int height);
    int DefaultRowHeight() const { return RowHeight_; }

    // The current cell. Setting Row selects that single row and scrolls it into view.
    int Row() const { return Row_; }
    void SetRow(int row);
    int Col() const { return Col_; }

    // The selected rows, Row included; a single row unless range selection extended it.
    int SelectionTop() const;
    int SelectionBottom() const;

    // The first data row shown below the header, and how many data rows fit completely.
    int TopRow() const { return TopRow_; }
    void SetTopRow(int row);
    int VisibleRowCount() const;

    // The rectangle of a cell in viewport coordinates, grid lines excluded; empty when the cell
    // is scrolled out of view.
    QRect CellRect(int col, int row) const;
    // The cell under a viewport point; false when the point is on no cell.
    bool MouseToCell(const QPoint& point, int& col, int& row) const;

    void SetOnDrawCell(TDrawCellEvent handler) { OnDrawCell_ = std::move(handler); }
    void SetOnSelectCell(TSelectCellEvent handler) { OnSelectCell_ = std::move(handler); }

    // Draws every visible cell again (after the data behind them changed).
    void Repaint();

    // Wide enough for every column and the scroll bar.
    QSize sizeHint() const override;

    // The dotted rectangle that marks the focused cell.
    void DrawFocusRect(QPainter& canvas, const QRect& rect) const;

    // The whole text of a cell whose text was cut when it was last drawn, empty otherwise; the
    // grid shows it as the cell's tooltip.
    QString CutText(int col, int row) const;
    // Told by the cell rule about the cell being drawn.
    void NoteCellText(const QString& text, bool cut) const;

Q_SIGNALS:
    void DblClick();
    void RowChanged(int row);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool viewportEvent(QEvent* event) override;

private:
    int VertLineWidth() const;
    int HeaderPitch() const;
    int RowPitch() const;
    int ColLeft(int col) const;
    int DataRowCount() const { return RowCount_ - FixedRows; }
    int LastTopRow() const;
    void UpdateScrollBar();
    // Moves the current cell; extend keeps the anchor of a range selection.
    void MoveTo(int col, int row, bool extend);
    void ScrollIntoView(int row);
    void DrawFixedEdge(QPainter& canvas, const QRect& rect) const;

    std::vector<int> ColWidths_;
    unsigned Options_ = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine;
    int RowCount_ = 2;
    int RowHeight_ = 24;
    int Row_ = 1;
    int Col_ = 0;
    int Anchor_ = 1;
    int TopRow_ = 1;
    bool Dragging_ = false;
    // The cell being drawn, and the cells drawn with their text cut.
    int PaintingCol_ = -1;
    int PaintingRow_ = -1;
    mutable std::map<std::pair<int, int>, QString> CutTexts_;
    TDrawCellEvent OnDrawCell_;
    TSelectCellEvent OnSelectCell_;
};

// How a cell's text stands in it.
enum class TCellAlign { Left, Right };

// The cell rule of every owner-drawn grid: the cell filled with the brush the grid chose, the
// text in the pen's colour 4 pixels in from the side it starts at and 2 pixels down, clipped by
// the cell, and the dotted focus rectangle when the cell has the focus and focusRect allows it.
// A text that does not fit is shown whole in the cell's tooltip.
void DrawCellText(const TDrawGrid& grid, QPainter& canvas, const QRect& rect, const QString& text,
                  TGridDrawState state, TCellAlign align, bool focusRect = true);

} // namespace korvane
