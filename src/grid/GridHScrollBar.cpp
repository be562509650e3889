#include "grid/GridHScrollBar.h"

#include "grid/GridCtrl.h"
#include "grid/GridHint.h"

namespace {
// The least width of the hint above the bar.
constexpr int kHintMinWidth = 20;
} // namespace

GridHScrollBar::GridHScrollBar(GridCtrl* grid)
    : GridScrollBar(Qt::Horizontal, grid, GridCtrl::kSectionHScroll) {}

int GridHScrollBar::ScrollMode() const {
    return Sheet().m_nHScrollMode;
}

void GridHScrollBar::UpdateBar() {
    const GridSheet& s = Sheet();
    const int highest = s.m_nHighestLeftCol;
    const int locked = s.m_nLockedCols;
    const int mode = s.m_nHScrollMode;
    const int columnWidth = std::max(s.m_nDefaultColumnWidth, 1);
    const int page = std::max(s.m_rectArea.width() / columnWidth, 1);
    if (highest != m_nLastHighest || mode != m_nLastMode || locked != m_nLastLocked ||
        page != m_nLastPage) {
        m_nLastHighest = highest;
        m_nLastMode = mode;
        m_nLastLocked = locked;
        m_nLastPage = page;
        if (mode == 2) {
            setRange(0, 2);
            setPageStep(1);
        } else {
            setRange(0, std::max(highest - locked, 0));
            setPageStep(page);
        }
    }
    if (!isSliderDown()) {
        setValue(PositionOfView());
    }
}

int GridHScrollBar::PositionOfView() const {
    const GridSheet& s = Sheet();
    return s.m_nHScrollMode == 2 ? 1 : s.m_nLeftCol - s.m_nLockedCols;
}

int GridHScrollBar::ViewIndexAt(int position) const {
    return Sheet().m_nLockedCols + position;
}

void GridHScrollBar::StepLine(int direction) {
    const GridSheet& s = Sheet();
    int col = s.m_nLeftCol + direction;
    while (col > s.m_nLockedCols && col < s.m_nHighestLeftCol && s.ColumnWidth(col) == 0) {
        col += direction;
    }
    m_pGrid->SetLeftColumn(col);
}

void GridHScrollBar::StepPage(int direction) {
    const GridSheet& s = Sheet();
    const int cols = direction > 0 ? m_pGrid->PageColumns(s.m_nLeftCol - 1, 1)
                                   : m_pGrid->PageColumns(s.m_nLeftCol, -1);
    m_pGrid->SetLeftColumn(s.m_nLeftCol + direction * cols);
}

void GridHScrollBar::GoToEnd(bool last) {
    m_pGrid->SetLeftColumn(last ? Sheet().m_nHighestLeftCol : 0);
}

void GridHScrollBar::Track(int position) {
    GridSheet& s = Sheet();
    if (s.m_bHScrollHint) {
        // The column under the thumb, named above the bar, centred on the pointer.
        QString text;
        if (m_pGrid->OnColumnScrollHint(ViewIndexAt(position), text)) {
            const QPoint pointer = PointerInGrid();
            m_pGrid->GetHint()->ShowHint(text, QPoint(pointer.x(), geometry().top()),
                                         GridHint::kCentre | GridHint::kBottom, kHintMinWidth);
        }
    }
    if (s.m_nHScrollMode == 1) {
        m_pGrid->SetLeftColumn(ViewIndexAt(position));
    }
}
