#include "grid/GridScrollBar.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QWheelEvent>

#include "grid/GridArea.h"
#include "grid/GridCtrl.h"
#include "grid/GridHint.h"

GridScrollBar::GridScrollBar(Qt::Orientation orientation, GridCtrl* grid, int section)
    : QScrollBar(orientation, grid), m_pGrid(grid), m_nSection(section) {
    // The view keeps the keyboard focus in the cell area.
    setFocusPolicy(Qt::NoFocus);
    setRange(0, 0);
    connect(this, &QAbstractSlider::actionTriggered, this, &GridScrollBar::OnAction);
    connect(this, &QAbstractSlider::sliderReleased, this, &GridScrollBar::OnReleased);
}

GridSheet& GridScrollBar::Sheet() const {
    return m_pGrid->Sheet();
}

void GridScrollBar::OnAction(int action) {
    m_pGrid->GetArea()->setFocus(Qt::OtherFocusReason);
    Sheet().m_nMoveCause = GridSheet::kMoveScrollBar;
    switch (action) {
    case SliderSingleStepAdd:
        StepLine(1);
        break;
    case SliderSingleStepSub:
        StepLine(-1);
        break;
    case SliderPageStepAdd:
        StepPage(1);
        break;
    case SliderPageStepSub:
        StepPage(-1);
        break;
    case SliderToMinimum:
        GoToEnd(false);
        break;
    case SliderToMaximum:
        GoToEnd(true);
        break;
    case SliderMove:
        if (ScrollMode() != 2) {
            // The thumb stays under the pointer.
            Track(sliderPosition());
            return;
        }
        break;
    default:
        return;
    }
    // The action's own step is the view's, not the bar's.
    setSliderPosition(PositionOfView());
}

void GridScrollBar::OnReleased() {
    m_pGrid->GetHint()->HideHint();
    m_bHavePointer = false;
    if (ScrollMode() != 2) {
        Sheet().m_nMoveCause = GridSheet::kMoveScrollBar;
        const int position = sliderPosition();
        if (orientation() == Qt::Vertical) {
            m_pGrid->SetTopRow(ViewIndexAt(position));
        } else {
            m_pGrid->SetLeftColumn(ViewIndexAt(position));
        }
    }
    setSliderPosition(PositionOfView());
}

void GridScrollBar::mousePressEvent(QMouseEvent* event) {
    m_oPointer = event->position().toPoint();
    m_bHavePointer = true;
    QScrollBar::mousePressEvent(event);
}

void GridScrollBar::mouseMoveEvent(QMouseEvent* event) {
    m_oPointer = event->position().toPoint();
    m_bHavePointer = true;
    QScrollBar::mouseMoveEvent(event);
}

QPoint GridScrollBar::PointerInGrid() const {
    if (m_bHavePointer) {
        return mapTo(m_pGrid, m_oPointer);
    }
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect thumb =
        style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this);
    return mapTo(m_pGrid, thumb.center());
}

void GridScrollBar::wheelEvent(QWheelEvent* event) {
    m_pGrid->Wheel(event, orientation());
}

void GridScrollBar::contextMenuEvent(QContextMenuEvent* event) {
    // The grid's menu when it has one, else the bar's own.
    if (!Sheet().m_bPopupMenu) {
        QScrollBar::contextMenuEvent(event);
        return;
    }
    const int col = m_pGrid->GetCurrentColumn();
    const int row = m_pGrid->GetCurrentRow();
    if (m_pGrid->OnPopupQuery(col, row, m_nSection)) {
        m_pGrid->OpenPopup(col, row, m_nSection, event->globalPos());
    }
    event->accept();
}
