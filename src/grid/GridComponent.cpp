#include "grid/GridComponent.h"

#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include "grid/GridArea.h"
#include "grid/GridCtrl.h"

GridComponent::GridComponent(GridCtrl* grid, int section)
    : QWidget(grid), m_pGrid(grid), m_nSection(section) {
    // Everything is painted here; no background is filled first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GridComponent::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    m_pGrid->OnPaintSetup(painter, nullptr, m_nSection);
    painter.fillRect(event->rect(), m_pGrid->OnDefaultBackColor(m_nSection));
}

void GridComponent::wheelEvent(QWheelEvent* event) {
    m_pGrid->Wheel(event);
}

void GridComponent::mousePressEvent(QMouseEvent* event) {
    m_pGrid->GetArea()->setFocus(Qt::MouseFocusReason);
    event->accept();
}
