#pragma once

#include <QWidget>

class GridCtrl;

// The thin line laid over a grid that shows where a dragged border or a dragged
// column would go. It inverts what lies beneath it, so it shows on any colour and
// the cells under it need not be repainted while it moves.
class GridMarkerLine : public QWidget {
    Q_OBJECT

public:
    static constexpr int kThickness = 2;

    explicit GridMarkerLine(GridCtrl* grid);

    // A vertical line at x (a horizontal one at y, for `Qt::Horizontal`) of the
    // grid, from `from` to `to` across it.
    void ShowAt(Qt::Orientation orientation, int pos, int from, int to);

protected:
    void paintEvent(QPaintEvent* event) override;
};
