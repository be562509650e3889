#pragma once

#include "grid/NormalCellType.h"

// Cell type 3 of every grid: a small arrow, or a pair of them, in the text colour at
// the middle of the cell, as a marker beside a row or column.
class ArrowCellType : public NormalCellType {
public:
    // Extended style bits: one arrow right (also without any bit) or left, two
    // arrows right or left.
    static constexpr int kArrowRight = 0x10;
    static constexpr int kArrowLeft = 0x20;
    static constexpr int kArrowsRight = 0x40;
    static constexpr int kArrowsLeft = 0x80;

    QUuid GetTypeId() const override;
    void OnDraw(QPainter& painter, const GridCellOption& option, int col, int row,
                GridCell& cell) override;

private:
    // One arrow in the `width` pixels from `left`, centred on `centreY`, its tip
    // towards `direction` (+1 right, -1 left).
    void DrawArrow(QPainter& painter, int left, int width, int centreY, int direction,
                   const QColor& color);
};
