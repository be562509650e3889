#include "grid/StandardGridCtrl.h"

StandardGridCtrl::StandardGridCtrl(bool toolTips, QWidget* parent)
    : GridCtrl(parent), m_bToolTips(toolTips) {}

void StandardGridCtrl::OnGridCreated() {
    m_oFont = QFont(QStringLiteral("Arial"));
    m_oFont.setPixelSize(16);
    m_oFont.setWeight(QFont::Normal);
    SetDefaultFont(m_oFont);
    SetHScrollMode(1);
    SetVScrollMode(1);
    SetTextOverflow(0);
    SetToolTipsEnabled(m_bToolTips ? 1 : 0);
    SetMultiSelect(1);
    EnableUpdate(1);
}
