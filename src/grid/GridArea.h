#pragma once

#include <QPoint>
#include <QTimer>

#include "grid/GridComponent.h"

class CellType;
class QHelpEvent;
class QPainter;

// The cell area of a grid: it paints the shown cells and takes the keys and the
// mouse (clicks, the left-button drag that selects and scrolls past an edge), moving
// the grid's current cell and calling its hooks.
class GridArea : public GridComponent {
    Q_OBJECT

public:
    explicit GridArea(GridCtrl* grid);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // The cell tool tip for a help event, and the pointer moving over the area
    // (another cell cancels the tip).
    void ToolTip(QHelpEvent* event);
    void Hover(const QPoint& point);
    void Paint(QPainter& painter, const QRegion& region);
    void KeyPress(QKeyEvent* event);
    void KeyRelease(QKeyEvent* event);
    void MousePress(QMouseEvent* event);
    void MouseMove(QMouseEvent* event);
    void MouseRelease(QMouseEvent* event);
    void MouseDoubleClick(QMouseEvent* event);
    void FocusChanged(bool gained);
    // One step of the view while the dragging pointer is beyond an edge.
    void DragStep();
    void StopDrag();

    // The left-button drag: the cell type that took the press, the cell it was on,
    // the last pointer position, and the timer that steps the view while the
    // pointer is beyond an edge.
    CellType* m_pMouseType = nullptr;
    int m_nMouseCol = -1;
    int m_nMouseRow = -1;
    QPoint m_oDragPoint;
    QTimer m_oDragTimer;
    // The cell whose tool tip shows.
    int m_nTipCol = -1;
    int m_nTipRow = -1;
};
