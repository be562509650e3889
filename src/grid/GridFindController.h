#pragma once

#include <QPointer>
#include <QString>

class FindReplaceDialog;
class GridCtrl;
class GridDataSource;

// The grid's find and replace: the window while it is open, what the last one
// held, and what its requests do (find the next cell, replace in the current one,
// replace all). Searches run through the data sources with GridFind's rules; the
// grid moves to what they find.
class GridFindController {
public:
    explicit GridFindController(GridCtrl& grid);

    // Opens the window (or brings the open one forward), switched to the kind asked
    // for, with the texts and options of the last one.
    void Open(bool replace);
    FindReplaceDialog* Dialog() const;
    // Searches go along the rows across every column.
    void SetAcross(bool across) { m_bAcross = across; }

private:
    // What the window asked for, handled with its texts and options.
    void Notice(int request);
    // The data source's search from (dsCol, row) of `source`, repeated past cells
    // that no grid column shows; the grid column of the cell found, or -1.
    // With `first` the search starts before the first cell.
    int FindShownCell(GridDataSource* source, const QString& text, int& dsCol, int& row, int flags,
                      bool first);
    // Replaces what matches in a cell that is not read-only, stores it and repaints
    // the cell; false when nothing was replaced.
    bool ReplaceInCell(int col, int row, const QString& find, const QString& with, int flags);
    // The window moves out of the way of the cell it found.
    void MoveDialogOffCurrentCell();

    GridCtrl& m_oGrid;
    QPointer<FindReplaceDialog> m_pDialog;
    bool m_bAcross = false;
    QString m_strFind;
    QString m_strReplace;
    bool m_bMatchCase = false;
    bool m_bWholeText = false;
    bool m_bDown = true;
};
