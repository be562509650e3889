#include "grid/GridFindController.h"

#include <algorithm>
#include <cstdint>
#include <unordered_set>

#include <QScreen>

#include "grid/FindReplaceDialog.h"
#include "grid/GridArea.h"
#include "grid/GridCtrl.h"
#include "grid/GridFind.h"

GridFindController::GridFindController(GridCtrl& grid) : m_oGrid(grid) {}

FindReplaceDialog* GridFindController::Dialog() const {
    return m_pDialog;
}

void GridFindController::Open(bool replace) {
    if (m_pDialog) {
        m_pDialog->SetReplaceMode(replace);
    } else {
        m_pDialog = new FindReplaceDialog(replace, &m_oGrid);
        m_pDialog->SetFindText(m_strFind);
        m_pDialog->SetReplaceText(m_strReplace);
        m_pDialog->SetMatchCase(m_bMatchCase);
        m_pDialog->SetWholeText(m_bWholeText);
        m_pDialog->SetSearchDown(m_bDown);
        QObject::connect(m_pDialog, &FindReplaceDialog::notice, &m_oGrid,
                         [this](int request) { Notice(request); });
    }
    m_pDialog->Activate();
}

void GridFindController::Notice(int request) {
    QPointer<FindReplaceDialog> dialog = m_pDialog;
    if (!dialog) {
        return;
    }
    GridSheet& s = m_oGrid.Sheet();
    if (request & FindReplaceDialog::kClosing) {
        m_strFind = dialog->GetFindText();
        m_strReplace = dialog->GetReplaceText();
        m_bMatchCase = dialog->GetMatchCase();
        m_bWholeText = dialog->GetWholeText();
        m_bDown = dialog->GetSearchDown();
        m_pDialog = nullptr;
        m_oGrid.m_pArea->update(m_oGrid.CurrentMarkRect(s.CurrentCol(), s.CurrentRow()));
        return;
    }
    const QString find = dialog->GetFindText();
    const QString with = dialog->GetReplaceText();
    if (find.isEmpty() || s.GetColumnCount() == 0) {
        return;
    }
    int flags = 0;
    if (!dialog->GetMatchCase()) {
        flags |= GridFind::kIgnoreCase;
    }
    if (!dialog->GetWholeText()) {
        flags |= GridFind::kAnywhere;
    }
    if (!dialog->GetSearchDown()) {
        flags |= GridFind::kBackwards;
    }
    if (m_bAcross) {
        flags |= GridFind::kAlongRows;
    }

    const int col = s.CurrentCol();
    const int row = s.CurrentRow();
    const bool hasCurrent =
        col >= 0 && row >= 0 && col < s.GetColumnCount() && row < s.GetRowCount();
    // Without a current cell the search starts before the first cell.
    GridDataSource* source = s.DataSourceOf(hasCurrent ? col : 0);
    int dsCol = s.DataSourceCol(hasCurrent ? col : 0);
    int dsRow = row;

    if (request & FindReplaceDialog::kReplaceAll) {
        // Each cell is replaced once at most: a replacement that still matches, or
        // a cell that cannot be changed, would otherwise be found for ever.
        std::unordered_set<std::uint64_t> visited;
        auto key = [](int c, int r) {
            return (std::uint64_t{static_cast<std::uint32_t>(c)} << 32) |
                   static_cast<std::uint32_t>(r);
        };
        bool any = false;
        if (hasCurrent && ReplaceInCell(col, row, find, with, flags)) {
            visited.insert(key(col, row));
            any = true;
        }
        // The view follows the replacements without painting each step; it is
        // painted once at the end.
        const bool painting = m_oGrid.IsUpdateEnabled();
        if (painting) {
            m_oGrid.EnableUpdate(0);
        }
        bool first = !hasCurrent;
        for (;;) {
            const int found = FindShownCell(source, find, dsCol, dsRow, flags, first);
            first = false;
            if (found < 0 || !visited.insert(key(found, dsRow)).second) {
                break;
            }
            any = true;
            m_oGrid.GotoCell(found, dsRow);
            ReplaceInCell(found, dsRow, find, with, flags);
        }
        if (painting) {
            m_oGrid.EnableUpdate(1);
            m_oGrid.RedrawAll();
        }
        MoveDialogOffCurrentCell();
        if (!any) {
            m_oGrid.ShowMessage(GridCtrl::tr("Item not found"), GridCtrl::tr("Not Found"));
            if (dialog) {
                dialog->activateWindow();
            }
        }
        return;
    }
    if (request & FindReplaceDialog::kReplace) {
        if (hasCurrent) {
            ReplaceInCell(col, row, find, with, flags);
        }
        // A replacement that holds the find text would be found again at once.
        if (with == find || ((flags & GridFind::kAnywhere) && with.contains(find))) {
            return;
        }
    }
    const int found = FindShownCell(source, find, dsCol, dsRow, flags, !hasCurrent);
    if (found < 0) {
        m_oGrid.ShowMessage(GridCtrl::tr("Item not found"), GridCtrl::tr("Not Found"));
        if (dialog) {
            dialog->activateWindow();
        }
        return;
    }
    m_oGrid.GotoCell(found, dsRow);
    MoveDialogOffCurrentCell();
}

void GridFindController::MoveDialogOffCurrentCell() {
    const GridSheet& s = m_oGrid.Sheet();
    const QRect cell = m_oGrid.GetCellRect(s.CurrentCol(), s.CurrentRow());
    if (!m_pDialog || cell.isNull()) {
        return;
    }
    const QRect onScreen(m_oGrid.m_pArea->mapToGlobal(cell.topLeft()), cell.size());
    const QRect frame = m_pDialog->frameGeometry();
    if (!frame.intersects(onScreen)) {
        return;
    }
    // Below the cell where the window fits on the screen, else above it.
    constexpr int kGap = 8;
    const QRect screen = m_pDialog->screen()->availableGeometry();
    int y = onScreen.bottom() + 1 + kGap;
    if (y + frame.height() > screen.bottom() + 1) {
        y = std::max(screen.top(), onScreen.top() - kGap - frame.height());
    }
    m_pDialog->move(frame.x(), y);
}

int GridFindController::FindShownCell(GridDataSource* source, const QString& text, int& dsCol,
                                      int& row, int flags, bool first) {
    const GridSheet& s = m_oGrid.Sheet();
    int answer = first ? source->FindFirst(text, dsCol, row, flags)
                       : source->FindNext(text, dsCol, row, flags);
    // The first cell found that no column shows: meeting it again ends the search.
    bool skipped = false;
    int skippedCol = 0;
    int skippedRow = 0;
    while (answer == 0) {
        for (int col = 0; col < s.GetColumnCount(); ++col) {
            if (s.DataSourceOf(col) == source && s.DataSourceCol(col) == dsCol) {
                return col;
            }
        }
        if (!skipped) {
            skipped = true;
            skippedCol = dsCol;
            skippedRow = row;
        } else if (dsCol == skippedCol && row == skippedRow) {
            break;
        }
        answer = source->FindNext(text, dsCol, row, flags);
    }
    return -1;
}

bool GridFindController::ReplaceInCell(int col, int row, const QString& find, const QString& with,
                                       int flags) {
    m_oGrid.GetCell(col, row, m_oGrid.m_oCell);
    if (m_oGrid.m_oCell.GetReadOnly()) {
        return false;
    }
    QString text;
    m_oGrid.GetCellText(col, row, text);
    if (!GridFind::Replace(text, find, with, flags)) {
        return false;
    }
    m_oGrid.SetCellText(col, row, text);
    m_oGrid.RedrawCell(col, row);
    return true;
}
