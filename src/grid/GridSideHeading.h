#pragma once

#include "grid/GridHeading.h"

// The heading columns left of the cells, with the row titles. Dragging a row's
// bottom border resizes the row, dragging the heading's right border resizes the
// heading.
class GridSideHeading : public GridHeading {
    Q_OBJECT

public:
    explicit GridSideHeading(GridCtrl* grid);

protected:
    int CellResizeQuery(int index, int& size) override;
    void CellResizing(int index, int& size) override;
    void CellResized(int index, int& size) override;
    void TellCellTypes(int index, int& size, bool final) override;
    int HeadingResizeQuery() override;
    void HeadingResizing(int& size) override;
    void HeadingResized(int& size) override;
    void LeftClick(int col, int row, int down, const QRect& rect, const QPoint& point,
                   int handled) override;
    void RightClick(int col, int row, int down, const QRect& rect, const QPoint& point,
                    int handled) override;
    void DoubleClick(int col, int row, const QRect& rect, const QPoint& point,
                     int handled) override;
};
