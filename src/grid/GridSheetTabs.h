#pragma once

#include "grid/GridComponent.h"

// The strip of sheet tabs at the bottom left, beside the horizontal scroll bar; hidden while the
// sheet gives it no width.
class GridSheetTabs : public GridComponent {
    Q_OBJECT

public:
    explicit GridSheetTabs(GridCtrl* grid);
};
