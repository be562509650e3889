#pragma once

#include <QColor>
#include <QWidget>

class GridCtrl;

// The small floating window that shows a hint beside a scroll bar while its thumb
// is dragged: a top-most tool window, black text on light yellow.
class GridHint : public QWidget {
    Q_OBJECT

public:
    explicit GridHint(GridCtrl* grid);

    static inline const QColor kTextColor{0, 0, 0};
    static inline const QColor kBackColor{255, 255, 224};

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    GridCtrl* m_pGrid;
};
