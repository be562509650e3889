#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QWindow>

#include "RecordingGrid.h"
#include "grid/CellType.h"
#include "grid/DropListCellType.h"
#include "grid/GridArea.h"
#include "grid/GridDropList.h"

namespace {

// A grid that writes down what its drop lists report and can add an item or
// refuse a choice.
class DropGrid : public RecordingGrid {
public:
    int OnCellTypeEvent(int type, int col, int row, int event, std::intptr_t param) override {
        const QString where = QString("%1 %2,%3").arg(type).arg(col).arg(row);
        switch (event) {
        case CellType::kEventListOpening: {
            auto* items = reinterpret_cast<QStringList*>(param);
            if (m_bAddExtra) {
                items->append("Extra");
            }
            Note(QString("Opening %1 %2").arg(where).arg(items->size()));
            return 1;
        }
        case CellType::kEventListItemPicked:
            Note(QString("Picked %1 %2").arg(where).arg(param));
            return 1;
        case CellType::kEventListChosen:
            Note(QString("Chosen %1 %2").arg(where, *reinterpret_cast<const QString*>(param)));
            return m_bAllowChoice;
        default:
            return RecordingGrid::OnCellTypeEvent(type, col, row, event, param);
        }
    }
    // Keeps the cell the drop-list type hands its list to remember.
    int OpenDropList(int type, int col, int row, int* listCol, int* listRow) override {
        m_pListCol = listCol;
        m_pListRow = listRow;
        return RecordingGrid::OpenDropList(type, col, row, listCol, listRow);
    }
    bool m_bAddExtra = false;
    bool m_bAllowChoice = true;
    int* m_pListCol = nullptr;
    int* m_pListRow = nullptr;
};

// "Item 1" to "Item n", each ended by a line feed.
QString Items(int count) {
    QString label;
    for (int i = 1; i <= count; ++i) {
        label += QString("Item %1\n").arg(i);
    }
    return label;
}

// A grid of 3 columns by 30 rows, 400 by 400 pixels, in a 16-pixel font (17 high),
// whose cell (1, 2) is a drop list.
class DropLists : public ::testing::Test {
protected:
    DropLists() {
        QFont font("Arial");
        font.setPixelSize(16);
        m_oGrid.SetDefaultFont(font);
        m_oGrid.CreateGrid(true, QRect(0, 0, 400, 400), nullptr, 1);
        m_oGrid.Fill(3, 30);
        MakeList(1, 2, Items(3), "Item 1");
        m_oGrid.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&m_oGrid));
        m_oGrid.GetArea()->setFocus();
        m_oGrid.Take();
    }
    void MakeList(int col, int row, const QString& label, const QString& text) {
        GridCell cell;
        cell.SetCellType(1);
        cell.SetLabel(label);
        cell.SetText(text);
        m_oGrid.SetCell(col, row, cell);
    }
    // Drops the list of a cell from the keyboard.
    void Drop(int col, int row) {
        m_oGrid.GotoCell(col, row);
        QTest::keyClick(m_oGrid.GetArea(), Qt::Key_Down, Qt::ControlModifier);
    }
    QPoint OnButton(int col, int row) {
        const QRect cell = m_oGrid.GetCellRect(col, row);
        return {cell.right() - 4, cell.center().y()};
    }
    GridDropList* List() { return m_oGrid.GetDropList(); }
    // The cell the list remembers: -1 after a choice, -2 after it closed without one.
    int ListCol() const { return *m_oGrid.m_pListCol; }
    int ListRow() const { return *m_oGrid.m_pListRow; }
    // The current cell's button shows sunk: the left edge of its face in shadow.
    bool ButtonDown(int col, int row) {
        const QRect rect = m_oGrid.GetCellRect(col, row);
        const int faceLeft = rect.left() + rect.width() - 1 - m_oGrid.GetVScrollWidth() + 1;
        const QImage image = m_oGrid.GetArea()->grab().toImage();
        return image.pixel(faceLeft, rect.top() + 5) ==
               m_oGrid.palette().color(QPalette::Dark).rgb();
    }
    int ItemHeight() { return QFontMetrics(m_oGrid.GetDefaultFont()).height(); }

    DropGrid m_oGrid;
};

} // namespace

TEST_F(DropLists, TwentyItemsMakeAListSixteenItemsTall) {
    MakeList(1, 2, Items(20), "");
    Drop(1, 2);
    ASSERT_TRUE(List()->IsOpen());
    EXPECT_TRUE(List()->hasFocus());
    EXPECT_EQ(List()->count(), 20);
    EXPECT_EQ(List()->height(), 16 * ItemHeight() + 2);
    // Under the cell, shifted 10 pixels right, as wide as the cell.
    const QRect cell = m_oGrid.GetCellRect(1, 2);
    EXPECT_EQ(List()->geometry(),
              QRect(cell.left() + 10, cell.bottom() + 1, cell.width(), 16 * ItemHeight() + 2));
    EXPECT_EQ(List()->parentWidget(), m_oGrid.GetArea());
    // Sixteen items show, the rest scroll.
    EXPECT_LE(List()->visualItemRect(List()->item(15)).bottom(), List()->viewport()->height());
    EXPECT_GE(List()->visualItemRect(List()->item(16)).top(), List()->viewport()->height());
    EXPECT_TRUE(List()->verticalScrollBar()->isVisible());
}

TEST_F(DropLists, OnlyLinesEndedByALineFeedAreItems) {
    MakeList(1, 2, "One\nTwo", "");
    Drop(1, 2);
    ASSERT_EQ(List()->count(), 1);
    EXPECT_EQ(List()->item(0)->text(), "One");
    // One line of air below the items.
    EXPECT_EQ(List()->height(), 2 * ItemHeight() + 2);
    QTest::keyClick(List(), Qt::Key_Escape);
    MakeList(1, 2, "", "");
    Drop(1, 2);
    EXPECT_EQ(List()->count(), 0);
    EXPECT_EQ(List()->height(), ItemHeight() + 2);
}

TEST_F(DropLists, ItemsAreAsHighAsTheCellsFontOr12WithoutAny) {
    QFont big("Arial");
    big.setPixelSize(24);
    GridCell cell;
    m_oGrid.ReadCell(1, 2, cell);
    cell.SetFont(big);
    m_oGrid.SetCell(1, 2, cell);
    Drop(1, 2);
    EXPECT_EQ(List()->height(), 4 * QFontMetrics(big).height() + 2);
    EXPECT_EQ(List()->font().pixelSize(), 24);
    QTest::keyClick(List(), Qt::Key_Escape);

    DropGrid plain;
    plain.CreateGrid(true, QRect(0, 0, 300, 300), nullptr, 1);
    plain.Fill(2, 5);
    GridCell list;
    list.SetCellType(1);
    list.SetLabel(Items(2));
    plain.SetCell(0, 0, list);
    plain.OpenDropList(1, 0, 0, nullptr, nullptr);
    EXPECT_EQ(plain.GetDropList()->height(), 3 * 12 + 2);
}

TEST_F(DropLists, TheOwnerMayChangeTheItemsBeforeTheListDrops) {
    m_oGrid.m_bAddExtra = true;
    Drop(1, 2);
    EXPECT_EQ(m_oGrid.Take().filter("Opening"), QStringList{"Opening 1 1,2 4"});
    ASSERT_EQ(List()->count(), 4);
    EXPECT_EQ(List()->item(3)->text(), "Extra");
}

TEST_F(DropLists, EnterChoosesTheItemAndTheCellTakesItsText) {
    m_oGrid.GotoCell(1, 2);
    QTest::keyClick(m_oGrid.GetArea(), Qt::Key_Return);
    ASSERT_TRUE(List()->IsOpen());
    // The cell's own value is picked to start with.
    EXPECT_EQ(List()->currentRow(), 0);
    QTest::keyClick(List(), Qt::Key_Down);
    QTest::keyClick(List(), Qt::Key_Return);
    EXPECT_FALSE(List()->IsOpen());
    EXPECT_FALSE(List()->isVisible());
    EXPECT_EQ(m_oGrid.GetCellText(1, 2), "Item 2");
    EXPECT_EQ(m_oGrid.Take().filter(QRegularExpression("^(Picked|Chosen)")),
              (QStringList{"Picked 1 1,2 1", "Chosen 1 1,2 Item 2"}));
    EXPECT_EQ(ListCol(), -1);
    EXPECT_EQ(ListRow(), -1);
    EXPECT_TRUE(m_oGrid.GetArea()->hasFocus());
    // The label stays; only the text changed.
    GridCell cell;
    m_oGrid.ReadCell(1, 2, cell);
    EXPECT_EQ(cell.GetLabel(), Items(3));
}

TEST_F(DropLists, ARefusedChoiceLeavesTheCellAsItWas) {
    m_oGrid.m_bAllowChoice = false;
    Drop(1, 2);
    QTest::keyClick(List(), Qt::Key_End);
    QTest::keyClick(List(), Qt::Key_Return);
    EXPECT_FALSE(List()->IsOpen());
    EXPECT_EQ(m_oGrid.GetCellText(1, 2), "Item 1");
    EXPECT_EQ(ListCol(), -1);
}

TEST_F(DropLists, EscClosesTheListWithoutAChoice) {
    Drop(1, 2);
    QTest::keyClick(List(), Qt::Key_Down);
    QTest::keyClick(List(), Qt::Key_Escape);
    EXPECT_FALSE(List()->IsOpen());
    EXPECT_EQ(m_oGrid.GetCellText(1, 2), "Item 1");
    EXPECT_EQ(ListCol(), DropListCellType::kClosedWithoutChoice);
    EXPECT_TRUE(m_oGrid.Take().filter("Chosen").isEmpty());
    EXPECT_TRUE(m_oGrid.GetArea()->hasFocus());
}

TEST_F(DropLists, AClickElsewhereClosesTheListAndDoesNothingElse) {
    Drop(1, 2);
    m_oGrid.Take();
    QTest::mouseClick(m_oGrid.GetArea(), Qt::LeftButton, Qt::NoModifier,
                      m_oGrid.GetCellRect(0, 5).center());
    EXPECT_FALSE(List()->IsOpen());
    EXPECT_EQ(m_oGrid.GetCurrentColumn(), 1);
    EXPECT_EQ(m_oGrid.GetCurrentRow(), 2);
    EXPECT_EQ(ListCol(), DropListCellType::kClosedWithoutChoice);
    EXPECT_TRUE(m_oGrid.Take().filter("LeftClick").isEmpty());
}

TEST_F(DropLists, TheButtonDropsTheListAndClosesItAgain) {
    QTest::mouseClick(m_oGrid.GetArea(), Qt::LeftButton, Qt::NoModifier, OnButton(1, 2));
    ASSERT_TRUE(List()->IsOpen());
    EXPECT_EQ(m_oGrid.GetCurrentColumn(), 1);
    EXPECT_EQ(m_oGrid.GetCurrentRow(), 2);
    EXPECT_TRUE(ButtonDown(1, 2));
    // The list took the focus, so the release went to no cell; the button is
    // up again once the list closes.
    QTest::mouseClick(m_oGrid.GetArea(), Qt::LeftButton, Qt::NoModifier, OnButton(1, 2));
    EXPECT_FALSE(List()->IsOpen());
    EXPECT_FALSE(ButtonDown(1, 2));
    // A press beside the button is no drop.
    const QRect cell = m_oGrid.GetCellRect(1, 2);
    QTest::mouseClick(m_oGrid.GetArea(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(cell.left() + 5, cell.center().y()));
    EXPECT_FALSE(List()->IsOpen());
    EXPECT_EQ(ListCol(), -1);
}

TEST_F(DropLists, ClicksThroughTheWindowDropAndCloseTheListToo) {
    // As the window system delivers them: the window first, which gives the focus
    // to the cell area before the press reaches it.
    QWindow* window = m_oGrid.windowHandle();
    const QPoint button = m_oGrid.GetArea()->mapTo(&m_oGrid, OnButton(1, 2));
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, button);
    ASSERT_TRUE(List()->IsOpen());
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, button);
    EXPECT_FALSE(List()->IsOpen());
    QApplication::processEvents();
    EXPECT_FALSE(List()->IsOpen());
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, button);
    ASSERT_TRUE(List()->IsOpen());
    const QPoint elsewhere = m_oGrid.GetArea()->mapTo(&m_oGrid, m_oGrid.GetCellRect(0, 6).center());
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, elsewhere);
    QApplication::processEvents();
    EXPECT_FALSE(List()->IsOpen());
    EXPECT_EQ(m_oGrid.GetCurrentRow(), 2);
}

TEST_F(DropLists, ClickingAnItemChoosesIt) {
    Drop(1, 2);
    QWidget* items = List()->viewport();
    QTest::mouseClick(items, Qt::LeftButton, Qt::NoModifier,
                      List()->visualItemRect(List()->item(2)).center());
    EXPECT_FALSE(List()->IsOpen());
    EXPECT_EQ(m_oGrid.GetCellText(1, 2), "Item 3");
}

TEST_F(DropLists, DraggingFromTheButtonOntoAnItemChoosesIt) {
    QWidget* area = m_oGrid.GetArea();
    QTest::mousePress(area, Qt::LeftButton, Qt::NoModifier, OnButton(1, 2));
    ASSERT_TRUE(List()->IsOpen());
    const QRect item = List()->visualItemRect(List()->item(1));
    const QPoint over = area->mapFromGlobal(List()->viewport()->mapToGlobal(item.center()));
    QTest::mouseMove(area, over);
    EXPECT_EQ(List()->currentRow(), 1);
    QTest::mouseRelease(area, Qt::LeftButton, Qt::NoModifier, over);
    EXPECT_FALSE(List()->IsOpen());
    EXPECT_EQ(m_oGrid.GetCellText(1, 2), "Item 2");
}

TEST_F(DropLists, TheListStaysInsideTheCellArea) {
    MakeList(2, 17, Items(20), "");
    // The cell fits; the list beside it would not.
    m_oGrid.SetColumnWidth(2, 190);
    Drop(2, 17);
    ASSERT_TRUE(List()->IsOpen());
    const QRect area = m_oGrid.GetArea()->rect();
    EXPECT_EQ(List()->geometry().bottom(), area.bottom());
    EXPECT_EQ(List()->geometry().right(), area.right());
    EXPECT_EQ(List()->height(), 16 * ItemHeight() + 2);
}

TEST_F(DropLists, AssistiveTechnologyReadsTheListAsTheCells) {
    Drop(1, 2);
    QAccessibleInterface* focused = QAccessible::queryAccessibleInterface(&m_oGrid)->focusChild();
    ASSERT_NE(focused, nullptr);
    EXPECT_EQ(focused, QAccessible::queryAccessibleInterface(List()));
    EXPECT_EQ(focused->text(QAccessible::Name), "Column 2, Row 3");
}
