#include "grid/GridSheet.h"

#include <algorithm>

#include "grid/GridHost.h"

namespace {
// Alignment of heading cells: centred both ways.
constexpr unsigned kHeadingAlignment = GridCell::kAlignCenter | GridCell::kAlignVCenter;
} // namespace

GridSheet::GridSheet(const QColor& buttonFace, int scrollBarExtent)
    : m_nVScrollWidth(scrollBarExtent), m_nHScrollHeight(scrollBarExtent),
      m_poMemDataSource(std::make_unique<GridMemDataSource>()),
      m_pDefaultDataSource(m_poMemDataSource.get()) {
    m_oHeadingDefault.SetBackColor(buttonFace);
    m_oHeadingDefault.SetBorder(GridCell::kBorderRaised);
    m_oHeadingDefault.SetAlignment(kHeadingAlignment);
}

void GridSheet::ResizeColumns(int count) {
    const int old = GetColumnCount();
    if (count > 0 && m_nLockedCols >= count) {
        m_nLockedCols = count - 1;
    }
    m_oColumns.resize(static_cast<std::size_t>(count));
    for (int col = old; col < count; ++col) {
        GridColumnInfo& info = m_oColumns[static_cast<std::size_t>(col)];
        info.m_nWidth = m_nDefaultColumnWidth;
        info.m_pDataSource = nullptr;
        info.m_oColDefault = m_oGridDefault;
        info.m_nDataSourceCol = col;
    }
    m_oSelection.SetColumnCount(count);
    SumLockedWidth();
}

GridColumnInfo* GridSheet::GetColumnInfo(int col) {
    return col >= 0 && col < GetColumnCount() ? &m_oColumns[static_cast<std::size_t>(col)]
                                              : nullptr;
}

const GridColumnInfo* GridSheet::GetColumnInfo(int col) const {
    return col >= 0 && col < GetColumnCount() ? &m_oColumns[static_cast<std::size_t>(col)]
                                              : nullptr;
}

int GridSheet::ColumnWidth(int col) const {
    if (col >= 0) {
        return col < GetColumnCount() ? m_oColumns[static_cast<std::size_t>(col)].m_nWidth : 0;
    }
    const auto index = static_cast<std::size_t>(-col - 1);
    return index < m_oSideHeadingWidths.size() ? m_oSideHeadingWidths[index] : 0;
}

void GridSheet::ResizeRows(int count) {
    if (count > 0 && m_nLockedRows >= count) {
        m_nLockedRows = count - 1;
    }
    if (count > kUniformRowLimit && !m_bUniformRowHeight) {
        SetUniformRowHeight(true);
    }
    if (!m_bUniformRowHeight) {
        m_oRowHeights.resize(static_cast<std::size_t>(count), kDefaultRowHeight);
    }
    m_nRowCount = count;
    SumLockedHeight();
}

void GridSheet::SetUniformRowHeight(bool uniform) {
    if (uniform) {
        m_oRowHeights.clear();
        m_oRowHeights.shrink_to_fit();
    } else if (m_bUniformRowHeight) {
        m_oRowHeights.assign(static_cast<std::size_t>(m_nRowCount), m_nDefaultRowHeight);
    }
    m_bUniformRowHeight = uniform;
    SumLockedHeight();
}

int GridSheet::RowHeight(int row) const {
    if (row >= 0) {
        if (row >= m_nRowCount) {
            return 0;
        }
        return m_bUniformRowHeight ? m_nDefaultRowHeight
                                   : m_oRowHeights[static_cast<std::size_t>(row)];
    }
    const auto index = static_cast<std::size_t>(-row - 1);
    return index < m_oTopHeadingHeights.size() ? m_oTopHeadingHeights[index] : 0;
}

void GridSheet::SetRowHeight(int row, int height) {
    if (row < 0 || row >= m_nRowCount) {
        return;
    }
    if (m_bUniformRowHeight) {
        m_nDefaultRowHeight = height;
    } else {
        m_oRowHeights[static_cast<std::size_t>(row)] = height;
    }
    SumLockedHeight();
}

void GridSheet::SumLockedWidth() {
    m_nLockedWidth = SumWidths(0, m_nLockedCols);
}

void GridSheet::SumLockedHeight() {
    m_nLockedHeight = SumHeights(0, m_nLockedRows);
}

int GridSheet::SumWidths(int from, int to) const {
    int sum = 0;
    for (int col = std::max(from, 0); col < std::min(to, GetColumnCount()); ++col) {
        sum += m_oColumns[static_cast<std::size_t>(col)].m_nWidth;
    }
    return sum;
}

int GridSheet::SumHeights(int from, int to) const {
    from = std::max(from, 0);
    to = std::min(to, m_nRowCount);
    if (to <= from) {
        return 0;
    }
    if (m_bUniformRowHeight) {
        return (to - from) * m_nDefaultRowHeight;
    }
    int sum = 0;
    for (int row = from; row < to; ++row) {
        sum += m_oRowHeights[static_cast<std::size_t>(row)];
    }
    return sum;
}

GridDataSource* GridSheet::DataSourceOf(int col) const {
    const GridColumnInfo* info = GetColumnInfo(col);
    return info && info->m_pDataSource ? info->m_pDataSource : m_pDefaultDataSource;
}

int GridSheet::DataSourceCol(int col) const {
    const GridColumnInfo* info = GetColumnInfo(col);
    return info ? info->m_nDataSourceCol : col;
}

int GridSheet::ComposeCell(int col, int row, GridCell& cell, GridHost& host) const {
    cell.ClearAll();
    const GridColumnInfo* info = GetColumnInfo(col);
    if (info && row >= 0) {
        cell.CopyFrom(info->m_oColDefault);
    } else {
        cell.CopyFrom(m_oHeadingDefault);
    }
    if (row >= m_nRowCount) {
        return 0;
    }
    const int dsCol = DataSourceCol(col);
    DataSourceOf(col)->GetCell(dsCol, row, cell);
    host.OnFetchCell(info ? dsCol : col, row, cell);
    cell.ApplyStyleAndFormat();
    return 0;
}
