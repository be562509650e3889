#pragma once

#include <QAccessible>
#include <QPointer>

class GridCtrl;

// One cell of a grid for assistive technology: a data cell, or a header cell of
// the heading row (row -1) or the heading column (column -1).
class GridAccessibleCell : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    GridAccessibleCell(GridCtrl* grid, int col, int row);

    int Col() const { return m_nCol; }
    int Row() const { return m_nRow; }

    // QAccessibleInterface
    bool isValid() const override;
    QObject* object() const override;
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QString text(QAccessible::Text type) const override;
    void setText(QAccessible::Text type, const QString& text) override;
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleTableCellInterface
    bool isSelected() const override;
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override;
    int columnIndex() const override;
    int rowIndex() const override;
    int columnExtent() const override;
    int rowExtent() const override;
    QAccessibleInterface* table() const override;

private:
    QPointer<GridCtrl> m_pGrid;
    int m_nCol;
    int m_nRow;
};
