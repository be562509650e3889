#pragma once

#include <QString>
#include <QUuid>
#include <QtCore/qnamespace.h>

#include "grid/GridCell.h"
#include "grid/GridCellOption.h"

class GridHost;
class QPainter;
class QPaintDevice;
class QPoint;
class QSize;

// How a kind of cell is drawn, measured and reacts to the mouse and keys. A grid
// registers its cell types once and every cell names its type by number; one type
// object serves all the cells of its kind.
//
// Everything but the name and identifier has a default: the defaults draw and
// measure a plain text cell and take no clicks or keys. Drawing goes through a
// QPainter, so the same code paints the screen, an image and a printer page.
class CellType {
public:
    // Events a cell type reports through GridHost::OnCellTypeEvent.
    static constexpr int kEventCheckToggled = 53;
    // A drop list is about to open; the parameter points to its items (a
    // QStringList), which the owner may change.
    static constexpr int kEventListOpening = 100;
    // An item was picked from a drop list; the parameter is its number.
    static constexpr int kEventListItemPicked = 108;
    // The picked item's text is about to be stored; the parameter points to it (a
    // QString). Answering 0 keeps the cell as it was.
    static constexpr int kEventListChosen = 101;

    // Extended style bits the text drawing knows.
    static constexpr int kStyleWordWrap = 0x2;
    static constexpr int kStyleEllipsis = 0x4;
    static constexpr int kStyleShowLabel = 0x8;

    CellType() = default;
    CellType(const CellType&) = delete;
    CellType& operator=(const CellType&) = delete;
    virtual ~CellType() = default;

    virtual QString GetName() const = 0;
    virtual QUuid GetTypeId() const = 0;

    // Shrinks the in-place editor's rectangle; 0.
    virtual int AdjustEditRect(QRect& rect);
    // Non-zero when the in-place editor may open on cells of this type.
    virtual int CanTextEdit();
    // The grid was created or its palette or style changed.
    virtual int OnSystemChange();

    // Mouse and keys on a cell; non-zero when the type took them. `option.rect` is
    // the cell's rectangle, `option.modifiers` and `option.buttons` the state of the
    // event. `pressed` is 1 for a button going down, 0 for it coming up. Keys are Qt
    // key codes, characters Unicode; a type may change them (0 suppresses).
    virtual int OnLeftClick(const GridCellOption& option, int col, int row, int pressed,
                            const QPoint& point);
    virtual int OnRightClick(const GridCellOption& option, int col, int row, int pressed,
                             const QPoint& point);
    virtual int OnDoubleClick(const GridCellOption& option, int col, int row, const QPoint& point);
    virtual int OnKeyDown(const GridCellOption& option, int col, int row, int& key);
    virtual int OnKeyUp(const GridCellOption& option, int col, int row, int& key);
    virtual int OnChar(const GridCellOption& option, int col, int row, int& ch);
    virtual int OnMouseMove(const GridCellOption& option, int col, int row, const QPoint& point);

    // Draws the cell into `option.rect` in the option's palette and state, and
    // leaves the painter's state as it found it.
    virtual void OnDraw(QPainter& painter, const GridCellOption& option, int col, int row,
                        GridCell& cell);
    // Fills `option.rect` with the cell's background and draws its text (or label)
    // inside.
    virtual void DrawText(QPainter& painter, const GridCellOption& option, int col, int row,
                          const GridCell& cell);
    // Draws the current-cell marker itself and answers non-zero, or answers 0 to
    // leave it to the grid.
    virtual int OnDrawFocusRect(QPainter& painter, const GridCellOption& option);
    // Draws the cell on a printed page: as on screen, neither selected nor current,
    // with the font scaled from the screen row to `option.rect`.
    virtual void OnPrint(QPainter& painter, const GridCellOption& option, int col, int row,
                         GridCell& cell);

    // The cell became, or stopped being, the current cell.
    virtual void OnCellEntered(int col, int row, GridCell& cell);
    virtual void OnCellLeft(int col, int row, GridCell& cell);
    // A column border or row border is being dragged, and where it was let go.
    virtual void OnColumnWidthChanging(int col, int row, int& width);
    virtual void OnColumnWidthChanged(int col, int row, int& width);
    virtual void OnRowHeightChanging(int col, int row, int& height);
    virtual void OnRowHeightChanged(int col, int row, int& height);
    // The size that shows the whole cell, measured for `device` (nullptr: the
    // screen) with `option.font` for a cell without a font of its own.
    virtual void GetBestSize(QPaintDevice* device, const GridCellOption& option, QSize& size,
                             const GridCell& cell);
    // The view scrolled while the cell stayed current.
    virtual void OnScrolled(int col, int row, GridCell& cell);

    // Set when the grid registers the type.
    void Attach(GridHost* grid, int index) {
        m_pGrid = grid;
        m_nID = index;
    }
    GridHost* GetGrid() const { return m_pGrid; }
    int GetID() const { return m_nID; }
    bool DrawsLabel() const { return m_bDrawLabel; }
    void SetPrintScale(double scale) { m_dPrintScale = scale; }

protected:
    // Draws the cell's borders (or the grid lines) inside `rect` and narrows it to
    // what is left for the content.
    void DrawBorder(QPainter& painter, const QPalette& palette, QRect& rect, const GridCell& cell);
    // The colours the cell is drawn in, as selected (or highlighted current) or not.
    QColor TextColorFor(const GridCellOption& option, const GridCell& cell) const;
    QColor BackColorFor(const GridCellOption& option, const GridCell& cell) const;
    // True while OnPrint draws.
    bool IsPrinting() const { return m_bPrinting; }

    // What the sheet says, or the usual values for a type not (yet) in a grid.
    bool SheetTextOverflow() const;
    bool SheetRowHighlight() const;
    int SheetTextMargin() const;

    GridHost* m_pGrid = nullptr;
    int m_nID = -1;
    bool m_bCanOverflow = true;
    bool m_bDrawLabel = false;
    double m_dPrintScale = 1.0;

private:
    // Draws the text of the nearest cell to the left that runs into this empty
    // one; false when there is none.
    bool DrawOverflow(QPainter& painter, const GridCellOption& option, int col, int row,
                      const GridCell& cell);
    bool CanReceiveOverflow(const GridCell& cell) const;

    bool m_bPrinting = false;
};
