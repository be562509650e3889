#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include <QFont>
#include <QPen>

#include "grid/GridColumnInfo.h"
#include "grid/GridHost.h"
#include "grid/GridMemDataSource.h"

// The least of a grid that cell types and data sources can be exercised against:
// one sheet of columns over a memory store, the sheet's drawing settings, and a
// record of every repaint, cell-type event and drop-list request.
class FakeGridHost : public GridHost {
public:
    FakeGridHost(int cols, int rows);

    int GetCell(int col, int row, GridCell& cell) override;
    int SetCell(int col, int row, const GridCell& cell) override;
    int ReadCell(int col, int row, GridCell& cell) override;
    int RedrawCell(int col, int row) override;
    int OnCellTypeEvent(int typeIndex, int col, int row, int event, std::intptr_t param) override;
    int GetColumnWidth(int col, int& width) override;
    int GetRowHeight(int row) override;
    int GetJoinRange(int& col, int& row, int& col2, int& row2) override;
    int FindPrevNonEmptyCell(int& col, int row) override;
    bool GetTextOverflow() override { return m_bTextOverflow; }
    bool GetRowHighlight() override { return m_bRowHighlight; }
    bool GetGridLines() override { return m_bGridLines; }
    const QPen& GetGridLinePen() override { return m_oGridPen; }
    int GetFrameWidth() override { return m_nFrameWidth; }
    int GetTextMargin() override { return m_nTextMargin; }
    const QFont* GetDefaultFont() override { return m_pDefaultFont; }
    int OpenDropList(int typeIndex, int col, int row, int* listCol, int* listRow) override;
    void CloseDropList() override { ++m_nListsClosed; }
    int GetColumnCount() override { return static_cast<int>(m_oColumns.size()); }
    GridColumnInfo* GetColumnInfo(int col) override;
    GridDataSource* GetDefaultDataSource() override { return &m_oStore; }

    // The data-source column of grid column `col`; heading columns keep their own.
    int DataSourceCol(int col) const;

    struct TypeEvent {
        int type, col, row, event;
        std::intptr_t param;
    };
    struct DropRequest {
        int type, col, row;
    };

    GridMemDataSource m_oStore;
    std::vector<GridColumnInfo> m_oColumns;
    int m_nRows;
    int m_nRowHeight = 20;
    GridCell m_oHeadingDefault;
    // A joined block, as first and last column and row; none while m_nJoinCol1 < 0.
    int m_nJoinCol1 = -1, m_nJoinRow1 = -1, m_nJoinCol2 = -1, m_nJoinRow2 = -1;

    bool m_bTextOverflow = true;
    bool m_bRowHighlight = false;
    bool m_bGridLines = true;
    QPen m_oGridPen{QColor(220, 220, 220)};
    int m_nFrameWidth = 1;
    int m_nTextMargin = 4;
    const QFont* m_pDefaultFont = nullptr;
    int m_nEventAnswer = 1;
    int m_nOpenAnswer = 0;

    std::vector<std::pair<int, int>> m_oRedrawn;
    std::vector<TypeEvent> m_oEvents;
    std::vector<DropRequest> m_oDrops;
    int* m_pListCol = nullptr;
    int* m_pListRow = nullptr;
    int m_nListsClosed = 0;
};
