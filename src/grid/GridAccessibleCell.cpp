#include "grid/GridAccessibleCell.h"

#include <QWindow>

#include "grid/CellType.h"
#include "grid/GridAccessible.h"
#include "grid/GridArea.h"
#include "grid/GridCornerButton.h"
#include "grid/GridCtrl.h"
#include "grid/GridSideHeading.h"
#include "grid/GridTopHeading.h"

GridAccessibleCell::GridAccessibleCell(GridCtrl* grid, int col, int row)
    : m_pGrid(grid), m_nCol(col), m_nRow(row) {}

bool GridAccessibleCell::isValid() const {
    return m_pGrid && m_nCol < m_pGrid->GetColumnCount() && m_nRow < m_pGrid->GetRowCount();
}

QObject* GridAccessibleCell::object() const {
    return nullptr;
}

QWindow* GridAccessibleCell::window() const {
    return m_pGrid ? m_pGrid->window()->windowHandle() : nullptr;
}

QAccessibleInterface* GridAccessibleCell::parent() const {
    return m_pGrid ? QAccessible::queryAccessibleInterface(m_pGrid) : nullptr;
}

QAccessibleInterface* GridAccessibleCell::child(int) const {
    return nullptr;
}

int GridAccessibleCell::childCount() const {
    return 0;
}

int GridAccessibleCell::indexOfChild(const QAccessibleInterface*) const {
    return -1;
}

QAccessibleInterface* GridAccessibleCell::childAt(int, int) const {
    return nullptr;
}

QString GridAccessibleCell::text(QAccessible::Text type) const {
    if (!isValid() || (type != QAccessible::Name && type != QAccessible::Value)) {
        return {};
    }
    // The text as the cell shows it: composed with its defaults, and the label where
    // the cell's type shows the label.
    GridCell cell;
    m_pGrid->GetCell(m_nCol, m_nRow, cell);
    const CellType* cellType = m_pGrid->GetCellType(cell.GetCellType());
    if (cellType->DrawsLabel() || (cell.GetCellTypeEx() & CellType::kStyleShowLabel)) {
        return cell.GetLabel();
    }
    return cell.GetText();
}

void GridAccessibleCell::setText(QAccessible::Text, const QString&) {}

QRect GridAccessibleCell::rect() const {
    if (!isValid()) {
        return {};
    }
    if (m_nRow >= 0 && m_nCol >= 0) {
        const QRect local = m_pGrid->GetCellRect(m_nCol, m_nRow);
        return local.isNull()
                   ? QRect()
                   : QRect(m_pGrid->GetArea()->mapToGlobal(local.topLeft()), local.size());
    }
    // A heading cell as its heading lays it out, so that its size is the one
    // dragging its border gave it.
    if (m_nRow < 0 && m_nCol >= 0) {
        GridTopHeading* heading = m_pGrid->GetTopHeading();
        const QRect cell = heading->CellRect(m_nCol, m_nRow);
        return cell.isNull() ? QRect() : QRect(heading->mapToGlobal(cell.topLeft()), cell.size());
    }
    if (m_nCol < 0 && m_nRow >= 0) {
        GridSideHeading* heading = m_pGrid->GetSideHeading();
        const QRect cell = heading->CellRect(m_nCol, m_nRow);
        return cell.isNull() ? QRect() : QRect(heading->mapToGlobal(cell.topLeft()), cell.size());
    }
    QWidget* corner = m_pGrid->GetCornerButton();
    return {corner->mapToGlobal(QPoint(0, 0)), corner->size()};
}

QAccessible::Role GridAccessibleCell::role() const {
    if (m_nRow < 0 && m_nCol >= 0) {
        return QAccessible::ColumnHeader;
    }
    if (m_nCol < 0 && m_nRow >= 0) {
        return QAccessible::RowHeader;
    }
    return m_nRow < 0 ? QAccessible::Button : QAccessible::Cell;
}

QAccessible::State GridAccessibleCell::state() const {
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    if (m_nCol >= 0 && m_nRow >= 0) {
        state.focusable = true;
        state.selectable = m_pGrid->Sheet().IsMultiSelect();
        state.selected = isSelected();
        const bool current =
            m_nCol == m_pGrid->GetCurrentColumn() && m_nRow == m_pGrid->GetCurrentRow();
        state.active = current;
        state.focused = current && m_pGrid->GetArea()->hasFocus();
        GridCell cell;
        m_pGrid->GetCell(m_nCol, m_nRow, cell);
        state.readOnly = cell.GetReadOnly();
    }
    if (rect().isNull()) {
        state.invisible = true;
        state.offscreen = true;
    }
    return state;
}

void* GridAccessibleCell::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableCellInterface) {
        return static_cast<QAccessibleTableCellInterface*>(this);
    }
    return nullptr;
}

bool GridAccessibleCell::isSelected() const {
    return m_pGrid && m_nCol >= 0 && m_nRow >= 0 && m_pGrid->IsSelected(m_nCol, m_nRow) > 0;
}

QList<QAccessibleInterface*> GridAccessibleCell::columnHeaderCells() const {
    auto* table = static_cast<GridAccessible*>(parent());
    if (!table || m_nRow < 0) {
        return {};
    }
    return {table->CellInterface(m_nCol, -1)};
}

QList<QAccessibleInterface*> GridAccessibleCell::rowHeaderCells() const {
    auto* table = static_cast<GridAccessible*>(parent());
    if (!table || m_nCol < 0) {
        return {};
    }
    return {table->CellInterface(-1, m_nRow)};
}

int GridAccessibleCell::columnIndex() const {
    return m_nCol;
}

int GridAccessibleCell::rowIndex() const {
    return m_nRow;
}

int GridAccessibleCell::columnExtent() const {
    return 1;
}

int GridAccessibleCell::rowExtent() const {
    return 1;
}

QAccessibleInterface* GridAccessibleCell::table() const {
    return parent();
}
