#include "grid/GridSideHeading.h"

#include "grid/GridCtrl.h"

namespace {
const GridHeading::Hooks kSideHooks = {&GridCtrl::OnRowResizeQuery,
                                       &GridCtrl::OnRowResizing,
                                       &GridCtrl::OnRowResized,
                                       &GridCtrl::OnSideHeadingResizeQuery,
                                       &GridCtrl::OnSideHeadingResizing,
                                       &GridCtrl::OnSideHeadingResized,
                                       &GridCtrl::OnSideHeadingLeftClick,
                                       &GridCtrl::OnSideHeadingRightClick,
                                       &GridCtrl::OnSideHeadingDoubleClick};
} // namespace

GridSideHeading::GridSideHeading(GridCtrl* grid)
    : GridHeading(grid, GridCtrl::kSectionSideHeading, Qt::Vertical, kSideHooks) {}
