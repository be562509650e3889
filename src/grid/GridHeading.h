#pragma once

#include <vector>

#include <QTimer>

#include "grid/GridComponent.h"
#include "grid/GridSpan.h"

class CellType;
class GridAxis;

// What the top and the side heading share. A heading runs along the cells'
// columns (the top heading) or rows (the side heading) and holds one or more
// heading rows or columns across; its cells are drawn through the cell types like
// the cell area's. The user drags the borders of the cells to resize columns or
// rows, drags the heading's own borders to resize it, selects whole columns or
// rows, and clicks its cells; each step asks or tells the grid's hooks, which the
// two headings name.
//
// "Along" is x for the top heading and y for the side heading, "across" the other.
class GridHeading : public GridComponent {
    Q_OBJECT

public:
    // The grid's hooks that a heading calls, which the two headings name apart:
    // the resizing of the cells' columns (rows) and of the heading, and the clicks.
    struct Hooks {
        int (GridCtrl::*cellResizeQuery)(int, int&);
        void (GridCtrl::*cellResizing)(int, int&);
        void (GridCtrl::*cellResized)(int, int&);
        int (GridCtrl::*headingResizeQuery)();
        void (GridCtrl::*headingResizing)(int&);
        void (GridCtrl::*headingResized)(int&);
        void (GridCtrl::*leftClick)(int, int, int, const QRect&, const QPoint&, int);
        void (GridCtrl::*rightClick)(int, int, int, const QRect&, const QPoint&, int);
        void (GridCtrl::*doubleClick)(int, int, const QRect&, const QPoint&, int);
    };

    GridHeading(GridCtrl* grid, int section, Qt::Orientation along, const Hooks& hooks);

    // A heading cell's rectangle in this heading; null when it is not shown.
    QRect CellRect(int col, int row) const;
    // The heading cell under a point; false where there is none.
    bool HitTest(const QPoint& point, int& col, int& row, QRect* rect = nullptr) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

    // What differs between the two headings beyond their hooks.
    // Columns can be moved by their heading cells; rows cannot.
    virtual bool CanMoveCells() const { return false; }

    int Along(const QPoint& point) const { return m_bTop ? point.x() : point.y(); }
    int Across(const QPoint& point) const { return m_bTop ? point.y() : point.x(); }
    // The column (row) under a point along, or the nearest shown one; -1 without any.
    int AlongIndexAt(int pos) const;

    bool m_bTop;
    Hooks m_oHooks;
    // The column being moved and where it would go (-1: none).
    int m_nMoveSource = -1;
    int m_nDropPos = -1;

private:
    // Tells the cell types of the shown cells of a column (row) being resized, or
    // of all its cells once it is.
    void TellCellTypes(int index, int& size, bool final);
    // The cells' columns (rows) the heading runs along, and the axis whose heading
    // entries are the heading's own rows (columns).
    GridAxis& AlongAxis() const;
    GridAxis& AcrossAxis() const;
    // What a pointer over the heading would drag: nothing, the border of a column
    // (row) of cells, or the border of one of the heading's own rows (columns).
    enum class Sizing { None, Cells, Heading };
    struct AcrossSpan {
        int m_nIndex;
        int m_nPos;
        int m_nSize;
    };
    // The heading's own rows (columns), topmost (leftmost) first, laid out from the
    // heading's far edge back, so that the one next to the cells ends at the cells.
    std::vector<AcrossSpan> AcrossSpans() const;
    QRect MakeRect(int alongPos, int alongSize, int acrossPos, int acrossSize) const;
    void CellOf(int alongIndex, int acrossIndex, int& col, int& row) const;
    CellType* TypeOf(int col, int row);
    void Arm(const QPoint& point);
    void DragSize(const QPoint& globalPoint);
    void FinishSizing();
    void DragMove(const QPoint& point);
    void StepMove();
    void FinishMove();
    // Where the marker of a dragged border or column stands, in the grid.
    void ShowMarker(int alongPos);

    Sizing m_eArmed = Sizing::None;
    bool m_bSizing = false;
    // The column (row) or heading row (column) being sized or armed.
    int m_nSizingIndex = -1;
    int m_nStartSize = 0;
    int m_nStartTotal = 0;
    int m_nStartPointer = 0;
    int m_nSize = 0;
    bool m_bSelecting = false;
    int m_nSelectIndex = -1;
    // The pointer while a column is moved, and the timer that scrolls the view one
    // column per step while it is beyond the heading.
    QPoint m_oMovePoint;
    QTimer m_oMoveTimer;
    // Whether the press that the coming release ends was given to the hooks.
    bool m_bClicked = false;
};
