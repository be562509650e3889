#include "grid/GridAccessible.h"

#include "grid/GridAccessibleCell.h"
#include "grid/GridArea.h"
#include "grid/GridCtrl.h"
#include "grid/GridDropList.h"

namespace {

QAccessibleInterface* Factory(const QString&, QObject* object) {
    if (auto* grid = qobject_cast<GridCtrl*>(object)) {
        return new GridAccessible(grid);
    }
    return nullptr;
}

qint64 Key(int col, int row) {
    return (static_cast<qint64>(row) << 32) | static_cast<quint32>(col);
}

GridAccessible* TableOf(GridCtrl* grid) {
    return static_cast<GridAccessible*>(QAccessible::queryAccessibleInterface(grid));
}

} // namespace

GridAccessible::GridAccessible(GridCtrl* grid) : QAccessibleWidget(grid, QAccessible::Table) {}

GridAccessible::~GridAccessible() {
    ClearCells();
}

void GridAccessible::Install() {
    static const bool installed = [] {
        QAccessible::installFactory(&Factory);
        return true;
    }();
    (void)installed;
}

GridCtrl* GridAccessible::Grid() const {
    return static_cast<GridCtrl*>(widget());
}

void GridAccessible::ClearCells() {
    for (QAccessible::Id id : std::as_const(m_oCells)) {
        QAccessible::deleteAccessibleInterface(id);
    }
    m_oCells.clear();
}

// Without assistive technology listening nothing is built or sent.
void GridAccessible::TableChanged(GridCtrl* grid) {
    if (!QAccessible::isActive()) {
        return;
    }
    if (GridAccessible* table = TableOf(grid)) {
        table->ClearCells();
        QAccessibleTableModelChangeEvent event(grid, QAccessibleTableModelChangeEvent::ModelReset);
        QAccessible::updateAccessibility(&event);
    }
}

void GridAccessible::CurrentCellChanged(GridCtrl* grid) {
    if (!QAccessible::isActive() || !grid->GetArea()->hasFocus()) {
        return;
    }
    const int col = grid->GetCurrentColumn();
    const int row = grid->GetCurrentRow();
    if (GridAccessible* table = TableOf(grid); table && col >= 0 && row >= 0) {
        QAccessibleEvent event(grid, QAccessible::Focus);
        event.setChild(table->IndexOf(col, row));
        QAccessible::updateAccessibility(&event);
    }
}

void GridAccessible::SelectionChanged(GridCtrl* grid) {
    if (!QAccessible::isActive()) {
        return;
    }
    QAccessibleEvent event(grid, QAccessible::SelectionWithin);
    QAccessible::updateAccessibility(&event);
}

QAccessibleInterface* GridAccessible::CellInterface(int col, int row) const {
    GridCtrl* grid = Grid();
    if (col < -1 || row < -1 || col >= grid->GetColumnCount() || row >= grid->GetRowCount()) {
        return nullptr;
    }
    const qint64 key = Key(col, row);
    const auto found = m_oCells.constFind(key);
    if (found != m_oCells.constEnd()) {
        return QAccessible::accessibleInterface(found.value());
    }
    auto* cell = new GridAccessibleCell(grid, col, row);
    m_oCells.insert(key, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

int GridAccessible::IndexOf(int col, int row) const {
    return (row + 1) * (Grid()->GetColumnCount() + 1) + col + 1;
}

int GridAccessible::childCount() const {
    GridCtrl* grid = Grid();
    return (grid->GetRowCount() + 1) * (grid->GetColumnCount() + 1);
}

QAccessibleInterface* GridAccessible::child(int index) const {
    const int width = Grid()->GetColumnCount() + 1;
    if (index < 0 || index >= childCount()) {
        return nullptr;
    }
    return CellInterface(index % width - 1, index / width - 1);
}

int GridAccessible::indexOfChild(const QAccessibleInterface* child) const {
    if (!child || child->parent() != this) {
        return -1;
    }
    const auto* cell = static_cast<const GridAccessibleCell*>(child);
    return IndexOf(cell->Col(), cell->Row());
}

QAccessibleInterface* GridAccessible::focusChild() const {
    GridCtrl* grid = Grid();
    // While a cell is edited (or its list is dropped) the editor (the list) has the
    // focus; its name says which cell it stands for.
    QWidget* editor = grid->GetEditorWindow();
    if (grid->IsEditing() && editor && editor->hasFocus()) {
        return QAccessible::queryAccessibleInterface(editor);
    }
    if (grid->GetDropList()->IsOpen() && grid->GetDropList()->hasFocus()) {
        return QAccessible::queryAccessibleInterface(grid->GetDropList());
    }
    if (!grid->GetArea()->hasFocus()) {
        return nullptr;
    }
    return CellInterface(grid->GetCurrentColumn(), grid->GetCurrentRow());
}

QAccessibleInterface* GridAccessible::childAt(int x, int y) const {
    GridCtrl* grid = Grid();
    const QPoint point = grid->GetArea()->mapFromGlobal(QPoint(x, y));
    int col = -1;
    int row = -1;
    if (grid->HitTest(point, col, row)) {
        return CellInterface(col, row);
    }
    return nullptr;
}

void* GridAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableInterface) {
        return static_cast<QAccessibleTableInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

QAccessibleInterface* GridAccessible::caption() const {
    return nullptr;
}

QAccessibleInterface* GridAccessible::summary() const {
    return nullptr;
}

QAccessibleInterface* GridAccessible::cellAt(int row, int column) const {
    if (row < 0 || column < 0) {
        return nullptr;
    }
    return CellInterface(column, row);
}

int GridAccessible::columnCount() const {
    return Grid()->GetColumnCount();
}

int GridAccessible::rowCount() const {
    return Grid()->GetRowCount();
}

QString GridAccessible::columnDescription(int column) const {
    return Grid()->GetCellText(column, -1);
}

QString GridAccessible::rowDescription(int row) const {
    return Grid()->GetCellText(-1, row);
}

int GridAccessible::selectedCellCount() const {
    return static_cast<int>(selectedCells().size());
}

QList<QAccessibleInterface*> GridAccessible::selectedCells() const {
    QList<QAccessibleInterface*> cells;
    GridCtrl* grid = Grid();
    const QRect box = grid->GetSelection().BoundingBox();
    if (box.isNull()) {
        return cells;
    }
    for (int row = std::max(box.top(), 0); row <= std::min(box.bottom(), grid->GetRowCount() - 1);
         ++row) {
        for (int col = std::max(box.left(), 0);
             col <= std::min(box.right(), grid->GetColumnCount() - 1); ++col) {
            if (grid->IsSelected(col, row)) {
                cells.append(CellInterface(col, row));
            }
        }
    }
    return cells;
}

int GridAccessible::selectedColumnCount() const {
    return static_cast<int>(selectedColumns().size());
}

int GridAccessible::selectedRowCount() const {
    return static_cast<int>(selectedRows().size());
}

QList<int> GridAccessible::selectedColumns() const {
    QList<int> columns;
    for (int col = 0; col < Grid()->GetColumnCount(); ++col) {
        if (isColumnSelected(col)) {
            columns.append(col);
        }
    }
    return columns;
}

QList<int> GridAccessible::selectedRows() const {
    QList<int> rows;
    const QRect box = Grid()->GetSelection().BoundingBox();
    for (int row = std::max(box.top(), 0); !box.isNull() && row <= box.bottom(); ++row) {
        if (isRowSelected(row)) {
            rows.append(row);
        }
    }
    return rows;
}

bool GridAccessible::isColumnSelected(int column) const {
    GridCtrl* grid = Grid();
    if (grid->GetRowCount() == 0) {
        return false;
    }
    for (int row = 0; row < grid->GetRowCount(); ++row) {
        if (!grid->IsSelected(column, row)) {
            return false;
        }
    }
    return true;
}

bool GridAccessible::isRowSelected(int row) const {
    GridCtrl* grid = Grid();
    if (grid->GetColumnCount() == 0) {
        return false;
    }
    for (int col = 0; col < grid->GetColumnCount(); ++col) {
        if (!grid->IsSelected(col, row)) {
            return false;
        }
    }
    return true;
}

bool GridAccessible::selectRow(int row) {
    GridCtrl* grid = Grid();
    return grid->SelectRange(0, row, grid->GetColumnCount() - 1, row) == GridCtrl::kOk;
}

bool GridAccessible::selectColumn(int column) {
    GridCtrl* grid = Grid();
    return grid->SelectRange(column, 0, column, grid->GetRowCount() - 1) == GridCtrl::kOk;
}

// Blocks are not split, so a row or column cannot be taken out of the selection
// on its own.
bool GridAccessible::unselectRow(int) {
    return false;
}

bool GridAccessible::unselectColumn(int) {
    return false;
}

void GridAccessible::modelChange(QAccessibleTableModelChangeEvent*) {
    ClearCells();
}
