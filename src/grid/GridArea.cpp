#include "grid/GridArea.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "grid/GridCtrl.h"

GridArea::GridArea(GridCtrl* grid) : GridComponent(grid, GridCtrl::kSectionArea) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_KeyCompression, false);
}

bool GridArea::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        m_pGrid->AreaToolTip(static_cast<QHelpEvent*>(event));
        return true;
    }
    return GridComponent::event(event);
}

void GridArea::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    m_pGrid->PaintArea(painter, event->region());
}

void GridArea::keyPressEvent(QKeyEvent* event) {
    m_pGrid->AreaKeyPress(event);
}

void GridArea::keyReleaseEvent(QKeyEvent* event) {
    m_pGrid->AreaKeyRelease(event);
}

void GridArea::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    m_pGrid->AreaMousePress(event);
}

void GridArea::mouseMoveEvent(QMouseEvent* event) {
    m_pGrid->AreaHover(event->position().toPoint());
    m_pGrid->AreaMouseMove(event);
}

void GridArea::mouseReleaseEvent(QMouseEvent* event) {
    m_pGrid->AreaMouseRelease(event);
}

void GridArea::mouseDoubleClickEvent(QMouseEvent* event) {
    m_pGrid->AreaMouseDoubleClick(event);
}

void GridArea::focusInEvent(QFocusEvent*) {
    m_pGrid->AreaFocusChanged(true);
}

void GridArea::focusOutEvent(QFocusEvent*) {
    m_pGrid->AreaFocusChanged(false);
}
