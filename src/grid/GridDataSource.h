#pragma once

#include <QString>

class GridCell;
class GridHost;
class QWidget;

// Where a grid keeps its cells. The grid holds no cell contents itself: it reads and
// writes every cell, asks its questions and sends its notices through this
// interface, addressing cells by data-source column and row.
//
// Every operation has a default, so a source implements only what it supports. An
// operation answers -1 when the source does not support it; otherwise 0 is success
// and 1 means the cell, row or column does not exist. The questions answer 1 to
// allow; the grid goes on only on exactly 1.
class GridDataSource {
public:
    virtual ~GridDataSource() = default;

    // Changing the shape of the store; offered to the grid's owner, never called by
    // the grid itself.
    virtual int InsertRow(int row);
    virtual int InsertColumn(int col);
    virtual int DeleteRow(int row);
    virtual int DeleteColumn(int col);
    virtual int DeleteCell(int col, int row);
    virtual int DeleteAll();

    // Lays the stored properties over `cell`, which holds the defaults.
    virtual int GetCell(int col, int row, GridCell& cell);
    virtual int SetCell(int col, int row, const GridCell& cell);

    // Searches for `text` by the GridFind flags. FindFirst starts just before the
    // first cell: before column 0 of row 0 along the rows, else above row 0 of
    // `col`. FindNext starts at (col, row), which it does not test itself, and
    // wraps round; 0 with the cell found in (col, row), 1 when there is none.
    virtual int FindFirst(const QString& text, int& col, int& row, int flags);
    virtual int FindNext(const QString& text, int& col, int& row, int flags);

    // Sorts the rows by the cells of the key columns, in order, with the grid's
    // comparison; flags bit 2 is descending.
    virtual int SortByColumns(const int* cols, int count, int flags);
    virtual int SortByColumn(int col, int flags);

    // The grid went `rowsBeyond` rows past its `rowCount` rows; a source that can
    // supply more sets `newRowCount`.
    virtual int OnPastLastRow(int rowCount, int rowsBeyond, int& newRowCount);
    virtual void OnCurrentRowChanged(int oldRow, int newRow);
    virtual void OnCurrentColumnChanged(int oldCol, int newCol);
    virtual int OnMoveQuery(int oldCol, int oldRow, int newCol, int newRow);

    // In-place editing: before the editor opens (a source may hand in its own editor
    // window), for every character typed (0 swallows it; the character may be
    // changed), when the editor closes (anything but 1 keeps it open), and before
    // the grid moves on after an edit (the target may be changed).
    virtual int OnEditStart(int col, int row, QWidget*& editor);
    virtual int OnEditKey(int col, int row, QWidget* editor, int& ch);
    virtual int OnEditFinish(int col, int row, QWidget* editor, const QString& text,
                             bool cancelled);
    virtual int OnEditContinue(int oldCol, int oldRow, int& newCol, int& newRow);

    // The nearest column left of `col` in `row` whose stored cell has text.
    virtual int GetPrevNonEmptyCell(int& col, int row);

    GridHost* GetGrid() const { return m_pGrid; }
    int GetID() const { return m_nID; }
    // Set by the grid when it takes the source in.
    void Attach(GridHost* grid, int id) {
        m_pGrid = grid;
        m_nID = id;
    }

protected:
    GridHost* m_pGrid = nullptr;
    int m_nID = -1;
};
