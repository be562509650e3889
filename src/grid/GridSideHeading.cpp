#include "grid/GridSideHeading.h"

#include "grid/CellType.h"
#include "grid/GridCtrl.h"

GridSideHeading::GridSideHeading(GridCtrl* grid)
    : GridHeading(grid, GridCtrl::kSectionSideHeading, Qt::Vertical) {}

int GridSideHeading::CellResizeQuery(int index, int& size) {
    return m_pGrid->OnRowResizeQuery(index, size);
}

void GridSideHeading::CellResizing(int index, int& size) {
    m_pGrid->OnRowResizing(index, size);
}

void GridSideHeading::CellResized(int index, int& size) {
    m_pGrid->OnRowResized(index, size);
}

void GridSideHeading::TellCellTypes(int row, int& height, bool final) {
    GridCell cell;
    auto tell = [&](int col) {
        m_pGrid->GetCell(col, row, cell);
        CellType* type = m_pGrid->GetCellType(cell.GetCellType());
        if (final) {
            type->OnRowHeightChanged(col, row, height);
        } else {
            type->OnRowHeightChanging(col, row, height);
        }
    };
    if (!final) {
        for (const GridSpan& col : m_pGrid->ShownColumns()) {
            tell(col.m_nIndex);
        }
    } else {
        for (int col = 0; col < m_pGrid->GetColumnCount(); ++col) {
            tell(col);
        }
    }
}

int GridSideHeading::HeadingResizeQuery() {
    return m_pGrid->OnSideHeadingResizeQuery();
}

void GridSideHeading::HeadingResizing(int& size) {
    m_pGrid->OnSideHeadingResizing(size);
}

void GridSideHeading::HeadingResized(int& size) {
    m_pGrid->OnSideHeadingResized(size);
}

void GridSideHeading::LeftClick(int col, int row, int down, const QRect& rect, const QPoint& point,
                                int handled) {
    m_pGrid->OnSideHeadingLeftClick(col, row, down, rect, point, handled);
}

void GridSideHeading::RightClick(int col, int row, int down, const QRect& rect, const QPoint& point,
                                 int handled) {
    m_pGrid->OnSideHeadingRightClick(col, row, down, rect, point, handled);
}

void GridSideHeading::DoubleClick(int col, int row, const QRect& rect, const QPoint& point,
                                  int handled) {
    m_pGrid->OnSideHeadingDoubleClick(col, row, rect, point, handled);
}
