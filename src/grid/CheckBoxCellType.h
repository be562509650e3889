#pragma once

#include "grid/CellType.h"

// Cell type 2 of every grid: a check box with the cell's label as its caption. The
// value is the cell's number (1 ticked, 0 not); a click on the box or the blank key
// toggles it unless the cell is read-only, and the owner hears of each toggle.
class CheckBoxCellType : public CellType {
public:
    // Extended style bits.
    static constexpr int kStyleSunken3D = 0x100;
    static constexpr int kStyleRaised3D = 0x200;
    static constexpr int kStyleCheckMark = 0x1000;

    CheckBoxCellType();

    QString GetName() const override;
    QUuid GetTypeId() const override;
    int OnLeftClick(const GridCellOption& option, int col, int row, int pressed,
                    const QPoint& point) override;
    int OnDoubleClick(const GridCellOption& option, int col, int row, const QPoint& point) override;
    int OnChar(const GridCellOption& option, int col, int row, int& ch) override;
    void OnDraw(QPainter& painter, const GridCellOption& option, int col, int row,
                GridCell& cell) override;

private:
    // The box of a cell drawn into `rect`: side and left offset grow when printing.
    int BoxOffset() const;
    int BoxSide(const QRect& rect) const;
    QRect BoxRect(const QRect& rect) const;
    void DrawBox(QPainter& painter, const QPalette& palette, const QRect& box, int style);
    void DrawMark(QPainter& painter, const QRect& box, int style);
    // Stores `value` in the cell, repaints it and tells the owner.
    void Toggle(int col, int row, GridCell& cell, int value);

    GridCell m_oCell;
};
