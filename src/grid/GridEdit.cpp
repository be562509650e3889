#include "grid/GridEdit.h"

#include "grid/GridCtrl.h"

GridEdit::GridEdit(GridCtrl* grid) : QPlainTextEdit(grid), m_pGrid(grid) {
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setProperty("gridControlId", kEditorId);
    hide();
}
