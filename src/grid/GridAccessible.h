#pragma once

#include <QAccessibleWidget>
#include <QHash>

class GridCtrl;

// What assistive technology reads of a grid: the grid as a table whose cells are
// those of the current sheet, with the texts as shown, the heading row and column
// as header cells, the current cell as the focused cell, and the selection.
//
// Children are numbered row by row with the headers first: index 0 is the corner,
// 1..columns the column headers, then for each row its row header and its cells.
class GridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit GridAccessible(GridCtrl* grid);
    ~GridAccessible() override;

    // Registers the factory that gives every grid this interface; once per program.
    static void Install();
    // Tell assistive technology what changed.
    static void TableChanged(GridCtrl* grid);
    static void CurrentCellChanged(GridCtrl* grid);
    static void SelectionChanged(GridCtrl* grid);

    GridCtrl* Grid() const;
    // The interface of a cell; -1 addresses the header row or column.
    QAccessibleInterface* CellInterface(int col, int row) const;
    int IndexOf(int col, int row) const;
    // Forgets the cell interfaces, as after a change of the table's shape.
    void ClearCells();

    // QAccessibleInterface
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* focusChild() const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleTableInterface
    QAccessibleInterface* caption() const override;
    QAccessibleInterface* summary() const override;
    QAccessibleInterface* cellAt(int row, int column) const override;
    int columnCount() const override;
    int rowCount() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    int selectedColumnCount() const override;
    int selectedRowCount() const override;
    QList<int> selectedColumns() const override;
    QList<int> selectedRows() const override;
    bool isColumnSelected(int column) const override;
    bool isRowSelected(int row) const override;
    bool selectRow(int row) override;
    bool selectColumn(int column) override;
    bool unselectRow(int row) override;
    bool unselectColumn(int column) override;
    void modelChange(QAccessibleTableModelChangeEvent* event) override;

private:
    mutable QHash<qint64, QAccessible::Id> m_oCells;
};
