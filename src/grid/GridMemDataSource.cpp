#include "grid/GridMemDataSource.h"

#include <algorithm>
#include <vector>

#include "grid/GridCell.h"
#include "grid/GridColumnInfo.h"
#include "grid/GridHost.h"

GridMemDataSource::~GridMemDataSource() {
    DeleteAll();
}

void GridMemDataSource::EnterRow() {
    m_pCurCell = m_pCurRow ? m_pCurRow->m_pFirstCell : nullptr;
    m_nCurCol = m_pCurRow ? m_pCurRow->m_nFirstCol : 0;
}

void GridMemDataSource::ResetCursor() {
    m_pCurRow = m_pFirstRow;
    m_nCurRow = m_nFirstRow;
    EnterRow();
}

bool GridMemDataSource::GotoRow(int row) {
    if (!m_pCurRow) {
        if (!m_pFirstRow) {
            return false;
        }
        ResetCursor();
    }
    if (row == m_nCurRow) {
        return true;
    }
    bool found = true;
    while (m_nCurRow < row) {
        if (!m_pCurRow->m_pNext) {
            found = false;
            break;
        }
        m_pCurRow = m_pCurRow->m_pNext;
        ++m_nCurRow;
    }
    while (found && m_nCurRow > row) {
        if (!m_pCurRow->m_pPrev) {
            found = false;
            break;
        }
        m_pCurRow = m_pCurRow->m_pPrev;
        --m_nCurRow;
    }
    EnterRow();
    return found;
}

bool GridMemDataSource::GotoCol(int col) {
    if (!m_pCurCell) {
        return false;
    }
    while (m_nCurCol < col) {
        if (!m_pCurCell->m_pNext) {
            return false;
        }
        m_pCurCell = m_pCurCell->m_pNext;
        ++m_nCurCol;
    }
    while (m_nCurCol > col) {
        if (!m_pCurCell->m_pPrev) {
            return false;
        }
        m_pCurCell = m_pCurCell->m_pPrev;
        --m_nCurCol;
    }
    return true;
}

void GridMemDataSource::MakeRow(int row) {
    if (!m_pFirstRow) {
        m_pFirstRow = new RowNode;
        m_nFirstRow = 0;
        ResetCursor();
    } else if (!m_pCurRow) {
        ResetCursor();
    }
    if (row == m_nCurRow) {
        return;
    }
    while (m_nCurRow < row) {
        if (!m_pCurRow->m_pNext) {
            auto* node = new RowNode;
            node->m_pPrev = m_pCurRow;
            m_pCurRow->m_pNext = node;
        }
        m_pCurRow = m_pCurRow->m_pNext;
        ++m_nCurRow;
    }
    while (m_nCurRow > row) {
        if (!m_pCurRow->m_pPrev) {
            auto* node = new RowNode;
            node->m_pNext = m_pCurRow;
            m_pCurRow->m_pPrev = node;
            m_pFirstRow = node;
            m_nFirstRow = m_nCurRow - 1;
        }
        m_pCurRow = m_pCurRow->m_pPrev;
        --m_nCurRow;
    }
    EnterRow();
}

GridMemDataSource::CellNode* GridMemDataSource::MakeCell(int col) {
    RowNode* row = m_pCurRow;
    if (!row->m_pFirstCell) {
        row->m_pFirstCell = new CellNode;
        row->m_nFirstCol = 0;
        EnterRow();
    }
    while (m_nCurCol < col) {
        if (!m_pCurCell->m_pNext) {
            auto* node = new CellNode;
            node->m_pPrev = m_pCurCell;
            m_pCurCell->m_pNext = node;
        }
        m_pCurCell = m_pCurCell->m_pNext;
        ++m_nCurCol;
    }
    while (m_nCurCol > col) {
        if (!m_pCurCell->m_pPrev) {
            auto* node = new CellNode;
            node->m_pNext = m_pCurCell;
            m_pCurCell->m_pPrev = node;
            row->m_pFirstCell = node;
            row->m_nFirstCol = m_nCurCol - 1;
        }
        m_pCurCell = m_pCurCell->m_pPrev;
        --m_nCurCol;
    }
    return m_pCurCell;
}

const GridMemDataSource::RowNode* GridMemDataSource::FindRow(int row) const {
    if (row < m_nFirstRow) {
        return nullptr;
    }
    const RowNode* node = m_pFirstRow;
    for (int index = m_nFirstRow; node && index < row; ++index) {
        node = node->m_pNext;
    }
    return node;
}

GridMemDataSource::CellNode* GridMemDataSource::FindCell(const RowNode* row, int col) {
    if (!row || col < row->m_nFirstCol) {
        return nullptr;
    }
    CellNode* node = row->m_pFirstCell;
    for (int index = row->m_nFirstCol; node && index < col; ++index) {
        node = node->m_pNext;
    }
    return node;
}

void GridMemDataSource::FreeRow(RowNode* row) {
    CellNode* cell = row->m_pFirstCell;
    while (cell) {
        CellNode* next = cell->m_pNext;
        delete cell;
        cell = next;
    }
    delete row;
}

void GridMemDataSource::ForEachOwnColumn(const std::function<void(int, GridColumnInfo&)>& visit) {
    if (!m_pGrid) {
        return;
    }
    // A column that names another source keeps that source's numbering.
    GridDataSource* sheetDefault = m_pGrid->GetDefaultDataSource();
    const int count = m_pGrid->GetColumnCount();
    for (int col = 0; col < count; ++col) {
        GridColumnInfo* info = m_pGrid->GetColumnInfo(col);
        if (!info) {
            continue;
        }
        const GridDataSource* source = info->m_pDataSource ? info->m_pDataSource : sheetDefault;
        if (source == this) {
            visit(col, *info);
        }
    }
}

int GridMemDataSource::InsertRow(int row) {
    if (!GotoRow(row)) {
        return 0;
    }
    auto* node = new RowNode;
    node->m_pNext = m_pCurRow;
    node->m_pPrev = m_pCurRow->m_pPrev;
    if (node->m_pPrev) {
        node->m_pPrev->m_pNext = node;
    } else {
        m_pFirstRow = node;
    }
    m_pCurRow->m_pPrev = node;
    m_pCurRow = node;
    EnterRow();
    return 0;
}

int GridMemDataSource::InsertColumn(int col) {
    if (!m_pFirstRow) {
        return 1;
    }
    int position = col;
    bool mapped = false;
    ForEachOwnColumn([&](int gridCol, GridColumnInfo& info) {
        if (!mapped && info.m_nDataSourceCol == col) {
            position = gridCol;
            mapped = true;
        }
    });
    for (RowNode* row = m_pFirstRow; row; row = row->m_pNext) {
        CellNode* at = FindCell(row, position);
        if (!at) {
            continue;
        }
        auto* node = new CellNode;
        node->m_pNext = at;
        node->m_pPrev = at->m_pPrev;
        if (node->m_pPrev) {
            node->m_pPrev->m_pNext = node;
        } else {
            row->m_pFirstCell = node;
        }
        at->m_pPrev = node;
    }
    ForEachOwnColumn([&](int, GridColumnInfo& info) {
        if (info.m_nDataSourceCol >= position) {
            ++info.m_nDataSourceCol;
        }
    });
    ResetCursor();
    return 0;
}

int GridMemDataSource::DeleteRow(int row) {
    if (!GotoRow(row)) {
        return 0;
    }
    RowNode* node = m_pCurRow;
    if (node->m_pPrev) {
        node->m_pPrev->m_pNext = node->m_pNext;
    } else {
        // The next row, if any, takes over the first index.
        m_pFirstRow = node->m_pNext;
        if (!m_pFirstRow) {
            m_nFirstRow = 0;
        }
    }
    if (node->m_pNext) {
        node->m_pNext->m_pPrev = node->m_pPrev;
        m_pCurRow = node->m_pNext;
    } else {
        m_pCurRow = node->m_pPrev;
        m_nCurRow = row - 1;
    }
    FreeRow(node);
    if (!m_pCurRow) {
        m_nCurRow = 0;
    }
    EnterRow();
    return 0;
}

int GridMemDataSource::DeleteColumn(int col) {
    for (RowNode* row = m_pFirstRow; row; row = row->m_pNext) {
        CellNode* node = FindCell(row, col);
        if (!node) {
            continue;
        }
        if (!node->m_pNext) {
            // Nothing follows that would have to move left.
            node->m_poCell.reset();
            continue;
        }
        node->m_pNext->m_pPrev = node->m_pPrev;
        if (node->m_pPrev) {
            node->m_pPrev->m_pNext = node->m_pNext;
        } else {
            row->m_pFirstCell = node->m_pNext;
        }
        delete node;
    }
    ForEachOwnColumn([&](int, GridColumnInfo& info) {
        // A column that showed the deleted one shows the one before it; column 0
        // stays, since below it lie the heading cells.
        if (info.m_nDataSourceCol >= col && info.m_nDataSourceCol > 0) {
            --info.m_nDataSourceCol;
        }
    });
    ResetCursor();
    return 0;
}

int GridMemDataSource::DeleteCell(int col, int row) {
    if (!GotoRow(row) || !GotoCol(col)) {
        return 1;
    }
    m_pCurCell->m_poCell.reset();
    return 0;
}

int GridMemDataSource::DeleteAll() {
    RowNode* row = m_pFirstRow;
    while (row) {
        RowNode* next = row->m_pNext;
        FreeRow(row);
        row = next;
    }
    m_pFirstRow = nullptr;
    m_nFirstRow = 0;
    ResetCursor();
    return 0;
}

int GridMemDataSource::GetCell(int col, int row, GridCell& cell) {
    if (!GotoRow(row) || !GotoCol(col) || !m_pCurCell->m_poCell) {
        return 1;
    }
    m_pCurCell->m_poCell->MergeInto(cell);
    return 0;
}

int GridMemDataSource::SetCell(int col, int row, const GridCell& cell) {
    MakeRow(row);
    CellNode* node = MakeCell(col);
    if (!node->m_poCell) {
        node->m_poCell = std::make_unique<GridCell>();
    }
    node->m_poCell->CopyFrom(cell);
    return 0;
}

int GridMemDataSource::SortByColumns(const int* cols, int count, int flags) {
    if (!m_pGrid) {
        return 1;
    }
    // A row's contents are its cell list; sorting moves them between the nodes.
    struct Contents {
        CellNode* m_pFirstCell;
        int m_nFirstCol;
    };
    std::vector<RowNode*> rows;
    for (RowNode* row = m_pFirstRow; row; row = row->m_pNext) {
        rows.push_back(row);
    }
    const auto first = static_cast<std::size_t>(std::clamp(-m_nFirstRow, 0, int(rows.size())));
    std::vector<Contents> contents;
    contents.reserve(rows.size() - first);
    for (std::size_t i = first; i < rows.size(); ++i) {
        contents.push_back({rows[i]->m_pFirstCell, rows[i]->m_nFirstCol});
    }
    auto keyCell = [](const Contents& row, int col) -> const GridCell* {
        RowNode node;
        node.m_pFirstCell = row.m_pFirstCell;
        node.m_nFirstCol = row.m_nFirstCol;
        const CellNode* cell = FindCell(&node, col);
        return cell ? cell->m_poCell.get() : nullptr;
    };
    // The comparison decides each pair by the first key column that tells them
    // apart; a stable sort then gives what repeated passes of adjacent swaps give.
    std::stable_sort(contents.begin(), contents.end(), [&](const Contents& a, const Contents& b) {
        for (int k = 0; k < count; ++k) {
            const int result =
                m_pGrid->OnSortCompare(keyCell(a, cols[k]), keyCell(b, cols[k]), flags);
            if (result != 0) {
                return result < 0;
            }
        }
        return false;
    });
    for (std::size_t i = first; i < rows.size(); ++i) {
        rows[i]->m_pFirstCell = contents[i - first].m_pFirstCell;
        rows[i]->m_nFirstCol = contents[i - first].m_nFirstCol;
    }
    ResetCursor();
    return 0;
}

int GridMemDataSource::GetPrevNonEmptyCell(int& col, int row) {
    if (col <= 0 || !GotoRow(row) || !m_pCurCell) {
        return 1;
    }
    // Short rows leave the cursor on their last node, which is where to start.
    GotoCol(col - 1);
    if (m_nCurCol >= col) {
        return 1;
    }
    int index = m_nCurCol;
    for (const CellNode* node = m_pCurCell; node && index >= 0; node = node->m_pPrev, --index) {
        if (node->m_poCell && node->m_poCell->GetTextLength() > 0) {
            col = index;
            return 0;
        }
    }
    return 1;
}

int GridMemDataSource::GetRowNodeCount() const {
    int count = 0;
    for (const RowNode* row = m_pFirstRow; row; row = row->m_pNext) {
        ++count;
    }
    return count;
}

bool GridMemDataSource::HasRowNode(int row) const {
    return FindRow(row) != nullptr;
}

int GridMemDataSource::GetCellNodeCount(int row) const {
    const RowNode* node = FindRow(row);
    if (!node) {
        return -1;
    }
    int count = 0;
    for (const CellNode* cell = node->m_pFirstCell; cell; cell = cell->m_pNext) {
        ++count;
    }
    return count;
}

bool GridMemDataSource::HasCellNode(int col, int row) const {
    return FindCell(FindRow(row), col) != nullptr;
}
