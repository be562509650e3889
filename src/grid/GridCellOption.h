#pragma once

#include <QFont>
#include <QPalette>
#include <QRect>
#include <QtCore/qnamespace.h>

// What a cell type is handed to draw a cell or take input on it, as a Qt item
// delegate is handed a QStyleOptionViewItem: the cell's rectangle, the grid's
// palette and default font, the cell's state and the keyboard modifiers of the
// event. Nothing below the grid widget reads application globals, so a grid's own
// palette and font are honoured and tests need not fake global state.
struct GridCellOption {
    QRect rect;
    QPalette palette;
    // The font of cells that have none of their own.
    QFont font;
    // 0 not selected, else the number of the selection block + 1.
    int selected = 0;
    // The current cell (or any cell of the current row when rows are highlighted).
    bool current = false;
    // The cell area has the keyboard focus.
    bool hasFocus = false;
    Qt::KeyboardModifiers modifiers;
    Qt::MouseButtons buttons;
};
