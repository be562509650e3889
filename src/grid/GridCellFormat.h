#pragma once

class GridCell;

// A display format a cell can name (GridCell::SetFormat): it adjusts the finished
// cell, for example to render its number in some notation, each time the grid
// builds the cell for display.
class GridCellFormat {
public:
    virtual ~GridCellFormat() = default;
    virtual void ApplyDisplayFormat(GridCell& cell) = 0;
};
