#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QTest>

#include "CellTypeTestSupport.h"
#include "RecordingGrid.h"
#include "grid/GridArea.h"

namespace {

using P = DistinctPalette;
const QColor kGridLine(220, 220, 220);

// A 300 by 200 grid in the distinct palette, its cell area grabbed as an image.
class GridPaint : public ::testing::Test {
protected:
    GridPaint() {
        m_oGrid.setPalette(P::Palette());
        QFont font("Arial");
        font.setPixelSize(16);
        m_oGrid.SetDefaultFont(font);
        m_oGrid.CreateGrid(true, QRect(0, 0, 300, 200), nullptr, 1);
        m_oGrid.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&m_oGrid));
    }

    // What the window shows of the cell area, as Qt last painted it.
    QImage OnScreen() {
        QApplication::processEvents();
        QWidget* area = m_oGrid.GetArea();
        const QPoint at = area->mapTo(&m_oGrid, QPoint(0, 0));
        return m_oGrid.screen()
            ->grabWindow(m_oGrid.winId(), at.x(), at.y(), area->width(), area->height())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }

    QImage Area() {
        const QImage image = m_oGrid.GetArea()->grab().toImage();
        KeepImage(image, ::testing::UnitTest::GetInstance()->current_test_info()->name());
        return image;
    }

    RecordingGrid m_oGrid;
};

} // namespace

TEST_F(GridPaint, AnEmptyGridPaintsOnlyTheBackground) {
    const QImage image = Area();
    EXPECT_EQ(CountColor(image, image.rect(), P::kWindow), image.width() * image.height());
    EXPECT_EQ(m_oGrid.GetCurrentColumn(), -1);
    EXPECT_EQ(m_oGrid.GetCurrentRow(), -1);
}

TEST_F(GridPaint, CellsGridLinesAndTheSpacePastThem) {
    m_oGrid.Fill(2, 3);
    m_oGrid.GetArea()->setFocus();
    const QImage image = Area();
    // Two columns of 75 and three rows of 20, grid lines at their right and bottom.
    EXPECT_EQ(Pixel(image, 74, 30), kGridLine);
    EXPECT_EQ(Pixel(image, 149, 30), kGridLine);
    EXPECT_EQ(Pixel(image, 100, 59), kGridLine);
    EXPECT_FALSE(InkBox(image, QRect(76, 21, 72, 18), P::kWindow).isEmpty());
    // Past the last column and below the last row: the window colour, no lines.
    EXPECT_EQ(CountColor(image, QRect(150, 0, image.width() - 150, image.height()), P::kWindow),
              (image.width() - 150) * image.height());
    EXPECT_EQ(CountColor(image, QRect(0, 60, 150, image.height() - 60), P::kWindow),
              150 * (image.height() - 60));
}

TEST_F(GridPaint, TheCurrentCellShowsAFocusMarkerWhileTheAreaHasTheFocus) {
    m_oGrid.Fill(2, 3);
    m_oGrid.GotoCell(1, 1);
    m_oGrid.GetArea()->setFocus();
    ASSERT_TRUE(m_oGrid.GetArea()->hasFocus());
    const QImage focused = Area();
    // A dotted frame one pixel inside the right and bottom edges: along its top
    // edge about every other pixel is ink, and its right edge stands left of the
    // grid line.
    const QRect cell = m_oGrid.GetCellRect(1, 1);
    const QRect topEdge(cell.left(), cell.top(), cell.width() - 1, 1);
    const int dots = CountColor(focused, topEdge, P::kText);
    EXPECT_GE(dots, cell.width() / 3);
    EXPECT_LT(dots, 2 * cell.width() / 3);
    EXPECT_GT(
        CountColor(focused, QRect(cell.right() - 1, cell.top(), 1, cell.height() - 1), P::kText),
        cell.height() / 4);
    EXPECT_EQ(CountColor(focused, QRect(cell.right(), cell.top(), 1, cell.height()), kGridLine),
              cell.height());

    m_oGrid.GetArea()->clearFocus();
    const QImage unfocused = Area();
    EXPECT_EQ(CountColor(unfocused, topEdge, P::kText), 0);
}

TEST_F(GridPaint, SelectedCellsAreHighlightedButTheCurrentOneIsNot) {
    m_oGrid.Fill(3, 4);
    m_oGrid.SetMultiSelect(1);
    m_oGrid.GotoCell(0, 0);
    m_oGrid.SelectRange(0, 0, 1, 2);
    const QImage image = Area();
    EXPECT_EQ(Pixel(image, 140, 50), P::kHighlight);
    EXPECT_EQ(Pixel(image, 70, 5), P::kWindow);
    EXPECT_EQ(Pixel(image, 200, 50), P::kWindow);
}

TEST_F(GridPaint, TheGridsOwnPaletteIsHonoured) {
    m_oGrid.Fill(1, 1);
    QPalette palette = P::Palette();
    palette.setColor(QPalette::Base, QColor(10, 200, 10));
    m_oGrid.setPalette(palette);
    const QImage image = Area();
    EXPECT_EQ(Pixel(image, 200, 150), QColor(10, 200, 10));
    EXPECT_EQ(Pixel(image, 70, 5), QColor(10, 200, 10));
}

// Cells with a fixed pale background under a dark palette, whose text colour is light:
// the text is drawn dark enough to read, the selection in the palette's own colours.
TEST_F(GridPaint, TextReadsOnAFixedBackgroundUnderADarkPalette) {
    const QColor pale(255, 255, 200);
    const QColor lightText(235, 235, 235);
    QPalette dark = P::Palette();
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::Text, lightText);
    m_oGrid.setPalette(dark);
    GridCell cell;
    m_oGrid.GetGridDefault(cell);
    cell.SetBackColor(pale);
    m_oGrid.SetGridDefault(cell);
    m_oGrid.Fill(2, 3);
    m_oGrid.SetMultiSelect(1);
    m_oGrid.GotoCell(0, 0);
    m_oGrid.SelectRange(0, 2, 1, 2);
    const QImage image = Area();
    // Ink on a plain cell: none in the palette's text colour, and some dark.
    const QRect plain = m_oGrid.GetCellRect(1, 1).adjusted(0, 0, -1, -1);
    EXPECT_EQ(CountColor(image, plain, lightText), 0);
    int darkInk = 0;
    for (int y = plain.top(); y <= plain.bottom(); ++y) {
        for (int x = plain.left(); x <= plain.right(); ++x) {
            darkInk += image.pixelColor(x, y).lightness() < 80 ? 1 : 0;
        }
    }
    EXPECT_GT(darkInk, 10);
    const QRect selected = m_oGrid.GetCellRect(1, 2).adjusted(0, 0, -1, -1);
    EXPECT_EQ(Pixel(image, selected.left() + 1, selected.top() + 1), P::kHighlight);
    EXPECT_GT(CountColor(image, selected, P::kHighlightText), 10);
}

TEST_F(GridPaint, LockedColumnsAreDrawnFirstWithABorderAfterThem) {
    m_oGrid.SetColumnCount(20);
    m_oGrid.SetRowCount(2);
    for (int col = 0; col < 20; ++col) {
        GridCell cell;
        cell.SetBackColor(QColor(col * 10, 100, 50));
        m_oGrid.SetColumnDefault(col, cell);
    }
    m_oGrid.SetLockedColumns(2);
    m_oGrid.SetLeftColumn(5);
    const QImage image = Area();
    EXPECT_EQ(Pixel(image, 10, 5), QColor(0, 100, 50));
    EXPECT_EQ(Pixel(image, 80, 5), QColor(10, 100, 50));
    EXPECT_EQ(Pixel(image, 160, 5), QColor(50, 100, 50));
    EXPECT_EQ(Pixel(image, 230, 5), QColor(60, 100, 50));
    EXPECT_EQ(Pixel(image, 149, 5), P::kText);
    EXPECT_EQ(Pixel(image, 148, 5), P::kText);
    EXPECT_EQ(Pixel(image, 147, 5), QColor(10, 100, 50));
}

TEST_F(GridPaint, AJoinedBlockIsDrawnOnceOverItsSpan) {
    m_oGrid.Fill(3, 3);
    GridCell first;
    first.SetText("");
    first.SetBackColor(Qt::red);
    first.SetJoinInfo(true, 1, 1);
    m_oGrid.SetCell(0, 0, first);
    for (auto [col, row] : {std::pair{1, 0}, std::pair{0, 1}, std::pair{1, 1}}) {
        GridCell member;
        member.SetText("hidden");
        member.SetJoinInfo(false, 0, 0);
        m_oGrid.SetCell(col, row, member);
    }
    m_oGrid.GetArea()->setFocus();
    const QImage image = Area();
    // One red block of 150 by 40 less its grid lines; no text of the members in it,
    // and the focus marker around the whole block.
    EXPECT_EQ(CountColor(image, QRect(1, 1, 147, 37), QColor(Qt::red)), 147 * 37);
    EXPECT_GT(CountColor(image, QRect(148, 1, 1, 36), P::kText), 10);
    EXPECT_EQ(Pixel(image, 74, 10), QColor(Qt::red));
    int col = -1;
    int row = -1;
    ASSERT_TRUE(m_oGrid.HitTest(QPoint(100, 30), col, row));
    EXPECT_EQ(col, 0);
    EXPECT_EQ(row, 0);
    // Moves land on the first cell, and keys step over the block.
    m_oGrid.GotoCell(1, 1);
    EXPECT_EQ(m_oGrid.GetCurrentColumn(), 0);
    EXPECT_EQ(m_oGrid.GetCurrentRow(), 0);
    QTest::keyClick(m_oGrid.GetArea(), Qt::Key_Right);
    EXPECT_EQ(m_oGrid.GetCurrentColumn(), 2);
    // Left of column 2 lies inside the block: the move lands on its first cell.
    QTest::keyClick(m_oGrid.GetArea(), Qt::Key_Left);
    EXPECT_EQ(m_oGrid.GetCurrentColumn(), 0);
    EXPECT_EQ(m_oGrid.GetCurrentRow(), 0);
}

TEST_F(GridPaint, ScrollingShowsTheRowsItBroughtIntoView) {
    m_oGrid.Fill(2, 100);
    Area();
    QTest::keyClick(m_oGrid.GetArea(), Qt::Key_PageDown);
    QTest::keyClick(m_oGrid.GetArea(), Qt::Key_PageDown);
    const int top = m_oGrid.GetTopRow();
    ASSERT_GT(top, 0);
    // What is on screen after the pixels were scrolled is what a fresh paint of
    // the same view gives.
    const QImage scrolled = OnScreen();
    m_oGrid.GetArea()->update();
    const QImage fresh = OnScreen();
    KeepImage(scrolled, "scrolled");
    EXPECT_EQ(scrolled, fresh);
    const QRect firstRow = m_oGrid.GetCellRect(0, top);
    EXPECT_EQ(firstRow.top(), 0);
}

TEST_F(GridPaint, ExtendingTheSelectionRepaintsTheCellsItTakesIn) {
    m_oGrid.Fill(2, 6);
    m_oGrid.SetMultiSelect(1);
    m_oGrid.GotoCell(0, 0);
    m_oGrid.GetArea()->setFocus();
    OnScreen();
    QTest::keyClick(m_oGrid.GetArea(), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(m_oGrid.GetArea(), Qt::Key_Down, Qt::ShiftModifier);
    const QImage image = OnScreen();
    // Rows 1 and 2 of column 0 are highlighted on screen, not only in the state.
    EXPECT_EQ(Pixel(image, 70, 30), P::kHighlight);
    EXPECT_EQ(Pixel(image, 70, 50), P::kHighlight);
    EXPECT_EQ(Pixel(image, 70, 70), P::kWindow);
    // A plain move takes the highlight away again.
    QTest::keyClick(m_oGrid.GetArea(), Qt::Key_Right);
    EXPECT_EQ(Pixel(OnScreen(), 70, 50), P::kWindow);
}

TEST_F(GridPaint, ANewTextShowsOnlyOnceTheCellIsRepainted) {
    m_oGrid.Fill(2, 2);
    const QImage before = OnScreen();
    m_oGrid.SetCellText(1, 1, "WWWWWWW");
    EXPECT_EQ(OnScreen(), before);
    m_oGrid.RedrawCell(1, 1);
    EXPECT_NE(OnScreen(), before);
}
