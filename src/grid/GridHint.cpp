#include "grid/GridHint.h"

#include <QFontMetrics>
#include <QPainter>

#include "grid/GridCtrl.h"

namespace {
// Room beside the text, and the border's width on each side.
constexpr int kTextPadding = 4;
constexpr int kBorder = 1;
} // namespace

GridHint::GridHint(GridCtrl* grid)
    : QWidget(grid, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_pGrid(grid) {
    setObjectName(QStringLiteral("HintWnd"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void GridHint::ShowHint(const QString& text, const QPoint& point, int flags, int minWidth) {
    m_strText = text;
    m_nFlags = flags;
    m_nMinWidth = minWidth;
    m_oFont = m_pGrid->GetDefaultFont();
    const QFontMetrics metrics(m_oFont);
    m_nLineHeight = metrics.height();
    const int width = std::max(minWidth, metrics.horizontalAdvance(text) + kTextPadding);
    // One line of text inside the border.
    const int height = m_nLineHeight + 2 * kBorder;

    QRect rect(0, 0, width, height);
    if (flags & kCentre) {
        rect.moveLeft(point.x() - width / 2);
    } else if (flags & kRight) {
        rect.moveRight(point.x());
    } else {
        rect.moveLeft(point.x());
    }
    if (flags & kVCentre) {
        rect.moveTop(point.y() - height / 2);
    } else if (flags & kBottom) {
        rect.moveBottom(point.y());
    } else {
        rect.moveTop(point.y());
    }
    // Kept inside the grid, the far edges first so that the near ones win.
    const QRect client = m_pGrid->rect();
    if (rect.right() > client.right()) {
        rect.moveRight(client.right());
    }
    if (rect.bottom() > client.bottom()) {
        rect.moveBottom(client.bottom());
    }
    if (rect.left() < client.left()) {
        rect.moveLeft(client.left());
    }
    if (rect.top() < client.top()) {
        rect.moveTop(client.top());
    }
    setFont(m_oFont);
    setGeometry(QRect(m_pGrid->mapToGlobal(rect.topLeft()), rect.size()));
    if (isVisible()) {
        update();
    } else {
        show();
    }
}

void GridHint::HideHint() {
    hide();
}

void GridHint::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kBackColor);
    painter.setPen(kTextColor);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.setFont(m_oFont);
    painter.drawText(rect().adjusted(kBorder, kBorder, -kBorder, -kBorder),
                     Qt::AlignCenter | Qt::TextSingleLine, m_strText);
}
