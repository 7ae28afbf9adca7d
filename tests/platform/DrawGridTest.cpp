#include <QApplication>
#include <QHelpEvent>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

#include <vector>

#include "platform/ui/DrawGrid.h"

namespace korvane {
namespace {

struct TCall {
    int Col;
    int Row;
    QRect Rect;
    TGridDrawState State;
    QColor Brush;
    QColor Pen;
};

class DrawGridTest : public ::testing::Test {
protected:
    void SetUp() override {
        Grid.SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goRowSelect |
                        goThumbTracking);
        Grid.SetColWidths({56, 214});
        Grid.SetDefaultRowHeight(15);
        Grid.SetRowCount(41);
        Grid.resize(Grid.sizeHint().width(), 200);
        Grid.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Grid));
        Grid.SetOnDrawCell([this](QPainter& canvas, int col, int row, const QRect& rect,
                                  TGridDrawState state) {
            Calls.push_back({col, row, rect, state, canvas.brush().color(), canvas.pen().color()});
        });
    }

    // Paints the grid once, as the screen would, and returns the cells it asked for.
    std::vector<TCall> Paint() {
        Calls.clear();
        QImage image(Grid.viewport()->size(), QImage::Format_RGB32);
        Grid.viewport()->render(&image);
        return Calls;
    }

    TDrawGrid Grid;
    std::vector<TCall> Calls;
};

TEST_F(DrawGridTest, GeometryHasOneHeaderRowAndNoLinesBetweenDataRows) {
    EXPECT_EQ(Grid.CellRect(0, 0), QRect(0, 0, 56, 15));
    EXPECT_EQ(Grid.CellRect(1, 0), QRect(57, 0, 214, 15));
    // Below the header's line; data rows follow each other without a line.
    EXPECT_EQ(Grid.CellRect(0, 1), QRect(0, 16, 56, 15));
    EXPECT_EQ(Grid.CellRect(1, 2), QRect(57, 31, 214, 15));
    const int visible = Grid.VisibleRowCount();
    EXPECT_EQ(visible, (Grid.viewport()->height() - 16) / 15);

    int col = -1;
    int row = -1;
    ASSERT_TRUE(Grid.MouseToCell(QPoint(60, 33), col, row));
    EXPECT_EQ(col, 1);
    EXPECT_EQ(row, 2);
    EXPECT_FALSE(Grid.MouseToCell(QPoint(56, 33), col, row));  // on the column line
    EXPECT_FALSE(Grid.MouseToCell(QPoint(300, 33), col, row)); // right of the last column

    // Thumb tracking follows the option.
    EXPECT_TRUE(Grid.verticalScrollBar()->hasTracking());
    Grid.SetOptions(goRowSelect);
    EXPECT_FALSE(Grid.verticalScrollBar()->hasTracking());
}

TEST_F(DrawGridTest, CallbackGetsTheBrushOfHeaderSelectionAndWindow) {
    Grid.SetRow(3);
    const auto calls = Paint();
    const QPalette palette = Grid.palette();
    int header = 0;
    int selected = 0;
    for (const TCall& call : calls) {
        EXPECT_EQ(call.Rect, Grid.CellRect(call.Col, call.Row));
        EXPECT_EQ(call.State.Focused, Grid.hasFocus() && call.Row == 3 && call.Col == 0);
        if (call.Row == 0) {
            ++header;
            EXPECT_TRUE(call.State.Fixed);
            EXPECT_EQ(call.Brush, palette.color(QPalette::Button));
            EXPECT_EQ(call.Pen, palette.color(QPalette::ButtonText));
        } else if (call.Row == 3) {
            ++selected;
            EXPECT_TRUE(call.State.Selected);
            EXPECT_EQ(call.Brush, palette.color(QPalette::Highlight));
            EXPECT_EQ(call.Pen, palette.color(QPalette::HighlightedText));
        } else {
            EXPECT_FALSE(call.State.Selected);
            EXPECT_EQ(call.Brush, palette.color(QPalette::Base));
        }
    }
    EXPECT_EQ(header, 2);
    EXPECT_EQ(selected, 2); // whole-row selection
    // Only the rows in view are drawn (one partly visible row at the bottom).
    EXPECT_LE(static_cast<int>(calls.size()), 2 * (1 + Grid.VisibleRowCount() + 1));
}

TEST_F(DrawGridTest, RowCountAndRowStayInRangeAndScrollIntoView) {
    Grid.SetRow(0);
    EXPECT_EQ(Grid.Row(), 1);
    Grid.SetRow(99);
    EXPECT_EQ(Grid.Row(), 40);
    EXPECT_EQ(Grid.TopRow(), 40 - Grid.VisibleRowCount() + 1);
    const auto calls = Paint();
    bool drewLast = false;
    for (const TCall& call : calls) {
        drewLast = drewLast || call.Row == 40;
    }
    EXPECT_TRUE(drewLast);

    Grid.SetRowCount(6);
    EXPECT_EQ(Grid.Row(), 5);
    EXPECT_EQ(Grid.TopRow(), 1);
    Grid.SetRowCount(0);
    EXPECT_EQ(Grid.RowCount(), 2);
    EXPECT_EQ(Grid.Row(), 1);
}

TEST_F(DrawGridTest, KeysMoveTheRowAndShiftExtendsOnlyWithRangeSelection) {
    Grid.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Grid));
    Grid.setFocus();
    QTest::keyClick(&Grid, Qt::Key_Down);
    QTest::keyClick(&Grid, Qt::Key_Down);
    EXPECT_EQ(Grid.Row(), 3);
    QTest::keyClick(&Grid, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(Grid.SelectionTop(), 4);
    EXPECT_EQ(Grid.SelectionBottom(), 4);

    Grid.SetOptions(goRowSelect | goRangeSelect);
    QTest::keyClick(&Grid, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(&Grid, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(Grid.Row(), 6);
    EXPECT_EQ(Grid.SelectionTop(), 4);
    EXPECT_EQ(Grid.SelectionBottom(), 6);
    const auto calls = Paint();
    int selected = 0;
    for (const TCall& call : calls) {
        selected += call.State.Selected ? 1 : 0;
        // The focus belongs to the current cell only.
        EXPECT_EQ(call.State.Focused, call.Row == 6 && call.Col == 0);
    }
    EXPECT_EQ(selected, 6);

    QTest::keyClick(&Grid, Qt::Key_Up);
    EXPECT_EQ(Grid.SelectionTop(), 5);
    EXPECT_EQ(Grid.SelectionBottom(), 5);
    QTest::keyClick(&Grid, Qt::Key_End);
    EXPECT_EQ(Grid.Row(), 40);
    QTest::keyClick(&Grid, Qt::Key_Home);
    EXPECT_EQ(Grid.Row(), 1);
    QTest::keyClick(&Grid, Qt::Key_PageDown);
    EXPECT_EQ(Grid.Row(), 1 + Grid.VisibleRowCount());
}

TEST_F(DrawGridTest, ClicksSelectDoubleClickReportsAndSelectCellMayRefuse) {
    QSignalSpy doubles(&Grid, &TDrawGrid::DblClick);
    QTest::mouseClick(Grid.viewport(), Qt::LeftButton, {}, Grid.CellRect(1, 4).center());
    EXPECT_EQ(Grid.Row(), 4);
    QTest::mouseClick(Grid.viewport(), Qt::LeftButton, {}, Grid.CellRect(1, 0).center());
    EXPECT_EQ(Grid.Row(), 4); // the header is not a row to select
    QTest::mouseDClick(Grid.viewport(), Qt::LeftButton, {}, Grid.CellRect(0, 2).center());
    EXPECT_EQ(Grid.Row(), 2);
    EXPECT_EQ(doubles.count(), 1);

    Grid.SetOnSelectCell([](int, int row) { return row != 7; });
    Grid.SetRow(7);
    EXPECT_EQ(Grid.Row(), 2);
    Grid.SetRow(8);
    EXPECT_EQ(Grid.Row(), 8);
}

// A text cut by its cell is remembered whole and shown as the cell's tooltip; one that fits
// has none.
TEST_F(DrawGridTest, CutTextShowsWholeInTheTooltip) {
    const QString longName = QStringLiteral("MAXIMILIAN WORTHINGTON-MONTGOMERY SMITH OF THE VALE");
    Grid.SetOnDrawCell(
        [&](QPainter& canvas, int col, int row, const QRect& rect, TGridDrawState state) {
            const QString text = col == 1 && row == 2 ? longName : QStringLiteral("SHORT");
            DrawCellText(Grid, canvas, rect, text, state, TCellAlign::Left);
        });
    Paint();
    EXPECT_EQ(Grid.CutText(1, 2), longName);
    EXPECT_TRUE(Grid.CutText(1, 3).isEmpty());
    EXPECT_TRUE(Grid.CutText(0, 2).isEmpty());

    auto tipAt = [&](int col, int row) {
        const QPoint at = Grid.CellRect(col, row).center();
        QHelpEvent help(QEvent::ToolTip, at, Grid.viewport()->mapToGlobal(at));
        QApplication::sendEvent(Grid.viewport(), &help);
        const QString shown = QToolTip::isVisible() ? QToolTip::text() : QString();
        QToolTip::hideText();
        EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }));
        return shown;
    };
    EXPECT_EQ(tipAt(1, 2), longName);
    EXPECT_TRUE(tipAt(1, 3).isEmpty());

    // Drawn again with a text that fits: the tooltip goes.
    Grid.SetOnDrawCell([&](QPainter& canvas, int, int, const QRect& rect, TGridDrawState state) {
        DrawCellText(Grid, canvas, rect, QStringLiteral("SHORT"), state, TCellAlign::Left);
    });
    Paint();
    EXPECT_TRUE(Grid.CutText(1, 2).isEmpty());
}

} // namespace
} // namespace korvane

namespace korvane {
namespace {

// A screen sets its row before it is shown: the grid scrolls only as far as its real height
// needs once it is on the screen.
TEST(DrawGridShowTest, RowSetWhileHiddenScrollsOnlyWhenShown) {
    TDrawGrid grid;
    grid.SetColWidths({56, 214});
    grid.SetDefaultRowHeight(15);
    grid.SetRowCount(20);
    grid.resize(grid.sizeHint().width(), 200);
    grid.SetRow(3);
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    EXPECT_EQ(grid.TopRow(), 1);
    grid.hide();
    grid.SetRow(19);
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    EXPECT_EQ(grid.TopRow(), 19 - grid.VisibleRowCount() + 1);
}

} // namespace
} // namespace korvane
