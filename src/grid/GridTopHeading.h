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

protected:
    bool CanMoveCells() const override { return true; }
};
