#include "grid/ArrowCellType.h"

#include <QPainter>
#include <QPolygonF>

namespace {
// On screen an arrow is four 1-pixel columns, 7, 5, 3 and 1 pixels tall.
constexpr int kArrowWidth = 4;
constexpr int kArrowHeight = 7;
} // namespace

QUuid ArrowCellType::GetTypeId() const {
    static const QUuid id(0xe92b1a01, 0x1259, 0x4f19, 0xa0, 0x1c, 0x84, 0x3d, 0x02, 0x90, 0x1c,
                          0xd1);
    return id;
}

void ArrowCellType::OnDraw(QPainter& painter, const GridCellOption& option, int, int,
                           GridCell& cell) {
    QRect content = option.rect;
    DrawBorder(painter, option.palette, content, cell);
    if (content.isEmpty()) {
        return;
    }
    painter.fillRect(content, BackColorFor(option, cell));
    if (content.width() <= 3) {
        return;
    }
    const QColor color = TextColorFor(option, cell);
    const int style = cell.GetCellTypeEx();
    int direction = 1;
    int count = 1;
    if (style & kArrowsLeft) {
        direction = -1;
        count = 2;
    } else if (style & kArrowsRight) {
        count = 2;
    } else if (style & kArrowLeft) {
        direction = -1;
    }
    const int width = IsPrinting() ? static_cast<int>(kArrowWidth * m_dPrintScale) : kArrowWidth;
    const int left = content.x() + content.width() / 2 - count * width / 2;
    const int centreY = content.y() + content.height() / 2;

    painter.save();
    painter.setClipRect(content, Qt::IntersectClip);
    for (int i = 0; i < count; ++i) {
        DrawArrow(painter, left + i * width, width, centreY, direction, color);
    }
    painter.restore();
}

void ArrowCellType::DrawArrow(QPainter& painter, int left, int width, int centreY, int direction,
                              const QColor& color) {
    if (!IsPrinting()) {
        for (int i = 0; i < kArrowWidth; ++i) {
            const int half = direction > 0 ? kArrowHeight / 2 - i : i;
            painter.fillRect(left + i, centreY - half, 1, 2 * half + 1, color);
        }
        return;
    }
    // On paper a filled triangle, 4 by 7 print units.
    const double half = kArrowHeight * m_dPrintScale / 2.0;
    const double base = direction > 0 ? left : left + width;
    const double tip = direction > 0 ? left + width : left;
    const double middle = centreY + 0.5;
    const QPolygonF triangle{QPointF(base, middle - half), QPointF(base, middle + half),
                             QPointF(tip, middle)};
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.drawPolygon(triangle);
    painter.restore();
}
