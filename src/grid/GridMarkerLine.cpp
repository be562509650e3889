#include "grid/GridMarkerLine.h"

#include <QPainter>

#include "grid/GridCtrl.h"

GridMarkerLine::GridMarkerLine(GridCtrl* grid) : QWidget(grid) {
    // What lies beneath is painted first, so that the line can invert it.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void GridMarkerLine::ShowAt(Qt::Orientation orientation, int pos, int from, int to) {
    const int length = std::max(to - from, 0);
    const QRect rect = orientation == Qt::Vertical
                           ? QRect(pos - kThickness / 2, from, kThickness, length)
                           : QRect(from, pos - kThickness / 2, length, kThickness);
    setGeometry(rect);
    show();
    raise();
}

void GridMarkerLine::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Difference);
    painter.fillRect(rect(), Qt::white);
}
