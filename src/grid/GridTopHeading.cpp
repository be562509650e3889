#include "grid/GridTopHeading.h"

#include "grid/GridCtrl.h"

namespace {
const GridHeading::Hooks kTopHooks = {
    &GridCtrl::OnColumnResizeQuery,    &GridCtrl::OnColumnResizing,
    &GridCtrl::OnColumnResized,        &GridCtrl::OnTopHeadingResizeQuery,
    &GridCtrl::OnTopHeadingResizing,   &GridCtrl::OnTopHeadingResized,
    &GridCtrl::OnTopHeadingLeftClick,  &GridCtrl::OnTopHeadingRightClick,
    &GridCtrl::OnTopHeadingDoubleClick};
} // namespace

GridTopHeading::GridTopHeading(GridCtrl* grid)
    : GridHeading(grid, GridCtrl::kSectionTopHeading, Qt::Horizontal, kTopHooks) {}
