#pragma once

#include "grid/CellType.h"

// Cell type 0 of every grid: a plain text cell, drawn with its borders and text and
// letting its text run on into empty cells to its right.
class NormalCellType : public CellType {
public:
    QString GetName() const override;
    QUuid GetTypeId() const override;
};
