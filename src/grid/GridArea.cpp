#include "grid/GridArea.h"

#include <algorithm>
#include <cmath>

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>

#include "grid/CellType.h"
#include "grid/GridAccessible.h"
#include "grid/GridCtrl.h"
#include "grid/GridDropList.h"
#include "grid/GridEdit.h"
#include "grid/GridSystem.h"

namespace {
// Pause between drag steps of more than one cell, in milliseconds.
constexpr int kFastDragInterval = 20;
} // namespace

GridArea::GridArea(GridCtrl* grid) : GridComponent(grid, GridCtrl::kSectionArea) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_KeyCompression, false);
    m_oDragTimer.setSingleShot(true);
    connect(&m_oDragTimer, &QTimer::timeout, this, [this] { DragStep(); });
}

bool GridArea::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        ToolTip(static_cast<QHelpEvent*>(event));
        return true;
    }
    return GridComponent::event(event);
}

void GridArea::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    Paint(painter, event->region());
}

void GridArea::keyPressEvent(QKeyEvent* event) {
    KeyPress(event);
}

void GridArea::keyReleaseEvent(QKeyEvent* event) {
    KeyRelease(event);
}

void GridArea::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    MousePress(event);
}

void GridArea::mouseMoveEvent(QMouseEvent* event) {
    Hover(event->position().toPoint());
    MouseMove(event);
}

void GridArea::mouseReleaseEvent(QMouseEvent* event) {
    MouseRelease(event);
}

void GridArea::mouseDoubleClickEvent(QMouseEvent* event) {
    MouseDoubleClick(event);
}

void GridArea::focusInEvent(QFocusEvent*) {
    FocusChanged(true);
}

void GridArea::focusOutEvent(QFocusEvent*) {
    FocusChanged(false);
}

void GridArea::Paint(QPainter& painter, const QRegion& region) {
    GridSheet& s = *m_pGrid->m_pSheet;
    const int areaWidth = width();
    const int areaHeight = height();
    m_pGrid->OnPaintSetup(painter, nullptr, GridCtrl::kSectionArea);
    const QFont font = m_pGrid->GetDefaultFont();
    painter.setFont(font);
    GridCellOption option = m_pGrid->CellOption(QRect(), 0, false);
    const QRect bounds = region.boundingRect();

    // Joined blocks already drawn in this paint, by their first cell.
    std::vector<QPoint> drawnBlocks;
    QRect currentRect;
    int y = 0;
    int xEnd = 0;
    int lastRow = -1;
    const int rowCount = s.GetRowCount();
    const int colCount = s.GetColumnCount();
    const std::vector<GridSpan> shownCols = s.Columns().Shown();
    for (const GridSpan& rowSpan : s.Rows().Shown()) {
        const int row = rowSpan.m_nIndex;
        const int h = rowSpan.m_nSize;
        if (h == 0) {
            continue;
        }
        lastRow = row;
        int x = 0;
        const bool rowInRegion = y + h > bounds.top() && y <= bounds.bottom();
        for (const GridSpan& colSpan : shownCols) {
            const int col = colSpan.m_nIndex;
            const int w = colSpan.m_nSize;
            if (w == 0) {
                continue;
            }
            s.Columns().SetLastVisible(col);
            const QRect cellRect(x, y, w, h);
            x += w;
            const bool current =
                row == s.CurrentRow() && (col == s.CurrentCol() || s.IsRowHighlight());
            if (current && !s.IsRowHighlight()) {
                currentRect = cellRect;
            }
            if (!rowInRegion || !region.intersects(cellRect)) {
                continue;
            }
            m_pGrid->GetCell(col, row, m_pGrid->m_oCell);
            QRect rect = cellRect;
            int drawCol = col;
            int drawRow = row;
            if (s.JoinsCells() && m_pGrid->m_oCell.IsPropertySet(GridCell::kJoinSet)) {
                int col2 = col;
                int row2 = row;
                if (m_pGrid->GetJoinRange(drawCol, drawRow, col2, row2) == 0) {
                    const QPoint first(drawCol, drawRow);
                    if (std::find(drawnBlocks.begin(), drawnBlocks.end(), first) !=
                        drawnBlocks.end()) {
                        continue;
                    }
                    drawnBlocks.push_back(first);
                    rect =
                        QRect(cellRect.x() - s.Columns().Sum(drawCol, col),
                              cellRect.y() - s.Rows().Sum(drawRow, row),
                              s.Columns().Sum(drawCol, col2 + 1), s.Rows().Sum(drawRow, row2 + 1));
                    if (drawCol != col || drawRow != row) {
                        m_pGrid->GetCell(drawCol, drawRow, m_pGrid->m_oCell);
                    }
                }
            }
            const bool drawCurrent =
                drawRow == s.CurrentRow() && (drawCol == s.CurrentCol() || s.IsRowHighlight());
            option.rect = rect;
            option.current = drawCurrent;
            option.selected = drawCurrent ? 0 : m_pGrid->IsSelected(drawCol, drawRow);
            // Cell types leave the painter as they found it, so no save is needed
            // around each cell (it would cost a sixth of the paint).
            m_pGrid->GetCellType(m_pGrid->m_oCell.GetCellType())
                ->OnDraw(painter, option, drawCol, drawRow, m_pGrid->m_oCell);
        }
        if (row == s.CurrentRow() && s.IsRowHighlight()) {
            currentRect = QRect(0, y, std::min(x, areaWidth), h);
        }
        xEnd = std::max(xEnd, x);
        y += h;
    }
    s.Rows().SetLastVisible(std::max(lastRow, 0));
    if (rowCount == 0 || colCount == 0) {
        xEnd = 0;
        y = 0;
    }

    // The borders of the locked part, two pixels wide: the last pixel of the locked
    // cells and the one before the first scrolling cell.
    const QColor borderColor = GridSystem::WindowTextColor(m_pGrid->palette());
    if (s.Columns().Locked() > 0 && s.Columns().LockedExtent() > 0) {
        painter.fillRect(s.Columns().LockedExtent() - 1, 0, 1, y, borderColor);
        if (s.Columns().LockedExtent() > 1) {
            painter.fillRect(s.Columns().LockedExtent() - 2, 0, 1, y, borderColor);
        }
    }
    if (s.Rows().Locked() > 0 && s.Rows().LockedExtent() > 0) {
        painter.fillRect(0, s.Rows().LockedExtent() - 1, xEnd, 1, borderColor);
        if (s.Rows().LockedExtent() > 1) {
            painter.fillRect(0, s.Rows().LockedExtent() - 2, xEnd, 1, borderColor);
        }
    }

    // The space past the last column and below the last row.
    const QColor back = m_pGrid->OnDefaultBackColor(GridCtrl::kSectionArea);
    if (xEnd < areaWidth) {
        painter.fillRect(QRect(xEnd, 0, areaWidth - xEnd, areaHeight), back);
    }
    if (y < areaHeight) {
        painter.fillRect(QRect(0, y, xEnd, areaHeight - y), back);
        if (rowCount > 0 && colCount > 0 && s.Rows().DefaultSize() > 0) {
            // Asked once painting is over, so that rows added by the answer are laid
            // out and painted normally rather than in the middle of this paint.
            const int beyond = (areaHeight - y) / s.Rows().DefaultSize() + 1;
            QMetaObject::invokeMethod(
                this, [this, beyond] { m_pGrid->AskPastLastRow(beyond); }, Qt::QueuedConnection);
        }
    }

    if (!s.IsRowHighlight() && s.HasCurrentCell()) {
        currentRect = m_pGrid->GetCellRect(s.CurrentCol(), s.CurrentRow());
    }
    if (!currentRect.isNull() && (hasFocus() || m_pGrid->m_oFind.Dialog())) {
        m_pGrid->OnDrawFocus(painter, currentRect);
    }
}

void GridArea::KeyPress(QKeyEvent* event) {
    GridSheet& s = *m_pGrid->m_pSheet;
    s.SetMoveCause(GridSheet::kMoveKeyboard, event->modifiers());
    const int col = s.CurrentCol();
    const int row = s.CurrentRow();
    CellType* type = nullptr;
    GridCellOption option = m_pGrid->CellOption(m_pGrid->GetCellRect(col, row), 0, true);
    if (col >= 0 && row >= 0) {
        m_pGrid->GetCell(col, row, m_pGrid->m_oCell);
        type = m_pGrid->GetCellType(m_pGrid->m_oCell.GetCellType());
    }
    int key = event->key();
    const int handled = type ? type->OnKeyDown(option, col, row, key) : 0;
    m_pGrid->OnGridKeyDown(key, handled);
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    int spanCol = s.MovingCol();
    int spanRow = s.MovingRow();
    int spanCol2 = spanCol;
    int spanRow2 = spanRow;
    if (s.JoinsCells() && spanCol >= 0 && spanRow >= 0) {
        m_pGrid->GetJoinRange(spanCol, spanRow, spanCol2, spanRow2);
    }
    switch (key) {
    case Qt::Key_PageUp:
        m_pGrid->MoveCurrentRow(GridCtrl::kPageBack);
        break;
    case Qt::Key_PageDown:
        m_pGrid->MoveCurrentRow(GridCtrl::kPageForward);
        break;
    case Qt::Key_Home:
        ctrl ? m_pGrid->MoveCurrentRow(GridCtrl::kFirst)
             : m_pGrid->MoveCurrentColumn(GridCtrl::kFirst);
        break;
    case Qt::Key_End:
        ctrl ? m_pGrid->MoveCurrentRow(GridCtrl::kLast)
             : m_pGrid->MoveCurrentColumn(GridCtrl::kLast);
        break;
    case Qt::Key_Left:
        m_pGrid->GotoColumn(spanCol - 1);
        break;
    case Qt::Key_Up:
        m_pGrid->GotoRow(spanRow - 1);
        break;
    case Qt::Key_Right:
        m_pGrid->GotoColumn(spanCol2 + 1);
        break;
    case Qt::Key_Down:
        m_pGrid->GotoRow(spanRow2 + 1);
        break;
    default:
        break;
    }
    // Characters go to the current cell's type, then to the owner.
    const QString text = event->text();
    for (const QChar c : text) {
        int ch = c.unicode();
        int charHandled = 0;
        if (s.HasCurrentCell()) {
            m_pGrid->GetCell(s.CurrentCol(), s.CurrentRow(), m_pGrid->m_oCell);
            charHandled = m_pGrid->GetCellType(m_pGrid->m_oCell.GetCellType())
                              ->OnChar(option, s.CurrentCol(), s.CurrentRow(), ch);
        }
        m_pGrid->OnGridChar(ch, charHandled);
    }
    event->accept();
}

void GridArea::KeyRelease(QKeyEvent* event) {
    GridSheet& s = *m_pGrid->m_pSheet;
    int key = event->key();
    int handled = 0;
    if (s.HasCurrentCell()) {
        m_pGrid->GetCell(s.CurrentCol(), s.CurrentRow(), m_pGrid->m_oCell);
        GridCellOption option =
            m_pGrid->CellOption(m_pGrid->GetCellRect(s.CurrentCol(), s.CurrentRow()), 0, true);
        option.modifiers = event->modifiers();
        handled = m_pGrid->GetCellType(m_pGrid->m_oCell.GetCellType())
                      ->OnKeyUp(option, s.CurrentCol(), s.CurrentRow(), key);
    }
    m_pGrid->OnGridKeyUp(key, handled);
    event->accept();
}

void GridArea::MousePress(QMouseEvent* event) {
    if (m_pGrid->IsEditing()) {
        return;
    }
    GridSheet& s = *m_pGrid->m_pSheet;
    const QPoint point = event->position().toPoint();
    int col = -1;
    int row = -1;
    QRect rect;
    if (event->button() == Qt::LeftButton) {
        s.SetMoveCause(GridSheet::kMoveLeftButton, event->modifiers());
        m_pMouseType = nullptr;
        if (!m_pGrid->HitTest(point, col, row, &rect)) {
            return;
        }
        m_pGrid->SetMode(GridCtrl::kDragging, true);
        m_pGrid->GotoCell(col, row);
        rect = m_pGrid->GetCellRect(col, row);
        m_pGrid->GetCell(col, row, m_pGrid->m_oCell);
        CellType* type = m_pGrid->GetCellType(m_pGrid->m_oCell.GetCellType());
        GridCellOption option = m_pGrid->CellOption(rect, 0, true);
        option.buttons = event->buttons();
        const int handled = type->OnLeftClick(option, col, row, 1, point);
        if (handled) {
            m_pMouseType = type;
            m_nMouseCol = col;
            m_nMouseRow = row;
        }
        m_pGrid->OnCellLeftClick(col, row, 1, rect, point, handled);
    } else if (event->button() == Qt::RightButton) {
        s.SetMoveCause(GridSheet::kMoveRightButton, event->modifiers());
        if (!m_pGrid->HitTest(point, col, row, &rect)) {
            return;
        }
        m_pGrid->GotoCell(col, row);
        rect = m_pGrid->GetCellRect(col, row);
        m_pGrid->GetCell(col, row, m_pGrid->m_oCell);
        GridCellOption option = m_pGrid->CellOption(rect, 0, true);
        option.buttons = event->buttons();
        const int handled = m_pGrid->GetCellType(m_pGrid->m_oCell.GetCellType())
                                ->OnRightClick(option, col, row, 1, point);
        m_pGrid->OnCellRightClick(col, row, 1, rect, point, handled);
        if (s.IsPopupMenuEnabled() && m_pGrid->OnPopupQuery(col, row, GridCtrl::kSectionArea)) {
            m_pGrid->OpenPopup(col, row, GridCtrl::kSectionArea, event->globalPosition().toPoint());
        }
    }
}

void GridArea::MouseMove(QMouseEvent* event) {
    if (m_pGrid->IsEditing() || !(event->buttons() & Qt::LeftButton) ||
        !m_pGrid->InMode(GridCtrl::kDragging)) {
        return;
    }
    GridSheet& s = *m_pGrid->m_pSheet;
    const QPoint point = event->position().toPoint();
    GridCellOption option = m_pGrid->CellOption(QRect(), 0, false);
    option.buttons = event->buttons();
    option.modifiers = event->modifiers();
    if (m_pMouseType) {
        option.rect = m_pGrid->GetCellRect(m_nMouseCol, m_nMouseRow);
        m_pMouseType->OnMouseMove(option, m_nMouseCol, m_nMouseRow, point);
        return;
    }
    s.SetMoveCause(GridSheet::kMoveDrag);
    int col = s.MovingCol();
    int row = s.MovingRow();
    int handled = 0;
    QRect rect;
    if (m_pGrid->HitTest(point, col, row, &rect)) {
        m_pGrid->GetCell(col, row, m_pGrid->m_oCell);
        option.rect = rect;
        handled = m_pGrid->GetCellType(m_pGrid->m_oCell.GetCellType())
                      ->OnMouseMove(option, col, row, point);
    }
    m_pGrid->OnCellMouseMove(col, row, point, event->buttons(), handled);
    m_oDragPoint = point;
    DragStep();
}

void GridArea::DragStep() {
    GridSheet& s = *m_pGrid->m_pSheet;
    if (!m_pGrid->InMode(GridCtrl::kDragging) || s.GetColumnCount() == 0 || s.GetRowCount() == 0) {
        return;
    }
    s.SetMoveCause(GridSheet::kMoveDrag);
    const QPoint point = m_oDragPoint;
    const int w = width();
    const int h = height();
    // The cell under the pointer, held to the edge of the cell area.
    const QPoint inside(std::clamp(point.x(), 0, std::max(w - 1, 0)),
                        std::clamp(point.y(), 0, std::max(h - 1, 0)));
    // Locked parts do not scroll, so there each direction moves on its own.
    const bool separately = s.Columns().Locked() > 0 || s.Rows().Locked() > 0;
    int col = -1;
    int row = -1;
    if (m_pGrid->HitTest(inside, col, row)) {
        if (separately) {
            m_pGrid->GotoColumn(col);
            m_pGrid->GotoRow(row);
        } else {
            m_pGrid->GotoCell(col, row);
        }
    }
    // Beyond an edge the view steps on: one cell, or (distance in cells)^factor.
    auto step = [&s](int pixels, int cellSize) {
        if (s.BallisticFactor() <= 0 || cellSize <= 0) {
            return 1;
        }
        const double distance = 1.0 + double(pixels) / cellSize;
        return std::max(1, static_cast<int>(std::pow(distance, s.BallisticFactor())));
    };
    int stepCols = 0;
    int stepRows = 0;
    if (point.x() < 0) {
        stepCols = -step(-point.x(), s.Columns().DefaultSize());
    } else if (point.x() >= w) {
        stepCols = step(point.x() - w + 1, s.Columns().DefaultSize());
    }
    if (point.y() < 0) {
        stepRows = -step(-point.y(), s.Rows().DefaultSize());
    } else if (point.y() >= h) {
        stepRows = step(point.y() - h + 1, s.Rows().DefaultSize());
    }
    const int targetCol = std::clamp(s.MovingCol() + stepCols, 0, s.GetColumnCount() - 1);
    const int targetRow = std::clamp(s.MovingRow() + stepRows, 0, s.GetRowCount() - 1);
    if (separately) {
        m_pGrid->GotoColumn(targetCol);
        m_pGrid->GotoRow(targetRow);
    } else if (stepCols != 0 || stepRows != 0) {
        m_pGrid->GotoCell(targetCol, targetRow);
    }
    const int stepped = std::max(std::abs(stepCols), std::abs(stepRows));
    if (stepped > 0) {
        m_oDragTimer.start(stepped == 1 ? s.BallisticDelay() : kFastDragInterval);
    } else {
        m_oDragTimer.stop();
    }
}

void GridArea::StopDrag() {
    m_pGrid->SetMode(GridCtrl::kDragging, false);
    m_oDragTimer.stop();
}

void GridArea::MouseRelease(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    GridCellOption option = m_pGrid->CellOption(QRect(), 0, true);
    option.buttons = event->buttons();
    option.modifiers = event->modifiers();
    if (event->button() == Qt::LeftButton) {
        const bool wasDragging = m_pGrid->InMode(GridCtrl::kDragging);
        StopDrag();
        if (!wasDragging) {
            return;
        }
        int col = m_nMouseCol;
        int row = m_nMouseRow;
        CellType* type = m_pMouseType;
        m_pMouseType = nullptr;
        QRect rect;
        if (!type) {
            if (!m_pGrid->HitTest(point, col, row, &rect)) {
                return;
            }
            m_pGrid->GetCell(col, row, m_pGrid->m_oCell);
            type = m_pGrid->GetCellType(m_pGrid->m_oCell.GetCellType());
        } else {
            rect = m_pGrid->GetCellRect(col, row);
        }
        option.rect = rect;
        const int handled = type->OnLeftClick(option, col, row, 0, point);
        m_pGrid->OnCellLeftClick(col, row, 0, rect, point, handled);
    } else if (event->button() == Qt::RightButton) {
        int col = -1;
        int row = -1;
        QRect rect;
        if (!m_pGrid->HitTest(point, col, row, &rect)) {
            return;
        }
        m_pGrid->GetCell(col, row, m_pGrid->m_oCell);
        option.rect = rect;
        const int handled = m_pGrid->GetCellType(m_pGrid->m_oCell.GetCellType())
                                ->OnRightClick(option, col, row, 0, point);
        m_pGrid->OnCellRightClick(col, row, 0, rect, point, handled);
    }
}

void GridArea::MouseDoubleClick(QMouseEvent* event) {
    if (m_pGrid->IsEditing() || event->button() != Qt::LeftButton) {
        return;
    }
    const QPoint point = event->position().toPoint();
    int col = -1;
    int row = -1;
    QRect rect;
    if (!m_pGrid->HitTest(point, col, row, &rect)) {
        return;
    }
    m_pGrid->GetCell(col, row, m_pGrid->m_oCell);
    GridCellOption option = m_pGrid->CellOption(rect, 0, true);
    option.buttons = event->buttons();
    option.modifiers = event->modifiers();
    const int handled = m_pGrid->GetCellType(m_pGrid->m_oCell.GetCellType())
                            ->OnDoubleClick(option, col, row, point);
    // The press that follows a double click ends as a release like any other.
    m_pGrid->SetMode(GridCtrl::kDragging, true);
    m_pGrid->OnCellDoubleClick(col, row, rect, point, handled);
}

void GridArea::FocusChanged(bool gained) {
    if (m_pGrid->m_pSheet->HasCurrentCell()) {
        m_pGrid->RedrawCell(m_pGrid->m_pSheet->CurrentCol(), m_pGrid->m_pSheet->CurrentRow());
    }
    if (gained) {
        m_pGrid->OnFocusGained(GridCtrl::kSectionArea);
        GridAccessible::CurrentCellChanged(m_pGrid);
    } else {
        StopDrag();
        m_pGrid->OnFocusLost(GridCtrl::kSectionArea);
    }
}

void GridArea::ToolTip(QHelpEvent* event) {
    int col = -1;
    int row = -1;
    QRect rect;
    QString text;
    if (!m_pGrid->IsToolTipsEnabled() || !m_pGrid->HitTest(event->pos(), col, row, &rect) ||
        !m_pGrid->OnCellHint(col, row, GridCtrl::kSectionArea, text) || text.isEmpty()) {
        m_nTipCol = m_nTipRow = -1;
        QToolTip::hideText();
        event->ignore();
        return;
    }
    m_nTipCol = col;
    m_nTipRow = row;
    QToolTip::showText(event->globalPos(), text, this, rect);
}

void GridArea::Hover(const QPoint& point) {
    if (m_nTipCol < 0) {
        return;
    }
    int col = -1;
    int row = -1;
    if (!m_pGrid->HitTest(point, col, row) || col != m_nTipCol || row != m_nTipRow) {
        m_nTipCol = m_nTipRow = -1;
        QToolTip::hideText();
    }
}
