#include "grid/GridTopHeading.h"

#include "grid/CellType.h"
#include "grid/GridCtrl.h"

GridTopHeading::GridTopHeading(GridCtrl* grid)
    : GridHeading(grid, GridCtrl::kSectionTopHeading, Qt::Horizontal) {}

int GridTopHeading::CellResizeQuery(int index, int& size) {
    return m_pGrid->OnColumnResizeQuery(index, size);
}

void GridTopHeading::CellResizing(int index, int& size) {
    m_pGrid->OnColumnResizing(index, size);
}

void GridTopHeading::CellResized(int index, int& size) {
    m_pGrid->OnColumnResized(index, size);
}

void GridTopHeading::TellCellTypes(int col, int& width, bool final) {
    GridCell cell;
    auto tell = [&](int row) {
        m_pGrid->GetCell(col, row, cell);
        CellType* type = m_pGrid->GetCellType(cell.GetCellType());
        if (final) {
            type->OnColumnWidthChanged(col, row, width);
        } else {
            type->OnColumnWidthChanging(col, row, width);
        }
    };
    // The final width reaches every row's cell, except on sheets so large that
    // their rows are kept uniform.
    if (!final || m_pGrid->Axis(Qt::Vertical).IsUniform()) {
        for (const GridSpan& row : m_pGrid->ShownRows()) {
            tell(row.m_nIndex);
        }
    } else {
        for (int row = 0; row < m_pGrid->GetRowCount(); ++row) {
            tell(row);
        }
    }
}

int GridTopHeading::HeadingResizeQuery() {
    return m_pGrid->OnTopHeadingResizeQuery();
}

void GridTopHeading::HeadingResizing(int& size) {
    m_pGrid->OnTopHeadingResizing(size);
}

void GridTopHeading::HeadingResized(int& size) {
    m_pGrid->OnTopHeadingResized(size);
}

void GridTopHeading::LeftClick(int col, int row, int down, const QRect& rect, const QPoint& point,
                               int handled) {
    m_pGrid->OnTopHeadingLeftClick(col, row, down, rect, point, handled);
}

void GridTopHeading::RightClick(int col, int row, int down, const QRect& rect, const QPoint& point,
                                int handled) {
    m_pGrid->OnTopHeadingRightClick(col, row, down, rect, point, handled);
}

void GridTopHeading::DoubleClick(int col, int row, const QRect& rect, const QPoint& point,
                                 int handled) {
    m_pGrid->OnTopHeadingDoubleClick(col, row, rect, point, handled);
}
