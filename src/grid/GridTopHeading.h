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
    bool CanMoveCells() const override { return true; }
};
