#include "grid/GridHScrollBar.h"

#include "grid/GridCtrl.h"

GridHScrollBar::GridHScrollBar(GridCtrl* grid) : QScrollBar(Qt::Horizontal, grid), m_pGrid(grid) {
    // The view keeps the keyboard focus in the cell area.
    setFocusPolicy(Qt::NoFocus);
    setRange(0, 0);
}
