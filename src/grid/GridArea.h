#pragma once

#include "grid/GridComponent.h"

// The cell area of a grid: it paints the shown cells and takes the keys and the
// mouse, handing each to the grid, which keeps the state.
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
};
