#pragma once

#include <QPoint>
#include <QScrollBar>

class GridCtrl;
class GridSheet;

// What the grid's two scroll bars share. A bar does not scroll by its own value:
// each action (a line, a page, either end, the thumb) moves the grid's view by
// rows or columns, and the thumb is then put where the view stands. While its
// thumb is dragged the bar can show a hint naming the row or column under it,
// and in scroll mode 1 the view follows the thumb at once.
class GridScrollBar : public QScrollBar {
    Q_OBJECT

public:
    GridScrollBar(Qt::Orientation orientation, GridCtrl* grid, int section);

    GridCtrl* GetGrid() const { return m_pGrid; }
    // Brings the range up to date when what it depends on has changed, and the
    // thumb with the view (unless the user is dragging it).
    virtual void UpdateBar() = 0;
    // The first row (column) of the view that a thumb position stands for.
    virtual int ViewIndexAt(int position) const = 0;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // The view scrolls as the wheel over the cells would scroll it.
    void wheelEvent(QWheelEvent* event) override;

    // The view's moves, in rows (columns).
    virtual void StepLine(int direction) = 0;
    virtual void StepPage(int direction) = 0;
    virtual void GoToEnd(bool last) = 0;
    // The thumb is being dragged to `position`: the hint and, in mode 1, the view.
    virtual void Track(int position) = 0;
    virtual int ScrollMode() const = 0;
    // Where the thumb stands for the current view.
    virtual int PositionOfView() const = 0;

    GridSheet& Sheet() const;
    // The pointer in the grid's coordinates: where the mouse was last seen while a
    // button is held, else the middle of the thumb.
    QPoint PointerInGrid() const;

    GridCtrl* m_pGrid;
    int m_nSection;

private:
    void OnAction(int action);
    void OnReleased();

    QPoint m_oPointer;
    bool m_bHavePointer = false;
};
