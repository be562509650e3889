#pragma once

#include <memory>
#include <vector>

#include <QColor>
#include <QFont>
#include <QPen>
#include <QRect>

#include "grid/GridCell.h"
#include "grid/GridColumnInfo.h"
#include "grid/GridMemDataSource.h"
#include "grid/GridSelection.h"

class GridHost;

// One sheet of a grid: its sizes, its columns, its view, its selection, its
// settings and the memory store that keeps its cells. All sizes are pixels, all
// indices 0-based for cells and negative for heading cells.
//
// The sheet also composes a cell as it is shown (defaults, column default, store,
// style and format), so that the grid and anything standing in for it build cells
// the same way.
class GridSheet {
public:
    // The most columns a sheet can have; above kUniformRowLimit rows the row
    // heights are kept uniform, without a per-row array.
    static constexpr int kMaxColumns = 32000;
    static constexpr int kUniformRowLimit = 64000;
    static constexpr int kDefaultColumnWidth = 75;
    static constexpr int kDefaultRowHeight = 20;

    // `buttonFace` colours the heading cells, `scrollBarExtent` sizes the bars.
    GridSheet(const QColor& buttonFace, int scrollBarExtent);
    GridSheet(const GridSheet&) = delete;
    GridSheet& operator=(const GridSheet&) = delete;

    // --- Columns and rows -------------------------------------------------------
    int GetColumnCount() const { return static_cast<int>(m_oColumns.size()); }
    // Resizes the column records: new ones copy the grid default and keep their
    // cells under their own index. The locked columns stay below the count.
    void ResizeColumns(int count);
    GridColumnInfo* GetColumnInfo(int col);
    const GridColumnInfo* GetColumnInfo(int col) const;
    // 0 for a column outside the sheet; heading columns have their heading widths.
    int ColumnWidth(int col) const;

    int GetRowCount() const { return m_nRowCount; }
    // Resizes the row heights (switching to uniform heights above the limit).
    void ResizeRows(int count);
    bool IsUniformRowHeight() const { return m_bUniformRowHeight; }
    void SetUniformRowHeight(bool uniform);
    // 0 for a row outside the sheet; heading rows have their heading heights.
    int RowHeight(int row) const;
    void SetRowHeight(int row, int height);

    // Sums of the locked columns' widths and the locked rows' heights.
    void SumLockedWidth();
    void SumLockedHeight();
    // Sum of widths of columns [from, to), heights of rows [from, to); to may be
    // below from (then 0).
    int SumWidths(int from, int to) const;
    int SumHeights(int from, int to) const;

    // --- Cells --------------------------------------------------------------------
    // Where the cells of a column are kept: the column's own data source, or the
    // sheet's store for heading columns and columns that name none.
    GridDataSource* DataSourceOf(int col) const;
    // The data-source column of a grid column; heading columns keep their own index.
    int DataSourceCol(int col) const;
    // The cell as shown: cleared, started from the heading default (heading cells
    // and columns beyond the count) or the column default; for a row beyond the
    // last, the defaults alone. Otherwise the store lays its properties over it,
    // `host.OnFetchCell` may change it, and the cell's style and format are applied.
    int ComposeCell(int col, int row, GridCell& cell, GridHost& host) const;

    GridMemDataSource& GetMemDataSource() { return *m_poMemDataSource; }
    GridDataSource* GetDefaultDataSource() const { return m_pDefaultDataSource; }

    // --- State (the grid reads and writes these directly) ------------------------
    int m_nCurrentCol = -1;
    int m_nCurrentRow = -1;
    int m_nPrevCurrentCol = -1;
    int m_nPrevCurrentRow = -1;
    // The moving end of the selection, where keyboard moves start.
    int m_nMovingCol = -1;
    int m_nMovingRow = -1;
    int m_nLeftCol = 0;
    int m_nPrevLeftCol = 0;
    int m_nTopRow = 0;
    int m_nPrevTopRow = 0;
    int m_nLastVisibleCol = 0;
    int m_nLastVisibleRow = 0;
    int m_nHighestLeftCol = 0;
    int m_nHighestTopRow = 0;

    int m_nDefaultColumnWidth = kDefaultColumnWidth;
    int m_nDefaultRowHeight = kDefaultRowHeight;

    // Heading rows above the cells (index -1 is the last of them) and heading
    // columns left of them, with their totals.
    std::vector<int> m_oTopHeadingHeights{20};
    std::vector<int> m_oSideHeadingWidths{25};
    int m_nTopHeadingHeight = 20;
    int m_nSideHeadingWidth = 40;

    GridCell m_oGridDefault;
    GridCell m_oHeadingDefault;

    int m_nVScrollWidth;
    int m_nHScrollHeight;
    // 0: the tab strip is hidden.
    int m_nTabStripWidth = 0;

    // Component rectangles, as the layout computed them.
    QRect m_rectArea;
    QRect m_rectTopHeading;
    QRect m_rectSideHeading;
    QRect m_rectCorner;
    QRect m_rectTabStrip;
    QRect m_rectVScroll;
    QRect m_rectHScroll;

    bool m_bRowHighlight = false;
    bool m_bMultiSelect = false;
    bool m_bJoinedCells = true;
    bool m_bTextOverflow = true;
    bool m_bPopupMenu = false;
    // 0 no resizing by dragging, 1 a marker line while dragging, else live.
    int m_nSizingMode = 1;
    bool m_bColumnMoving = false;
    bool m_bCancelOnLeave = true;
    bool m_bVScrollHint = false;
    bool m_bHScrollHint = false;
    bool m_bToolTips = false;
    int m_nVScrollMode = 0;
    int m_nHScrollMode = 0;
    // Exponent of the drag auto-scroll (0: one cell per step) and the pause after
    // a one-cell step, in milliseconds.
    double m_dBallisticFactor = 0;
    int m_nBallisticDelay = 200;

    int m_nLockedCols = 0;
    int m_nLockedRows = 0;
    int m_nLockedWidth = 0;
    int m_nLockedHeight = 0;

    bool m_bHasDefaultFont = false;
    QFont m_oDefaultFont;

    // How the pending move was caused, and the keys held.
    static constexpr int kMoveKeyboard = 0;
    static constexpr int kMoveLeftButton = 1;
    static constexpr int kMoveRightButton = 2;
    static constexpr int kMoveDrag = 3;
    static constexpr int kMoveScrollBar = 4;
    // A heading selects whole columns or rows itself: the move leaves the
    // selection alone.
    static constexpr int kMoveHeading = 5;
    int m_nMoveCause = kMoveKeyboard;
    Qt::KeyboardModifiers m_oMoveModifiers;

    GridSelection m_oSelection;

    int m_nTextMargin = 4;
    QPen m_oGridLinePen{QColor(220, 220, 220), 0};
    bool m_bGridLines = true;
    int m_nFrameWidth = 1;

private:
    std::vector<GridColumnInfo> m_oColumns;
    int m_nRowCount = 0;
    std::vector<int> m_oRowHeights;
    bool m_bUniformRowHeight = false;
    std::unique_ptr<GridMemDataSource> m_poMemDataSource;
    GridDataSource* m_pDefaultDataSource;
};
