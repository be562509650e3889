#include "grid/GridCornerButton.h"

#include <algorithm>

#include <QMouseEvent>
#include <QPainter>

#include "grid/CellType.h"
#include "grid/GridCtrl.h"
#include "grid/GridSystem.h"

namespace {
// How near an edge the pointer must be to drag it, in pixels.
constexpr int kSizingZone = 4;
} // namespace

GridCornerButton::GridCornerButton(GridCtrl* grid) : GridComponent(grid, GridCtrl::kSectionCorner) {
    setMouseTracking(true);
}

void GridCornerButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    m_pGrid->OnPaintSetup(painter, nullptr, m_nSection);
    painter.fillRect(rect(), GridSystem::ButtonFaceColor(m_pGrid->palette()));
    painter.setFont(m_pGrid->GetDefaultFont());
    GridCell cell;
    m_pGrid->GetCell(-1, -1, cell);
    GridCellOption option = m_pGrid->CellOption(rect(), 0, false);
    option.hasFocus = false;
    m_pGrid->GetCellType(cell.GetCellType())->OnDraw(painter, option, -1, -1, cell);
}

void GridCornerButton::Arm(const QPoint& point) {
    m_eArmed = Edge::None;
    if (m_pGrid->Sheet().SizingMode() != 0) {
        if (point.x() >= width() - kSizingZone && m_pGrid->OnSideHeadingResizeQuery()) {
            m_eArmed = Edge::Right;
        } else if (point.y() >= height() - kSizingZone && m_pGrid->OnTopHeadingResizeQuery()) {
            m_eArmed = Edge::Bottom;
        }
    }
    setCursor(m_eArmed == Edge::Right    ? Qt::SizeHorCursor
              : m_eArmed == Edge::Bottom ? Qt::SizeVerCursor
                                         : Qt::ArrowCursor);
}

int GridCornerButton::ClickedByType(QMouseEvent* event, int pressed) {
    GridCell cell;
    m_pGrid->GetCell(-1, -1, cell);
    GridCellOption option = m_pGrid->CellOption(rect(), 0, false);
    option.buttons = event->buttons();
    option.modifiers = event->modifiers();
    CellType* type = m_pGrid->GetCellType(cell.GetCellType());
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        return type->OnRightClick(option, -1, -1, pressed, point);
    }
    return type->OnLeftClick(option, -1, -1, pressed, point);
}

void GridCornerButton::mousePressEvent(QMouseEvent* event) {
    GridComponent::mousePressEvent(event);
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        if (m_eArmed != Edge::None) {
            m_bSizing = true;
            return;
        }
        m_pGrid->OnCornerLeftClick(1, rect(), point, ClickedByType(event, 1));
        m_bClicked = true;
    } else if (event->button() == Qt::RightButton) {
        m_pGrid->OnCornerRightClick(1, rect(), point, ClickedByType(event, 1));
        if (m_pGrid->Sheet().IsPopupMenuEnabled() && m_pGrid->OnPopupQuery(-1, -1, m_nSection)) {
            m_pGrid->OpenPopup(-1, -1, m_nSection, event->globalPosition().toPoint());
        }
    }
}

void GridCornerButton::mouseMoveEvent(QMouseEvent* event) {
    if (!m_bSizing) {
        if (!(event->buttons() & Qt::LeftButton)) {
            Arm(event->position().toPoint());
        }
        return;
    }
    // The corner stands at the grid's origin, so the pointer in the grid is the new
    // size.
    const QPoint point = mapTo(m_pGrid, event->position().toPoint());
    if (m_eArmed == Edge::Right) {
        int width = std::max(point.x(), 0);
        m_pGrid->OnSideHeadingResizing(width);
        m_pGrid->SetSideHeadingWidth(std::clamp(width, 0, GridCtrl::kMaxHeadingSize));
    } else {
        int height = std::max(point.y(), 0);
        m_pGrid->OnTopHeadingResizing(height);
        m_pGrid->SetTopHeadingHeight(std::clamp(height, 0, GridCtrl::kMaxHeadingSize));
    }
}

void GridCornerButton::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        if (m_bSizing) {
            m_bSizing = false;
            if (m_eArmed == Edge::Right) {
                int width = m_pGrid->GetSideHeadingWidth();
                m_pGrid->OnSideHeadingResized(width);
                if (width != m_pGrid->GetSideHeadingWidth()) {
                    m_pGrid->SetSideHeadingWidth(std::clamp(width, 0, GridCtrl::kMaxHeadingSize));
                }
            } else {
                int height = m_pGrid->GetTopHeadingHeight();
                m_pGrid->OnTopHeadingResized(height);
                if (height != m_pGrid->GetTopHeadingHeight()) {
                    m_pGrid->SetTopHeadingHeight(std::clamp(height, 0, GridCtrl::kMaxHeadingSize));
                }
            }
            Arm(point);
            return;
        }
        if (m_bClicked) {
            m_bClicked = false;
            m_pGrid->OnCornerLeftClick(0, rect(), point, ClickedByType(event, 0));
        }
    } else if (event->button() == Qt::RightButton) {
        m_pGrid->OnCornerRightClick(0, rect(), point, ClickedByType(event, 0));
    }
}

void GridCornerButton::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || m_eArmed != Edge::None) {
        return;
    }
    GridCell cell;
    m_pGrid->GetCell(-1, -1, cell);
    GridCellOption option = m_pGrid->CellOption(rect(), 0, false);
    option.buttons = event->buttons();
    option.modifiers = event->modifiers();
    const QPoint point = event->position().toPoint();
    const int handled =
        m_pGrid->GetCellType(cell.GetCellType())->OnDoubleClick(option, -1, -1, point);
    m_pGrid->OnCornerDoubleClick(rect(), point, handled);
    m_bClicked = true;
}

void GridCornerButton::leaveEvent(QEvent*) {
    if (!m_bSizing) {
        m_eArmed = Edge::None;
        setCursor(Qt::ArrowCursor);
    }
}
