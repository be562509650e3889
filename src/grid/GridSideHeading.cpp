#include "grid/GridSideHeading.h"

#include "grid/GridCtrl.h"

GridSideHeading::GridSideHeading(GridCtrl* grid)
    : GridComponent(grid, GridCtrl::kSectionSideHeading) {}
