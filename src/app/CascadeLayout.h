#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <vector>

// Where document windows go in the workspace when they are cascaded or newly opened:
// each one step right and down from the one before, and never past the workspace's
// edges. Cascaded windows are as big as the workspace less the steps taken, but no
// bigger than their natural size; when so many windows are cascaded that they would
// get smaller than the least usable size, the cascade starts again at the top left.
class CascadeLayout {
public:
    // `area` is the workspace, `natural` the size a window would like, `minimum` the
    // least it may be given, `step` the offset from one window to the next.
    CascadeLayout(QSize area, QSize natural, QSize minimum, QPoint step);

    // The places of `count` cascaded windows, from the back to the front.
    std::vector<QRect> Arrange(int count) const;
    // The place of a newly opened window that `index` windows were opened before:
    // its natural size, but no more than three quarters of the workspace, on the next
    // step that still keeps it inside.
    QRect Place(int index) const;

private:
    // How many steps fit before windows of `size` would run past the workspace.
    int StepsThatFit(QSize size) const;

    QSize m_oArea;
    QSize m_oNatural;
    QSize m_oMinimum;
    QPoint m_oStep;
};
