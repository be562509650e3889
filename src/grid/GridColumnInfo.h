#pragma once

#include "grid/GridCell.h"

class GridDataSource;

// One column of a sheet: where its cells are kept (the data source and
// the column index under which that source stores them) and the default every cell
// of the column starts from.
struct GridColumnInfo {
    // nullptr: the sheet's own data source.
    GridDataSource* m_pDataSource = nullptr;
    GridCell m_oColDefault;
    // Starts as the column's own index; differs once columns are moved or the data
    // source inserts or deletes columns.
    int m_nDataSourceCol = 0;
};
