#pragma once

#include "grid/GridComponent.h"

// The heading columns left of the cells, with the row titles.
class GridSideHeading : public GridComponent {
    Q_OBJECT

public:
    explicit GridSideHeading(GridCtrl* grid);
};
