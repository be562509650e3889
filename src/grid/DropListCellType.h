#pragma once

#include <QRect>

#include "grid/CellType.h"

// Cell type 1 of every grid: a text cell with a button at its right edge that drops
// a list of choices under the cell. The value is the cell's text, the choices are
// the lines of its label. This type draws the button and decides when the list
// drops; the grid shows and runs the list itself (GridHost::OpenDropList).
class DropListCellType : public CellType {
public:
    // Extended style bit: the button shows only on the current cell.
    static constexpr int kStyleButtonOnCurrent = 0x200;
    // The remembered cell when the list closed without a choice.
    static constexpr int kClosedWithoutChoice = -2;

    DropListCellType();

    QString GetName() const override;
    QUuid GetTypeId() const override;
    // The editor never covers the button.
    int AdjustEditRect(QRect& rect) override;
    int OnLeftClick(const GridCellOption& option, int col, int row, int pressed,
                    const QPoint& point) override;
    int OnDoubleClick(const GridCellOption& option, int col, int row, const QPoint& point) override;
    int OnKeyDown(const GridCellOption& option, int col, int row, int& key) override;
    int OnChar(const GridCellOption& option, int col, int row, int& ch) override;
    int OnMouseMove(const GridCellOption& option, int col, int row, const QPoint& point) override;
    void OnDraw(QPainter& painter, const GridCellOption& option, int col, int row,
                GridCell& cell) override;
    void OnCellLeft(int col, int row, GridCell& cell) override;
    // The list that dropped from the button closed: the button comes up again (the
    // release that would lift it went to the list).
    void OnListClosed(int col, int row);

    // As wide as the grid's vertical scroll bar.
    int GetButtonWidth() const;

private:
    QRect ButtonRect(const QRect& rect) const;
    void DropList(int col, int row);
    void Forget();

    // The cell whose list is open: -1 none, -2 after the list closed without a
    // choice. The list writes into them.
    int m_nBtnCol = -1;
    int m_nBtnRow = -1;
    bool m_bBtnDown = false;
    QRect m_rectBtn;
};
