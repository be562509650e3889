#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include "grid/GridCell.h"

class GridCtrl;

// One in-place edit of a cell, from its start to its end: the cell, the window it
// is edited in (the grid's own editor or one that OnBeginEdit handed in), and the
// vetoes of the data source and the hooks at either end; and the drop list that a
// drop-list cell opens for choosing its text. The answers are the grid's status
// codes.
class GridEditSession {
public:
    explicit GridEditSession(GridCtrl& grid);

    // Opens the editor over a cell (a heading cell too), moving there first; `ch`,
    // when not 0, is typed into it.
    int Start(int col, int row, int ch);
    // Hides the editor and throws the edit away, asking no one.
    int Cancel();
    // Stores `text` unless cancelled, once the data source and OnEndEdit agree, and
    // with `move` goes on to (newCol, newRow) past the edited (joined) cell.
    int Finish(const QString& text, int cancel, int move, int newCol, int newRow);

    // Drops the grid's list under a cell with the lines of its label, after
    // OnCellTypeEvent (event 100) may change them; 1 when it cannot.
    int OpenDropList(int typeIndex, int col, int row, int* listCol, int* listRow);

    int Column() const { return m_nCol; }
    int Row() const { return m_nRow; }
    QWidget* Editor() const { return m_pEditor; }
    void SetEditor(QWidget* editor) { m_pEditor = editor; }

private:
    GridCtrl& m_oGrid;
    int m_nCol = -1;
    int m_nRow = -1;
    GridCell m_oCell;
    QPointer<QWidget> m_pEditor;
    // The component the editor sits on.
    QWidget* m_pParent = nullptr;
};
