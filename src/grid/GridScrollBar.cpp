#include "grid/GridScrollBar.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QWheelEvent>

#include "grid/GridArea.h"
#include "grid/GridCtrl.h"
#include "grid/GridHint.h"

namespace {
// The least width of the hint beside the vertical bar and above the horizontal one.
constexpr int kVHintMinWidth = 40;
constexpr int kHHintMinWidth = 20;
} // namespace

GridScrollBar::GridScrollBar(Qt::Orientation orientation, GridCtrl* grid, int options)
    : QScrollBar(orientation, grid), m_pGrid(grid),
      m_nSection(orientation == Qt::Vertical ? GridCtrl::kSectionVScroll
                                             : GridCtrl::kSectionHScroll),
      m_nOptions(options) {
    // The view keeps the keyboard focus in the cell area.
    setFocusPolicy(Qt::NoFocus);
    setRange(0, 0);
    connect(this, &QAbstractSlider::actionTriggered, this, &GridScrollBar::OnAction);
    connect(this, &QAbstractSlider::sliderReleased, this, &GridScrollBar::OnReleased);
}

const GridAxis& GridScrollBar::Axis() const {
    return m_pGrid->Axis(orientation());
}

int GridScrollBar::ScrollMode() const {
    return m_pGrid->Sheet().ScrollMode(orientation());
}

int GridScrollBar::Origin() const {
    return (m_nOptions & kFromLocked) ? Axis().Locked() : 0;
}

void GridScrollBar::UpdateBar() {
    const GridAxis& axis = Axis();
    const int highest = axis.HighestFirst();
    const int locked = axis.Locked();
    const int mode = ScrollMode();
    const int page = std::max(axis.Room() / std::max(axis.DefaultSize(), 1), 1);
    if (highest != m_nLastHighest || mode != m_nLastMode || locked != m_nLastLocked ||
        page != m_nLastPage) {
        m_nLastHighest = highest;
        m_nLastMode = mode;
        m_nLastLocked = locked;
        m_nLastPage = page;
        m_dScale = 1.0;
        if (mode == 2) {
            setRange(0, 2);
            setPageStep(1);
        } else if ((m_nOptions & kScaleToUnits) && highest - locked > kUnits) {
            m_dScale = highest / double(kUnits);
            setRange(locked, kUnits);
            setPageStep(1);
        } else {
            setRange(locked - Origin(), std::max(highest, locked) - Origin());
            setPageStep(page);
        }
    }
    if (!isSliderDown()) {
        setValue(PositionOfView());
    }
}

int GridScrollBar::PositionOfView() const {
    const GridAxis& axis = Axis();
    if (ScrollMode() == 2) {
        return 1;
    }
    if (InUnits()) {
        return axis.HighestFirst() > 0 ? static_cast<int>(static_cast<long long>(axis.First()) *
                                                          kUnits / axis.HighestFirst())
                                       : 0;
    }
    return axis.First() - Origin();
}

int GridScrollBar::ViewIndexAt(int position) const {
    if (InUnits()) {
        // position x highest / 1000, in whole numbers so that no rounding creeps in.
        return static_cast<int>(static_cast<long long>(position) * Axis().HighestFirst() / kUnits);
    }
    return Origin() + position;
}

void GridScrollBar::ScrollTo(int index) {
    if (Vertical()) {
        m_pGrid->SetTopRow(index);
    } else {
        m_pGrid->SetLeftColumn(index);
    }
}

void GridScrollBar::StepLine(int direction) {
    const GridAxis& axis = Axis();
    // Rows and columns of size 0 are skipped.
    int index = axis.First() + direction;
    while (index > axis.Locked() && index < axis.HighestFirst() && axis.Size(index) == 0) {
        index += direction;
    }
    ScrollTo(index);
}

void GridScrollBar::StepPage(int direction) {
    const GridAxis& axis = Axis();
    // Forward: the entry after the last whole one shown comes first; back: the first
    // goes to the far end.
    const int count = direction > 0 ? axis.Page(axis.First() - 1, 1) : axis.Page(axis.First(), -1);
    ScrollTo(axis.First() + direction * count);
}

void GridScrollBar::Track(int position) {
    if (m_pGrid->Sheet().ScrollHint(orientation())) {
        QString text;
        const QPoint pointer = PointerInGrid();
        if (Vertical()) {
            // The row under the thumb, named beside the bar at the pointer's height.
            const int row = ViewIndexAt(position) + (InUnits() ? Axis().Locked() : 0);
            if (m_pGrid->OnRowScrollHint(row, text)) {
                m_pGrid->GetHint()->ShowHint(text, QPoint(geometry().left(), pointer.y()),
                                             GridHint::kRight | GridHint::kVCentre, kVHintMinWidth);
            }
        } else if (m_pGrid->OnColumnScrollHint(ViewIndexAt(position), text)) {
            // The column under the thumb, named above the bar, centred on the pointer.
            m_pGrid->GetHint()->ShowHint(text, QPoint(pointer.x(), geometry().top()),
                                         GridHint::kCentre | GridHint::kBottom, kHHintMinWidth);
        }
    }
    if (ScrollMode() == 1) {
        ScrollTo(ViewIndexAt(position));
    }
}

void GridScrollBar::OnAction(int action) {
    m_pGrid->GetArea()->setFocus(Qt::OtherFocusReason);
    m_pGrid->Sheet().SetMoveCause(GridSheet::kMoveScrollBar);
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
        ScrollTo(0);
        break;
    case SliderToMaximum:
        ScrollTo(Axis().HighestFirst());
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
        m_pGrid->Sheet().SetMoveCause(GridSheet::kMoveScrollBar);
        ScrollTo(ViewIndexAt(sliderPosition()));
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
    if (!m_pGrid->Sheet().IsPopupMenuEnabled()) {
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
