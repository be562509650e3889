#include "grid/GridSheetTabs.h"

#include "grid/GridCtrl.h"

GridSheetTabs::GridSheetTabs(GridCtrl* grid) : GridComponent(grid, GridCtrl::kSectionTabStrip) {}
