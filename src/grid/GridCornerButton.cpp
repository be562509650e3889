#include "grid/GridCornerButton.h"

#include "grid/GridCtrl.h"

GridCornerButton::GridCornerButton(GridCtrl* grid)
    : GridComponent(grid, GridCtrl::kSectionCorner) {}
