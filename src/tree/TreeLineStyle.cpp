#include "tree/TreeLineStyle.h"

#include <QPainter>
#include <QStyleOption>

namespace {

// Half the side of the square of the expand/collapse button; the lines stop at its edge.
constexpr int kButtonHalf = 4;

} // namespace

TreeLineStyle::TreeLineStyle() = default;

void TreeLineStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                  QPainter* painter, const QWidget* widget) const {
    if (element != PE_IndicatorBranch) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // One indentation column of a row: State_Item where the row's own item joins
    // its parent's line, State_Sibling where a line goes on below this row (the
    // item's own, or an ancestor's that has further siblings).
    const QRect& rect = option->rect;
    const QStyle::State state = option->state;
    const int midX = rect.left() + rect.width() / 2;
    const int midY = rect.top() + rect.height() / 2;
    const int gap = state.testFlag(State_Children) ? kButtonHalf : 0;
    // Every other pixel, as dotted tree lines are drawn.
    QBrush dots(option->palette.color(QPalette::Dark), Qt::Dense4Pattern);
    if (state.testFlag(State_Item)) {
        if (option->direction == Qt::RightToLeft) {
            painter->fillRect(QRect(rect.left(), midY, midX - gap - rect.left(), 1), dots);
        } else {
            painter->fillRect(QRect(midX + gap, midY, rect.right() - midX - gap + 1, 1), dots);
        }
    }
    if (state.testFlag(State_Sibling)) {
        painter->fillRect(QRect(midX, midY + gap, 1, rect.bottom() - midY - gap + 1), dots);
    }
    if (state & (State_Item | State_Sibling | State_Children | State_Open)) {
        painter->fillRect(QRect(midX, rect.top(), 1, midY - gap - rect.top()), dots);
    }
    if (state.testFlag(State_Children)) {
        // A box with a minus while the item is expanded, a plus while it is not.
        const QRect box(midX - kButtonHalf, midY - kButtonHalf, 2 * kButtonHalf, 2 * kButtonHalf);
        painter->save();
        painter->fillRect(box, option->palette.color(QPalette::Base));
        painter->setPen(option->palette.color(QPalette::Dark));
        painter->drawRect(box);
        painter->setPen(option->palette.color(QPalette::Text));
        painter->drawLine(midX - kButtonHalf + 2, midY, midX + kButtonHalf - 2, midY);
        if (!state.testFlag(State_Open)) {
            painter->drawLine(midX, midY - kButtonHalf + 2, midX, midY + kButtonHalf - 2);
        }
        painter->restore();
    }
}
