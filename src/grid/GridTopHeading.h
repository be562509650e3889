#pragma once

#include "grid/GridHeading.h"

// The heading rows above the cells, with the column titles. Dragging a column's
// right border resizes the column, dragging the heading's bottom border resizes
// the heading, and with column moving on a column is dragged to a new place by its
// heading cell.
class GridTopHeading : public GridHeading {
    Q_OBJECT

public:
    explicit GridTopHeading(GridCtrl* grid);

    // The column being moved (-1: none), and the border it would be dropped at.
    int GetMoveSource() const { return m_nMoveSource; }
    int GetDropPosition() const { return m_nDropPos; }

protected:
    int CellResizeQuery(int index, int& size) override;
    void CellResizing(int index, int& size) override;
    void CellResized(int index, int& size) override;
    void TellCellTypes(int index, int& size, bool final) override;
    int HeadingResizeQuery() override;
    void HeadingResizing(int& size) override;
    void HeadingResized(int& size) override;
    void LeftClick(int col, int row, int down, const QRect& rect, const QPoint& point,
                   int handled) override;
    void RightClick(int col, int row, int down, const QRect& rect, const QPoint& point,
                    int handled) override;
    void DoubleClick(int col, int row, const QRect& rect, const QPoint& point,
                     int handled) override;
    bool CanMoveCells() const override { return true; }
};
