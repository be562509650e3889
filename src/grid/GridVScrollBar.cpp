#include "grid/GridVScrollBar.h"

#include "grid/GridCtrl.h"
#include "grid/GridHint.h"

namespace {
// The least width of the hint beside the bar.
constexpr int kHintMinWidth = 40;
} // namespace

GridVScrollBar::GridVScrollBar(GridCtrl* grid)
    : GridScrollBar(Qt::Vertical, grid, GridCtrl::kSectionVScroll) {}

int GridVScrollBar::ScrollMode() const {
    return Sheet().m_nVScrollMode;
}

void GridVScrollBar::UpdateBar() {
    const GridSheet& s = Sheet();
    const int highest = s.m_nHighestTopRow;
    const int locked = s.m_nLockedRows;
    const int mode = s.m_nVScrollMode;
    const int rowHeight = std::max(s.m_nDefaultRowHeight, 1);
    const int page = std::max(s.m_rectArea.height() / rowHeight, 1);
    if (highest != m_nLastHighest || mode != m_nLastMode || locked != m_nLastLocked ||
        page != m_nLastPage) {
        m_nLastHighest = highest;
        m_nLastMode = mode;
        m_nLastLocked = locked;
        m_nLastPage = page;
        if (mode == 2) {
            m_dScale = 1.0;
            setRange(0, 2);
            setPageStep(1);
        } else if (highest - locked > kUnits) {
            m_dScale = highest / double(kUnits);
            setRange(locked, kUnits);
            setPageStep(1);
        } else {
            m_dScale = 1.0;
            setRange(locked, std::max(highest, locked));
            setPageStep(page);
        }
    }
    if (!isSliderDown()) {
        setValue(PositionOfView());
    }
}

int GridVScrollBar::PositionOfView() const {
    const GridSheet& s = Sheet();
    if (s.m_nVScrollMode == 2) {
        return 1;
    }
    if (InUnits()) {
        return s.m_nHighestTopRow > 0 ? static_cast<int>(static_cast<long long>(s.m_nTopRow) *
                                                         kUnits / s.m_nHighestTopRow)
                                      : 0;
    }
    return s.m_nTopRow;
}

int GridVScrollBar::ViewIndexAt(int position) const {
    if (InUnits()) {
        // position x highest / 1000, in whole numbers so that no rounding creeps in.
        return static_cast<int>(static_cast<long long>(position) * Sheet().m_nHighestTopRow /
                                kUnits);
    }
    return position;
}

void GridVScrollBar::StepLine(int direction) {
    const GridSheet& s = Sheet();
    // Rows of height 0 are skipped.
    int row = s.m_nTopRow + direction;
    while (row > s.m_nLockedRows && row < s.m_nHighestTopRow && s.RowHeight(row) == 0) {
        row += direction;
    }
    m_pGrid->SetTopRow(row);
}

void GridVScrollBar::StepPage(int direction) {
    const GridSheet& s = Sheet();
    // Down: the row below the last whole one shown comes to the top; up: the top row
    // goes to the bottom.
    const int rows =
        direction > 0 ? m_pGrid->PageRows(s.m_nTopRow - 1, 1) : m_pGrid->PageRows(s.m_nTopRow, -1);
    m_pGrid->SetTopRow(s.m_nTopRow + direction * rows);
}

void GridVScrollBar::GoToEnd(bool last) {
    m_pGrid->SetTopRow(last ? Sheet().m_nHighestTopRow : 0);
}

void GridVScrollBar::Track(int position) {
    GridSheet& s = Sheet();
    if (s.m_bVScrollHint) {
        // The row under the thumb, named beside the bar at the pointer's height.
        const int row = ViewIndexAt(position) + (InUnits() ? s.m_nLockedRows : 0);
        QString text;
        if (m_pGrid->OnRowScrollHint(row, text)) {
            const QPoint pointer = PointerInGrid();
            m_pGrid->GetHint()->ShowHint(text, QPoint(geometry().left(), pointer.y()),
                                         GridHint::kRight | GridHint::kVCentre, kHintMinWidth);
        }
    }
    if (s.m_nVScrollMode == 1) {
        m_pGrid->SetTopRow(ViewIndexAt(position));
    }
}
