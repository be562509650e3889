#pragma once

#include <QWidget>

class GridCtrl;

// A child window of a grid that stands for one of its sections (cell area,
// headings, corner, tab strip). It paints its background in the colour the grid's
// OnDefaultBackColor gives for its section, after OnPaintSetup.
class GridComponent : public QWidget {
    Q_OBJECT

public:
    GridComponent(GridCtrl* grid, int section);

    GridCtrl* GetGrid() const { return m_pGrid; }

protected:
    void paintEvent(QPaintEvent* event) override;
    // A press in any component gives the keyboard focus to the cell area first.
    void mousePressEvent(QMouseEvent* event) override;
    // The wheel scrolls the view wherever it turns.
    void wheelEvent(QWheelEvent* event) override;

    GridCtrl* m_pGrid;
    int m_nSection;
};
