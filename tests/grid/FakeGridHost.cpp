#include "FakeGridHost.h"

FakeGridHost::FakeGridHost(int cols, int rows) : m_nRows(rows) {
    m_oColumns.resize(static_cast<std::size_t>(cols));
    for (int col = 0; col < cols; ++col) {
        m_oColumns[static_cast<std::size_t>(col)].m_nDataSourceCol = col;
    }
    m_oStore.Attach(this, 0);
}

int FakeGridHost::DataSourceCol(int col) const {
    if (col < 0 || col >= static_cast<int>(m_oColumns.size())) {
        return col;
    }
    return m_oColumns[static_cast<std::size_t>(col)].m_nDataSourceCol;
}

int FakeGridHost::GetCell(int col, int row, GridCell& cell) {
    cell.ClearAll();
    if (col >= 0 && col < GetColumnCount() && row >= 0) {
        cell.CopyFrom(m_oColumns[static_cast<std::size_t>(col)].m_oColDefault);
    } else {
        cell.CopyFrom(m_oHeadingDefault);
    }
    if (row >= m_nRows) {
        return 0;
    }
    m_oStore.GetCell(DataSourceCol(col), row, cell);
    cell.ApplyStyleAndFormat();
    return 0;
}

int FakeGridHost::SetCell(int col, int row, const GridCell& cell) {
    return m_oStore.SetCell(DataSourceCol(col), row, cell);
}

int FakeGridHost::ReadCell(int col, int row, GridCell& cell) {
    cell.ClearAll();
    return m_oStore.GetCell(DataSourceCol(col), row, cell);
}

int FakeGridHost::RedrawCell(int col, int row) {
    m_oRedrawn.emplace_back(col, row);
    return 0;
}

int FakeGridHost::OnCellTypeEvent(int typeIndex, int col, int row, int event, std::intptr_t param) {
    m_oEvents.push_back({typeIndex, col, row, event, param});
    return m_nEventAnswer;
}

int FakeGridHost::GetColumnWidth(int col, int& width) {
    if (col < 0 || col >= GetColumnCount()) {
        return 1;
    }
    width = m_oColumns[static_cast<std::size_t>(col)].m_nWidth;
    return 0;
}

int FakeGridHost::GetRowHeight(int row) {
    return row >= 0 && row < m_nRows ? m_nRowHeight : 0;
}

int FakeGridHost::GetJoinRange(int& col, int& row, int& col2, int& row2) {
    if (m_nJoinCol1 < 0 || col < m_nJoinCol1 || col > m_nJoinCol2 || row < m_nJoinRow1 ||
        row > m_nJoinRow2) {
        return 1;
    }
    col = m_nJoinCol1;
    row = m_nJoinRow1;
    col2 = m_nJoinCol2;
    row2 = m_nJoinRow2;
    return 0;
}

int FakeGridHost::FindPrevNonEmptyCell(int& col, int row) {
    return m_oStore.GetPrevNonEmptyCell(col, row);
}

int FakeGridHost::OpenDropList(int typeIndex, int col, int row, int* listCol, int* listRow) {
    m_oDrops.push_back({typeIndex, col, row});
    m_pListCol = listCol;
    m_pListRow = listRow;
    return m_nOpenAnswer;
}

GridColumnInfo* FakeGridHost::GetColumnInfo(int col) {
    if (col < 0 || col >= GetColumnCount()) {
        return nullptr;
    }
    return &m_oColumns[static_cast<std::size_t>(col)];
}
