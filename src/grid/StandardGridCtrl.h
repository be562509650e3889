#pragma once

#include <QFont>

#include "grid/GridCtrl.h"

// The grid as the program's views use it: when its window is created it takes an
// "Arial" font 16 pixels high as its default font, lets both scroll bars follow
// their thumbs, keeps text within its cells, shows tool tips as the application's
// setting says, selects several cells at once and paints.
class StandardGridCtrl : public GridCtrl {
    Q_OBJECT

public:
    explicit StandardGridCtrl(bool toolTips = false, QWidget* parent = nullptr);

    void OnGridCreated() override;

private:
    QFont m_oFont;
    bool m_bToolTips;
};
