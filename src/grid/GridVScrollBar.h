#pragma once

#include <QScrollBar>

class GridCtrl;

// The grid's vertical scroll bar. The layout places it, and hides it while all
// rows fit.
class GridVScrollBar : public QScrollBar {
    Q_OBJECT

public:
    explicit GridVScrollBar(GridCtrl* grid);

    GridCtrl* GetGrid() const { return m_pGrid; }

private:
    GridCtrl* m_pGrid;
};
