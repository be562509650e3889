#include "view/PropertyGrid.h"

#include <QPainter>
#include <string>

#include "document/QtText.h"
#include "grid/GridSystem.h"
#include "view/CTesselView.h"

namespace {

constexpr int kCarriageReturn = 13;

// A cell's text as the bytes of the protocol's code page, which is the order the
// values sort in; a text the code page cannot hold compares by its UTF-8 bytes.
std::string SortBytes(const GridCell& cell) {
    const QString text = cell.GetText();
    std::string bytes;
    if (!QtText::ToModel(text, bytes)) {
        bytes = QtText::ToUtf8(text);
    }
    return bytes;
}

} // namespace

PropertyGrid::PropertyGrid(CTesselView& view, bool toolTips, QWidget* parent)
    : StandardGridCtrl(toolTips, parent), m_rView(view) {
    setAccessibleName(tr("Properties"));
}

int PropertyGrid::OnTopHeadingResizeQuery() {
    return 0;
}

int PropertyGrid::OnSideHeadingResizeQuery() {
    return 0;
}

void PropertyGrid::OnCellDoubleClick(int col, int row, const QRect&, const QPoint&, int) {
    if (col == kValueColumn && row >= 0) {
        // The press before the double click made the cell current.
        StartEdit(col, row, 0);
    }
}

void PropertyGrid::OnSideHeadingLeftClick(int, int row, int down, const QRect&, const QPoint&,
                                          int) {
    if (!down || row < 0 || row >= GetRowCount() - 1) {
        return;
    }
    ClearSelection();
    RedrawAll();
    GotoCell(0, row);
    // The whole row, from its last column back to the current cell: the range's end
    // is the cell the arrow keys move on from, and it must be the current one, not a
    // column past the grid (or the arrows would go nowhere).
    SelectRange(GetColumnCount() - 1, row, 0, row);
}

void PropertyGrid::OnSideHeadingRightClick(int, int row, int down, const QRect&, const QPoint&,
                                           int) {
    if (down && row >= 0) {
        GotoCell(0, row);
    }
}

void PropertyGrid::OnSideHeadingDoubleClick(int col, int row, const QRect& rect,
                                            const QPoint& point, int handled) {
    OnCellDoubleClick(col, row, rect, point, handled);
}

void PropertyGrid::OnGridKeyDown(int& key, int) {
    if (key == Qt::Key_Delete) {
        m_rView.OnDeleteKey();
    }
}

void PropertyGrid::OnGridChar(int& ch, int handled) {
    // Without rows the current cell is the column's heading, which is no value.
    if (GetCurrentColumn() != kValueColumn || GetCurrentRow() < 0 || handled != 0) {
        return;
    }
    if (ch == kCarriageReturn) {
        ClearSelection();
        const int row = GetCurrentRow();
        if (row < GetRowCount() - 1) {
            GotoCell(kValueColumn, row + 1);
        }
        return;
    }
    const char32_t typed = static_cast<char32_t>(ch);
    const QString text = QString::fromUcs4(&typed, 1);
    if (!text.isEmpty() && text.at(0).isPrint() && !text.at(0).isSpace()) {
        StartEdit(ch);
    }
}

int PropertyGrid::OnEndEdit(int col, int row, QWidget*, const QString& text, bool cancelled) {
    if (cancelled || col != kValueColumn) {
        return 1;
    }
    // A text the protocol cannot hold keeps the editor open, the view having said why.
    return m_rView.StoreValue(row, text) ? 1 : 0;
}

int PropertyGrid::OnEditMoveQuery(int, int, int&, int&) {
    return 0;
}

int PropertyGrid::OnSortCompare(const GridCell* a, const GridCell* b, int flags) {
    if (a == nullptr) {
        return b != nullptr ? 1 : 0;
    }
    if (b == nullptr) {
        return -1;
    }
    const GridCell* first = (flags & 2) ? b : a;
    const GridCell* second = (flags & 2) ? a : b;
    const bool firstEmpty = first->GetTextLength() == 0;
    const bool secondEmpty = second->GetTextLength() == 0;
    // Two cells without text are equal; answering 1 for both orders would leave
    // their order to the sort's luck.
    if (firstEmpty || secondEmpty) {
        return firstEmpty == secondEmpty ? 0 : (firstEmpty ? 1 : -1);
    }
    const int result = SortBytes(*first).compare(SortBytes(*second));
    return result < 0 ? -1 : (result > 0 ? 1 : 0);
}

void PropertyGrid::OnLayoutComponents(QRect&, QRect&, QRect&, QRect&, QRect&, QRect&, QRect&) {
    // The editor lies over a cell that the new layout may put elsewhere.
    if (IsEditing()) {
        CancelEdit();
    }
}

QColor PropertyGrid::OnDefaultBackColor(int) {
    return QColor(255, 255, 255);
}

void PropertyGrid::OnDrawFocus(QPainter& painter, const QRect& rect) {
    // The desktop's dotted focus frame, every other pixel, over the cell less its last
    // column and row of pixels, where the cell's own frame is.
    // In the colour of the cell's text, which reads on its fixed background whatever
    // the palette.
    QColor color = palette().color(QPalette::WindowText);
    GridCell cell;
    if (GetCell(GetCurrentColumn(), GetCurrentRow(), cell) == kOk &&
        cell.IsPropertySet(GridCell::kBackColorSet)) {
        color = GridSystem::ReadableTextColor(cell.GetBackColor(palette()), color);
    }
    painter.save();
    QPen pen(color, 0);
    pen.setDashPattern({1.0, 1.0});
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(rect.x(), rect.y(), rect.width() - 2, rect.height() - 2));
    painter.restore();
}
