#pragma once

#include "grid/GridScrollBar.h"

// The grid's vertical scroll bar. The layout places it, and hides it while all
// rows fit. With more than 1,000 scrollable rows it works in 1,000 units, each
// standing for a thousandth of them; in scroll mode 2 it stands in the middle of
// a range of 0 to 2 and only its arrows and trough scroll.
class GridVScrollBar : public GridScrollBar {
    Q_OBJECT

public:
    // Above this many scrollable rows the bar works in units.
    static constexpr int kUnits = 1000;

    explicit GridVScrollBar(GridCtrl* grid);

    void UpdateBar() override;
    int ViewIndexAt(int position) const override;
    // Rows per unit of the bar (1 without units).
    double GetScale() const { return m_dScale; }

protected:
    void StepLine(int direction) override;
    void StepPage(int direction) override;
    void GoToEnd(bool last) override;
    void Track(int position) override;
    int ScrollMode() const override;
    int PositionOfView() const override;

private:
    bool InUnits() const { return m_dScale != 1.0; }

    // What the range was computed from; -1: not yet.
    int m_nLastHighest = -1;
    int m_nLastMode = -1;
    int m_nLastLocked = -1;
    int m_nLastPage = -1;
    double m_dScale = 1.0;
};
