#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QPaintEvent>
#include <QRegularExpression>
#include <QTest>

#include "CellTypeTestSupport.h"
#include "RecordingGrid.h"
#include "grid/GridArea.h"
#include "grid/GridCornerButton.h"
#include "grid/GridMarkerLine.h"
#include "grid/GridSideHeading.h"
#include "grid/GridTopHeading.h"
#include "grid/NormalCellType.h"

namespace {

using P = DistinctPalette;

// A grid that writes down what its headings tell it and can refuse resizing.
class HeadingGrid : public RecordingGrid {
public:
    int OnColumnResizeQuery(int, int&) override { return m_bAllowCellResize; }
    void OnColumnResizing(int col, int& width) override {
        Note(QString("ColumnResizing %1 %2").arg(col).arg(width));
    }
    void OnColumnResized(int col, int& width) override {
        Note(QString("ColumnResized %1 %2").arg(col).arg(width));
        if (m_nResizedTo >= 0) {
            width = m_nResizedTo;
        }
    }
    int OnRowResizeQuery(int, int&) override { return m_bAllowCellResize; }
    void OnRowResizing(int row, int& height) override {
        Note(QString("RowResizing %1 %2").arg(row).arg(height));
    }
    void OnRowResized(int row, int& height) override {
        Note(QString("RowResized %1 %2").arg(row).arg(height));
    }
    int OnTopHeadingResizeQuery() override { return m_bAllowHeadingResize; }
    int OnSideHeadingResizeQuery() override { return m_bAllowHeadingResize; }
    void OnTopHeadingResizing(int& height) override {
        Note(QString("TopResizing %1").arg(height));
        if (m_nHeadingLimit > 0) {
            height = std::min(height, m_nHeadingLimit);
        }
    }
    void OnTopHeadingResized(int& height) override { Note(QString("TopResized %1").arg(height)); }
    void OnSideHeadingResizing(int& width) override { Note(QString("SideResizing %1").arg(width)); }
    void OnSideHeadingResized(int& width) override { Note(QString("SideResized %1").arg(width)); }
    void OnTopHeadingLeftClick(int col, int row, int down, const QRect&, const QPoint&,
                               int) override {
        Note(QString("TopLeft %1,%2 %3").arg(col).arg(row).arg(down));
    }
    void OnTopHeadingRightClick(int col, int row, int down, const QRect&, const QPoint&,
                                int) override {
        Note(QString("TopRight %1,%2 %3").arg(col).arg(row).arg(down));
    }
    void OnTopHeadingDoubleClick(int col, int row, const QRect&, const QPoint&, int) override {
        Note(QString("TopDouble %1,%2").arg(col).arg(row));
    }
    void OnSideHeadingLeftClick(int col, int row, int down, const QRect&, const QPoint&,
                                int) override {
        Note(QString("SideLeft %1,%2 %3").arg(col).arg(row).arg(down));
    }
    void OnSideHeadingRightClick(int col, int row, int down, const QRect&, const QPoint&,
                                 int) override {
        Note(QString("SideRight %1,%2 %3").arg(col).arg(row).arg(down));
    }
    void OnCornerLeftClick(int down, const QRect&, const QPoint&, int) override {
        Note(QString("CornerLeft %1").arg(down));
    }
    void OnCornerRightClick(int down, const QRect&, const QPoint&, int) override {
        Note(QString("CornerRight %1").arg(down));
    }
    void OnCornerDoubleClick(const QRect&, const QPoint&, int) override { Note("CornerDouble"); }
    int OnPopupQuery(int col, int row, int section) override {
        Note(QString("Popup %1,%2 %3").arg(col).arg(row).arg(section));
        return 0;
    }
    int OnColumnMoveStart(int col) override {
        Note(QString("MoveStart %1").arg(col));
        return m_bAllowMoveStart;
    }
    int OnColumnMoveQuery(int from, int to) override {
        Note(QString("ColumnMove %1>%2").arg(from).arg(to));
        return m_bAllowColumnMove;
    }
    QColor OnDefaultBackColor(int section) override {
        return section == kSectionTopHeading ? QColor(Qt::magenta)
                                             : RecordingGrid::OnDefaultBackColor(section);
    }

    // Only the entries that start with `prefix`.
    QStringList TakeStarting(const QString& prefix) {
        QStringList kept;
        for (const QString& entry : Take()) {
            if (entry.startsWith(prefix)) {
                kept << entry;
            }
        }
        return kept;
    }

    bool m_bAllowCellResize = true;
    bool m_bAllowHeadingResize = true;
    bool m_bAllowMoveStart = true;
    bool m_bAllowColumnMove = true;
    int m_nResizedTo = -1;
    int m_nHeadingLimit = 0;
};

// A normal cell type that writes down the widths and heights it is told of.
class SizeWatchingType : public NormalCellType {
public:
    void OnColumnWidthChanging(int col, int row, int& width) override {
        m_oLog << QString("WidthChanging %1,%2 %3").arg(col).arg(row).arg(width);
    }
    void OnColumnWidthChanged(int col, int row, int& width) override {
        m_oLog << QString("WidthChanged %1,%2 %3").arg(col).arg(row).arg(width);
    }
    QStringList m_oLog;
};

// Collects what a widget paints.
class PaintWatcher : public QObject {
public:
    explicit PaintWatcher(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            m_oRegion += static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }
    QRegion m_oRegion;
};

void Hover(QWidget* widget, const QPoint& point) {
    QMouseEvent move(QEvent::MouseMove, point, widget->mapToGlobal(point), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

// Points at `from`, presses, moves to each of `to` and releases at the last.
void Drag(QWidget* widget, const QPoint& from, std::initializer_list<QPoint> to,
          Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    Hover(widget, from);
    QTest::mousePress(widget, Qt::LeftButton, modifiers, from);
    QPoint last = from;
    for (const QPoint& point : to) {
        QTest::mouseMove(widget, point);
        last = point;
    }
    QTest::mouseRelease(widget, Qt::LeftButton, modifiers, last);
}

Qt::CursorShape CursorAt(QWidget* widget, const QPoint& point) {
    Hover(widget, point);
    return widget->cursor().shape();
}

// A grid of 5 columns of 75 by 30 rows of 20, 400 by 300 pixels, with column titles
// "A" to "E" and row numbers; the side heading is 40 wide, the top heading 20 high.
class Headings : public ::testing::Test {
protected:
    Headings() {
        m_oGrid.setPalette(P::Palette());
        m_oGrid.SetDefaultFont(TestFont());
        m_oGrid.CreateGrid(true, QRect(0, 0, 400, 300), nullptr, 1);
        m_oGrid.Fill(5, 30);
        for (int col = 0; col < 5; ++col) {
            m_oGrid.SetCellText(col, -1, QString(QChar('A' + col)));
        }
        for (int row = 0; row < 30; ++row) {
            m_oGrid.SetCellText(-1, row, QString::asprintf("%2d", row + 1));
        }
        m_oGrid.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&m_oGrid));
        m_oGrid.Take();
    }

    int Width(int col) {
        int width = -1;
        m_oGrid.GetColumnWidth(col, width);
        return width;
    }
    QWidget* Top() { return m_oGrid.GetTopHeading(); }
    QWidget* Side() { return m_oGrid.GetSideHeading(); }
    QWidget* Corner() { return m_oGrid.GetCornerButton(); }

    HeadingGrid m_oGrid;
};

} // namespace

TEST_F(Headings, HeadingCellsAreRaisedButtonsWithCentredTitles) {
    m_oGrid.SetColumnCount(3);
    const QImage top = Top()->grab().toImage();
    KeepImage(top, "TopHeading");
    // Column B: light left and top edges, dark right and bottom ones, the button
    // face inside with the title in its middle.
    EXPECT_EQ(Pixel(top, 75, 5), P::kButtonHighlight);
    EXPECT_EQ(Pixel(top, 100, 0), P::kButtonHighlight);
    EXPECT_EQ(Pixel(top, 149, 5), P::kButtonShadow);
    EXPECT_EQ(Pixel(top, 100, 19), P::kButtonShadow);
    const QRect title = InkBox(top, QRect(76, 1, 73, 18), P::kButtonFace);
    ASSERT_FALSE(title.isEmpty());
    EXPECT_NEAR(title.center().x(), 112, 2);
    EXPECT_NEAR(title.center().y(), 10, 2);
    // Past the last column: the colour the owner gives the top heading.
    EXPECT_EQ(Pixel(top, 230, 10), QColor(Qt::magenta));
    EXPECT_EQ(Pixel(top, top.width() - 1, 10), QColor(Qt::magenta));

    // The row numbers, centred in their cells; and the corner, a raised button.
    const QImage side = Side()->grab().toImage();
    const QRect number = InkBox(side, QRect(1, 61, 38, 18), P::kButtonFace);
    ASSERT_FALSE(number.isEmpty());
    EXPECT_NEAR(number.center().y(), 70, 2);
    EXPECT_NEAR(number.center().x(), 20, 3);
    EXPECT_EQ(Pixel(side, 39, 70), P::kButtonShadow);
    const QImage corner = Corner()->grab().toImage();
    EXPECT_EQ(Pixel(corner, 0, 0), P::kButtonHighlight);
    EXPECT_EQ(Pixel(corner, 39, 10), P::kButtonShadow);
    EXPECT_EQ(Pixel(corner, 20, 10), P::kButtonFace);
}

TEST_F(Headings, TheSideHeadingScrollsWithTheRows) {
    m_oGrid.SetCellText(-1, 10, "WWWW");
    auto topNumber = [&] {
        QApplication::processEvents();
        return InkBox(Side()->grab().toImage(), QRect(1, 1, 38, 18), P::kButtonFace).width();
    };
    const int one = topNumber();
    m_oGrid.SetTopRow(10);
    EXPECT_GT(topNumber(), one + 10);
    m_oGrid.SetTopRow(0);
    EXPECT_EQ(topNumber(), one);
}

TEST_F(Headings, DraggingAColumnBorderMovesAMarkerThenResizesTheColumn) {
    SizeWatchingType type;
    const int typeIndex = m_oGrid.AddCellType(&type);
    GridCell cell;
    cell.SetCellType(typeIndex);
    m_oGrid.SetCell(1, 2, cell);

    // Column B's right border lies at 150 in the heading.
    EXPECT_EQ(CursorAt(Top(), QPoint(110, 10)), Qt::ArrowCursor);
    EXPECT_EQ(CursorAt(Top(), QPoint(152, 10)), Qt::SizeHorCursor);
    QApplication::processEvents();
    PaintWatcher painter(m_oGrid.GetArea());
    QTest::mousePress(Top(), Qt::LeftButton, Qt::NoModifier, QPoint(152, 10));
    QTest::mouseMove(Top(), QPoint(182, 10));
    // The width follows, but only the marker shows it: 2 pixels at the new border.
    EXPECT_EQ(Width(1), 105);
    GridMarkerLine* marker = m_oGrid.GetMarkerLine();
    ASSERT_TRUE(marker->isVisible());
    EXPECT_EQ(marker->geometry(),
              QRect(40 + 180 - 1, 0, 2, m_oGrid.GetArea()->geometry().bottom() + 1));
    QApplication::processEvents();
    // The cells are not repainted until the button comes up: only the strips the
    // marker leaves and covers.
    for (const QRect& painted : painter.m_oRegion) {
        EXPECT_LE(painted.width(), GridMarkerLine::kThickness);
    }
    EXPECT_TRUE(type.m_oLog.contains("WidthChanging 1,2 105"));
    EXPECT_FALSE(type.m_oLog.filter("WidthChanged").size());

    m_oGrid.m_nResizedTo = 100;
    QTest::mouseRelease(Top(), Qt::LeftButton, Qt::NoModifier, QPoint(182, 10));
    EXPECT_FALSE(marker->isVisible());
    // The owner had the last word on the width; the layout follows it.
    EXPECT_EQ(Width(1), 100);
    EXPECT_EQ(m_oGrid.GetCellRect(2, 0).left(), 175);
    EXPECT_EQ(m_oGrid.TakeStarting("Column"),
              (QStringList{"ColumnResizing 1 105", "ColumnResized 1 105"}));
    // The cells heard of the width before the owner changed it.
    EXPECT_TRUE(type.m_oLog.contains("WidthChanged 1,2 105"));
}

TEST_F(Headings, OtherSizingModesResizeAsTheBorderMovesOrNotAtAll) {
    m_oGrid.SetSizingMode(2);
    Hover(Top(), QPoint(150, 10));
    QTest::mousePress(Top(), Qt::LeftButton, Qt::NoModifier, QPoint(150, 10));
    QTest::mouseMove(Top(), QPoint(130, 10));
    EXPECT_FALSE(m_oGrid.GetMarkerLine()->isVisible());
    EXPECT_EQ(m_oGrid.GetCellRect(2, 0).left(), 130);
    QTest::mouseRelease(Top(), Qt::LeftButton, Qt::NoModifier, QPoint(130, 10));
    EXPECT_EQ(Width(1), 55);

    m_oGrid.SetSizingMode(0);
    EXPECT_EQ(CursorAt(Top(), QPoint(130, 10)), Qt::ArrowCursor);
    Drag(Top(), QPoint(130, 10), {QPoint(160, 10)});
    EXPECT_EQ(Width(1), 55);
}

TEST_F(Headings, AColumnDraggedToNothingOpensAgainFromTheBorderBeforeIt) {
    // Past the column's own left edge: the width stops at 0.
    Drag(Top(), QPoint(150, 10), {QPoint(100, 10), QPoint(40, 10)});
    EXPECT_EQ(Width(1), 0);
    EXPECT_EQ(m_oGrid.GetCellRect(2, 0).left(), 75);
    // Column A's border is now also B's; dragging it opens B, not A.
    Drag(Top(), QPoint(75, 10), {QPoint(110, 10)});
    EXPECT_EQ(Width(1), 35);
    EXPECT_EQ(Width(0), 75);
}

TEST_F(Headings, RefusedHeadingResizingShowsNoSizingCursorAnywhereAtTheHeadingEdges) {
    m_oGrid.m_bAllowHeadingResize = false;
    EXPECT_EQ(CursorAt(Top(), QPoint(110, 18)), Qt::ArrowCursor);
    EXPECT_EQ(CursorAt(Side(), QPoint(38, 30)), Qt::ArrowCursor);
    EXPECT_EQ(CursorAt(Corner(), QPoint(38, 5)), Qt::ArrowCursor);
    EXPECT_EQ(CursorAt(Corner(), QPoint(10, 18)), Qt::ArrowCursor);
    Drag(Top(), QPoint(110, 18), {QPoint(110, 40)});
    Drag(Corner(), QPoint(38, 5), {QPoint(80, 5)});
    EXPECT_EQ(m_oGrid.GetTopHeadingHeight(), 20);
    EXPECT_EQ(m_oGrid.GetSideHeadingWidth(), 40);
    // The columns' and rows' own borders still size.
    EXPECT_EQ(CursorAt(Top(), QPoint(150, 18)), Qt::SizeHorCursor);
    EXPECT_EQ(CursorAt(Side(), QPoint(20, 40)), Qt::SizeVerCursor);

    m_oGrid.m_bAllowHeadingResize = true;
    EXPECT_EQ(CursorAt(Top(), QPoint(110, 18)), Qt::SizeVerCursor);
    EXPECT_EQ(CursorAt(Side(), QPoint(38, 30)), Qt::SizeHorCursor);
    EXPECT_EQ(CursorAt(Corner(), QPoint(38, 5)), Qt::SizeHorCursor);
    EXPECT_EQ(CursorAt(Corner(), QPoint(10, 18)), Qt::SizeVerCursor);
    m_oGrid.m_bAllowCellResize = false;
    EXPECT_EQ(CursorAt(Top(), QPoint(150, 10)), Qt::ArrowCursor);
}

TEST_F(Headings, TheHeadingsOwnBordersResizeTheHeadings) {
    Drag(Top(), QPoint(110, 18), {QPoint(110, 24), QPoint(110, 28)});
    EXPECT_EQ(m_oGrid.GetTopHeadingHeight(), 30);
    EXPECT_EQ(m_oGrid.Axis(Qt::Vertical).Size(-1), 30);
    EXPECT_EQ(m_oGrid.GetArea()->geometry().top(), 30);
    EXPECT_EQ(m_oGrid.TakeStarting("Top"),
              (QStringList{"TopResizing 26", "TopResizing 30", "TopResized 30"}));

    // The owner may hold the total back while it is dragged.
    m_oGrid.m_nHeadingLimit = 34;
    Drag(Top(), QPoint(110, 28), {QPoint(110, 60)});
    EXPECT_EQ(m_oGrid.GetTopHeadingHeight(), 34);

    Drag(Side(), QPoint(38, 30), {QPoint(58, 30)});
    EXPECT_EQ(m_oGrid.GetSideHeadingWidth(), 60);
    EXPECT_EQ(m_oGrid.GetArea()->geometry().left(), 60);
    EXPECT_EQ(m_oGrid.TakeStarting("Side"), (QStringList{"SideResizing 60", "SideResized 60"}));
}

TEST_F(Headings, ARowBorderResizesTheRow) {
    // Row 2's bottom border lies at 60 in the side heading.
    EXPECT_EQ(CursorAt(Side(), QPoint(20, 61)), Qt::SizeVerCursor);
    QTest::mousePress(Side(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 61));
    QTest::mouseMove(Side(), QPoint(20, 71));
    GridMarkerLine* marker = m_oGrid.GetMarkerLine();
    ASSERT_TRUE(marker->isVisible());
    EXPECT_EQ(marker->geometry().top(), 20 + 70 - 1);
    EXPECT_EQ(marker->height(), 2);
    QTest::mouseRelease(Side(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 71));
    EXPECT_EQ(m_oGrid.GetRowHeight(2), 30);
    EXPECT_EQ(m_oGrid.GetCellRect(0, 3).top(), 70);
    EXPECT_EQ(m_oGrid.TakeStarting("Row"), (QStringList{"RowResizing 2 30", "RowResized 2 30"}));
}

TEST_F(Headings, TheCornerResizesBothHeadingsAndOtherwiseReportsClicks) {
    Drag(Corner(), QPoint(38, 5), {QPoint(60, 5), QPoint(70, 5)});
    EXPECT_EQ(m_oGrid.GetSideHeadingWidth(), 70);
    EXPECT_EQ(Corner()->width(), 70);
    EXPECT_EQ(m_oGrid.TakeStarting("Side"),
              (QStringList{"SideResizing 60", "SideResizing 70", "SideResized 70"}));
    Drag(Corner(), QPoint(10, 18), {QPoint(10, 35)});
    EXPECT_EQ(m_oGrid.GetTopHeadingHeight(), 35);
    EXPECT_EQ(m_oGrid.GetArea()->geometry().topLeft(), QPoint(70, 35));

    m_oGrid.Take();
    m_oGrid.SetPopupMenuEnabled(1);
    Hover(Corner(), QPoint(10, 5));
    QTest::mouseClick(Corner(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 5));
    QTest::mouseClick(Corner(), Qt::RightButton, Qt::NoModifier, QPoint(10, 5));
    QTest::mouseDClick(Corner(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 5));
    QTest::mouseRelease(Corner(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 5));
    QStringList log = m_oGrid.Take();
    log.removeAll("FocusGained 1");
    EXPECT_EQ(log, (QStringList{"CornerLeft 1", "CornerLeft 0", "CornerRight 1", "Popup -1,-1 4",
                                "CornerRight 0", "CornerDouble", "CornerLeft 0"}));
}

TEST_F(Headings, HeadingClicksReachTheHooksWithTheirCellsAndSections) {
    m_oGrid.SetPopupMenuEnabled(1);
    QTest::mouseClick(Top(), Qt::LeftButton, Qt::NoModifier, QPoint(180, 10));
    QTest::mouseClick(Top(), Qt::RightButton, Qt::NoModifier, QPoint(180, 10));
    QTest::mouseDClick(Top(), Qt::LeftButton, Qt::NoModifier, QPoint(180, 10));
    QTest::mouseRelease(Top(), Qt::LeftButton, Qt::NoModifier, QPoint(180, 10));
    QTest::mouseClick(Side(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 70));
    QTest::mouseClick(Side(), Qt::RightButton, Qt::NoModifier, QPoint(20, 70));
    QStringList log = m_oGrid.Take();
    log.removeAll("FocusGained 1");
    log = log.filter(QRegularExpression("^(Top|Side|Popup)"));
    EXPECT_EQ(log, (QStringList{"TopLeft 2,-1 1", "TopLeft 2,-1 0", "TopRight 2,-1 1",
                                "Popup 2,-1 2", "TopRight 2,-1 0", "TopDouble 2,-1",
                                "TopLeft 2,-1 0", "SideLeft -1,3 1", "SideLeft -1,3 0",
                                "SideRight -1,3 1", "Popup -1,3 3", "SideRight -1,3 0"}));
    // A press in a heading gives the cell area the focus; without multi-select the
    // current cell stays.
    EXPECT_TRUE(m_oGrid.GetArea()->hasFocus());
    EXPECT_EQ(m_oGrid.GetCurrentColumn(), 0);
    EXPECT_TRUE(m_oGrid.GetSelection().IsEmpty());
}

TEST_F(Headings, AColumnHeadingSelectsTheWholeColumn) {
    m_oGrid.SetMultiSelect(1);
    m_oGrid.SetTopRow(5);
    QTest::mouseClick(Top(), Qt::LeftButton, Qt::NoModifier, QPoint(180, 10));
    EXPECT_EQ(m_oGrid.GetCurrentColumn(), 2);
    EXPECT_EQ(m_oGrid.GetCurrentRow(), 0);
    ASSERT_EQ(m_oGrid.GetSelection().GetBlockCount(), 1);
    EXPECT_EQ(m_oGrid.GetSelection().BoundingBox(), QRect(2, 0, 1, 30));
    EXPECT_EQ(m_oGrid.GetMovingColumn(), 2);
    EXPECT_EQ(m_oGrid.GetMovingRow(), 29);

    // Shift: from the current block's anchor column; Ctrl: one block more.
    QTest::mouseClick(Top(), Qt::LeftButton, Qt::ShiftModifier, QPoint(320, 10));
    EXPECT_EQ(m_oGrid.GetSelection().GetCurrentBlock()->Cells(), QRect(2, 0, 3, 30));
    EXPECT_EQ(m_oGrid.GetCurrentColumn(), 2);
    QTest::mouseClick(Top(), Qt::LeftButton, Qt::ControlModifier, QPoint(30, 10));
    EXPECT_EQ(m_oGrid.GetSelection().GetBlockCount(), 3);
    EXPECT_EQ(m_oGrid.GetCurrentColumn(), 0);
    EXPECT_EQ(m_oGrid.IsSelected(3, 17) > 0, true);

    // Dragging over the headings takes in the columns passed.
    Drag(Top(), QPoint(110, 10), {QPoint(190, 10), QPoint(260, 10)});
    ASSERT_EQ(m_oGrid.GetSelection().GetBlockCount(), 1);
    EXPECT_EQ(m_oGrid.GetSelection().BoundingBox(), QRect(1, 0, 3, 30));
    EXPECT_EQ(m_oGrid.GetCurrentColumn(), 1);
    EXPECT_EQ(m_oGrid.GetMovingColumn(), 3);
    EXPECT_EQ(m_oGrid.GetMovingRow(), 29);
}

TEST_F(Headings, ARowNumberSelectsTheWholeRow) {
    m_oGrid.SetMultiSelect(1);
    QTest::mouseClick(Side(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 70));
    EXPECT_EQ(m_oGrid.GetCurrentColumn(), 0);
    EXPECT_EQ(m_oGrid.GetCurrentRow(), 3);
    EXPECT_EQ(m_oGrid.GetSelection().BoundingBox(), QRect(0, 3, 5, 1));
    Drag(Side(), QPoint(20, 30), {QPoint(20, 95)});
    EXPECT_EQ(m_oGrid.GetSelection().BoundingBox(), QRect(0, 1, 5, 4));
    EXPECT_EQ(m_oGrid.GetMovingColumn(), 4);
    EXPECT_EQ(m_oGrid.GetMovingRow(), 4);
    // The keys go on from the moving end.
    QTest::keyClick(m_oGrid.GetArea(), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(m_oGrid.GetSelection().BoundingBox(), QRect(0, 1, 5, 5));
}

TEST_F(Headings, AColumnIsMovedToWhereItsHeadingIsDropped) {
    m_oGrid.SetColumnMoving(1);
    m_oGrid.SetMultiSelect(1);
    Hover(Top(), QPoint(37, 10));
    QTest::mousePress(Top(), Qt::LeftButton, Qt::NoModifier, QPoint(37, 10));
    // Past the middle of column C: in front of D.
    QTest::mouseMove(Top(), QPoint(200, 10));
    // The marker stands in front of D, and A's heading shows as the one moving.
    ASSERT_TRUE(m_oGrid.GetMarkerLine()->isVisible());
    EXPECT_EQ(m_oGrid.GetMarkerLine()->geometry().left(), 40 + 225 - 1);
    // The column being moved shows as selected.
    const QImage image = Top()->grab().toImage();
    EXPECT_EQ(Pixel(image, 10, 10), P::kHighlight);
    QTest::mouseRelease(Top(), Qt::LeftButton, Qt::NoModifier, QPoint(200, 10));

    EXPECT_FALSE(m_oGrid.GetMarkerLine()->isVisible());
    EXPECT_EQ(m_oGrid.TakeStarting("ColumnMove"), QStringList{"ColumnMove 0>2"});
    EXPECT_EQ(m_oGrid.GetCellText(2, 0), "0,0");
    EXPECT_EQ(m_oGrid.GetCellText(2, -1), "A");
    EXPECT_EQ(m_oGrid.GetCellText(0, 0), "1,0");
    // While columns move, their headings select nothing.
    EXPECT_TRUE(m_oGrid.GetSelection().GetBlockCount() <= 1);
    EXPECT_EQ(m_oGrid.IsSelected(2, 10), 0);

    // Leftwards, in front of B; refused, nothing moves.
    Drag(Top(), QPoint(280, 10), {QPoint(90, 10)});
    EXPECT_EQ(m_oGrid.TakeStarting("ColumnMove"), QStringList{"ColumnMove 3>1"});
    EXPECT_EQ(m_oGrid.GetCellText(1, 0), "3,0");
    m_oGrid.m_bAllowColumnMove = false;
    Drag(Top(), QPoint(30, 10), {QPoint(200, 10)});
    EXPECT_EQ(m_oGrid.GetCellText(0, 0), "1,0");
    m_oGrid.Take();
    m_oGrid.m_bAllowMoveStart = false;
    Drag(Top(), QPoint(30, 10), {QPoint(200, 10)});
    EXPECT_TRUE(m_oGrid.TakeStarting("ColumnMove").isEmpty());
}

TEST_F(Headings, AColumnDraggedPastTheHeadingScrollsTheView) {
    m_oGrid.SetColumnCount(20);
    m_oGrid.SetColumnMoving(1);
    m_oGrid.SetBallistics(0, 5);
    Hover(Top(), QPoint(110, 10));
    QTest::mousePress(Top(), Qt::LeftButton, Qt::NoModifier, QPoint(110, 10));
    QTest::mouseMove(Top(), QPoint(Top()->width() + 20, 10));
    EXPECT_TRUE(QTest::qWaitFor([&] { return m_oGrid.GetLeftColumn() >= 3; }));
    QTest::mouseRelease(Top(), Qt::LeftButton, Qt::NoModifier, QPoint(Top()->width() + 20, 10));
    const int left = m_oGrid.GetLeftColumn();
    QTest::qWait(20);
    EXPECT_EQ(m_oGrid.GetLeftColumn(), left);
    // Dropped after the last column shown.
    EXPECT_EQ(m_oGrid.TakeStarting("ColumnMove").size(), 1);
}

TEST_F(Headings, HeadingCellsReportTheirSizesToAssistiveTechnology) {
    QAccessibleTableInterface* table =
        QAccessible::queryAccessibleInterface(&m_oGrid)->tableInterface();
    ASSERT_NE(table, nullptr);
    QAccessibleInterface* header =
        table->cellAt(0, 1)->tableCellInterface()->columnHeaderCells().first();
    EXPECT_EQ(header->text(QAccessible::Name), "B");
    EXPECT_EQ(header->rect().size(), QSize(75, 20));
    Drag(Top(), QPoint(150, 10), {QPoint(170, 10)});
    Drag(Top(), QPoint(110, 18), {QPoint(110, 28)});
    EXPECT_EQ(header->rect().size(), QSize(95, 30));
    EXPECT_EQ(header->rect().topLeft(), Top()->mapToGlobal(QPoint(75, 0)));
    QAccessibleInterface* rowHeader =
        table->cellAt(2, 0)->tableCellInterface()->rowHeaderCells().first();
    Drag(Side(), QPoint(20, 60), {QPoint(20, 52)});
    EXPECT_EQ(rowHeader->rect().size(), QSize(40, 12));
}
