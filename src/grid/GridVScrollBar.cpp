#include "grid/GridVScrollBar.h"

#include "grid/GridCtrl.h"

GridVScrollBar::GridVScrollBar(GridCtrl* grid) : QScrollBar(Qt::Vertical, grid), m_pGrid(grid) {
    // The view keeps the keyboard focus in the cell area.
    setFocusPolicy(Qt::NoFocus);
    setRange(0, 0);
}
