#pragma once

#include <cstdint>

class GridCell;
class GridDataSource;
struct GridColumnInfo;
class QPen;

// The grid as its cell types and data sources see it: the cells, the sizes and
// settings that drawing follows, and the notices they send back. `GridCtrl`
// implements it; the parts hold a pointer to it, so that they can be built and
// tested without a window.
//
// Columns and rows are grid coordinates: 0-based for cells, negative for heading
// cells. Operations answer the grid's status codes (0 success).
class GridHost {
public:
    virtual ~GridHost() = default;

    // The cell as shown: defaults, then the stored properties, then style and format.
    virtual int GetCell(int col, int row, GridCell& cell) = 0;
    virtual int SetCell(int col, int row, const GridCell& cell) = 0;
    // Only what the data source stores, without defaults; 1 when nothing is stored.
    virtual int ReadCell(int col, int row, GridCell& cell) = 0;
    virtual int RedrawCell(int col, int row) = 0;
    // A cell type reports a user action to the grid's owner; non-zero allows it.
    virtual int OnCellTypeEvent(int typeIndex, int col, int row, int event,
                                std::intptr_t param) = 0;
    // Runs near the end of every cell composition; may change the cell. `col` is
    // the data-source column for cell columns.
    virtual void OnFetchCell(int col, int row, GridCell& cell) = 0;
    // Orders two stored cells (either may be missing) for sorting; flags bit 2
    // asks for descending order.
    virtual int OnSortCompare(const GridCell* a, const GridCell* b, int flags) = 0;

    // Width of a cell column; 1 for a column outside the grid.
    virtual int GetColumnWidth(int col, int& width) = 0;
    // Height of a cell row; 0 outside the grid.
    virtual int GetRowHeight(int row) = 0;
    // Replaces (col, row) by the first cell of its joined block and fills in the
    // last; 0 when the cell belongs to a block, 1 when it stands alone.
    virtual int GetJoinRange(int& col, int& row, int& col2, int& row2) = 0;
    // The nearest column left of `col` in `row` whose stored cell has text; 0 and
    // that column when there is one, 1 otherwise.
    virtual int FindPrevNonEmptyCell(int& col, int row) = 0;

    // Settings of the current sheet that drawing follows.
    virtual bool GetTextOverflow() = 0;
    // The current cell (row) is drawn in the highlight colours.
    virtual bool GetRowHighlight() = 0;
    virtual bool GetGridLines() = 0;
    virtual const QPen& GetGridLinePen() = 0;
    virtual int GetFrameWidth() = 0;
    // Pixels kept free between cell text and the cell's edges.
    virtual int GetTextMargin() = 0;
    // Width of the sheet's vertical scroll bar, which buttons in cells match.
    virtual int GetVScrollWidth() = 0;

    // Drops the list of the drop-list type `typeIndex` under the cell. The list keeps
    // the two pointers and writes -1 into them when an item was chosen, -2 when it
    // closed without a choice. 0 when the list opened.
    virtual int OpenDropList(int typeIndex, int col, int row, int* listCol, int* listRow) = 0;
    virtual void CloseDropList() = 0;

    // The current sheet's columns, for data sources that renumber them or search
    // across them, and its rows, which a search visits.
    virtual int GetColumnCount() = 0;
    virtual int GetRowCount() const = 0;
    virtual GridColumnInfo* GetColumnInfo(int col) = 0;
    // The data source of columns that name none.
    virtual GridDataSource* GetDefaultDataSource() = 0;
};
