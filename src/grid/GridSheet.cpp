#include "grid/GridSheet.h"

#include <algorithm>

#include "grid/GridHost.h"

namespace {
// Alignment of heading cells: centred both ways.
constexpr unsigned kHeadingAlignment = GridCell::kAlignCenter | GridCell::kAlignVCenter;
} // namespace

GridSheet::GridSheet(const QColor& buttonFace, int scrollBarExtent)
    : m_nVScrollWidth(scrollBarExtent), m_nHScrollHeight(scrollBarExtent),
      m_oColumnAxis(kDefaultColumnWidth, kDefaultSideHeadingColumnWidth, 40),
      m_oRowAxis(kDefaultRowHeight, kDefaultRowHeight, kDefaultRowHeight),
      m_poMemDataSource(std::make_unique<GridMemDataSource>()),
      m_pDefaultDataSource(m_poMemDataSource.get()) {
    m_oHeadingDefault.SetBackColor(buttonFace);
    m_oHeadingDefault.SetBorder(GridCell::kBorderRaised);
    m_oHeadingDefault.SetAlignment(kHeadingAlignment);
}

void GridSheet::ResizeColumns(int count) {
    const int old = GetColumnCount();
    m_oColumns.resize(static_cast<std::size_t>(count));
    for (int col = old; col < count; ++col) {
        GridColumnInfo& info = m_oColumns[static_cast<std::size_t>(col)];
        info.m_pDataSource = nullptr;
        info.m_oColDefault = m_oGridDefault;
        info.m_nDataSourceCol = col;
    }
    m_oColumnAxis.SetCount(count, m_oColumnAxis.DefaultSize());
    m_oSelection.SetColumnCount(count);
    KeepCurrentWithin(Qt::Horizontal, count);
}

void GridSheet::MoveColumn(int col, int target) {
    const auto begin = m_oColumns.begin();
    if (target > col) {
        std::rotate(begin + col, begin + col + 1, begin + target);
    } else {
        std::rotate(begin + target, begin + col, begin + col + 1);
    }
    m_oColumnAxis.MoveEntry(col, target);
}

GridColumnInfo* GridSheet::GetColumnInfo(int col) {
    return col >= 0 && col < GetColumnCount() ? &m_oColumns[static_cast<std::size_t>(col)]
                                              : nullptr;
}

const GridColumnInfo* GridSheet::GetColumnInfo(int col) const {
    return col >= 0 && col < GetColumnCount() ? &m_oColumns[static_cast<std::size_t>(col)]
                                              : nullptr;
}

void GridSheet::ResizeRows(int count) {
    if (count > kUniformRowLimit) {
        m_oRowAxis.SetUniform(true);
    }
    // New rows start at the standard height, whatever the default has become.
    m_oRowAxis.SetCount(count, kDefaultRowHeight);
    KeepCurrentWithin(Qt::Vertical, count);
}

void GridSheet::KeepCurrentWithin(Qt::Orientation along, int count) {
    const bool columns = along == Qt::Horizontal;
    int& current = columns ? m_nCurrentCol : m_nCurrentRow;
    int& moving = columns ? m_nMovingCol : m_nMovingRow;
    if (current >= count) {
        // Owners are not told: the cell they knew is gone.
        current = count - 1;
        (columns ? m_nHeardCol : m_nHeardRow) = current;
    }
    moving = std::min(moving, count - 1);
    if (count == 0) {
        m_oSelection.Clear();
    }
}

void GridSheet::StartCurrent(Qt::Orientation along) {
    const bool columns = along == Qt::Horizontal;
    (columns ? m_nCurrentCol : m_nCurrentRow) = 0;
    (columns ? m_nHeardCol : m_nHeardRow) = 0;
    (columns ? m_nMovingCol : m_nMovingRow) = 0;
}

void GridSheet::SetMultiSelect(bool on) {
    m_bMultiSelect = on;
    UpdateSelectionMode();
}

void GridSheet::SetRowHighlight(bool on) {
    m_bRowHighlight = on;
    UpdateSelectionMode();
}

void GridSheet::UpdateSelectionMode() {
    m_oSelection.Clear();
    m_oSelection.SetMode(!m_bMultiSelect   ? GridSelection::kOff
                         : m_bRowHighlight ? GridSelection::kRows
                                           : GridSelection::kCells);
}

void GridSheet::SetAreaRect(const QRect& rect) {
    m_rectArea = rect;
    m_oColumnAxis.SetRoom(rect.width());
    m_oRowAxis.SetRoom(rect.height());
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
    if (row >= GetRowCount()) {
        return 0;
    }
    const int dsCol = DataSourceCol(col);
    DataSourceOf(col)->GetCell(dsCol, row, cell);
    host.OnFetchCell(info ? dsCol : col, row, cell);
    cell.ApplyStyleAndFormat();
    return 0;
}
