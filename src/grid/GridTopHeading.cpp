#include "grid/GridTopHeading.h"

#include "grid/GridCtrl.h"

GridTopHeading::GridTopHeading(GridCtrl* grid)
    : GridComponent(grid, GridCtrl::kSectionTopHeading) {}
