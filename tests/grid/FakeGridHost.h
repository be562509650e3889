#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include <QPen>
#include <functional>

#include "grid/GridHost.h"
#include "grid/GridSheet.h"

// The least of a grid that cell types and data sources can be exercised against:
// one real sheet (its columns, settings and memory store, and the grid's own way of
// composing a cell), with a record of every repaint, cell-type event and drop-list
// request.
class FakeGridHost : public GridHost {
public:
    FakeGridHost(int cols, int rows);

    int GetCell(int col, int row, GridCell& cell) override;
    int SetCell(int col, int row, const GridCell& cell) override;
    int ReadCell(int col, int row, GridCell& cell) override;
    int RedrawCell(int col, int row) override;
    int OnCellTypeEvent(int typeIndex, int col, int row, int event, std::intptr_t param) override;
    void OnFetchCell(int col, int row, GridCell& cell) override;
    int OnSortCompare(const GridCell* a, const GridCell* b, int flags) override;
    int GetColumnWidth(int col, int& width) override;
    int GetRowHeight(int row) override;
    int GetJoinRange(int& col, int& row, int& col2, int& row2) override;
    int FindPrevNonEmptyCell(int& col, int row) override;
    bool GetTextOverflow() override { return m_oSheet.IsTextOverflow(); }
    bool GetRowHighlight() override { return m_oSheet.IsRowHighlight(); }
    bool GetGridLines() override { return m_bGridLines; }
    const QPen& GetGridLinePen() override { return m_oSheet.GridLinePen(); }
    int GetFrameWidth() override { return m_nFrameWidth; }
    int GetTextMargin() override { return m_oSheet.TextMargin(); }
    int GetVScrollWidth() override { return m_oSheet.VScrollWidth(); }
    int OpenDropList(int typeIndex, int col, int row, int* listCol, int* listRow) override;
    void CloseDropList() override { ++m_nListsClosed; }
    int GetColumnCount() override { return m_oSheet.GetColumnCount(); }
    int GetRowCount() const override { return m_oSheet.GetRowCount(); }
    GridColumnInfo* GetColumnInfo(int col) override { return m_oSheet.GetColumnInfo(col); }
    GridDataSource* GetDefaultDataSource() override { return m_oSheet.GetDefaultDataSource(); }

    GridColumnInfo& Column(int col) { return *m_oSheet.GetColumnInfo(col); }

    struct TypeEvent {
        int type, col, row, event;
        std::intptr_t param;
    };
    struct DropRequest {
        int type, col, row;
    };

    GridSheet m_oSheet;
    GridMemDataSource& m_oStore;
    // Drawing settings a grid never changes on its sheet, here to be varied.
    bool m_bGridLines = m_oSheet.HasGridLines();
    int m_nFrameWidth = m_oSheet.FrameWidth();
    // A joined block, as first and last column and row; none while m_nJoinCol1 < 0.
    int m_nJoinCol1 = -1, m_nJoinRow1 = -1, m_nJoinCol2 = -1, m_nJoinRow2 = -1;
    int m_nEventAnswer = 1;
    int m_nOpenAnswer = 0;
    // Called by OnFetchCell when set.
    std::function<void(int, int, GridCell&)> m_fnFetch;

    std::vector<std::pair<int, int>> m_oRedrawn;
    std::vector<TypeEvent> m_oEvents;
    std::vector<DropRequest> m_oDrops;
    int* m_pListCol = nullptr;
    int* m_pListRow = nullptr;
    int m_nListsClosed = 0;
};
