#include "grid/CheckBoxCellType.h"

#include <algorithm>

#include <QPainter>

#include "grid/GridHost.h"
#include "grid/GridSystem.h"

namespace {
constexpr int kBoxOffset = 6;
constexpr int kPrintBoxOffset = 18;
constexpr int kMaxBoxSide = 12;
constexpr int kMaxPrintBoxSide = 36;
// Clicks a little left of the box still count, as they always have.
constexpr int kClickSlack = 3;
const QColor kLightGrey(225, 225, 225);

void Frame(QPainter& painter, const QRect& box, const QColor& topLeft, const QColor& bottomRight) {
    const int x = box.x();
    const int y = box.y();
    const int w = box.width();
    const int h = box.height();
    painter.fillRect(x, y, w - 1, 1, topLeft);
    painter.fillRect(x, y, 1, h - 1, topLeft);
    painter.fillRect(x + w - 1, y, 1, h, bottomRight);
    painter.fillRect(x, y + h - 1, w, 1, bottomRight);
}
} // namespace

CheckBoxCellType::CheckBoxCellType() {
    m_bCanOverflow = false;
    m_bDrawLabel = true;
}

QString CheckBoxCellType::GetName() const {
    return QStringLiteral("Standard CheckBox Type");
}

QUuid CheckBoxCellType::GetTypeId() const {
    static const QUuid id(0x6184e4c3, 0xd848, 0x4d41, 0x9f, 0x32, 0xcd, 0x51, 0x11, 0xfa, 0x7d,
                          0xcc);
    return id;
}

int CheckBoxCellType::BoxOffset() const {
    return IsPrinting() ? kPrintBoxOffset : kBoxOffset;
}

int CheckBoxCellType::BoxSide(const QRect& rect) const {
    return std::min(rect.height() - 6, IsPrinting() ? kMaxPrintBoxSide : kMaxBoxSide);
}

QRect CheckBoxCellType::BoxRect(const QRect& rect) const {
    const int side = BoxSide(rect);
    return {rect.x() + BoxOffset(), rect.y() + (rect.height() - side) / 2, side, side};
}

void CheckBoxCellType::OnDraw(QPainter& painter, const GridCellOption& option, int col, int row,
                              GridCell& cell) {
    const QRect& rect = option.rect;
    QRect content = rect;
    DrawBorder(painter, option.palette, content, cell);
    if (content.isEmpty()) {
        return;
    }
    painter.fillRect(content, BackColorFor(option, cell));
    const QRect box = BoxRect(rect);
    const int style = cell.GetCellTypeEx();
    if (box.width() > 5) {
        painter.save();
        painter.setClipRect(content, Qt::IntersectClip);
        DrawBox(painter, option.palette, box, style);
        if (cell.GetNumber() > 0) {
            DrawMark(painter, box, style);
        }
        painter.restore();
    }
    GridCellOption label = option;
    label.rect = content;
    label.rect.setLeft(rect.x() + std::max(box.width(), 0) + 2 * BoxOffset());
    DrawText(painter, label, col, row, cell);
}

void CheckBoxCellType::DrawBox(QPainter& painter, const QPalette& palette, const QRect& box,
                               int style) {
    const QColor window = GridSystem::WindowColor(palette);
    const QColor shadow = GridSystem::ButtonShadowColor(palette);
    if (style & kStyleSunken3D) {
        Frame(painter, box, shadow, kLightGrey);
        Frame(painter, box.adjusted(1, 1, -1, -1), shadow, GridSystem::ButtonFaceColor(palette));
        painter.fillRect(box.adjusted(2, 2, -2, -2), window);
    } else if (style & kStyleRaised3D) {
        Frame(painter, box, kLightGrey, shadow);
        painter.fillRect(box.adjusted(1, 1, -1, -1), window);
    } else {
        painter.fillRect(box, Qt::black);
        painter.fillRect(box.adjusted(1, 1, -1, -1), window);
    }
}

void CheckBoxCellType::DrawMark(QPainter& painter, const QRect& box, int style) {
    // The mark's square, in inclusive pixel coordinates, two pixels inside the box.
    const int left = box.x() + 2;
    const int top = box.y() + 2;
    const int right = box.x() + box.width() - 3;
    const int bottom = box.y() + box.height() - 3;
    const int span = right - left;
    const bool doubled = box.width() > 9;
    const int penWidth = IsPrinting() ? std::max(1, box.width() / kMaxBoxSide) : 1;

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, penWidth));
    if (style & kStyleCheckMark) {
        // A short stroke down to the bottom, a long one up to the right edge.
        const int knee = left + span / 3;
        for (int shift = 0; shift <= (doubled ? 1 : 0); ++shift) {
            painter.drawLine(left, bottom - (knee - left) - shift, knee, bottom - shift);
            painter.drawLine(knee, bottom - shift, right, bottom - (right - knee) - shift);
        }
    } else {
        for (int shift = 0; shift <= (doubled ? 1 : 0); ++shift) {
            painter.drawLine(left + shift, top, right + shift - (doubled ? 1 : 0), bottom);
            painter.drawLine(left + shift, bottom, right + shift - (doubled ? 1 : 0), top);
        }
    }
    painter.restore();
}

int CheckBoxCellType::OnLeftClick(const GridCellOption& option, int col, int row, int pressed,
                                  const QPoint& point) {
    if (pressed || !m_pGrid) {
        return 0;
    }
    const QRect box = BoxRect(option.rect);
    const QRect hit(box.x() - kClickSlack, box.y(), box.width() + kClickSlack, box.height());
    if (box.width() <= 0 || !hit.contains(point)) {
        return 0;
    }
    m_oCell.ClearAll();
    m_pGrid->GetCell(col, row, m_oCell);
    if (m_oCell.GetReadOnly()) {
        return 0;
    }
    Toggle(col, row, m_oCell, m_oCell.GetNumber() == 0 ? 1 : 0);
    return 1;
}

int CheckBoxCellType::OnDoubleClick(const GridCellOption& option, int col, int row,
                                    const QPoint& point) {
    // The second press of a double click; its release toggles once more.
    return OnLeftClick(option, col, row, 1, point);
}

int CheckBoxCellType::OnChar(const GridCellOption&, int col, int row, int& ch) {
    if (ch != ' ' || !m_pGrid) {
        return 0;
    }
    // Read-only and the value as the cell shows them, column default included, but
    // only the stored cell is written back, so no defaults are frozen into it.
    GridCell shown;
    m_pGrid->GetCell(col, row, shown);
    if (shown.GetReadOnly()) {
        return 0;
    }
    m_oCell.ClearAll();
    m_pGrid->ReadCell(col, row, m_oCell);
    Toggle(col, row, m_oCell, shown.GetBool() ? 0 : 1);
    return 1;
}

void CheckBoxCellType::Toggle(int col, int row, GridCell& cell, int value) {
    cell.SetNumber(value);
    m_pGrid->SetCell(col, row, cell);
    m_pGrid->RedrawCell(col, row);
    m_pGrid->OnCellTypeEvent(m_nID, col, row, kEventCheckToggled, value);
}
