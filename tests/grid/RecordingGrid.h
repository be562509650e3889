#pragma once

#include <ostream>

#include <QString>
#include <QStringList>

#include "grid/GridCtrl.h"
#include "grid/GridScrollBar.h"

// Readable failures for texts and lists of texts.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* os) {
    *os << '{';
    for (const QString& text : list) {
        *os << ' ';
        PrintTo(text, os);
    }
    *os << " }";
}

// One of the grid's own parts (sheet tabs, editor, popup menu, find window), as
// found among its descendants (the editor lives in the cell area while it edits).
template <class Part> Part* PartOf(const GridCtrl& grid) {
    return grid.findChild<Part*>();
}

// The grid's scroll bar along `orientation`.
inline GridScrollBar* ScrollBarOf(const GridCtrl& grid, Qt::Orientation orientation) {
    for (GridScrollBar* bar : grid.findChildren<GridScrollBar*>(Qt::FindDirectChildrenOnly)) {
        if (bar->orientation() == orientation) {
            return bar;
        }
    }
    return nullptr;
}

// A grid that writes down the hooks it hears, in order, and can be told to refuse
// moves and scrolls or to add rows when asked for more.
class RecordingGrid : public GridCtrl {
public:
    RecordingGrid() { resize(400, 300); }

    // A shown grid of `cols` by `rows` cells with the text "c,r" in each.
    void Fill(int cols, int rows) {
        SetColumnCount(cols);
        SetRowCount(rows);
        for (int row = 0; row < rows; ++row) {
            for (int col = 0; col < cols; ++col) {
                SetCellText(col, row, QString("%1,%2").arg(col).arg(row));
            }
        }
    }

    int OnMoveQuery(int oldCol, int oldRow, int newCol, int newRow) override {
        Note(QString("Move %1,%2>%3,%4").arg(oldCol).arg(oldRow).arg(newCol).arg(newRow));
        return m_bAllowMove;
    }
    int OnScrollQuery(int a, int b, int c, int d) override {
        Note(QString("Scroll %1 %2 %3 %4").arg(a).arg(b).arg(c).arg(d));
        return m_bAllowScroll;
    }
    void OnPastLastRow(int rowCount, int rowsBeyond, int) override {
        Note(QString("PastLast %1 %2").arg(rowCount).arg(rowsBeyond));
        if (m_nRowsToAdd > 0) {
            const int add = m_nRowsToAdd;
            m_nRowsToAdd = 0;
            SetRowCount(rowCount + add);
        }
    }
    void OnCurrentColumnChanged(int oldCol, int newCol) override {
        Note(QString("Col %1>%2").arg(oldCol).arg(newCol));
    }
    void OnCurrentRowChanged(int oldRow, int newRow) override {
        Note(QString("Row %1>%2").arg(oldRow).arg(newRow));
    }
    void OnCurrentCellChanged(int oldCol, int newCol, int oldRow, int newRow) override {
        Note(QString("Cell %1,%2>%3,%4").arg(oldCol).arg(oldRow).arg(newCol).arg(newRow));
    }
    void OnLeftColumnChanged(int oldCol, int newCol) override {
        Note(QString("Left %1>%2").arg(oldCol).arg(newCol));
    }
    void OnTopRowChanged(int oldRow, int newRow) override {
        Note(QString("Top %1>%2").arg(oldRow).arg(newRow));
    }
    void OnCellLeftClick(int col, int row, int down, const QRect&, const QPoint&, int) override {
        Note(QString("LeftClick %1,%2 %3").arg(col).arg(row).arg(down));
    }
    void OnCellDoubleClick(int col, int row, const QRect&, const QPoint&, int) override {
        Note(QString("DoubleClick %1,%2").arg(col).arg(row));
    }
    void OnGridKeyDown(int& key, int) override {
        if (key == m_nSwallowKey) {
            key = 0;
        }
    }
    void OnGridChar(int& ch, int) override { Note(QString("Char %1").arg(QChar(ch))); }
    void OnFetchCell(int col, int row, GridCell& cell) override {
        if (m_bMarkFetched) {
            cell.SetLabel(QString("fetched %1,%2").arg(col).arg(row));
        }
    }
    void OnStoreCell(int col, int row, GridCell& cell) override {
        if (m_bUpperOnStore) {
            cell.SetText(cell.GetText().toUpper());
        }
        Note(QString("Store %1,%2").arg(col).arg(row));
    }
    void OnSheetCreated(int sheet) override {
        // A new sheet is current while its owner sets it up: it has no columns yet.
        Note(QString("Sheet %1 columns %2").arg(sheet).arg(GetColumnCount()));
    }
    void OnFocusGained(int section) override { Note(QString("FocusGained %1").arg(section)); }
    void OnFocusLost(int section) override { Note(QString("FocusLost %1").arg(section)); }

    void Note(const QString& what) { m_oLog.append(what); }
    // The log since the last call.
    QStringList Take() {
        QStringList log = m_oLog;
        m_oLog.clear();
        return log;
    }

    QStringList m_oLog;
    bool m_bAllowMove = true;
    bool m_bAllowScroll = true;
    bool m_bMarkFetched = false;
    bool m_bUpperOnStore = false;
    int m_nRowsToAdd = 0;
    int m_nSwallowKey = -1;
};
