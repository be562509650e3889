#pragma once

#include <memory>
#include <vector>

#include <QPen>
#include <QWidget>

#include "grid/GridCell.h"
#include "grid/GridCellOption.h"
#include "grid/GridEditSession.h"
#include "grid/GridFindController.h"
#include "grid/GridHost.h"
#include "grid/GridSheet.h"

class ArrowCellType;
class CellType;
class CheckBoxCellType;
class DropListCellType;
class GridArea;
class GridCornerButton;
class GridDropList;
class GridEdit;
class GridHint;
class GridMarkerLine;
class GridScrollBar;
class GridSheetTabs;
class GridSideHeading;
class GridTopHeading;
class NormalCellType;
class QMenu;
class QPaintDevice;
class QWheelEvent;

// A spreadsheet-like grid window: a cell area with top and side headings, a
// corner button, two scroll bars, a sheet tab strip, a hint window and an in-place
// editor, over one or more sheets whose cells live in data sources. It is used by
// deriving from it: the owner configures it through the operations and customises
// it by overriding the notification hooks, each of which has a default here.
//
// Operations answer a status: 0 success, 1 index or argument out of range, 2
// refused by a hook or the data source, 3 inconsistent range; on an error nothing
// changes. They act on the current sheet.
//
// The grid lays out its children itself rather than through QAbstractScrollArea:
// whether each scroll bar shows depends on the rows and columns fitting beside the
// other bar and on the tab strip that shares the bottom edge with the horizontal
// bar, and a hook may move any component after the layout; QAbstractScrollArea
// would place its bars by its own rules on every resize.
class GridCtrl : public QWidget, public GridHost {
    Q_OBJECT

public:
    static constexpr int kOk = 0;
    static constexpr int kOutOfRange = 1;
    static constexpr int kRefused = 2;
    static constexpr int kInconsistent = 3;

    // Components, as the hooks number them.
    static constexpr int kSectionArea = 1;
    static constexpr int kSectionTopHeading = 2;
    static constexpr int kSectionSideHeading = 3;
    static constexpr int kSectionCorner = 4;
    static constexpr int kSectionHScroll = 5;
    static constexpr int kSectionVScroll = 6;
    static constexpr int kSectionTabStrip = 7;

    static constexpr int kMaxSheets = 1024;
    static constexpr int kMaxHeadingSize = 1024;
    // Popup-menu items with an id at least this reach OnPopupCommand.
    static constexpr int kFirstPopupCommand = 1000;

    // Kinds of MoveCurrentColumn and MoveCurrentRow.
    static constexpr int kBackOne = 0;
    static constexpr int kForwardOne = 1;
    static constexpr int kPageBack = 2;
    static constexpr int kPageForward = 3;
    static constexpr int kFirst = 4;
    static constexpr int kLast = 5;

    explicit GridCtrl(QWidget* parent = nullptr);
    ~GridCtrl() override;

    // --- Creation and sheets --------------------------------------------------------
    // Shows the grid as a child of `parent` on `rect`, then calls OnGridCreated and
    // OnSheetCreated for sheet 0. Non-zero when created.
    int CreateGrid(bool visible, const QRect& rect, QWidget* parent, int id);
    int SetSheetCount(int count);
    int GetSheetCount() const { return static_cast<int>(m_oSheets.size()); }
    int SelectSheet(int sheet, int notify);

    // --- Size and layout --------------------------------------------------------------
    int SetColumnCount(int count, int redraw = 1);
    int GetColumnCount() override { return m_pSheet->GetColumnCount(); }
    int SetRowCount(int count, int redraw = 1) { return SetCount(Qt::Vertical, count, redraw); }
    int GetRowCount() const override { return m_pSheet->GetRowCount(); }
    int SetColumnWidth(int col, int width);
    int GetColumnWidth(int col, int& width) override;
    int SetRowHeight(int row, int height);
    int GetRowHeight(int row) override { return row >= 0 ? m_pSheet->Rows().Size(row) : 0; }
    int SetUniformRowHeight(int flag);
    int SetTopHeadingHeight(int height) { return SetHeadingTotal(Qt::Vertical, height); }
    int SetSideHeadingWidth(int width) { return SetHeadingTotal(Qt::Horizontal, width); }
    int GetTopHeadingHeight() const { return m_pSheet->Rows().HeadingTotal(); }
    int GetSideHeadingWidth() const { return m_pSheet->Columns().HeadingTotal(); }
    int SetTopHeadingRowHeight(int row, int height) {
        return SetHeadingSize(Qt::Vertical, row, height);
    }
    int SetSideHeadingColumnWidth(int col, int width) {
        return SetHeadingSize(Qt::Horizontal, col, width);
    }
    int SetTopHeadingRowCount(int count);
    int SetLockedColumns(int count) { return SetLocked(Qt::Horizontal, count); }
    int SetLockedRows(int count) { return SetLocked(Qt::Vertical, count); }
    int MoveColumn(int col, int position, int before);
    int FitColumns(int first, int last, int rows, int flags);
    int SetTabStripWidth(int width);

    // --- Cells and defaults -------------------------------------------------------
    int GetCell(int col, int row, GridCell& cell) override {
        return m_pSheet->ComposeCell(col, row, cell, *this);
    }
    int SetCell(int col, int row, const GridCell& cell) override;
    int ReadCell(int col, int row, GridCell& cell) override;
    int GetCellText(int col, int row, QString& text);
    QString GetCellText(int col, int row);
    int SetCellText(int col, int row, const QString& text);
    int DeleteCell(int col, int row) {
        return m_pSheet->DataSourceOf(col)->DeleteCell(m_pSheet->DataSourceCol(col), row);
    }
    int SetColumnDefault(int col, const GridCell& cell);
    int SetGridDefault(const GridCell& cell);
    int GetGridDefault(GridCell& cell) const;
    int SetDefaultFont(const QFont& font);
    // The font of cells without their own: the default font when set, else the
    // grid's own.
    QFont GetDefaultFont() const {
        return m_pSheet->HasDefaultFont() ? m_pSheet->DefaultFont() : font();
    }
    int AddCellType(CellType* type);
    // The type registered under `index`; the normal type for an unknown one.
    CellType* GetCellType(int index) const;
    int SetColumnDataSource(int col, GridDataSource* source);

    // --- Current cell and view ---------------------------------------------------
    int GotoCell(int col, int row) { return MoveTo(col, row); }
    int GotoColumn(int col) { return GotoIndex(Qt::Horizontal, col); }
    int GotoRow(int row) { return GotoIndex(Qt::Vertical, row); }
    int MoveCurrentColumn(int kind) { return MoveCurrent(Qt::Horizontal, kind); }
    int MoveCurrentRow(int kind) { return MoveCurrent(Qt::Vertical, kind); }
    int SetLeftColumn(int col) { return SetFirst(Qt::Horizontal, col); }
    int SetTopRow(int row) { return SetFirst(Qt::Vertical, row); }
    int GetCurrentColumn() const { return m_pSheet->CurrentCol(); }
    int GetCurrentRow() const { return m_pSheet->CurrentRow(); }
    int GetLeftColumn() const { return m_pSheet->Columns().First(); }
    int GetTopRow() const { return m_pSheet->Rows().First(); }
    int GetMovingColumn() const { return m_pSheet->MovingCol(); }
    int GetMovingRow() const { return m_pSheet->MovingRow(); }
    int ClearSelection();
    int SelectRange(int startCol, int startRow, int endCol, int endRow);
    int SetMultiSelect(int flag);
    int SetRowHighlight(int flag);
    const GridSelection& GetSelection() const { return m_pSheet->Selection(); }
    // Whether the cell lies in a selection block (and which: the number + 1).
    int IsSelected(int col, int row) const;

    // --- Headings, scroll bars, hints and tabs ---------------------------------------
    // 0 no resizing by dragging, 1 a marker line shows the dragged border, other
    // values resize as the border moves.
    int SetSizingMode(int mode) {
        m_pSheet->SetSizingMode(mode);
        return kOk;
    }
    // Columns may be dragged to another place by their heading cells.
    int SetColumnMoving(int flag) {
        m_pSheet->SetColumnMoving(flag != 0);
        return kOk;
    }
    // The hint window names the row (column) under a dragged thumb.
    int SetVScrollHint(int flag) {
        m_pSheet->SetScrollHint(Qt::Vertical, flag != 0);
        return kOk;
    }
    int SetHScrollHint(int flag) {
        m_pSheet->SetScrollHint(Qt::Horizontal, flag != 0);
        return kOk;
    }
    // A tab of the sheet tab strip; `id` reaches OnSheetTabSelected. The tab's
    // index, or -1 when the strip is full.
    int AddSheetTab(const QString& name, int id);

    // --- Editing ------------------------------------------------------------------
    int StartEdit(int ch = 0) {
        return StartEdit(m_pSheet->CurrentCol(), m_pSheet->CurrentRow(), ch);
    }
    int StartEdit(int col, int row, int ch);
    int CancelEdit() { return m_oEditSession.Cancel(); }
    int FinishEdit(const QString& text, int cancel, int move, int newCol, int newRow) {
        return m_oEditSession.Finish(text, cancel, move, newCol, newRow);
    }
    bool IsEditing() const { return InMode(kEditing); }
    int GetEditColumn() const { return m_oEditSession.Column(); }
    int GetEditRow() const { return m_oEditSession.Row(); }
    // The window an edit uses: the sheet's own editor, or the one OnBeginEdit
    // handed in.
    QWidget* GetEditorWindow() const { return m_oEditSession.Editor(); }
    // The edit is thrown away when the focus leaves the grid for another window.
    int SetCancelOnLeave(int flag) {
        m_pSheet->SetCancelOnLeave(flag != 0);
        return kOk;
    }
    GridDropList* GetDropList() const { return m_pDropList; }
    // What assistive technology calls a cell: its column heading and its row
    // heading, or its column and row numbers where a heading has no text.
    QString CellName(int col, int row);

    // --- Drawing and misc --------------------------------------------------------
    int EnableUpdate(int flag);
    bool IsUpdateEnabled() const { return m_bUpdateEnabled; }
    int RedrawAll();
    int RedrawCell(int col, int row) override;
    int RedrawRange(int startCol, int startRow, int endCol, int endRow);
    int SetVScrollMode(int mode) {
        m_pSheet->SetScrollMode(Qt::Vertical, mode);
        return kOk;
    }
    int SetHScrollMode(int mode) {
        m_pSheet->SetScrollMode(Qt::Horizontal, mode);
        return kOk;
    }
    int SetToolTipsEnabled(int flag);
    bool IsToolTipsEnabled() const { return m_pSheet->IsToolTipsEnabled(); }
    int SetTextOverflow(int flag) {
        m_pSheet->SetTextOverflow(flag != 0);
        return kOk;
    }
    int SetPopupMenuEnabled(int flag) {
        m_pSheet->SetPopupMenuEnabled(flag != 0);
        return kOk;
    }
    int SetBallistics(double factor, int delay);
    int CopyToClipboard(const QString& text);
    int PasteFromClipboard(QString& text);
    // Sorts the rows of the column's data source by the column's cells, with
    // OnSortCompare; flags bit 2 is descending. Refused while an edit is open.
    int SortBy(int col, int flags);

    // --- Find and replace ---------------------------------------------------------
    // Opens the grid's find (or find and replace) window, or brings forward the one
    // that is open, switched to the kind asked for. It starts with the texts and
    // options of the last one. While it is open the current cell keeps its marker.
    int FindDialog() { return OpenFindDialog(false); }
    int ReplaceDialog() { return OpenFindDialog(true); }
    // Searches go along the rows across every column rather than down the current
    // column.
    int SetFindAcross(int flag);
    // Shows a message of the grid's own ("Item not found") in a modal box over the
    // find window; an owner that shows messages its own way overrides it.
    virtual void ShowMessage(const QString& text, const QString& caption);

    // --- Geometry ------------------------------------------------------------------
    // The cell under a point of the cell area (replaced by the first cell of its
    // joined block); false outside the cells.
    bool HitTest(const QPoint& point, int& col, int& row, QRect* rect = nullptr);
    // A cell's rectangle in the cell area (its joined block's); null when it is not
    // shown.
    QRect GetCellRect(int col, int row);
    // The current sheet's columns (Qt::Horizontal) or rows: sizes, headings, locked
    // part and view, as the components lay themselves out by them.
    const GridAxis& Axis(Qt::Orientation along) const { return m_pSheet->Axis(along); }
    GridArea* GetArea() const { return m_pArea; }
    GridTopHeading* GetTopHeading() const { return m_pTopHeading; }
    GridSideHeading* GetSideHeading() const { return m_pSideHeading; }
    GridCornerButton* GetCornerButton() const { return m_pCorner; }
    GridHint* GetHint() const { return m_pHint; }
    // What a cell type is handed to draw or take input on a cell.
    GridCellOption CellOption(const QRect& rect, int selected, bool current) const;

    // --- The grid's face towards cells and data sources ----------------------------
    int GetJoinRange(int& col, int& row, int& col2, int& row2) override;
    int FindPrevNonEmptyCell(int& col, int row) override {
        return m_pSheet->DataSourceOf(col)->GetPrevNonEmptyCell(col, row);
    }
    bool GetTextOverflow() override { return m_pSheet->IsTextOverflow(); }
    bool GetRowHighlight() override { return m_pSheet->IsRowHighlight(); }
    bool GetGridLines() override { return m_pSheet->HasGridLines(); }
    const QPen& GetGridLinePen() override { return m_pSheet->GridLinePen(); }
    int GetFrameWidth() override { return m_pSheet->FrameWidth(); }
    int GetTextMargin() override { return m_pSheet->TextMargin(); }
    int GetVScrollWidth() override { return m_pSheet->VScrollWidth(); }
    // Drops the grid's list (GridDropList) under the cell with the lines of its
    // label, after OnCellTypeEvent (event 100) may change them.
    int OpenDropList(int typeIndex, int col, int row, int* listCol, int* listRow) override {
        return m_oEditSession.OpenDropList(typeIndex, col, row, listCol, listRow);
    }
    void CloseDropList() override;
    GridColumnInfo* GetColumnInfo(int col) override { return m_pSheet->GetColumnInfo(col); }
    GridDataSource* GetDefaultDataSource() override { return m_pSheet->GetDefaultDataSource(); }

    // --- Notification hooks, in slot order; each has its default --------------------
    virtual void OnFocusGained(int section);
    virtual void OnGridCreated();
    virtual void OnSheetCreated(int sheet);
    virtual int OnMoveQuery(int oldCol, int oldRow, int newCol, int newRow);
    virtual int OnScrollQuery(int a, int b, int c, int d);
    virtual void OnPastLastRow(int rowCount, int rowsBeyond, int dataSourceAnswer);
    virtual int OnColumnResizeQuery(int col, int& width);
    virtual void OnColumnResizing(int col, int& width);
    virtual void OnColumnResized(int col, int& width);
    virtual int OnRowResizeQuery(int row, int& height);
    virtual void OnRowResizing(int row, int& height);
    virtual void OnRowResized(int row, int& height);
    virtual int OnTopHeadingResizeQuery();
    virtual int OnSideHeadingResizeQuery();
    virtual void OnTopHeadingResizing(int& height);
    virtual void OnSideHeadingResizing(int& width);
    virtual void OnTopHeadingResized(int& height);
    virtual void OnSideHeadingResized(int& width);
    virtual void OnCurrentColumnChanged(int oldCol, int newCol);
    virtual void OnCurrentRowChanged(int oldRow, int newRow);
    virtual void OnCurrentCellChanged(int oldCol, int newCol, int oldRow, int newRow);
    virtual void OnLeftColumnChanged(int oldCol, int newCol);
    virtual void OnTopRowChanged(int oldRow, int newRow);
    virtual void OnCellLeftClick(int col, int row, int down, const QRect& rect, const QPoint& point,
                                 int handled);
    virtual void OnCellRightClick(int col, int row, int down, const QRect& rect,
                                  const QPoint& point, int handled);
    virtual void OnCellDoubleClick(int col, int row, const QRect& rect, const QPoint& point,
                                   int handled);
    virtual void OnCellMouseMove(int col, int row, const QPoint& point, Qt::MouseButtons buttons,
                                 int handled);
    virtual void OnTopHeadingLeftClick(int col, int row, int down, const QRect& rect,
                                       const QPoint& point, int handled);
    virtual void OnTopHeadingRightClick(int col, int row, int down, const QRect& rect,
                                        const QPoint& point, int handled);
    virtual void OnTopHeadingDoubleClick(int col, int row, const QRect& rect, const QPoint& point,
                                         int handled);
    virtual void OnSideHeadingLeftClick(int col, int row, int down, const QRect& rect,
                                        const QPoint& point, int handled);
    virtual void OnSideHeadingRightClick(int col, int row, int down, const QRect& rect,
                                         const QPoint& point, int handled);
    virtual void OnSideHeadingDoubleClick(int col, int row, const QRect& rect, const QPoint& point,
                                          int handled);
    virtual void OnCornerLeftClick(int down, const QRect& rect, const QPoint& point, int handled);
    virtual void OnCornerRightClick(int down, const QRect& rect, const QPoint& point, int handled);
    virtual void OnCornerDoubleClick(const QRect& rect, const QPoint& point, int handled);
    // Keys are Qt key codes; setting one to 0 suppresses the grid's own handling.
    virtual void OnGridKeyDown(int& key, int handled);
    virtual void OnGridKeyUp(int& key, int handled);
    virtual void OnGridChar(int& ch, int handled);
    void OnFetchCell(int col, int row, GridCell& cell) override;
    virtual void OnStoreCell(int col, int row, GridCell& cell);
    int OnCellTypeEvent(int typeIndex, int col, int row, int event, std::intptr_t param) override;
    virtual int OnBeginEdit(int col, int row, QWidget*& editor);
    virtual int OnEditKey(int col, int row, QWidget* editor, int& key);
    virtual int OnEndEdit(int col, int row, QWidget* editor, const QString& text, bool cancelled);
    virtual int OnEditMoveQuery(int oldCol, int oldRow, int& newCol, int& newRow);
    virtual void OnPopupCommand(int col, int row, int section, int id);
    virtual int OnPopupQuery(int col, int row, int section);
    virtual int OnHelpQuery(int col, int row, int section);
    virtual int OnCellHint(int col, int row, int section, QString& text);
    virtual int OnRowScrollHint(int row, QString& text);
    virtual int OnColumnScrollHint(int col, QString& text);
    int OnSortCompare(const GridCell* a, const GridCell* b, int flags) override;
    // `buffer` is the memory image painting goes through, or nullptr.
    virtual void OnPaintSetup(QPainter& painter, QPaintDevice* buffer, int section);
    virtual void OnLayoutComponents(QRect& area, QRect& topHeading, QRect& sideHeading,
                                    QRect& corner, QRect& vScroll, QRect& hScroll, QRect& tabStrip);
    virtual void OnSheetTabSelected(int id);
    virtual QColor OnDefaultBackColor(int section);
    virtual void OnDrawFocus(QPainter& painter, const QRect& rect);
    virtual void OnFocusLost(int section);
    virtual int OnColumnMoveStart(int col);
    virtual int OnColumnMoveQuery(int fromCol, int toCol);

    // --- For the components ---------------------------------------------------------
    // The rectangle of the cell under a point of a component (the cell area or a
    // heading); null where there is none.
    QRect CellRectAt(QWidget* component, const QPoint& point);
    // Lays the components out by the sheet's sizes and repaints them.
    void LayoutComponents();
    // While the tab strip's edge is dragged the layout moves only the strip and
    // the horizontal bar beside it.
    void SetTabStripDragging(bool dragging);
    // Brings both scroll bars up to date with the view.
    void UpdateScrollBars();
    // Whole columns (rows) selected from a heading: a press, a drag over more of
    // them, and the release that makes the last one the moving end.
    void HeadingSelectStart(Qt::Orientation along, int index, Qt::KeyboardModifiers modifiers);
    void HeadingSelectExtend(Qt::Orientation along, int index);
    void HeadingSelectEnd(Qt::Orientation along, int index);
    // Opens the grid's popup menu for a section, at a point of the screen.
    void OpenPopup(int col, int row, int section, const QPoint& globalPos);
    // The line that marks a dragged border or a column's new place.
    GridMarkerLine* GetMarkerLine() const { return m_pMarker; }
    // The mouse wheel over any component (or a scroll bar, which names its own
    // orientation): the view scrolls by lines, or by columns with Shift, a sideways
    // wheel or over the horizontal bar.
    void Wheel(QWheelEvent* event, Qt::Orientation orientation = Qt::Vertical);

signals:
    // The current cell moved (for assistive technology and owners that watch).
    void currentCellChanged(int col, int row);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // The grid's own components work on the current sheet directly; owners go
    // through the operations.
    friend class GridAccessibleCell;
    friend class GridArea;
    friend class GridCornerButton;
    friend class GridEdit;
    friend class GridEditSession;
    friend class GridFindController;
    friend class GridHeading;
    friend class GridScrollBar;
    friend class GridSheetTabs;
    GridSheet& Sheet() const { return *m_pSheet; }

    // What the grid is in the middle of; several at once (a layout while editing).
    enum Mode {
        kEditing = 0x01,
        // FinishEdit runs: the focus it moves must not finish the edit again.
        kFinishing = 0x02,
        // The left button drags over the cell area.
        kDragging = 0x04,
        // The tab strip's edge is dragged: the layout moves only the strip and the bar.
        kTabStripDragging = 0x08,
        kInLayout = 0x10,
        // The layout runs a second time for a scroll bar that came or went.
        kRelayout = 0x20,
    };
    Q_DECLARE_FLAGS(Modes, Mode)
    bool InMode(Mode mode) const { return m_oModes.testFlag(mode); }
    void SetMode(Mode mode, bool on) { m_oModes.setFlag(mode, on); }

    std::unique_ptr<GridSheet> MakeSheet();
    void SetSheet(int index);
    int MoveTo(int col, int row);
    // The bodies that rows and columns share, for the orientation along which the
    // index runs (Qt::Horizontal: columns).
    int SetCount(Qt::Orientation along, int count, int redraw);
    int SetHeadingTotal(Qt::Orientation along, int total);
    int SetHeadingSize(Qt::Orientation along, int index, int size);
    int SetLocked(Qt::Orientation along, int count);
    int GotoIndex(Qt::Orientation along, int index);
    int MoveCurrent(Qt::Orientation along, int kind);
    int SetFirst(Qt::Orientation along, int index);
    void UpdateSelectionAfterMove(int col, int row);
    void Notify();
    // Repaints after the view or the current cell moved: scrolls the pixels and
    // paints what they uncovered, the old and new current cell and the selection.
    void UpdateAfterMove(int oldCol, int oldRow, const QRect& oldSelection);
    // What shows the current-cell marker: the cell, or its row in row-highlight mode.
    QRect CurrentMarkRect(int col, int row);
    int AskPastLastRow(int rowsBeyond);
    QRect AreaRectOfCells(const QRect& cells) const;
    void RedrawSelection(const QRect& cells);
    QWidget* ComponentFor(int col, int row) const;
    int OpenFindDialog(bool replace);
    // A cell's rectangle in the component that shows it; null when not shown.
    QRect CellRectIn(QWidget* component, int col, int row);

    std::unique_ptr<NormalCellType> m_poNormalType;
    std::unique_ptr<DropListCellType> m_poDropListType;
    std::unique_ptr<CheckBoxCellType> m_poCheckBoxType;
    std::unique_ptr<ArrowCellType> m_poArrowType;
    // Scratch cells, reused so that painting and editing allocate nothing per cell.
    GridCell m_oCell;
    GridEdit* m_pEdit = nullptr;
    // The cell-type registry: the entry number is the cell-type number; a freed
    // entry is null.
    std::vector<CellType*> m_oCellTypes;
    QMenu* m_pPopupMenu = nullptr;

    GridArea* m_pArea = nullptr;
    GridTopHeading* m_pTopHeading = nullptr;
    GridSideHeading* m_pSideHeading = nullptr;
    GridCornerButton* m_pCorner = nullptr;
    GridScrollBar* m_pVScroll = nullptr;
    GridScrollBar* m_pHScroll = nullptr;
    GridSheetTabs* m_pSheetTabs = nullptr;
    GridHint* m_pHint = nullptr;
    GridMarkerLine* m_pMarker = nullptr;
    GridDropList* m_pDropList = nullptr;

    std::vector<std::unique_ptr<GridSheet>> m_oSheets;
    int m_nCurrentSheet = 0;
    GridSheet* m_pSheet = nullptr;
    bool m_bUpdateEnabled = true;
    Modes m_oModes;

    GridEditSession m_oEditSession{*this};
    GridFindController m_oFind{*this};
    // Wheel turns not yet a whole step, in eighths of a degree.
    int m_nWheelRows = 0;
    int m_nWheelCols = 0;

    int m_nPopupCol = -1;
    int m_nPopupRow = -1;
    int m_nPopupSection = 0;
};
