#include "FakeGridHost.h"

#include <QString>

FakeGridHost::FakeGridHost(int cols, int rows)
    : m_oSheet(QColor(192, 192, 192), 17), m_oStore(m_oSheet.GetMemDataSource()) {
    m_oSheet.ResizeColumns(cols);
    m_oSheet.ResizeRows(rows);
    m_oStore.Attach(this, 0);
}

int FakeGridHost::GetCell(int col, int row, GridCell& cell) {
    return m_oSheet.ComposeCell(col, row, cell, *this);
}

int FakeGridHost::SetCell(int col, int row, const GridCell& cell) {
    return m_oSheet.DataSourceOf(col)->SetCell(m_oSheet.DataSourceCol(col), row, cell);
}

int FakeGridHost::ReadCell(int col, int row, GridCell& cell) {
    cell.ClearAll();
    return m_oSheet.DataSourceOf(col)->GetCell(m_oSheet.DataSourceCol(col), row, cell);
}

int FakeGridHost::RedrawCell(int col, int row) {
    m_oRedrawn.emplace_back(col, row);
    return 0;
}

int FakeGridHost::OnCellTypeEvent(int typeIndex, int col, int row, int event, std::intptr_t param) {
    m_oEvents.push_back({typeIndex, col, row, event, param});
    return m_nEventAnswer;
}

void FakeGridHost::OnFetchCell(int col, int row, GridCell& cell) {
    if (m_fnFetch) {
        m_fnFetch(col, row, cell);
    }
}

// Texts in byte order, missing cells first.
int FakeGridHost::OnSortCompare(const GridCell* a, const GridCell* b, int flags) {
    if (flags & 2) {
        std::swap(a, b);
    }
    if (!a || !b) {
        return a ? 1 : (b ? -1 : 0);
    }
    return QString::compare(a->GetText(), b->GetText());
}

int FakeGridHost::GetColumnWidth(int col, int& width) {
    if (col < 0 || col >= GetColumnCount()) {
        return 1;
    }
    width = m_oSheet.Columns().Size(col);
    return 0;
}

int FakeGridHost::GetRowHeight(int row) {
    return row >= 0 ? m_oSheet.Rows().Size(row) : 0;
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
