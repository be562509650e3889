#include <gtest/gtest.h>

#include <QAccessible>
#include <QTest>

#include "RecordingGrid.h"
#include "grid/GridArea.h"

namespace {

// A 3 by 4 grid with headings, read through Qt's accessibility.
class GridAccessibility : public ::testing::Test {
protected:
    GridAccessibility() {
        m_oGrid.CreateGrid(true, QRect(0, 0, 400, 300), nullptr, 1);
        m_oGrid.Fill(3, 4);
        m_oGrid.SetCellText(0, -1, "Heading");
        m_oGrid.SetCellText(1, -1, "Data");
        for (int row = 0; row < 4; ++row) {
            m_oGrid.SetCellText(-1, row, QString::asprintf("%2d", row + 1));
        }
        m_oGrid.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&m_oGrid));
    }

    QAccessibleInterface* Table() { return QAccessible::queryAccessibleInterface(&m_oGrid); }
    QAccessibleTableInterface* TableOf() { return Table()->tableInterface(); }

    RecordingGrid m_oGrid;
};

} // namespace

TEST_F(GridAccessibility, TheGridIsATableOfItsCells) {
    QAccessibleInterface* table = Table();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->role(), QAccessible::Table);
    QAccessibleTableInterface* cells = table->tableInterface();
    ASSERT_NE(cells, nullptr);
    EXPECT_EQ(cells->columnCount(), 3);
    EXPECT_EQ(cells->rowCount(), 4);
    QAccessibleInterface* cell = cells->cellAt(2, 1);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->text(QAccessible::Name), "1,2");
    EXPECT_EQ(cell->role(), QAccessible::Cell);
    EXPECT_EQ(cell->parent(), table);
    EXPECT_EQ(table->child(table->indexOfChild(cell)), cell);
    // The same interface each time, until the table changes shape.
    EXPECT_EQ(cells->cellAt(2, 1), cell);
    EXPECT_EQ(cells->cellAt(4, 0), nullptr);
    EXPECT_EQ(table->childCount(), 5 * 4);
    // The rectangle is the cell's on screen.
    const QRect rect = m_oGrid.GetCellRect(1, 2);
    EXPECT_EQ(cell->rect(), QRect(m_oGrid.GetArea()->mapToGlobal(rect.topLeft()), rect.size()));

    m_oGrid.SetCellText(1, 2, "changed");
    EXPECT_EQ(cell->text(QAccessible::Name), "changed");
    m_oGrid.SetRowCount(2);
    EXPECT_EQ(cells->rowCount(), 2);
    EXPECT_EQ(cells->cellAt(2, 1), nullptr);
}

TEST_F(GridAccessibility, TheHeadingsAreHeaderCells) {
    QAccessibleTableInterface* cells = TableOf();
    EXPECT_EQ(cells->columnDescription(1), "Data");
    EXPECT_EQ(cells->rowDescription(2), " 3");
    QAccessibleInterface* cell = cells->cellAt(2, 1);
    QAccessibleTableCellInterface* tableCell = cell->tableCellInterface();
    ASSERT_NE(tableCell, nullptr);
    EXPECT_EQ(tableCell->rowIndex(), 2);
    EXPECT_EQ(tableCell->columnIndex(), 1);
    const QList<QAccessibleInterface*> columnHeaders = tableCell->columnHeaderCells();
    ASSERT_EQ(columnHeaders.size(), 1);
    EXPECT_EQ(columnHeaders[0]->role(), QAccessible::ColumnHeader);
    EXPECT_EQ(columnHeaders[0]->text(QAccessible::Name), "Data");
    const QList<QAccessibleInterface*> rowHeaders = tableCell->rowHeaderCells();
    ASSERT_EQ(rowHeaders.size(), 1);
    EXPECT_EQ(rowHeaders[0]->role(), QAccessible::RowHeader);
    EXPECT_EQ(rowHeaders[0]->text(QAccessible::Name), " 3");
    // Children come headers first: the corner, then the column headers.
    EXPECT_EQ(Table()->child(1)->text(QAccessible::Name), "Heading");
}

// The focus event that follows a move reaches only a platform with accessibility
// switched on, which the offscreen platform has not; what a screen reader reads on
// hearing it is checked here.
TEST_F(GridAccessibility, TheCurrentCellIsTheFocusedOne) {
    m_oGrid.GetArea()->setFocus();
    QAccessibleInterface* table = Table();
    QAccessibleInterface* focused = table->focusChild();
    ASSERT_NE(focused, nullptr);
    EXPECT_EQ(focused->text(QAccessible::Name), "0,0");
    EXPECT_TRUE(focused->state().focused);

    QTest::keyClick(m_oGrid.GetArea(), Qt::Key_Down);
    focused = table->focusChild();
    EXPECT_EQ(focused->text(QAccessible::Name), "0,1");
    EXPECT_TRUE(focused->state().focused);
    EXPECT_FALSE(TableOf()->cellAt(0, 0)->state().focused);
    EXPECT_EQ(table->indexOfChild(focused), 2 * 4 + 1);

    // Without the focus in the cell area no cell is focused.
    m_oGrid.GetArea()->clearFocus();
    EXPECT_EQ(table->focusChild(), nullptr);
    EXPECT_FALSE(focused->state().focused);
}

TEST_F(GridAccessibility, TheSelectionIsReported) {
    m_oGrid.SetMultiSelect(1);
    m_oGrid.GotoCell(0, 0);
    m_oGrid.SelectRange(0, 1, 2, 1);
    QAccessibleTableInterface* cells = TableOf();
    EXPECT_TRUE(cells->isRowSelected(1));
    EXPECT_FALSE(cells->isRowSelected(2));
    EXPECT_EQ(cells->selectedRows(), QList<int>{1});
    EXPECT_TRUE(cells->cellAt(1, 2)->tableCellInterface()->isSelected());
    EXPECT_TRUE(cells->cellAt(1, 2)->state().selected);
    EXPECT_EQ(cells->selectedCellCount(), 3);
    EXPECT_TRUE(cells->selectColumn(2));
    EXPECT_TRUE(cells->isColumnSelected(2));
}
