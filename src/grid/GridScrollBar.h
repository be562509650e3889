#pragma once

#include <QPoint>
#include <QScrollBar>

class GridAxis;
class GridCtrl;

// One of the grid's scroll bars. A bar does not scroll by its own value: each
// action (a line, a page, either end, the thumb) moves the grid's view by rows or
// columns, and the thumb is then put where the view stands. While its thumb is
// dragged the bar can show a hint naming the row or column under it, and in scroll
// mode 1 the view follows the thumb at once. In scroll mode 2 it stands in the
// middle of a range of 0 to 2 and only its arrows and trough scroll. The layout
// places it, and hides it while everything fits.
class GridScrollBar : public QScrollBar {
    Q_OBJECT

public:
    // Above this many scrollable entries a bar that scales works in units, each
    // standing for a thousandth of them.
    static constexpr int kUnits = 1000;

    enum Option {
        // Long axes are scrolled in kUnits units rather than one step per entry.
        kScaleToUnits = 1,
        // Positions count from the first scrolling entry rather than from 0.
        kFromLocked = 2,
    };

    // The vertical bar scrolls the rows, the horizontal one the columns.
    GridScrollBar(Qt::Orientation orientation, GridCtrl* grid, int options);

    GridCtrl* GetGrid() const { return m_pGrid; }
    // Brings the range up to date when what it depends on has changed, and the
    // thumb with the view (unless the user is dragging it).
    void UpdateBar();
    // The first row (column) of the view that a thumb position stands for.
    int ViewIndexAt(int position) const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // The view scrolls as the wheel over the cells would scroll it.
    void wheelEvent(QWheelEvent* event) override;

private:
    const GridAxis& Axis() const;
    bool Vertical() const { return orientation() == Qt::Vertical; }
    bool InUnits() const { return m_dScale != 1.0; }
    int ScrollMode() const;
    // The first scrolling entry below which positions start.
    int Origin() const;
    // Where the thumb stands for the current view.
    int PositionOfView() const;
    void ScrollTo(int index);
    void StepLine(int direction);
    void StepPage(int direction);
    // The thumb is being dragged to `position`: the hint and, in mode 1, the view.
    void Track(int position);
    // The pointer in the grid's coordinates: where the mouse was last seen while a
    // button is held, else the middle of the thumb.
    QPoint PointerInGrid() const;
    void OnAction(int action);
    void OnReleased();

    GridCtrl* m_pGrid;
    int m_nSection;
    int m_nOptions;
    QPoint m_oPointer;
    bool m_bHavePointer = false;
    // What the range was computed from; -1: not yet.
    int m_nLastHighest = -1;
    int m_nLastMode = -1;
    int m_nLastLocked = -1;
    int m_nLastPage = -1;
    double m_dScale = 1.0;
};
