#include "grid/GridMemDataSource.h"

#include <algorithm>
#include <vector>

#include "grid/GridCell.h"
#include "grid/GridColumnInfo.h"
#include "grid/GridFind.h"
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

int GridMemDataSource::FindNext(const QString& text, int& col, int& row, int flags) {
    if (!m_pGrid || text.isEmpty()) {
        return 1;
    }
    const int rowCount = m_pGrid->GetRowCount();
    const int lastCol = m_pGrid->GetColumnCount() - 1;
    if (rowCount <= 0 || lastCol < 0) {
        return 1;
    }
    const bool back = (flags & GridFind::kBackwards) != 0;
    const bool along = (flags & GridFind::kAlongRows) != 0;
    auto wrap = [rowCount](int r) { return r < 0 ? rowCount - 1 : (r >= rowCount ? 0 : r); };

    // One step from the start, which is not tested. Along the rows a start outside
    // the rows starts the search at its first cell.
    int c = col;
    int r = row;
    if (along && (r < 0 || r >= rowCount)) {
        r = back ? rowCount - 1 : 0;
        c = back ? lastCol : 0;
    } else if (!along) {
        r = wrap(back ? r - 1 : r + 1);
    } else if (back) {
        c = std::min(c - 1, lastCol);
        if (c < 0) {
            c = lastCol;
            r = wrap(r - 1);
        }
    } else {
        c = std::max(c + 1, 0);
        if (c > lastCol) {
            c = 0;
            r = wrap(r + 1);
        }
    }

    // The row cursor moves one row per step, also across rows that were never
    // stored, so that a search costs one step per row and cell visited.
    for (int visited = 0; visited <= rowCount; ++visited) {
        if (r >= 0 && GotoRow(r)) {
            if (!along) {
                if (GotoCol(c) && m_pCurCell->m_poCell &&
                    GridFind::Matches(m_pCurCell->m_poCell->GetText(), text, flags)) {
                    col = c;
                    row = r;
                    return 0;
                }
            } else {
                // The row's cells from c onwards, in the direction of the search.
                const CellNode* node = m_pCurRow->m_pFirstCell;
                int index = m_pCurRow->m_nFirstCol;
                if (back) {
                    while (node && node->m_pNext && index < c) {
                        node = node->m_pNext;
                        ++index;
                    }
                    if (index > c) {
                        node = nullptr;
                    }
                } else {
                    while (node && index < c) {
                        node = node->m_pNext;
                        ++index;
                    }
                }
                while (node && index >= 0 && index <= lastCol) {
                    if (node->m_poCell &&
                        GridFind::Matches(node->m_poCell->GetText(), text, flags)) {
                        col = index;
                        row = r;
                        return 0;
                    }
                    node = back ? node->m_pPrev : node->m_pNext;
                    index += back ? -1 : 1;
                }
            }
        }
        r = wrap(back ? r - 1 : r + 1);
        if (along) {
            c = back ? lastCol : 0;
        }
    }
    return 1;
}

int GridMemDataSource::SortByColumns(const int* cols, int count, int flags) {
    if (!m_pGrid) {
        return 1;
    }
    std::vector<RowNode*> rows;
    {
        RowNode* node = m_pFirstRow;
        for (int index = m_nFirstRow; node && index < 0; ++index) {
            node = node->m_pNext;
        }
        for (; node; node = node->m_pNext) {
            rows.push_back(node);
        }
    }
    const std::size_t n = rows.size();
    const auto keyCount = static_cast<std::size_t>(std::max(count, 0));
    if (n < 2 || keyCount == 0) {
        ResetCursor();
        return 0;
    }
    // The key cells of every row, looked up once rather than at every comparison.
    std::vector<const GridCell*> keys(n * keyCount);
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t k = 0; k < keyCount; ++k) {
            const CellNode* cell = FindCell(rows[i], cols[k]);
            keys[i * keyCount + k] = cell ? cell->m_poCell.get() : nullptr;
        }
    }
    // Whether the row now above must go below the other: decided by the first key
    // column whose cells do not compare equal.
    auto below = [&](std::size_t upper, std::size_t lower) {
        for (std::size_t k = 0; k < keyCount; ++k) {
            const int result = m_pGrid->OnSortCompare(keys[upper * keyCount + k],
                                                      keys[lower * keyCount + k], flags);
            if (result != 0) {
                return result > 0;
            }
        }
        return false;
    };

    // A merge sort of the runs already in order, so that sorted rows cost one pass
    // and rows in reverse order one more. A merge takes from the lower run only
    // what must go above the upper run's row, which keeps equal rows in order.
    std::vector<std::size_t> order(n);
    for (std::size_t i = 0; i < n; ++i) {
        order[i] = i;
    }
    std::vector<std::size_t> runs{0};
    for (std::size_t i = 0; i < n;) {
        std::size_t j = i + 1;
        if (j < n && below(order[i], order[j])) {
            // Each row must go above the one before: a run to turn round.
            while (j + 1 < n && below(order[j], order[j + 1])) {
                ++j;
            }
            std::reverse(order.begin() + static_cast<std::ptrdiff_t>(i),
                         order.begin() + static_cast<std::ptrdiff_t>(j + 1));
            ++j;
        } else {
            // The pair (i, j) was just found in order.
            if (j < n) {
                ++j;
            }
            while (j < n && !below(order[j - 1], order[j])) {
                ++j;
            }
        }
        runs.push_back(j);
        i = j;
    }
    std::vector<std::size_t> merged(n);
    while (runs.size() > 2) {
        std::vector<std::size_t> next{0};
        std::size_t r = 0;
        for (; r + 2 < runs.size(); r += 2) {
            std::size_t a = runs[r];
            const std::size_t middle = runs[r + 1];
            std::size_t b = middle;
            const std::size_t end = runs[r + 2];
            std::size_t out = runs[r];
            while (a < middle && b < end) {
                merged[out++] = below(order[a], order[b]) ? order[b++] : order[a++];
            }
            while (a < middle) {
                merged[out++] = order[a++];
            }
            while (b < end) {
                merged[out++] = order[b++];
            }
            next.push_back(end);
        }
        if (r + 1 < runs.size()) {
            // An odd run left over goes on as it is.
            std::copy(order.begin() + static_cast<std::ptrdiff_t>(runs[r]), order.end(),
                      merged.begin() + static_cast<std::ptrdiff_t>(runs[r]));
            next.push_back(n);
        }
        order.swap(merged);
        runs.swap(next);
    }

    // A row's contents are its cell list; they move between the row nodes.
    std::vector<std::pair<CellNode*, int>> contents(n);
    for (std::size_t i = 0; i < n; ++i) {
        contents[i] = {rows[order[i]]->m_pFirstCell, rows[order[i]]->m_nFirstCol};
    }
    for (std::size_t i = 0; i < n; ++i) {
        rows[i]->m_pFirstCell = contents[i].first;
        rows[i]->m_nFirstCol = contents[i].second;
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
