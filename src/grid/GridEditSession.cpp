#include "grid/GridEditSession.h"

#include <algorithm>

#include <QCoreApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScopeGuard>

#include "grid/CellType.h"
#include "grid/GridAccessible.h"
#include "grid/GridArea.h"
#include "grid/GridCtrl.h"
#include "grid/GridDropList.h"
#include "grid/GridEdit.h"

GridEditSession::GridEditSession(GridCtrl& grid) : m_oGrid(grid) {}

int GridEditSession::Start(int col, int row, int ch) {
    GridSheet& s = m_oGrid.Sheet();
    if (m_oGrid.InMode(GridCtrl::kEditing)) {
        return GridCtrl::kOutOfRange;
    }
    // The grid is editing while the edit starts (a move it makes leaves the
    // selection alone); any way out before the editor shows ends that.
    m_oGrid.SetMode(GridCtrl::kEditing, true);
    bool started = false;
    const auto unless = qScopeGuard([&] {
        if (!started) {
            m_oGrid.SetMode(GridCtrl::kEditing, false);
        }
    });
    const QRect selection = s.Selection().BoundingBox();
    s.Selection().Clear();
    if (selection.width() * selection.height() > 1) {
        m_oGrid.RedrawSelection(selection);
    }
    if ((col != s.CurrentCol() || row != s.CurrentRow()) && col >= 0 && row >= 0 &&
        m_oGrid.GotoCell(col, row) != GridCtrl::kOk) {
        return GridCtrl::kRefused;
    }
    if (col < -s.Columns().HeadingCount() || col >= s.GetColumnCount() ||
        row < -s.Rows().HeadingCount() || row >= s.GetRowCount() || (col < 0 && row < 0)) {
        return GridCtrl::kOutOfRange;
    }
    m_nCol = col;
    m_nRow = row;
    m_oGrid.GetCell(col, row, m_oCell);
    CellType* type = m_oGrid.GetCellType(m_oCell.GetCellType());
    if (!type->CanTextEdit()) {
        return GridCtrl::kOutOfRange;
    }
    QWidget* parent = m_oGrid.ComponentFor(col, row);
    QRect rect = m_oGrid.CellRectIn(parent, col, row);
    if (rect.isNull()) {
        return GridCtrl::kOutOfRange;
    }
    rect.adjust(0, 0, -1, -1);
    type->AdjustEditRect(rect);
    if (m_oCell.GetReadOnly()) {
        return GridCtrl::kOutOfRange;
    }
    QWidget* editor = m_oGrid.m_pEdit;
    m_oGrid.m_pEdit->setPlainText(m_oCell.GetText());
    if (s.DataSourceOf(col)->OnEditStart(col, row, editor) != 1 ||
        !m_oGrid.OnBeginEdit(col, row, editor) || !editor) {
        return GridCtrl::kOutOfRange;
    }
    m_pEditor = editor;
    m_pParent = parent;
    if (auto* edit = qobject_cast<QPlainTextEdit*>(editor)) {
        edit->setPlainText(m_oCell.GetText());
        edit->selectAll();
    }
    editor->setFont(m_oCell.GetFont(m_oGrid.GetDefaultFont()));
    editor->setParent(parent);
    editor->setGeometry(rect);
    // Assistive technology hears which cell the editor edits.
    editor->setAccessibleName(m_oGrid.CellName(col, row));
    editor->show();
    editor->raise();
    if (editor == m_oGrid.m_pEdit) {
        m_oGrid.m_pEdit->BeginEditing();
    }
    editor->activateWindow();
    editor->setFocus(Qt::OtherFocusReason);
    started = true;
    if (ch != 0) {
        const char32_t typed = static_cast<char32_t>(ch);
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUcs4(&typed, 1));
        QCoreApplication::sendEvent(editor, &press);
    }
    return GridCtrl::kOk;
}

int GridEditSession::Cancel() {
    if (!m_oGrid.InMode(GridCtrl::kEditing)) {
        return GridCtrl::kOk;
    }
    m_oGrid.SetMode(GridCtrl::kEditing, false);
    if (m_pEditor) {
        if (m_pEditor->hasFocus()) {
            m_oGrid.m_pArea->setFocus(Qt::OtherFocusReason);
        }
        m_pEditor->hide();
    }
    return GridCtrl::kOk;
}

int GridEditSession::Finish(const QString& text, int cancel, int move, int newCol, int newRow) {
    if (m_oGrid.InMode(GridCtrl::kFinishing)) {
        // Moving the focus below calls here again; the edit is already ending.
        return GridCtrl::kOk;
    }
    GridSheet& s = m_oGrid.Sheet();
    const bool cancelled = cancel != 0 || !m_oGrid.InMode(GridCtrl::kEditing);
    const int col = m_nCol;
    const int row = m_nRow;
    m_oGrid.SetMode(GridCtrl::kFinishing, true);
    if (m_oGrid.InMode(GridCtrl::kEditing) &&
        (s.DataSourceOf(col)->OnEditFinish(col, row, m_pEditor, text, cancelled) != 1 ||
         !m_oGrid.OnEndEdit(col, row, m_pEditor, text, cancelled))) {
        // The edit goes on at its cell.
        if (col >= 0 && row >= 0) {
            m_oGrid.GotoCell(col, row);
        }
        if (QWidget* grabber = QWidget::mouseGrabber()) {
            grabber->releaseMouse();
        }
        if (m_pEditor) {
            m_pEditor->setFocus(Qt::OtherFocusReason);
        }
        m_oGrid.SetMode(GridCtrl::kFinishing, false);
        return GridCtrl::kRefused;
    }
    if (m_pEditor) {
        // The focus goes back to the cells rather than to wherever hiding the
        // editor would send it.
        if (m_pEditor->hasFocus()) {
            m_oGrid.m_pArea->setFocus(Qt::OtherFocusReason);
        }
        m_pEditor->hide();
    }
    if (m_oGrid.InMode(GridCtrl::kEditing) && !cancelled) {
        m_oGrid.SetCellText(col, row, text);
        m_oGrid.RedrawCell(col, row);
    }
    if (m_oGrid.InMode(GridCtrl::kEditing) && move && m_pParent == m_oGrid.m_pArea &&
        s.GetColumnCount() > 0 && s.GetRowCount() > 0) {
        int targetCol = newCol;
        int targetRow = newRow;
        // Moving on out of a joined block goes to the cell past it.
        int firstCol = col;
        int firstRow = row;
        int lastCol = col;
        int lastRow = row;
        if (s.JoinsCells() && m_oGrid.GetJoinRange(firstCol, firstRow, lastCol, lastRow) == 0) {
            if (targetCol > col) {
                targetCol = lastCol + 1;
            } else if (targetCol < col) {
                targetCol = firstCol - 1;
            }
            if (targetRow > row) {
                targetRow = lastRow + 1;
            } else if (targetRow < row) {
                targetRow = firstRow - 1;
            }
        }
        targetCol = std::clamp(targetCol, 0, s.GetColumnCount() - 1);
        targetRow = std::clamp(targetRow, 0, s.GetRowCount() - 1);
        if (s.DataSourceOf(col)->OnEditContinue(col, row, targetCol, targetRow) == 1 &&
            m_oGrid.OnEditMoveQuery(col, row, targetCol, targetRow)) {
            s.SetMoveCause(GridSheet::kMoveKeyboard);
            m_oGrid.GotoCell(targetCol, targetRow);
        }
    }
    m_oGrid.SetMode(GridCtrl::kEditing, false);
    m_oGrid.SetMode(GridCtrl::kFinishing, false);
    if (m_oGrid.m_pArea->hasFocus()) {
        GridAccessible::CurrentCellChanged(&m_oGrid);
    }
    return GridCtrl::kOk;
}

int GridEditSession::OpenDropList(int typeIndex, int col, int row, int* listCol, int* listRow) {
    if (m_oGrid.m_pDropList->IsOpen()) {
        return 1;
    }
    const QRect cellRect = m_oGrid.GetCellRect(col, row);
    if (cellRect.isNull()) {
        return 1;
    }
    GridCell cell;
    m_oGrid.GetCell(col, row, cell);
    // An item is a line ended by a line feed; text after the last one is none.
    QStringList items;
    const QString label = cell.GetLabel();
    qsizetype start = 0;
    for (qsizetype end = label.indexOf('\n'); end >= 0; end = label.indexOf('\n', start)) {
        items << label.mid(start, end - start);
        start = end + 1;
    }
    m_oGrid.OnCellTypeEvent(typeIndex, col, row, CellType::kEventListOpening,
                            reinterpret_cast<std::intptr_t>(&items));

    const GridSheet& s = m_oGrid.Sheet();
    QFont font = m_oGrid.GetDefaultFont();
    int itemHeight = 12;
    if (cell.IsPropertySet(GridCell::kFontSet)) {
        font = cell.GetFont(font);
        itemHeight = QFontMetrics(font).height();
    } else if (s.HasDefaultFont()) {
        itemHeight = QFontMetrics(s.DefaultFont()).height();
    }
    // Under the cell, shifted right a little, as tall as its items (and one more,
    // for air) up to a limit; moved up or left to stay inside the cell area.
    const int shown = std::min(static_cast<int>(items.size()) + 1, GridDropList::kMaxShownItems);
    QRect rect(cellRect.left() + 10, cellRect.bottom() + 1, cellRect.width(),
               shown * itemHeight + 2);
    const QRect area = m_oGrid.m_pArea->rect();
    if (rect.bottom() > area.bottom()) {
        rect.moveBottom(area.bottom());
    }
    if (rect.right() > area.right()) {
        rect.moveRight(area.right());
    }
    rect.moveTop(std::max(rect.top(), 0));
    rect.moveLeft(std::max(rect.left(), 0));
    m_oGrid.m_pDropList->Open(typeIndex, col, row, items, rect, font, itemHeight, listCol, listRow);
    m_oGrid.RedrawCell(col, row);
    return 0;
}
