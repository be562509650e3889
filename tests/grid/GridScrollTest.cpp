#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QTest>
#include <QToolTip>
#include <QWheelEvent>

#include "RecordingGrid.h"
#include "grid/GridArea.h"
#include "grid/GridHint.h"
#include "grid/GridScrollBar.h"
#include "grid/GridSheetTabs.h"
#include "grid/GridSideHeading.h"

namespace {

// A grid that names the rows and columns under a dragged thumb, and writes down
// its popup questions and the tabs selected.
class ScrollGrid : public RecordingGrid {
public:
    int OnRowScrollHint(int row, QString& text) override {
        text = QString("Row %1").arg(row);
        return 1;
    }
    int OnColumnScrollHint(int col, QString& text) override {
        text = QString("Column %1").arg(col);
        return 1;
    }
    int OnPopupQuery(int col, int row, int section) override {
        Note(QString("Popup %1,%2 %3").arg(col).arg(row).arg(section));
        return 0;
    }
    void OnSheetTabSelected(int id) override { Note(QString("Tab %1").arg(id)); }
    int OnCellHint(int col, int row, int section, QString& text) override {
        if (m_bOwnHints) {
            text = QString("cell %1,%2").arg(col).arg(row);
            return col != 0;
        }
        return RecordingGrid::OnCellHint(col, row, section, text);
    }
    bool m_bOwnHints = false;
};

// A grid of 5 columns by 30 rows, 400 by 300 pixels: 13 whole rows show.
class Scrolling : public ::testing::Test {
protected:
    Scrolling() {
        m_oGrid.CreateGrid(true, QRect(0, 0, 400, 300), nullptr, 1);
        m_oGrid.Fill(5, 30);
        m_oGrid.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&m_oGrid));
        m_oGrid.Take();
    }
    GridScrollBar* VBar() { return ScrollBarOf(m_oGrid, Qt::Vertical); }
    GridScrollBar* HBar() { return ScrollBarOf(m_oGrid, Qt::Horizontal); }
    // Drags a thumb to `position` and, unless told to hold it, lets it go.
    void DragThumb(QScrollBar* bar, int position, bool release = true) {
        bar->setSliderDown(true);
        bar->setSliderPosition(position);
        if (release) {
            bar->setSliderDown(false);
        }
    }
    // Where the hint window stands, in the grid's coordinates.
    QRect HintRect() {
        const GridHint* hint = m_oGrid.GetHint();
        return {m_oGrid.mapFromGlobal(hint->geometry().topLeft()), hint->size()};
    }
    // Rows so many that the highest top row is `highest`.
    void RowsUpTo(int highest) {
        m_oGrid.SetRowCount(highest);
        const int shown = highest - m_oGrid.Axis(Qt::Vertical).HighestFirst();
        m_oGrid.SetRowCount(highest + shown);
        ASSERT_EQ(m_oGrid.Axis(Qt::Vertical).HighestFirst(), highest);
    }

    ScrollGrid m_oGrid;
};

} // namespace

TEST_F(Scrolling, AThumbHalfwayAlong5000ScrollableRowsShowsRow2500) {
    RowsUpTo(5000);
    EXPECT_EQ(VBar()->minimum(), 0);
    EXPECT_EQ(VBar()->maximum(), 1000);
    // Each step of the thumb stands for five rows.
    m_oGrid.SetTopRow(5);
    EXPECT_EQ(VBar()->value(), 1);
    m_oGrid.SetTopRow(0);
    // Scroll mode 0: the view moves when the thumb is let go.
    DragThumb(VBar(), 500, false);
    EXPECT_EQ(m_oGrid.GetTopRow(), 0);
    VBar()->setSliderDown(false);
    EXPECT_EQ(m_oGrid.GetTopRow(), 2500);
    EXPECT_EQ(m_oGrid.GetCurrentRow(), 0);
    // The thumb follows the view.
    m_oGrid.SetTopRow(1000);
    EXPECT_EQ(VBar()->value(), 200);
    m_oGrid.GotoRow(m_oGrid.GetRowCount() - 1);
    EXPECT_EQ(VBar()->value(), 1000);

    // Scroll mode 1: the view follows the thumb as it moves.
    m_oGrid.SetVScrollMode(1);
    DragThumb(VBar(), 100, false);
    EXPECT_EQ(m_oGrid.GetTopRow(), 500);
    VBar()->setSliderDown(false);
    EXPECT_EQ(m_oGrid.GetTopRow(), 500);
}

TEST_F(Scrolling, UpTo1000ScrollableRowsTheBarCountsRows) {
    RowsUpTo(1000);
    EXPECT_EQ(VBar()->maximum(), 1000);
    m_oGrid.SetTopRow(7);
    EXPECT_EQ(VBar()->value(), 7);
    m_oGrid.SetTopRow(0);
    EXPECT_EQ(VBar()->pageStep(), m_oGrid.GetArea()->height() / 20);
    DragThumb(VBar(), 321);
    EXPECT_EQ(m_oGrid.GetTopRow(), 321);
    // A new row count brings a new range.
    m_oGrid.SetRowCount(60);
    EXPECT_EQ(VBar()->maximum(), m_oGrid.Axis(Qt::Vertical).HighestFirst());
    EXPECT_EQ(VBar()->value(), m_oGrid.GetTopRow());
}

TEST_F(Scrolling, WhenAllRowsFitTheBarHidesAndLineDownDoesNothing) {
    m_oGrid.SetRowCount(5);
    EXPECT_FALSE(VBar()->isVisibleTo(&m_oGrid));
    VBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    VBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(m_oGrid.GetTopRow(), 0);
    m_oGrid.SetRowCount(14);
    EXPECT_TRUE(VBar()->isVisibleTo(&m_oGrid));
    VBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(m_oGrid.GetTopRow(), 1);
}

TEST_F(Scrolling, ArrowsAndTroughScrollByRowsAndLeaveTheCurrentCell) {
    // Drag a selection first: a move after the bar's must start afresh, not extend the drag.
    m_oGrid.SetMultiSelect(1);
    QWidget* area = m_oGrid.GetArea();
    QTest::mousePress(area, Qt::LeftButton, Qt::NoModifier, m_oGrid.GetCellRect(0, 0).center());
    QTest::mouseMove(area, m_oGrid.GetCellRect(1, 1).center());
    QTest::mouseRelease(area, Qt::LeftButton, Qt::NoModifier, m_oGrid.GetCellRect(1, 1).center());
    ASSERT_TRUE(m_oGrid.IsSelected(1, 1));
    m_oGrid.GotoCell(2, 3);
    m_oGrid.SetRowHeight(2, 0);
    VBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(m_oGrid.GetTopRow(), 1);
    // A row of height 0 is stepped over.
    VBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(m_oGrid.GetTopRow(), 3);
    VBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(m_oGrid.GetTopRow(), 1);
    m_oGrid.GotoCell(3, 3);
    EXPECT_FALSE(m_oGrid.IsSelected(0, 0));
    EXPECT_TRUE(m_oGrid.IsSelected(3, 3));
    m_oGrid.GotoCell(2, 3);
    // A page on: the row under the last whole one comes to the top.
    VBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(m_oGrid.GetTopRow(), 1 + m_oGrid.Axis(Qt::Vertical).Page(0, 1));
    VBar()->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(m_oGrid.GetTopRow(), m_oGrid.Axis(Qt::Vertical).HighestFirst());
    EXPECT_EQ(VBar()->value(), m_oGrid.GetTopRow());
    VBar()->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(m_oGrid.GetTopRow(), 0);
    EXPECT_EQ(m_oGrid.GetCurrentColumn(), 2);
    EXPECT_EQ(m_oGrid.GetCurrentRow(), 3);
    EXPECT_TRUE(m_oGrid.GetArea()->hasFocus());
    // The owner may refuse a scroll; the thumb stays with the view.
    m_oGrid.m_bAllowScroll = false;
    VBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(m_oGrid.GetTopRow(), 0);
    EXPECT_EQ(VBar()->value(), 0);
}

TEST_F(Scrolling, ScrollModeTwoKeepsTheThumbInTheMiddle) {
    m_oGrid.SetVScrollMode(2);
    m_oGrid.UpdateScrollBars();
    EXPECT_EQ(VBar()->minimum(), 0);
    EXPECT_EQ(VBar()->maximum(), 2);
    EXPECT_EQ(VBar()->value(), 1);
    VBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(m_oGrid.GetTopRow(), 1);
    EXPECT_EQ(VBar()->value(), 1);
    DragThumb(VBar(), 2);
    EXPECT_EQ(m_oGrid.GetTopRow(), 1);
    EXPECT_EQ(VBar()->value(), 1);
}

TEST_F(Scrolling, TheHorizontalBarCountsTheScrollingColumns) {
    m_oGrid.SetColumnCount(20);
    m_oGrid.SetLockedColumns(2);
    EXPECT_EQ(HBar()->minimum(), 0);
    EXPECT_EQ(HBar()->maximum(), m_oGrid.Axis(Qt::Horizontal).HighestFirst() - 2);
    m_oGrid.SetHScrollMode(1);
    DragThumb(HBar(), 3, false);
    EXPECT_EQ(m_oGrid.GetLeftColumn(), 5);
    HBar()->setSliderDown(false);
    HBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(m_oGrid.GetLeftColumn(), 4);
    EXPECT_EQ(HBar()->value(), 2);
}

TEST_F(Scrolling, TheHintNamesTheRowBesideTheDraggedThumb) {
    RowsUpTo(5000);
    DragThumb(VBar(), 500, false);
    EXPECT_FALSE(m_oGrid.GetHint()->isVisible());
    VBar()->setSliderDown(false);

    m_oGrid.SetVScrollHint(1);
    DragThumb(VBar(), 400, false);
    GridHint* hint = m_oGrid.GetHint();
    ASSERT_TRUE(hint->isVisible());
    EXPECT_EQ(hint->GetText(), "Row 2000");
    // Right-aligned to the bar's left edge, at least 40 wide, centred on the
    // pointer's height (here the thumb's middle), black on light yellow.
    const QRect rect = HintRect();
    EXPECT_EQ(rect.right(), VBar()->geometry().left());
    EXPECT_GE(rect.width(), 40);
    EXPECT_EQ(rect.height(), hint->GetLineHeight() + 2);
    const QImage image = hint->grab().toImage();
    EXPECT_EQ(image.pixelColor(2, 1), GridHint::kBackColor);
    EXPECT_EQ(image.pixelColor(0, 0), GridHint::kTextColor);
    VBar()->setSliderDown(false);
    EXPECT_FALSE(hint->isVisible());
}

TEST_F(Scrolling, TheHintNamesTheColumnAboveTheDraggedThumb) {
    m_oGrid.SetColumnCount(40);
    m_oGrid.SetHScrollHint(1);
    DragThumb(HBar(), 7, false);
    GridHint* hint = m_oGrid.GetHint();
    ASSERT_TRUE(hint->isVisible());
    EXPECT_EQ(hint->GetText(), "Column 7");
    const QRect rect = HintRect();
    EXPECT_EQ(rect.bottom(), HBar()->geometry().top());
    EXPECT_GE(rect.width(), 20);
    HBar()->setSliderDown(false);
    EXPECT_FALSE(hint->isVisible());
    EXPECT_EQ(m_oGrid.GetLeftColumn(), 7);
}

TEST_F(Scrolling, TheHintIsPlacedByItsFlagsInsideTheGrid) {
    GridHint* hint = m_oGrid.GetHint();
    hint->ShowHint("Placed", QPoint(100, 100), 0, 10);
    EXPECT_EQ(HintRect().topLeft(), QPoint(100, 100));
    EXPECT_EQ(hint->geometry().topLeft(), m_oGrid.mapToGlobal(QPoint(100, 100)));
    hint->ShowHint("Placed", QPoint(100, 100), GridHint::kCentre | GridHint::kVCentre, 200);
    EXPECT_EQ(HintRect().width(), 200);
    EXPECT_EQ(HintRect().center().x(), 99);
    hint->ShowHint("Placed", QPoint(100, 100), GridHint::kRight | GridHint::kBottom, 10);
    EXPECT_EQ(HintRect().bottomRight(), QPoint(100, 100));
    hint->ShowHint("Placed", QPoint(390, 295), 0, 100);
    EXPECT_EQ(HintRect().bottomRight().x(), 399);
    EXPECT_LE(HintRect().bottom(), 299);
    hint->HideHint();
    EXPECT_FALSE(hint->isVisible());
}

TEST_F(Scrolling, RightClicksOnTheBarsAskForTheGridsMenuWithTheirSections) {
    m_oGrid.SetColumnCount(20);
    m_oGrid.SetPopupMenuEnabled(1);
    m_oGrid.GotoCell(1, 2);
    m_oGrid.Take();
    QContextMenuEvent vertical(QContextMenuEvent::Mouse, QPoint(5, 50), QPoint(5, 50));
    QApplication::sendEvent(VBar(), &vertical);
    QContextMenuEvent horizontal(QContextMenuEvent::Mouse, QPoint(50, 5), QPoint(50, 5));
    QApplication::sendEvent(HBar(), &horizontal);
    EXPECT_EQ(m_oGrid.Take(), (QStringList{"Popup 1,2 6", "Popup 1,2 5"}));
}

TEST_F(Scrolling, CellToolTipsNameTheCellTheyShowFor) {
    auto tipAt = [&](int col, int row) {
        QToolTip::hideText();
        EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }));
        const QPoint point = m_oGrid.GetCellRect(col, row).center();
        QHelpEvent help(QEvent::ToolTip, point, m_oGrid.GetArea()->mapToGlobal(point));
        QApplication::sendEvent(m_oGrid.GetArea(), &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    EXPECT_EQ(tipAt(2, 3), QString());
    m_oGrid.SetToolTipsEnabled(1);
    EXPECT_EQ(tipAt(2, 3), "Col:2 Row:3");
    // Moving on to another cell takes the tip away.
    const QPoint other = m_oGrid.GetCellRect(3, 3).center();
    QMouseEvent move(QEvent::MouseMove, other, m_oGrid.GetArea()->mapToGlobal(other), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(m_oGrid.GetArea(), &move);
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }));
    // The owner's text, and none where the owner gives none.
    m_oGrid.m_bOwnHints = true;
    EXPECT_EQ(tipAt(1, 4), "cell 1,4");
    EXPECT_EQ(tipAt(0, 4), QString());
    m_oGrid.SetToolTipsEnabled(0);
    EXPECT_EQ(tipAt(1, 4), QString());
}

TEST_F(Scrolling, SheetTabsSelectByTheirIdsAndScrollIntoView) {
    m_oGrid.SetTabStripWidth(150);
    GridSheetTabs* tabs = PartOf<GridSheetTabs>(m_oGrid);
    ASSERT_TRUE(tabs->isVisibleTo(&m_oGrid));
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(m_oGrid.AddSheetTab(QString("Sheet %1").arg(i + 1), 10 * (i + 1)), i);
    }
    // The active tab is the one filled in the window colour.
    auto active = [tabs] {
        const QImage image = tabs->grab().toImage();
        const QRgb window = tabs->palette().color(QPalette::Base).rgb();
        for (int i = 0; i < tabs->GetTabCount(); ++i) {
            const QRect tab = tabs->TabRect(i).intersected(image.rect());
            int filled = 0;
            for (int y = tab.top(); y <= tab.bottom(); ++y) {
                for (int x = tab.left(); x <= tab.right(); ++x) {
                    filled += image.pixel(x, y) == window ? 1 : 0;
                }
            }
            if (!tab.isEmpty() && filled * 2 > tab.width() * tab.height()) {
                return i;
            }
        }
        return -1;
    };
    EXPECT_EQ(active(), 0);
    // Scrolled, the tabs stand left of where they start.
    const int start = tabs->TabRect(0).left();
    // Six tabs do not fit: the arrows show, and a tab half out of view is brought
    // wholly in when clicked.
    const QRect right = tabs->ArrowRect(1);
    ASSERT_FALSE(right.isNull());
    int partly = -1;
    for (int i = 0; i < 6 && partly < 0; ++i) {
        if (tabs->TabRect(i).right() >= tabs->width() - 4) {
            partly = i;
        }
    }
    ASSERT_GT(partly, 0);
    const QRect before = tabs->TabRect(partly);
    QTest::mouseClick(tabs, Qt::LeftButton, Qt::NoModifier,
                      QPoint(before.left() + 8, before.center().y()));
    EXPECT_EQ(active(), partly);
    EXPECT_EQ(m_oGrid.Take().filter("Tab"), QStringList{QString("Tab %1").arg(10 * (partly + 1))});
    EXPECT_LT(tabs->TabRect(0).left(), start);
    EXPECT_LE(tabs->TabRect(partly).right(), tabs->width() - 5);
    // The left arrow goes back tab by tab to the first.
    for (int i = 0; i < 10; ++i) {
        QTest::mouseClick(tabs, Qt::LeftButton, Qt::NoModifier, tabs->ArrowRect(0).center());
    }
    EXPECT_EQ(tabs->TabRect(0).left(), start);
    QTest::mouseClick(tabs, Qt::LeftButton, Qt::NoModifier, right.center());
    EXPECT_EQ(tabs->TabRect(1).left(), start);

    for (int i = 6; i < GridSheetTabs::kMaxTabs; ++i) {
        m_oGrid.AddSheetTab("More", i);
    }
    EXPECT_EQ(m_oGrid.AddSheetTab("One too many", 99), -1);
}

TEST_F(Scrolling, TheTabStripsEdgeDragsItsWidthButNotBelow40) {
    m_oGrid.SetTabStripWidth(150);
    m_oGrid.SetPopupMenuEnabled(1);
    GridSheetTabs* tabs = PartOf<GridSheetTabs>(m_oGrid);
    const QPoint edge(tabs->width() - 2, 5);
    QTest::mousePress(tabs, Qt::LeftButton, Qt::NoModifier, edge);
    QTest::mouseMove(tabs, edge + QPoint(50, 0));
    EXPECT_EQ(tabs->width(), 200);
    EXPECT_EQ(HBar()->geometry().left(), 200);
    QTest::mouseMove(tabs, edge - QPoint(300, 0));
    EXPECT_EQ(tabs->width(), GridSheetTabs::kMinWidth);
    QTest::mouseRelease(tabs, Qt::LeftButton, Qt::NoModifier, edge - QPoint(300, 0));
    // Released: moving over the edge again no longer drags it.
    QTest::mouseMove(tabs, QPoint(tabs->width() - 2, 5) + QPoint(50, 0));
    EXPECT_EQ(tabs->width(), GridSheetTabs::kMinWidth);
    EXPECT_EQ(HBar()->geometry().left(), 40);
    m_oGrid.Take();
    QTest::mouseClick(tabs, Qt::RightButton, Qt::NoModifier, QPoint(10, 5));
    EXPECT_EQ(m_oGrid.Take(), QStringList{"Popup 0,0 7"});
}

TEST_F(Scrolling, TheWheelScrollsByLinesOrColumnsButNotUnderAnOpenEditor) {
    m_oGrid.SetColumnCount(20);
    auto turn = [&](QWidget* widget, QPoint delta, Qt::KeyboardModifiers modifiers) {
        const QPointF at(10, 10);
        QWheelEvent wheel(at, widget->mapToGlobal(at), QPoint(), delta, Qt::NoButton, modifiers,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(widget, &wheel);
    };
    const int lines = QApplication::wheelScrollLines();
    turn(m_oGrid.GetArea(), QPoint(0, -120), Qt::NoModifier);
    EXPECT_EQ(m_oGrid.GetTopRow(), lines);
    // Half a turn is kept until the other half comes.
    turn(m_oGrid.GetArea(), QPoint(0, 60), Qt::NoModifier);
    EXPECT_EQ(m_oGrid.GetTopRow(), lines);
    turn(m_oGrid.GetArea(), QPoint(0, 60), Qt::NoModifier);
    EXPECT_EQ(m_oGrid.GetTopRow(), 0);
    // Columns: with Shift, sideways, or over the horizontal bar; the side heading
    // scrolls the rows like the cells.
    turn(m_oGrid.GetArea(), QPoint(0, -120), Qt::ShiftModifier);
    EXPECT_EQ(m_oGrid.GetLeftColumn(), 1);
    turn(m_oGrid.GetArea(), QPoint(-240, 0), Qt::NoModifier);
    EXPECT_EQ(m_oGrid.GetLeftColumn(), 3);
    turn(HBar(), QPoint(0, 120), Qt::NoModifier);
    EXPECT_EQ(m_oGrid.GetLeftColumn(), 2);
    turn(m_oGrid.GetSideHeading(), QPoint(0, -120), Qt::NoModifier);
    EXPECT_EQ(m_oGrid.GetTopRow(), lines);
    EXPECT_EQ(m_oGrid.GetCurrentRow(), 0);

    m_oGrid.StartEdit(1, lines + 1, 0);
    turn(m_oGrid.GetArea(), QPoint(0, -120), Qt::NoModifier);
    EXPECT_EQ(m_oGrid.GetTopRow(), lines);
    m_oGrid.CancelEdit();
}
