#include "grid/GridHint.h"

#include <QPainter>

#include "grid/GridCtrl.h"

GridHint::GridHint(GridCtrl* grid)
    : QWidget(grid, Qt::ToolTip | Qt::FramelessWindowHint), m_pGrid(grid) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void GridHint::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kBackColor);
    painter.setPen(kTextColor);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
