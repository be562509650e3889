#pragma once

#include <QColor>

// The desktop's colours and metrics as the grid draws with them: the window, text,
// highlight and three-dimensional button colours, and the scroll-bar sizes. They are
// read afresh each time, so a palette change shows at the next paint.
class GridSystem {
public:
    static QColor WindowColor();
    static QColor WindowTextColor();
    static QColor HighlightColor();
    static QColor HighlightTextColor();
    static QColor ButtonFaceColor();
    static QColor ButtonShadowColor();
    static QColor ButtonHighlightColor();
    // Width of a vertical scroll bar, height of a horizontal one.
    static int VScrollWidth();
    static int HScrollHeight();
};
