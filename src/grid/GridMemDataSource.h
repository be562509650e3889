#pragma once

#include <functional>
#include <memory>

#include "grid/GridDataSource.h"

struct GridColumnInfo;

// The sparse in-memory cell store each sheet owns. Rows are a doubly linked list of
// row nodes, each with a doubly linked list of cell nodes; only cells that were set
// take memory. A cursor remembers the last row and cell reached, so that reading or
// writing in row order costs one step per cell, while a jump costs one step per row
// or column passed.
//
// Indices may be negative: heading cells are stored under their own negative
// column and row.
class GridMemDataSource : public GridDataSource {
public:
    GridMemDataSource() = default;
    GridMemDataSource(const GridMemDataSource&) = delete;
    GridMemDataSource& operator=(const GridMemDataSource&) = delete;
    ~GridMemDataSource() override;

    // An empty row before `row`; nothing when the row was never stored.
    int InsertRow(int row) override;
    // An empty column before the position of `col` in every row that reaches it; the
    // columns of the grid that use this store follow. 1 when nothing is stored.
    int InsertColumn(int col) override;
    // Removes the row; the rows after it move up.
    int DeleteRow(int row) override;
    // Removes the column from every row that reaches it; the columns of the grid
    // that use this store follow.
    int DeleteColumn(int col) override;
    // Destroys the stored cell and keeps its node; 1 when the row or column was
    // never stored.
    int DeleteCell(int col, int row) override;
    int DeleteAll() override;

    // 1 when nothing is stored there: the caller's cell keeps its defaults.
    int GetCell(int col, int row, GridCell& cell) override;
    // Stores a complete copy of `cell`.
    int SetCell(int col, int row, const GridCell& cell) override;

    // Visits at most one row more than the grid has, so that the start cell itself
    // is tested last; rows past the grid's last and heading cells are not searched.
    // Along the rows the columns run from 0 to the grid's last column. Nothing is
    // found without a grid.
    int FindNext(const QString& text, int& col, int& row, int flags) override;

    // Sorts the cell rows (0 and up; heading rows stay) by the grid's comparison.
    // The order is the one that swapping adjacent rows while the upper compares
    // above the lower would end in: rows that compare equal keep their order. The
    // row positions stay and their contents change place. Rows already in order
    // cost one comparison per pair. 1 without a grid to compare with.
    int SortByColumns(const int* cols, int count, int flags) override;

    int GetPrevNonEmptyCell(int& col, int row) override;

    // The shape of the store.
    int GetRowNodeCount() const;
    // -1 when the row has no node.
    int GetCellNodeCount(int row) const;

private:
    struct CellNode {
        std::unique_ptr<GridCell> m_poCell;
        CellNode* m_pNext = nullptr;
        CellNode* m_pPrev = nullptr;
    };
    struct RowNode {
        CellNode* m_pFirstCell = nullptr;
        // Column index of m_pFirstCell.
        int m_nFirstCol = 0;
        RowNode* m_pNext = nullptr;
        RowNode* m_pPrev = nullptr;
    };

    bool GotoRow(int row);
    bool GotoCol(int col);
    void EnterRow();
    void ResetCursor();
    void MakeRow(int row);
    CellNode* MakeCell(int col);
    const RowNode* FindRow(int row) const;
    static CellNode* FindCell(const RowNode* row, int col);
    static void FreeRow(RowNode* row);
    // Calls `visit` for every column of the grid whose cells live in this store.
    void ForEachOwnColumn(const std::function<void(int, GridColumnInfo&)>& visit);

    RowNode* m_pFirstRow = nullptr;
    int m_nFirstRow = 0;
    RowNode* m_pCurRow = nullptr;
    int m_nCurRow = 0;
    CellNode* m_pCurCell = nullptr;
    int m_nCurCol = 0;
};
