#pragma once

#include "grid/GridComponent.h"

// The heading rows above the cells, with the column titles.
class GridTopHeading : public GridComponent {
    Q_OBJECT

public:
    explicit GridTopHeading(GridCtrl* grid);
};
