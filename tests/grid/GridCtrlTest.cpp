#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>

#include "RecordingGrid.h"
#include "grid/CellType.h"
#include "grid/GridArea.h"
#include "grid/GridEdit.h"
#include "grid/GridScrollBar.h"
#include "grid/GridSheetTabs.h"
#include "grid/StandardGridCtrl.h"

namespace {

// A grid of 5 columns by 30 rows, 400 by 300 pixels, laid out.
class Grid : public ::testing::Test {
protected:
    Grid() {
        m_oGrid.CreateGrid(true, QRect(0, 0, 400, 300), nullptr, 7);
        m_oGrid.Fill(5, 30);
        m_oGrid.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&m_oGrid));
        m_oGrid.Take();
    }

    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(m_oGrid.GetArea(), static_cast<Qt::Key>(key), modifiers);
    }
    QPoint CentreOf(int col, int row) { return m_oGrid.GetCellRect(col, row).center(); }

    RecordingGrid m_oGrid;
};

} // namespace

TEST_F(Grid, ColumnCountsOutsideTheLimitsChangeNothing) {
    EXPECT_EQ(m_oGrid.SetColumnCount(32001), GridCtrl::kOutOfRange);
    EXPECT_EQ(m_oGrid.SetColumnCount(-1), GridCtrl::kOutOfRange);
    EXPECT_EQ(m_oGrid.GetColumnCount(), 5);
    EXPECT_EQ(m_oGrid.SetColumnCount(32000), GridCtrl::kOk);
    EXPECT_EQ(m_oGrid.GetColumnCount(), 32000);
    EXPECT_EQ(m_oGrid.SetRowCount(-1), GridCtrl::kOutOfRange);
    EXPECT_EQ(m_oGrid.GetRowCount(), 30);
}

TEST_F(Grid, NoColumnsMeansNoCurrentColumnUntilColumnsCome) {
    m_oGrid.GotoCell(3, 4);
    m_oGrid.SetColumnCount(0);
    EXPECT_EQ(m_oGrid.GetCurrentColumn(), -1);
    m_oGrid.SetColumnCount(2);
    EXPECT_EQ(m_oGrid.GetCurrentColumn(), 0);
    // Existing columns keep their records; new ones start from the defaults.
    int width = 0;
    ASSERT_EQ(m_oGrid.GetColumnWidth(1, width), GridCtrl::kOk);
    EXPECT_EQ(width, 75);
    EXPECT_EQ(m_oGrid.GetColumnWidth(2, width), GridCtrl::kOutOfRange);
}

TEST_F(Grid, ShrinkingClampsTheCurrentCellAndTheLockedCounts) {
    m_oGrid.SetLockedColumns(4);
    m_oGrid.GotoCell(4, 29);
    m_oGrid.SetColumnCount(3);
    m_oGrid.SetRowCount(10);
    EXPECT_EQ(m_oGrid.GetCurrentColumn(), 2);
    EXPECT_EQ(m_oGrid.GetCurrentRow(), 9);
    EXPECT_EQ(m_oGrid.Axis(Qt::Horizontal).Locked(), 2);
    EXPECT_EQ(m_oGrid.SetLockedColumns(4), GridCtrl::kOutOfRange);
    EXPECT_EQ(m_oGrid.Axis(Qt::Horizontal).Locked(), 2);
}

TEST_F(Grid, MoreThan64000RowsSwitchToUniformHeight) {
    m_oGrid.SetRowHeight(3, 40);
    EXPECT_EQ(m_oGrid.GetRowHeight(3), 40);
    m_oGrid.SetRowCount(64000);
    EXPECT_EQ(m_oGrid.GetRowHeight(3), 40);
    EXPECT_FALSE(m_oGrid.Axis(Qt::Vertical).IsUniform());

    m_oGrid.SetRowCount(64001);
    EXPECT_TRUE(m_oGrid.Axis(Qt::Vertical).IsUniform());
    EXPECT_EQ(m_oGrid.GetRowHeight(3), 20);
    EXPECT_EQ(m_oGrid.GetRowHeight(64000), 20);
    EXPECT_EQ(m_oGrid.GetRowHeight(64001), 0);
    // In uniform mode one height serves every row.
    m_oGrid.SetRowHeight(10, 25);
    EXPECT_EQ(m_oGrid.GetRowHeight(50000), 25);
    // And back: a per-row array filled with the shared height.
    m_oGrid.SetRowCount(100);
    m_oGrid.SetUniformRowHeight(0);
    m_oGrid.SetRowHeight(1, 30);
    EXPECT_EQ(m_oGrid.GetRowHeight(0), 25);
    EXPECT_EQ(m_oGrid.GetRowHeight(1), 30);
}

TEST_F(Grid, HeadingSizesRescaleTheirRowsAndColumns) {
    ASSERT_EQ(m_oGrid.SetTopHeadingRowCount(2), GridCtrl::kOk);
    ASSERT_EQ(m_oGrid.SetTopHeadingRowHeight(-2, 20), GridCtrl::kOk);
    ASSERT_EQ(m_oGrid.SetTopHeadingRowHeight(-1, 10), GridCtrl::kOk);
    EXPECT_EQ(m_oGrid.SetTopHeadingHeight(40), GridCtrl::kOk);
    EXPECT_EQ(m_oGrid.Axis(Qt::Vertical).Size(-2), 27);
    EXPECT_EQ(m_oGrid.Axis(Qt::Vertical).Size(-1), 13);
    EXPECT_EQ(m_oGrid.GetTopHeadingHeight(), 40);
    EXPECT_EQ(m_oGrid.GetArea()->geometry().top(), 40);

    EXPECT_EQ(m_oGrid.SetTopHeadingHeight(1025), GridCtrl::kOutOfRange);
    EXPECT_EQ(m_oGrid.Axis(Qt::Vertical).Size(-2), 27);
    EXPECT_EQ(m_oGrid.SetTopHeadingRowHeight(0, 5), GridCtrl::kOutOfRange);
    EXPECT_EQ(m_oGrid.SetTopHeadingRowHeight(-3, 5), GridCtrl::kOutOfRange);
    EXPECT_EQ(m_oGrid.SetTopHeadingRowHeight(-1, 1025), GridCtrl::kRefused);

    // A side heading of one column follows its column's width.
    EXPECT_EQ(m_oGrid.SetSideHeadingColumnWidth(-1, 60), GridCtrl::kOk);
    EXPECT_EQ(m_oGrid.GetSideHeadingWidth(), 60);
    EXPECT_EQ(m_oGrid.GetArea()->geometry().left(), 60);
    EXPECT_EQ(m_oGrid.SetColumnWidth(-2, 10), GridCtrl::kOutOfRange);
}

TEST_F(Grid, ARefusedMoveLeavesEverythingAsItWas) {
    m_oGrid.SetMultiSelect(1);
    m_oGrid.GotoCell(1, 1);
    m_oGrid.Take();
    m_oGrid.m_bAllowMove = false;
    const int top = m_oGrid.GetTopRow();
    EXPECT_EQ(m_oGrid.GotoCell(2, 25), GridCtrl::kRefused);
    EXPECT_EQ(m_oGrid.GetCurrentColumn(), 1);
    EXPECT_EQ(m_oGrid.GetCurrentRow(), 1);
    EXPECT_EQ(m_oGrid.GetMovingRow(), 1);
    EXPECT_EQ(m_oGrid.GetTopRow(), top);
    ASSERT_EQ(m_oGrid.GetSelection().GetBlockCount(), 1);
    EXPECT_EQ(m_oGrid.GetSelection().BoundingBox(), QRect(1, 1, 1, 1));
    EXPECT_EQ(m_oGrid.Take(), QStringList{"Move 1,1>2,25"});

    // A refused scroll refuses a move that needs one, but not one that does not.
    m_oGrid.m_bAllowMove = true;
    m_oGrid.m_bAllowScroll = false;
    EXPECT_EQ(m_oGrid.GotoCell(2, 25), GridCtrl::kRefused);
    EXPECT_EQ(m_oGrid.GetTopRow(), top);
    EXPECT_EQ(m_oGrid.GotoCell(2, 2), GridCtrl::kOk);
}

TEST_F(Grid, MovingNotifiesInOrder) {
    m_oGrid.GotoCell(2, 25);
    const int top = m_oGrid.GetTopRow();
    EXPECT_GT(top, 0);
    EXPECT_EQ(m_oGrid.Take(),
              (QStringList{"Move 0,0>2,25", "Scroll 0 2 0 25", "Col 0>2", "Row 0>25",
                           "Cell 0,0>2,25", QString("Top 0>%1").arg(top)}));
    // Moving onto the cell it is on is no move at all.
    EXPECT_EQ(m_oGrid.GotoCell(2, 25), GridCtrl::kOk);
    EXPECT_TRUE(m_oGrid.Take().isEmpty());
    m_oGrid.GotoRow(24);
    EXPECT_EQ(m_oGrid.Take(), (QStringList{"Move 2,25>2,24", "Row 25>24", "Cell 2,25>2,24"}));
}

TEST_F(Grid, KeysStopAtTheEdges) {
    Key(Qt::Key_Up);
    Key(Qt::Key_Left);
    EXPECT_EQ(m_oGrid.GetCurrentRow(), 0);
    EXPECT_EQ(m_oGrid.GetCurrentColumn(), 0);
    Key(Qt::Key_End);
    EXPECT_EQ(m_oGrid.GetCurrentColumn(), 4);
    m_oGrid.Take();
    Key(Qt::Key_Right);
    EXPECT_EQ(m_oGrid.GetCurrentColumn(), 4);
    EXPECT_TRUE(m_oGrid.Take().isEmpty());
    Key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(m_oGrid.GetCurrentRow(), 29);
    Key(Qt::Key_Down);
    EXPECT_EQ(m_oGrid.GetCurrentRow(), 29);
    Key(Qt::Key_Home);
    EXPECT_EQ(m_oGrid.GetCurrentColumn(), 0);
    Key(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(m_oGrid.GetCurrentRow(), 0);
    Key(Qt::Key_Down);
    Key(Qt::Key_Right);
    EXPECT_EQ(m_oGrid.GetCurrentRow(), 1);
    EXPECT_EQ(m_oGrid.GetCurrentColumn(), 1);
}

TEST_F(Grid, PageDownMovesAndScrollsByAPage) {
    // 300 less the 20 of the heading and the horizontal bar leaves 13 whole rows.
    ASSERT_LT(m_oGrid.GetArea()->height(), 280);
    const int page = m_oGrid.Axis(Qt::Vertical).Page(0, 1);
    EXPECT_EQ(page, 13);
    Key(Qt::Key_PageDown);
    EXPECT_EQ(m_oGrid.GetCurrentRow(), 13);
    EXPECT_EQ(m_oGrid.GetTopRow(), 1);
    Key(Qt::Key_PageDown);
    EXPECT_EQ(m_oGrid.GetCurrentRow(), 26);
    EXPECT_EQ(m_oGrid.GetTopRow(), 14);
    Key(Qt::Key_PageDown);
    EXPECT_EQ(m_oGrid.GetCurrentRow(), 29);
    EXPECT_EQ(m_oGrid.GetTopRow(), 17);
    Key(Qt::Key_PageUp);
    EXPECT_EQ(m_oGrid.GetCurrentRow(), 16);
    EXPECT_EQ(m_oGrid.GetTopRow(), 16);
}

TEST_F(Grid, AKeyTheOwnerClearsDoesNotMove) {
    m_oGrid.m_nSwallowKey = Qt::Key_Down;
    Key(Qt::Key_Down);
    EXPECT_EQ(m_oGrid.GetCurrentRow(), 0);
    QTest::keyClicks(m_oGrid.GetArea(), "a");
    EXPECT_EQ(m_oGrid.Take(), QStringList{"Char a"});
}

TEST_F(Grid, ShiftDownTwiceSelectsThreeRowsAndKeepsTheCurrentCell) {
    m_oGrid.SetMultiSelect(1);
    m_oGrid.GotoCell(0, 0);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(m_oGrid.GetCurrentColumn(), 0);
    EXPECT_EQ(m_oGrid.GetCurrentRow(), 0);
    EXPECT_EQ(m_oGrid.GetMovingRow(), 2);
    ASSERT_EQ(m_oGrid.GetSelection().GetBlockCount(), 1);
    EXPECT_EQ(m_oGrid.GetSelection().BoundingBox(), QRect(0, 0, 1, 3));
    EXPECT_EQ(m_oGrid.IsSelected(0, 2), 1);
    EXPECT_EQ(m_oGrid.IsSelected(1, 2), 0);

    // Ctrl starts another block, a plain move starts afresh.
    Key(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(m_oGrid.GetSelection().GetBlockCount(), 2);
    EXPECT_EQ(m_oGrid.GetCurrentColumn(), 1);
    EXPECT_EQ(m_oGrid.GetCurrentRow(), 2);
    Key(Qt::Key_Down);
    EXPECT_EQ(m_oGrid.GetSelection().GetBlockCount(), 1);
    EXPECT_EQ(m_oGrid.IsSelected(0, 0), 0);
}

TEST_F(Grid, WithoutMultiSelectTheCurrentCellFollowsAndNothingIsSelected) {
    Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(m_oGrid.GetCurrentRow(), 1);
    EXPECT_TRUE(m_oGrid.GetSelection().IsEmpty());
    EXPECT_EQ(m_oGrid.SelectRange(0, 0, 2, 2), GridCtrl::kOk);
    EXPECT_TRUE(m_oGrid.GetSelection().IsEmpty());
    EXPECT_EQ(m_oGrid.GetMovingColumn(), 2);
}

TEST_F(Grid, RowHighlightSelectsWholeRows) {
    m_oGrid.SetRowHighlight(1);
    m_oGrid.SetMultiSelect(1);
    m_oGrid.GotoCell(1, 3);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(m_oGrid.GetSelection().BoundingBox(), QRect(0, 3, 5, 2));
}

TEST_F(Grid, LockedColumnsStayAndTheRestScrolls) {
    ASSERT_EQ(m_oGrid.SetColumnCount(20), GridCtrl::kOk);
    ASSERT_EQ(m_oGrid.SetLockedColumns(2), GridCtrl::kOk);
    ASSERT_EQ(m_oGrid.SetLeftColumn(5), GridCtrl::kOk);
    std::vector<int> shown;
    for (int x = 10; x < 300; x += 75) {
        int col = -1;
        int row = -1;
        ASSERT_TRUE(m_oGrid.HitTest(QPoint(x, 5), col, row));
        shown.push_back(col);
    }
    EXPECT_EQ(shown, (std::vector<int>{0, 1, 5, 6}));
    EXPECT_EQ(m_oGrid.GetCellRect(5, 0).left(), 150);
    EXPECT_TRUE(m_oGrid.GetCellRect(3, 0).isNull());
    // Moving left of the scrolling part brings the column back into view.
    m_oGrid.GotoCell(3, 0);
    EXPECT_EQ(m_oGrid.GetLeftColumn(), 3);
    m_oGrid.GotoCell(0, 0);
    EXPECT_EQ(m_oGrid.GetLeftColumn(), 3);
}

TEST_F(Grid, ClicksMoveTheCurrentCellButNotBelowTheLastRow) {
    m_oGrid.SetRowCount(3);
    QTest::mouseClick(m_oGrid.GetArea(), Qt::LeftButton, Qt::NoModifier, CentreOf(2, 1));
    EXPECT_EQ(m_oGrid.GetCurrentColumn(), 2);
    EXPECT_EQ(m_oGrid.GetCurrentRow(), 1);
    EXPECT_EQ(m_oGrid.Take(), (QStringList{"Move 0,0>2,1", "Col 0>2", "Row 0>1", "Cell 0,0>2,1",
                                           "LeftClick 2,1 1", "LeftClick 2,1 0"}));
    QTest::mouseClick(m_oGrid.GetArea(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 100));
    EXPECT_EQ(m_oGrid.GetCurrentRow(), 1);
    QTest::mouseClick(m_oGrid.GetArea(), Qt::LeftButton, Qt::NoModifier, QPoint(390, 10));
    EXPECT_EQ(m_oGrid.GetCurrentColumn(), 2);
    EXPECT_TRUE(m_oGrid.Take().isEmpty());
    QTest::mouseDClick(m_oGrid.GetArea(), Qt::LeftButton, Qt::NoModifier, CentreOf(0, 0));
    EXPECT_TRUE(m_oGrid.Take().contains("DoubleClick 0,0"));
}

TEST_F(Grid, DraggingBelowTheAreaStepsTheSelectionOnWhileTheButtonIsHeld) {
    m_oGrid.SetMultiSelect(1);
    m_oGrid.SetBallistics(0, 5);
    QWidget* area = m_oGrid.GetArea();
    QTest::mousePress(area, Qt::LeftButton, Qt::NoModifier, CentreOf(1, 1));
    QMouseEvent move(QEvent::MouseMove, QPointF(CentreOf(1, 1).x(), area->height() + 30),
                     area->mapToGlobal(QPointF(CentreOf(1, 1).x(), area->height() + 30)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(area, &move);
    const int first = m_oGrid.GetMovingRow();
    EXPECT_GE(first, 13);
    // QTRY_VERIFY would only report to QtTest; gtest must hear of a failure.
    EXPECT_TRUE(QTest::qWaitFor([&] { return m_oGrid.GetMovingRow() >= first + 3; }));
    EXPECT_GT(m_oGrid.GetTopRow(), 0);
    EXPECT_EQ(m_oGrid.GetCurrentRow(), 1);
    QTest::mouseRelease(area, Qt::LeftButton, Qt::NoModifier, CentreOf(1, 1));
    const int stopped = m_oGrid.GetMovingRow();
    QTest::qWait(30);
    EXPECT_EQ(m_oGrid.GetMovingRow(), stopped);
    const QRect block = m_oGrid.GetSelection().BoundingBox();
    EXPECT_EQ(block.top(), 1);
    EXPECT_EQ(block.bottom(), stopped);
}

TEST_F(Grid, GoingPastTheLastRowAsksForMore) {
    m_oGrid.GotoRow(29);
    m_oGrid.Take();
    m_oGrid.m_nRowsToAdd = 5;
    EXPECT_EQ(m_oGrid.GotoRow(31), GridCtrl::kOk);
    EXPECT_EQ(m_oGrid.GetRowCount(), 35);
    EXPECT_EQ(m_oGrid.GetCurrentRow(), 31);
    EXPECT_EQ(m_oGrid.Take().first(), "PastLast 30 2");
    // Nothing added: the move stops at the last row, and says so when already there.
    m_oGrid.GotoRow(34);
    EXPECT_EQ(m_oGrid.GotoRow(40), GridCtrl::kOutOfRange);
    EXPECT_EQ(m_oGrid.GetCurrentRow(), 34);
}

TEST_F(Grid, ACellIsComposedFromItsDefaultsTheStoreAndTheHook) {
    GridCell gridDefault;
    gridDefault.SetBackColor(QColor(255, 255, 200));
    gridDefault.SetBorder(GridCell::kBorderRaised);
    m_oGrid.SetGridDefault(gridDefault);
    m_oGrid.SetColumnCount(7);
    GridCell columnDefault = gridDefault;
    columnDefault.SetReadOnly(true);
    ASSERT_EQ(m_oGrid.SetColumnDefault(6, columnDefault), GridCtrl::kOk);
    EXPECT_EQ(m_oGrid.SetColumnDefault(7, columnDefault), GridCtrl::kOutOfRange);

    GridCell style;
    style.SetTextColor(Qt::red);
    GridCell stored;
    stored.SetText("value");
    stored.SetBackColor(Qt::green);
    stored.SetCellStyle(&style);
    m_oGrid.SetCell(6, 2, stored);
    m_oGrid.m_bMarkFetched = true;

    GridCell cell;
    m_oGrid.GetCell(6, 2, cell);
    const QPalette palette;
    EXPECT_EQ(cell.GetText(), "value");
    EXPECT_EQ(cell.GetBackColor(palette), QColor(Qt::green));
    EXPECT_EQ(cell.GetBorder(), GridCell::kBorderRaised);
    EXPECT_TRUE(cell.GetReadOnly());
    EXPECT_EQ(cell.GetTextColor(palette), QColor(Qt::red));
    EXPECT_EQ(cell.GetLabel(), "fetched 6,2");

    // New columns start from the grid default; heading cells from the heading
    // default; rows beyond the last show the defaults alone.
    m_oGrid.GetCell(5, 0, cell);
    EXPECT_EQ(cell.GetBackColor(palette), QColor(255, 255, 200));
    m_oGrid.GetCell(1, -1, cell);
    EXPECT_EQ(cell.GetAlignment(), 36U);
    EXPECT_EQ(cell.GetBorder(), GridCell::kBorderRaised);
    m_oGrid.GetCell(6, 99, cell);
    EXPECT_FALSE(cell.IsPropertySet(GridCell::kTextSet | GridCell::kLabelSet));

    // ReadCell gives only what is stored.
    EXPECT_EQ(m_oGrid.ReadCell(6, 2, cell), 0);
    EXPECT_FALSE(cell.GetReadOnly());
    EXPECT_EQ(m_oGrid.ReadCell(7, 2, cell), GridCtrl::kOutOfRange);
    EXPECT_EQ(m_oGrid.ReadCell(0, 99, cell), 1);
}

TEST_F(Grid, CellTextsGoThroughTheStoreHook) {
    m_oGrid.m_bUpperOnStore = true;
    EXPECT_EQ(m_oGrid.SetCellText(1, 1, "abc"), GridCtrl::kOk);
    EXPECT_EQ(m_oGrid.GetCellText(1, 1), "ABC");
    EXPECT_EQ(m_oGrid.Take(), QStringList{"Store 1,1"});
    QString text;
    EXPECT_EQ(m_oGrid.GetCellText(9, 1, text), GridCtrl::kOutOfRange);
    EXPECT_EQ(m_oGrid.DeleteCell(1, 1), 0);
    EXPECT_EQ(m_oGrid.GetCellText(1, 1), QString());
    EXPECT_EQ(m_oGrid.DeleteCell(1, 500), 1);
    // Heading texts are kept under their own negative indices.
    m_oGrid.SetCellText(1, -1, "Data");
    m_oGrid.SetCellText(-1, 3, " 4");
    EXPECT_EQ(m_oGrid.GetCellText(1, -1), "DATA");
    EXPECT_EQ(m_oGrid.GetCellText(-1, 3), " 4");
}

TEST_F(Grid, MovingAColumnTakesItsContentsAlong) {
    m_oGrid.SetColumnWidth(0, 33);
    EXPECT_EQ(m_oGrid.MoveColumn(0, 3, 1), GridCtrl::kOk);
    EXPECT_EQ(m_oGrid.GetCellText(2, 0), "0,0");
    EXPECT_EQ(m_oGrid.GetCellText(0, 0), "1,0");
    int width = 0;
    m_oGrid.GetColumnWidth(2, width);
    EXPECT_EQ(width, 33);
    // After a column; to its own place or right after itself: nothing changes.
    EXPECT_EQ(m_oGrid.MoveColumn(2, 4, 0), GridCtrl::kOk);
    EXPECT_EQ(m_oGrid.GetCellText(4, 0), "0,0");
    EXPECT_EQ(m_oGrid.MoveColumn(4, 4, 1), GridCtrl::kOk);
    EXPECT_EQ(m_oGrid.MoveColumn(4, 5, 1), GridCtrl::kOk);
    EXPECT_EQ(m_oGrid.GetCellText(4, 0), "0,0");
    EXPECT_EQ(m_oGrid.MoveColumn(5, 0, 1), GridCtrl::kOutOfRange);
    EXPECT_EQ(m_oGrid.MoveColumn(0, 6, 1), GridCtrl::kOutOfRange);
    EXPECT_EQ(m_oGrid.MoveColumn(0, -1, 1), GridCtrl::kOutOfRange);
}

TEST_F(Grid, FittingGivesEachColumnItsWidestCell) {
    QFont font("Arial");
    font.setPixelSize(16);
    m_oGrid.SetDefaultFont(font);
    const QFontMetrics metrics(font);
    m_oGrid.SetCellText(1, 7, "a rather longer text");
    m_oGrid.SetCellText(1, -1, "W");
    EXPECT_EQ(m_oGrid.FitColumns(-2, 1, 0, 1), GridCtrl::kOutOfRange);
    EXPECT_EQ(m_oGrid.FitColumns(0, 5, 0, 1), GridCtrl::kRefused);
    EXPECT_EQ(m_oGrid.FitColumns(1, 0, 0, 1), GridCtrl::kInconsistent);

    ASSERT_EQ(m_oGrid.FitColumns(0, 1, 0, 1), GridCtrl::kOk);
    int width = 0;
    m_oGrid.GetColumnWidth(1, width);
    EXPECT_EQ(width, metrics.horizontalAdvance("a rather longer text") + 6 + 2);
    // Only the first rows looked at: the long text lies beyond them.
    ASSERT_EQ(m_oGrid.FitColumns(1, 1, 3, 0), GridCtrl::kOk);
    m_oGrid.GetColumnWidth(1, width);
    EXPECT_EQ(width, metrics.horizontalAdvance("1,0") + 6 + 2);
    // Never wider than the cell area less a scroll bar.
    m_oGrid.SetCellText(2, 0, QString(200, 'x'));
    m_oGrid.FitColumns(2, 2, 0, 0);
    m_oGrid.GetColumnWidth(2, width);
    EXPECT_EQ(width, m_oGrid.GetArea()->width() - m_oGrid.GetVScrollWidth());

    // Side heading columns give the side heading its width.
    m_oGrid.SetCellText(-1, 0, "12345");
    ASSERT_EQ(m_oGrid.FitColumns(-1, -1, 0, 0), GridCtrl::kOk);
    EXPECT_EQ(m_oGrid.GetSideHeadingWidth(), metrics.horizontalAdvance("12345") + 6 + 2);
}

TEST_F(Grid, ScrollBarsHideWhileEverythingFits) {
    const int bar = m_oGrid.GetVScrollWidth();
    ASSERT_GT(bar, 0);
    // Five columns of 75 do not fit in 360 pixels; four do, even beside a bar.
    EXPECT_TRUE(ScrollBarOf(m_oGrid, Qt::Horizontal)->isVisibleTo(&m_oGrid));
    m_oGrid.SetColumnCount(4);
    EXPECT_TRUE(ScrollBarOf(m_oGrid, Qt::Vertical)->isVisibleTo(&m_oGrid));
    EXPECT_FALSE(ScrollBarOf(m_oGrid, Qt::Horizontal)->isVisibleTo(&m_oGrid));
    EXPECT_EQ(m_oGrid.GetArea()->geometry(), QRect(40, 20, 400 - 40 - bar, 300 - 20));
    EXPECT_EQ(ScrollBarOf(m_oGrid, Qt::Vertical)->geometry(), QRect(400 - bar, 0, bar, 300));
    m_oGrid.SetRowCount(5);
    EXPECT_FALSE(ScrollBarOf(m_oGrid, Qt::Vertical)->isVisibleTo(&m_oGrid));
    EXPECT_EQ(m_oGrid.GetArea()->width(), 360);
    m_oGrid.SetColumnCount(10);
    EXPECT_TRUE(ScrollBarOf(m_oGrid, Qt::Horizontal)->isVisibleTo(&m_oGrid));
    EXPECT_FALSE(ScrollBarOf(m_oGrid, Qt::Vertical)->isVisibleTo(&m_oGrid));
    EXPECT_EQ(m_oGrid.GetArea()->height(), 300 - 20 - bar);

    // A tab strip keeps the bottom bar and shares it with the horizontal bar.
    m_oGrid.SetTabStripWidth(100);
    EXPECT_TRUE(PartOf<GridSheetTabs>(m_oGrid)->isVisibleTo(&m_oGrid));
    EXPECT_EQ(PartOf<GridSheetTabs>(m_oGrid)->geometry(), QRect(0, 300 - bar, 100, bar));
    EXPECT_EQ(ScrollBarOf(m_oGrid, Qt::Horizontal)->geometry().left(), 100);
    m_oGrid.SetColumnCount(2);
    EXPECT_EQ(m_oGrid.GetArea()->height(), 300 - 20 - bar);
    // Too wide a strip is cut to the room there is.
    m_oGrid.SetColumnCount(10);
    m_oGrid.SetTabStripWidth(1000);
    EXPECT_EQ(PartOf<GridSheetTabs>(m_oGrid)->width(), 400 - 40 - 20);
}

TEST_F(Grid, SheetsKeepTheirOwnCellsAndSizes) {
    EXPECT_EQ(m_oGrid.SetSheetCount(3), GridCtrl::kOk);
    EXPECT_EQ(m_oGrid.Take(), (QStringList{"Sheet 1 columns 0", "Sheet 2 columns 0"}));
    EXPECT_EQ(m_oGrid.GetColumnCount(), 5);
    EXPECT_EQ(m_oGrid.SelectSheet(3, 1), GridCtrl::kOutOfRange);
    ASSERT_EQ(m_oGrid.SelectSheet(2, 1), GridCtrl::kOk);
    EXPECT_EQ(m_oGrid.GetColumnCount(), 0);
    m_oGrid.SetColumnCount(1);
    m_oGrid.SetRowCount(1);
    m_oGrid.SetCellText(0, 0, "sheet 2");
    m_oGrid.SelectSheet(0, 0);
    EXPECT_EQ(m_oGrid.GetCellText(0, 0), "0,0");
    EXPECT_EQ(m_oGrid.GetColumnCount(), 5);
    // Dropping the current sheet selects the last one left.
    m_oGrid.SelectSheet(2, 1);
    m_oGrid.SetSheetCount(2);
    EXPECT_EQ(m_oGrid.GetColumnCount(), 0);
    EXPECT_EQ(m_oGrid.SetSheetCount(5000), GridCtrl::kOk);
    EXPECT_EQ(m_oGrid.GetSheetCount(), 1);
}

TEST_F(Grid, ClipboardCarriesPlainText) {
    EXPECT_EQ(m_oGrid.CopyToClipboard("Byte1"), GridCtrl::kOk);
    QString text;
    EXPECT_EQ(m_oGrid.PasteFromClipboard(text), GridCtrl::kOk);
    EXPECT_EQ(text, "Byte1");
    QApplication::clipboard()->clear();
    text = "kept";
    EXPECT_EQ(m_oGrid.PasteFromClipboard(text), GridCtrl::kOutOfRange);
    EXPECT_EQ(text, "kept");
}

TEST_F(Grid, SortingByAColumnUsesTheDefaultComparison) {
    // The store sorts every row it keeps, so it keeps only these four.
    m_oGrid.GetDefaultDataSource()->DeleteAll();
    m_oGrid.Fill(5, 4);
    const char* texts[] = {"10", "9", "100", ""};
    for (int row = 0; row < 4; ++row) {
        GridCell cell;
        if (*texts[row]) {
            cell.SetText(texts[row]);
            cell.SetDataType(GridCell::kDataNumber);
            m_oGrid.SetCell(2, row, cell);
        } else {
            m_oGrid.DeleteCell(2, row);
        }
    }
    ASSERT_EQ(m_oGrid.SortBy(2, 0), GridCtrl::kOk);
    QStringList sorted;
    for (int row = 0; row < 4; ++row) {
        sorted << m_oGrid.GetCellText(2, row);
    }
    EXPECT_EQ(sorted, (QStringList{"", "9", "10", "100"}));
    EXPECT_EQ(m_oGrid.GetCellText(0, 1), "0,1");
    EXPECT_EQ(m_oGrid.GetCellText(0, 3), "0,2");

    // As texts, and descending.
    for (int row = 0; row < 3; ++row) {
        m_oGrid.SetCellText(2, row, texts[row]);
    }
    m_oGrid.DeleteCell(2, 3);
    m_oGrid.SortBy(2, 2);
    sorted.clear();
    for (int row = 0; row < 4; ++row) {
        sorted << m_oGrid.GetCellText(2, row);
    }
    EXPECT_EQ(sorted, (QStringList{"9", "100", "10", ""}));
}

namespace {
int Sign(int value) {
    return value < 0 ? -1 : (value > 0 ? 1 : 0);
}
GridCell TypedCell(const QString& text, int type) {
    GridCell cell;
    cell.SetText(text);
    cell.SetDataType(type);
    return cell;
}
} // namespace

TEST_F(Grid, TheDefaultComparisonGivesOneAnswerWhicheverCellComesFirst) {
    // Among cells of one kind, with cells without text and missing cells: the
    // answer for (b, a) is the opposite of (a, b), and descending turns both round.
    for (const int type : {1, 2, 3, 5}) {
        std::vector<GridCell> cells;
        for (const char* text : {"", "-5", "0", "abc", "nan", "10", "9", "100", "B", "a"}) {
            cells.push_back(TypedCell(text, type));
        }
        std::vector<const GridCell*> all{nullptr};
        for (const GridCell& cell : cells) {
            all.push_back(&cell);
        }
        for (const GridCell* a : all) {
            for (const GridCell* b : all) {
                const QString pair = QString("type %1: %2 / %3")
                                         .arg(type)
                                         .arg(a ? a->GetText() : "none", b ? b->GetText() : "none");
                const int up = Sign(m_oGrid.OnSortCompare(a, b, 0));
                EXPECT_EQ(up, -Sign(m_oGrid.OnSortCompare(b, a, 0))) << pair.toStdString();
                EXPECT_EQ(up, -Sign(m_oGrid.OnSortCompare(a, b, 2))) << pair.toStdString();
            }
        }
    }
    // Numbers by value in every numeric type, "nan" as a word worth 0; texts with
    // case, capitals first.
    for (const int type : {2, 3, 5}) {
        const GridCell nine = TypedCell("9", type);
        const GridCell ten = TypedCell("10", type);
        const GridCell word = TypedCell("nan", type);
        const GridCell zero = TypedCell("0", type);
        EXPECT_EQ(m_oGrid.OnSortCompare(&nine, &ten, 0), -1) << type;
        EXPECT_EQ(m_oGrid.OnSortCompare(&word, &zero, 0), 0) << type;
    }
    const GridCell nine = TypedCell("9", 1);
    const GridCell ten = TypedCell("10", 1);
    const GridCell capital = TypedCell("B", 1);
    const GridCell small = TypedCell("a", 1);
    const GridCell empty = TypedCell("", 2);
    const GridCell negative = TypedCell("-5", 2);
    EXPECT_EQ(m_oGrid.OnSortCompare(&nine, &ten, 0), 1);
    EXPECT_EQ(m_oGrid.OnSortCompare(&capital, &small, 0), -1);
    // A cell without text comes first also among negative numbers.
    EXPECT_EQ(m_oGrid.OnSortCompare(&negative, &empty, 0), 1);
    EXPECT_EQ(m_oGrid.OnSortCompare(&empty, &negative, 0), -1);
}

TEST_F(Grid, SortByRefusesABadColumnAndAnOpenEditAndSortsTheColumnsOwnSource) {
    m_oGrid.GetDefaultDataSource()->DeleteAll();
    m_oGrid.Fill(3, 3);
    m_oGrid.SetCellText(1, 0, "b");
    m_oGrid.SetCellText(1, 1, "c");
    m_oGrid.SetCellText(1, 2, "a");
    EXPECT_EQ(m_oGrid.SortBy(3, 0), GridCtrl::kOutOfRange);
    EXPECT_EQ(m_oGrid.SortBy(-1, 0), GridCtrl::kOutOfRange);
    m_oGrid.StartEdit(0, 0, 0);
    ASSERT_TRUE(m_oGrid.IsEditing());
    EXPECT_EQ(m_oGrid.SortBy(1, 0), GridCtrl::kRefused);
    m_oGrid.CancelEdit();
    EXPECT_EQ(m_oGrid.GetCellText(1, 0), "b");

    // Column 2 shows cells that live elsewhere: sorting by it sorts them there.
    GridMemDataSource other;
    m_oGrid.SetColumnDataSource(2, &other);
    for (int row = 0; row < 3; ++row) {
        m_oGrid.SetCellText(2, row, QString::number(3 - row));
    }
    ASSERT_EQ(m_oGrid.SortBy(2, 0), GridCtrl::kOk);
    EXPECT_EQ(m_oGrid.GetCellText(2, 0), "1");
    EXPECT_EQ(m_oGrid.GetCellText(2, 2), "3");
    EXPECT_EQ(m_oGrid.GetCellText(1, 0), "b");
    // A source that cannot sort refuses.
    GridDataSource plain;
    m_oGrid.SetColumnDataSource(2, &plain);
    EXPECT_EQ(m_oGrid.SortBy(2, 0), GridCtrl::kRefused);
    m_oGrid.SetColumnDataSource(2, nullptr);
}

TEST_F(Grid, CellTypesAreNumberedAndUnknownOnesDrawAsNormal) {
    EXPECT_EQ(m_oGrid.GetCellType(0)->GetName(), "Normal Cell Type (default)");
    EXPECT_EQ(m_oGrid.GetCellType(1)->GetName(), "Standard DropList");
    EXPECT_EQ(m_oGrid.GetCellType(2)->GetName(), "Standard CheckBox Type");
    EXPECT_EQ(m_oGrid.GetCellType(3)->GetID(), 3);
    EXPECT_EQ(m_oGrid.GetCellType(4), m_oGrid.GetCellType(0));
    EXPECT_EQ(m_oGrid.GetCellType(-1), m_oGrid.GetCellType(0));
    EXPECT_EQ(m_oGrid.AddCellType(nullptr), -1);
}

TEST_F(Grid, CheckBoxClickedInTheGridTogglesItsCell) {
    GridCell cell;
    cell.SetCellType(2);
    cell.SetNumber(0);
    m_oGrid.SetCell(1, 1, cell);
    const QRect rect = m_oGrid.GetCellRect(1, 1);
    QTest::mouseClick(m_oGrid.GetArea(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(rect.left() + 10, rect.center().y()));
    EXPECT_EQ(m_oGrid.GetCellText(1, 1), "1.000000");
}

namespace {
// A grid whose owner can refuse the editor or the edited text.
class EditingGrid : public RecordingGrid {
public:
    int OnBeginEdit(int col, int row, QWidget*&) override {
        Note(QString("BeginEdit %1,%2").arg(col).arg(row));
        return m_bAllowBegin;
    }
    int OnEndEdit(int col, int row, QWidget*, const QString& text, bool cancelled) override {
        Note(QString("EndEdit %1,%2 %3 %4").arg(col).arg(row).arg(text).arg(cancelled));
        return m_bAllowEnd;
    }
    int OnEditMoveQuery(int, int, int& col, int& row) override {
        Note(QString("EditMove %1,%2").arg(col).arg(row));
        return 1;
    }
    bool m_bAllowBegin = true;
    bool m_bAllowEnd = true;
};

class Editing : public ::testing::Test {
protected:
    Editing() {
        m_oGrid.CreateGrid(true, QRect(0, 0, 400, 300), nullptr, 1);
        m_oGrid.Fill(3, 5);
        m_oGrid.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&m_oGrid));
        m_oGrid.Take();
    }
    QPlainTextEdit* Editor() { return PartOf<GridEdit>(m_oGrid); }

    EditingGrid m_oGrid;
};
} // namespace

TEST_F(Editing, StartEditLaysTheEditorOverTheCellWithItsText) {
    ASSERT_EQ(m_oGrid.StartEdit(1, 2, 0), GridCtrl::kOk);
    EXPECT_TRUE(m_oGrid.IsEditing());
    EXPECT_EQ(m_oGrid.GetCurrentColumn(), 1);
    EXPECT_EQ(m_oGrid.GetCurrentRow(), 2);
    EXPECT_TRUE(Editor()->isVisible());
    EXPECT_EQ(Editor()->parentWidget(), m_oGrid.GetArea());
    EXPECT_EQ(Editor()->geometry(), m_oGrid.GetCellRect(1, 2).adjusted(0, 0, -1, -1));
    EXPECT_EQ(Editor()->toPlainText(), "1,2");
    EXPECT_TRUE(Editor()->hasFocus());
    EXPECT_TRUE(m_oGrid.Take().contains("BeginEdit 1,2"));
    EXPECT_EQ(m_oGrid.StartEdit(0, 0, 0), GridCtrl::kOutOfRange);
}

TEST_F(Editing, AFirstCharacterReplacesTheText) {
    ASSERT_EQ(m_oGrid.StartEdit(0, 1, 'x'), GridCtrl::kOk);
    EXPECT_EQ(Editor()->toPlainText(), "x");
}

TEST_F(Editing, ReadOnlyCellsAndARefusingOwnerKeepTheEditorClosed) {
    GridCell readOnly;
    readOnly.SetReadOnly(true);
    m_oGrid.SetColumnDefault(0, readOnly);
    EXPECT_EQ(m_oGrid.StartEdit(0, 1, 0), GridCtrl::kOutOfRange);
    EXPECT_FALSE(m_oGrid.IsEditing());
    EXPECT_FALSE(Editor()->isVisible());
    m_oGrid.m_bAllowBegin = false;
    EXPECT_EQ(m_oGrid.StartEdit(1, 1, 0), GridCtrl::kOutOfRange);
    EXPECT_FALSE(m_oGrid.IsEditing());
    m_oGrid.m_bAllowMove = false;
    m_oGrid.m_bAllowBegin = true;
    EXPECT_EQ(m_oGrid.StartEdit(2, 4, 0), GridCtrl::kRefused);
    EXPECT_FALSE(m_oGrid.IsEditing());
}

TEST_F(Editing, FinishingStoresTheTextUnlessCancelledOrRefused) {
    m_oGrid.StartEdit(1, 1, 0);
    m_oGrid.m_bAllowEnd = false;
    EXPECT_EQ(m_oGrid.FinishEdit("refused", 0, 0, 0, 0), GridCtrl::kRefused);
    EXPECT_TRUE(m_oGrid.IsEditing());
    EXPECT_EQ(m_oGrid.GetCellText(1, 1), "1,1");
    EXPECT_TRUE(Editor()->hasFocus());

    m_oGrid.m_bAllowEnd = true;
    m_oGrid.Take();
    EXPECT_EQ(m_oGrid.FinishEdit("stored", 0, 1, 1, 2), GridCtrl::kOk);
    EXPECT_FALSE(m_oGrid.IsEditing());
    EXPECT_FALSE(Editor()->isVisible());
    EXPECT_EQ(m_oGrid.GetCellText(1, 1), "stored");
    EXPECT_EQ(m_oGrid.GetCurrentRow(), 2);
    const QStringList log = m_oGrid.Take();
    EXPECT_EQ(log.first(), "EndEdit 1,1 stored 0");
    EXPECT_TRUE(log.contains("EditMove 1,2"));

    m_oGrid.StartEdit(0, 0, 0);
    EXPECT_EQ(m_oGrid.FinishEdit("thrown away", 1, 0, 0, 0), GridCtrl::kOk);
    EXPECT_EQ(m_oGrid.GetCellText(0, 0), "0,0");
    EXPECT_TRUE(m_oGrid.Take().contains("EndEdit 0,0 thrown away 1"));
}

TEST_F(Editing, CancelEditHidesTheEditorAndGivesTheFocusBack) {
    m_oGrid.StartEdit(2, 3, 0);
    m_oGrid.Take();
    EXPECT_EQ(m_oGrid.CancelEdit(), GridCtrl::kOk);
    EXPECT_FALSE(m_oGrid.IsEditing());
    EXPECT_FALSE(Editor()->isVisible());
    EXPECT_TRUE(m_oGrid.GetArea()->hasFocus());
    EXPECT_EQ(m_oGrid.GetCellText(2, 3), "2,3");
    // No hook hears of it.
    QStringList log = m_oGrid.Take();
    log.removeAll("FocusGained 1");
    EXPECT_TRUE(log.isEmpty());
}

namespace {
class PopupGrid : public RecordingGrid {
public:
    int OnPopupQuery(int col, int row, int section) override {
        Note(QString("PopupQuery %1,%2 %3").arg(col).arg(row).arg(section));
        return m_bAllowPopup;
    }
    void OnPopupCommand(int col, int row, int section, int id) override {
        Note(QString("PopupCommand %1,%2 %3 %4").arg(col).arg(row).arg(section).arg(id));
    }
    bool m_bAllowPopup = true;
};
} // namespace

TEST(GridPopup, TheRightButtonAsksThenOpensTheMenuAndItsCommandsComeBack) {
    PopupGrid grid;
    grid.CreateGrid(true, QRect(0, 0, 300, 200), nullptr, 1);
    grid.Fill(3, 3);
    QAction* low = PartOf<QMenu>(grid)->addAction("Low");
    low->setData(999);
    QAction* command = PartOf<QMenu>(grid)->addAction("Command");
    command->setData(1001);
    const QPoint point = grid.GetCellRect(2, 1).center();

    QTest::mouseClick(grid.GetArea(), Qt::RightButton, Qt::NoModifier, point);
    EXPECT_FALSE(grid.Take().contains("PopupQuery 2,1 1"));
    EXPECT_FALSE(PartOf<QMenu>(grid)->isVisible());

    grid.SetPopupMenuEnabled(1);
    grid.m_bAllowPopup = false;
    QTest::mouseClick(grid.GetArea(), Qt::RightButton, Qt::NoModifier, point);
    EXPECT_TRUE(grid.Take().contains("PopupQuery 2,1 1"));
    EXPECT_FALSE(PartOf<QMenu>(grid)->isVisible());

    grid.m_bAllowPopup = true;
    QTest::mouseClick(grid.GetArea(), Qt::RightButton, Qt::NoModifier, point);
    EXPECT_TRUE(PartOf<QMenu>(grid)->isVisible());
    EXPECT_EQ(grid.GetCurrentColumn(), 2);
    low->trigger();
    command->trigger();
    PartOf<QMenu>(grid)->hide();
    const QStringList log = grid.Take();
    EXPECT_TRUE(log.contains("PopupCommand 2,1 1 1001"));
    EXPECT_FALSE(log.contains("PopupCommand 2,1 1 999"));
}

TEST(StandardGrid, SetsItselfUpWhenCreated) {
    StandardGridCtrl grid(true);
    grid.CreateGrid(true, QRect(0, 0, 300, 200), nullptr, 1);
    const QFont font = grid.GetDefaultFont();
    EXPECT_EQ(font.family(), "Arial");
    EXPECT_EQ(font.pixelSize(), 16);
    EXPECT_EQ(font.weight(), QFont::Normal);
    EXPECT_EQ(PartOf<GridEdit>(grid)->font(), font);
    EXPECT_FALSE(grid.GetTextOverflow());
    EXPECT_TRUE(grid.IsToolTipsEnabled());
    EXPECT_TRUE(grid.IsUpdateEnabled());
    grid.SetColumnCount(40);
    grid.SetRowCount(200);
    // Multi-select is on: the current cell is a selected block.
    grid.GotoCell(1, 1);
    EXPECT_TRUE(grid.IsSelected(1, 1));
    // Both views follow a thumb while it is still held.
    for (GridScrollBar* bar :
         {ScrollBarOf(grid, Qt::Vertical), ScrollBarOf(grid, Qt::Horizontal)}) {
        bar->setSliderDown(true);
        bar->setSliderPosition(bar->minimum() + 5);
    }
    EXPECT_GT(grid.GetTopRow(), 0);
    EXPECT_GT(grid.GetLeftColumn(), 0);
}
