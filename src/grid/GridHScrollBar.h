#pragma once

#include <QScrollBar>

class GridCtrl;

// The grid's horizontal scroll bar. The layout places it, and hides it while all
// columns fit.
class GridHScrollBar : public QScrollBar {
    Q_OBJECT

public:
    explicit GridHScrollBar(GridCtrl* grid);

    GridCtrl* GetGrid() const { return m_pGrid; }

private:
    GridCtrl* m_pGrid;
};
