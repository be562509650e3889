#pragma once

#include "grid/GridComponent.h"

// The button where the top and side headings meet; it stands for the cell (-1, -1).
class GridCornerButton : public GridComponent {
    Q_OBJECT

public:
    explicit GridCornerButton(GridCtrl* grid);
};
