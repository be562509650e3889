#pragma once

#include <algorithm>
#include <memory>
#include <vector>

#include <QColor>
#include <QFont>
#include <QPen>
#include <QRect>

#include "grid/GridAxis.h"
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
    // The width of a new sheet's one side heading column (the heading is wider).
    static constexpr int kDefaultSideHeadingColumnWidth = 25;

    // `buttonFace` colours the heading cells, `scrollBarExtent` sizes the bars.
    GridSheet(const QColor& buttonFace, int scrollBarExtent);
    GridSheet(const GridSheet&) = delete;
    GridSheet& operator=(const GridSheet&) = delete;

    // --- Columns and rows -------------------------------------------------------
    // The column axis's heading entries are the side heading's columns, the row
    // axis's the top heading's rows.
    GridAxis& Columns() { return m_oColumnAxis; }
    const GridAxis& Columns() const { return m_oColumnAxis; }
    GridAxis& Rows() { return m_oRowAxis; }
    const GridAxis& Rows() const { return m_oRowAxis; }
    GridAxis& Axis(Qt::Orientation along) {
        return along == Qt::Horizontal ? m_oColumnAxis : m_oRowAxis;
    }
    const GridAxis& Axis(Qt::Orientation along) const {
        return along == Qt::Horizontal ? m_oColumnAxis : m_oRowAxis;
    }
    int GetColumnCount() const { return m_oColumnAxis.Count(); }
    int GetRowCount() const { return m_oRowAxis.Count(); }
    // Resizes the column records: new ones copy the grid default and keep their
    // cells under their own index. The locked columns, the current cell and the
    // moving end stay below the count.
    void ResizeColumns(int count);
    // Moves a column's record and width in front of `target`.
    void MoveColumn(int col, int target);
    GridColumnInfo* GetColumnInfo(int col);
    const GridColumnInfo* GetColumnInfo(int col) const;
    // Resizes the rows (switching to uniform heights above the limit); the current
    // cell and the moving end stay below the count.
    void ResizeRows(int count);

    // The cell area's rectangle, as the layout computed it; it gives both axes
    // their room.
    const QRect& AreaRect() const { return m_rectArea; }
    void SetAreaRect(const QRect& rect);

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

    // --- Current cell ---------------------------------------------------------------
    // The current cell; -1 along an axis where none is current yet.
    int CurrentCol() const { return m_nCurrentCol; }
    int CurrentRow() const { return m_nCurrentRow; }
    int Current(Qt::Orientation along) const {
        return along == Qt::Horizontal ? m_nCurrentCol : m_nCurrentRow;
    }
    bool HasCurrentCell() const { return m_nCurrentCol >= 0 && m_nCurrentRow >= 0; }
    void SetCurrentCell(int col, int row) {
        m_nCurrentCol = col;
        m_nCurrentRow = row;
    }
    // The current cell as owners last heard of it: the grid tells them of the
    // change from it to the current cell, then marks the change heard.
    int HeardCol() const { return m_nHeardCol; }
    int HeardRow() const { return m_nHeardRow; }
    void MarkCurrentHeard() {
        m_nHeardCol = m_nCurrentCol;
        m_nHeardRow = m_nCurrentRow;
    }
    // Index 0 along an axis that had nothing current becomes current, heard of and
    // the moving end, while the other axis has no cells to move onto.
    void StartCurrent(Qt::Orientation along);
    // The moving end of the selection, where keyboard moves start.
    int MovingCol() const { return m_nMovingCol; }
    int MovingRow() const { return m_nMovingRow; }
    int Moving(Qt::Orientation along) const {
        return along == Qt::Horizontal ? m_nMovingCol : m_nMovingRow;
    }
    void SetMovingCell(int col, int row) {
        m_nMovingCol = col;
        m_nMovingRow = row;
    }

    // --- Selection ------------------------------------------------------------------
    GridSelection& Selection() { return m_oSelection; }
    const GridSelection& Selection() const { return m_oSelection; }
    // Either switch clears the selection; its blocks are cells, whole rows (row
    // highlight) or none (no multiple selection).
    bool IsMultiSelect() const { return m_bMultiSelect; }
    void SetMultiSelect(bool on);
    // The current cell's whole row shows as current.
    bool IsRowHighlight() const { return m_bRowHighlight; }
    void SetRowHighlight(bool on);

    // How the pending move was caused, and the keys held.
    static constexpr int kMoveKeyboard = 0;
    static constexpr int kMoveLeftButton = 1;
    static constexpr int kMoveRightButton = 2;
    static constexpr int kMoveDrag = 3;
    static constexpr int kMoveScrollBar = 4;
    // A heading selects whole columns or rows itself: the move leaves the
    // selection alone.
    static constexpr int kMoveHeading = 5;
    int MoveCause() const { return m_nMoveCause; }
    // The keys also reach the cell types, so a cause without keys keeps the last.
    Qt::KeyboardModifiers MoveModifiers() const { return m_oMoveModifiers; }
    void SetMoveCause(int cause) { m_nMoveCause = cause; }
    void SetMoveCause(int cause, Qt::KeyboardModifiers modifiers) {
        m_nMoveCause = cause;
        m_oMoveModifiers = modifiers;
    }

    // --- Defaults -------------------------------------------------------------------
    // New columns start from the grid default; heading cells from the heading default.
    const GridCell& GridDefault() const { return m_oGridDefault; }
    void SetGridDefault(const GridCell& cell) { m_oGridDefault.CopyFrom(cell); }
    void SetHeadingBackColor(const QColor& color) { m_oHeadingDefault.SetBackColor(color); }
    // The font of cells without their own, once one is set.
    bool HasDefaultFont() const { return m_bHasDefaultFont; }
    const QFont& DefaultFont() const { return m_oDefaultFont; }
    void SetDefaultFont(const QFont& font) {
        m_oDefaultFont = font;
        m_bHasDefaultFont = true;
    }

    // --- Components -----------------------------------------------------------------
    int VScrollWidth() const { return m_nVScrollWidth; }
    int HScrollHeight() const { return m_nHScrollHeight; }
    // 0: the tab strip is hidden.
    int TabStripWidth() const { return m_nTabStripWidth; }
    void SetTabStripWidth(int width) { m_nTabStripWidth = std::max(width, 0); }

    // --- Settings -------------------------------------------------------------------
    // Blocks of joined cells show and move as one cell.
    bool JoinsCells() const { return m_bJoinedCells; }
    // Text runs on into empty cells beside it.
    bool IsTextOverflow() const { return m_bTextOverflow; }
    void SetTextOverflow(bool on) { m_bTextOverflow = on; }
    bool IsPopupMenuEnabled() const { return m_bPopupMenu; }
    void SetPopupMenuEnabled(bool on) { m_bPopupMenu = on; }
    bool IsToolTipsEnabled() const { return m_bToolTips; }
    void SetToolTipsEnabled(bool on) { m_bToolTips = on; }
    // 0 no resizing by dragging, 1 a marker line while dragging, else live.
    int SizingMode() const { return m_nSizingMode; }
    void SetSizingMode(int mode) { m_nSizingMode = mode; }
    // Whether a column heading can be dragged to move its column.
    bool IsColumnMoving() const { return m_bColumnMoving; }
    void SetColumnMoving(bool on) { m_bColumnMoving = on; }
    // Whether moving the focus out of the grid throws an edit away.
    bool CancelsOnLeave() const { return m_bCancelOnLeave; }
    void SetCancelOnLeave(bool on) { m_bCancelOnLeave = on; }
    // How a bar's view follows its thumb (0 on release, 1 while dragged), and
    // whether the hint names the row or column under the thumb.
    int ScrollMode(Qt::Orientation along) const { return m_aScrollMode[Index(along)]; }
    void SetScrollMode(Qt::Orientation along, int mode) { m_aScrollMode[Index(along)] = mode; }
    bool ScrollHint(Qt::Orientation along) const { return m_aScrollHint[Index(along)]; }
    void SetScrollHint(Qt::Orientation along, bool on) { m_aScrollHint[Index(along)] = on; }
    // Exponent of the drag auto-scroll (0: one cell per step) and the pause after
    // a one-cell step, in milliseconds.
    double BallisticFactor() const { return m_dBallisticFactor; }
    int BallisticDelay() const { return m_nBallisticDelay; }
    void SetBallistics(double factor, int delay) {
        m_dBallisticFactor = factor;
        m_nBallisticDelay = delay;
    }
    // What cell drawing follows.
    int TextMargin() const { return m_nTextMargin; }
    bool HasGridLines() const { return m_bGridLines; }
    const QPen& GridLinePen() const { return m_oGridLinePen; }
    int FrameWidth() const { return m_nFrameWidth; }

private:
    static int Index(Qt::Orientation along) { return along == Qt::Vertical ? 1 : 0; }
    // After a new count along an axis: the current, heard-of and moving cells stay
    // inside it, and no selection outlives the last cell.
    void KeepCurrentWithin(Qt::Orientation along, int count);
    void UpdateSelectionMode();

    int m_nCurrentCol = -1;
    int m_nCurrentRow = -1;
    int m_nHeardCol = -1;
    int m_nHeardRow = -1;
    int m_nMovingCol = -1;
    int m_nMovingRow = -1;
    GridSelection m_oSelection;
    bool m_bMultiSelect = false;
    bool m_bRowHighlight = false;
    int m_nMoveCause = kMoveKeyboard;
    Qt::KeyboardModifiers m_oMoveModifiers;

    GridCell m_oGridDefault;
    GridCell m_oHeadingDefault;
    bool m_bHasDefaultFont = false;
    QFont m_oDefaultFont;

    int m_nVScrollWidth;
    int m_nHScrollHeight;
    int m_nTabStripWidth = 0;

    bool m_bJoinedCells = true;
    bool m_bTextOverflow = true;
    bool m_bPopupMenu = false;
    bool m_bToolTips = false;
    int m_aScrollMode[2] = {0, 0};
    bool m_aScrollHint[2] = {false, false};
    int m_nSizingMode = 1;
    bool m_bColumnMoving = false;
    bool m_bCancelOnLeave = true;
    double m_dBallisticFactor = 0;
    int m_nBallisticDelay = 200;
    int m_nTextMargin = 4;
    bool m_bGridLines = true;
    QPen m_oGridLinePen{QColor(220, 220, 220), 0};
    int m_nFrameWidth = 1;
    GridAxis m_oColumnAxis;
    GridAxis m_oRowAxis;
    std::vector<GridColumnInfo> m_oColumns;
    QRect m_rectArea;
    std::unique_ptr<GridMemDataSource> m_poMemDataSource;
    GridDataSource* m_pDefaultDataSource;
};
