#pragma once

#include "grid/GridScrollBar.h"

// The grid's horizontal scroll bar. The layout places it beside the sheet tab
// strip, and hides it while all columns fit. A position is a number of scrolling
// columns: the left column is the locked column count plus the position.
class GridHScrollBar : public GridScrollBar {
    Q_OBJECT

public:
    explicit GridHScrollBar(GridCtrl* grid);

    void UpdateBar() override;
    int ViewIndexAt(int position) const override;

protected:
    void StepLine(int direction) override;
    void StepPage(int direction) override;
    void GoToEnd(bool last) override;
    void Track(int position) override;
    int ScrollMode() const override;
    int PositionOfView() const override;

private:
    int m_nLastHighest = -1;
    int m_nLastMode = -1;
    int m_nLastLocked = -1;
    int m_nLastPage = -1;
};
