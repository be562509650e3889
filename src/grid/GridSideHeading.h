#pragma once

#include "grid/GridHeading.h"

// The heading columns left of the cells, with the row titles. Dragging a row's
// bottom border resizes the row, dragging the heading's right border resizes the
// heading.
class GridSideHeading : public GridHeading {
    Q_OBJECT

public:
    explicit GridSideHeading(GridCtrl* grid);
};
