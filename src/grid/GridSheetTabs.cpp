#include "grid/GridSheetTabs.h"

#include <algorithm>

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>

#include "grid/GridCtrl.h"
#include "grid/GridSystem.h"

namespace {
// Room left and right of a tab's name, the slant of its sides, and the grip at the
// strip's right edge that widens it.
constexpr int kTabPadding = 8;
constexpr int kSlant = 5;
constexpr int kGripWidth = 4;
} // namespace

GridSheetTabs::GridSheetTabs(GridCtrl* grid) : GridComponent(grid, GridCtrl::kSectionTabStrip) {
    m_oFont = QFont(QStringLiteral("Arial"));
    m_oFont.setPixelSize(14);
    m_oFont.setWeight(QFont::Medium);
    setMouseTracking(true);
}

int GridSheetTabs::AddTab(const QString& name, int id) {
    if (GetTabCount() >= kMaxTabs) {
        return -1;
    }
    m_oTabs.push_back({name, id});
    if (m_nActive < 0) {
        m_nActive = 0;
    }
    update();
    return GetTabCount() - 1;
}

QString GridSheetTabs::GetTabName(int index) const {
    return index >= 0 && index < GetTabCount() ? m_oTabs[static_cast<std::size_t>(index)].m_strName
                                               : QString();
}

int GridSheetTabs::GetTabId(int index) const {
    return index >= 0 && index < GetTabCount() ? m_oTabs[static_cast<std::size_t>(index)].m_nId
                                               : -1;
}

int GridSheetTabs::TabWidth(int index) const {
    const QFontMetrics metrics(m_oFont);
    return metrics.horizontalAdvance(GetTabName(index)) + 2 * kTabPadding + kSlant;
}

int GridSheetTabs::TotalWidth() const {
    int total = 0;
    for (int i = 0; i < GetTabCount(); ++i) {
        total += TabWidth(i);
    }
    return total;
}

int GridSheetTabs::ArrowWidth() const {
    return GridSystem::ScrollBarExtent(style());
}

bool GridSheetTabs::NeedsArrows() const {
    return TotalWidth() > width() - kGripWidth;
}

int GridSheetTabs::TabsLeft() const {
    return NeedsArrows() ? 2 * ArrowWidth() : 0;
}

int GridSheetTabs::TabsRight() const {
    return width() - kGripWidth;
}

QRect GridSheetTabs::ArrowRect(int which) const {
    if (!NeedsArrows()) {
        return {};
    }
    return {which * ArrowWidth(), 0, ArrowWidth(), height()};
}

QRect GridSheetTabs::TabRect(int index) const {
    if (index < 0 || index >= GetTabCount()) {
        return {};
    }
    int x = TabsLeft() - m_nOffset;
    for (int i = 0; i < index; ++i) {
        x += TabWidth(i);
    }
    return {x, 0, TabWidth(index), height()};
}

int GridSheetTabs::SetActiveTab(int index) {
    if (index < 0 || index >= GetTabCount()) {
        return 1;
    }
    m_nActive = index;
    // Scrolled by the tab's overlap, so that all of it shows.
    const QRect tab = TabRect(index);
    if (tab.left() < TabsLeft()) {
        m_nOffset -= TabsLeft() - tab.left();
    } else if (tab.right() > TabsRight() - 1) {
        m_nOffset += tab.right() - (TabsRight() - 1);
    }
    m_nOffset = std::max(m_nOffset, 0);
    update();
    return 0;
}

void GridSheetTabs::ScrollBy(int direction) {
    // One tab further, tab by tab.
    int start = 0;
    std::vector<int> starts;
    for (int i = 0; i < GetTabCount(); ++i) {
        starts.push_back(start);
        start += TabWidth(i);
    }
    const int room = TabsRight() - TabsLeft();
    const int furthest = std::max(0, TotalWidth() - room);
    int offset = m_nOffset;
    if (direction > 0) {
        const auto next = std::upper_bound(starts.begin(), starts.end(), m_nOffset);
        offset = next == starts.end() ? furthest : std::min(*next, furthest);
    } else {
        const auto here = std::lower_bound(starts.begin(), starts.end(), m_nOffset);
        offset = here == starts.begin() ? 0 : *(here - 1);
    }
    m_nOffset = std::clamp(offset, 0, furthest);
    update();
}

bool GridSheetTabs::OnEdge(const QPoint& point) const {
    return point.x() >= width() - kGripWidth - 1;
}

void GridSheetTabs::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    m_pGrid->OnPaintSetup(painter, nullptr, m_nSection);
    const QPalette& palette = m_pGrid->palette();
    const QColor face = GridSystem::ButtonFaceColor(palette);
    const QColor shadow = GridSystem::ButtonShadowColor(palette);
    const QColor light = GridSystem::ButtonHighlightColor(palette);
    painter.fillRect(rect(), m_pGrid->OnDefaultBackColor(m_nSection));
    painter.setFont(m_oFont);

    painter.save();
    painter.setClipRect(QRect(QPoint(TabsLeft(), 0), QPoint(TabsRight() - 1, height() - 1)));
    painter.setRenderHint(QPainter::Antialiasing, true);
    // The active tab last, so that it lies over its neighbours.
    auto drawTab = [&](int index) {
        const QRectF tab = QRectF(TabRect(index)).adjusted(0.5, 0, -0.5, -0.5);
        QPainterPath path;
        path.moveTo(tab.left(), tab.top());
        path.lineTo(tab.left() + kSlant, tab.bottom());
        path.lineTo(tab.right() - kSlant, tab.bottom());
        path.lineTo(tab.right(), tab.top());
        const bool active = index == m_nActive;
        painter.fillPath(path, active ? GridSystem::WindowColor(palette) : face);
        painter.setPen(QPen(shadow, 1));
        painter.drawPath(path);
        painter.setPen(GridSystem::WindowTextColor(palette));
        painter.drawText(TabRect(index), Qt::AlignCenter, GetTabName(index));
    };
    for (int i = 0; i < GetTabCount(); ++i) {
        if (i != m_nActive) {
            drawTab(i);
        }
    }
    if (m_nActive >= 0) {
        drawTab(m_nActive);
    }
    painter.restore();

    // The arrows that scroll the tabs: raised buttons with small triangles.
    for (int which = 0; which < 2 && NeedsArrows(); ++which) {
        const QRect button = ArrowRect(which);
        painter.fillRect(button, face);
        painter.fillRect(button.x(), button.y(), button.width(), 1, light);
        painter.fillRect(button.x(), button.y(), 1, button.height(), light);
        painter.fillRect(button.right(), button.y(), 1, button.height(), shadow);
        painter.fillRect(button.x(), button.bottom(), button.width(), 1, shadow);
        const QPoint centre = button.center();
        for (int i = 0; i < 4; ++i) {
            const int x = which == 0 ? centre.x() - 2 + i : centre.x() + 1 - i;
            painter.fillRect(x, centre.y() - i, 1, 2 * i + 1, GridSystem::WindowTextColor(palette));
        }
    }
    // The grip that widens the strip.
    const int grip = width() - kGripWidth;
    painter.fillRect(grip, 0, kGripWidth, height(), face);
    painter.fillRect(grip, 0, 1, height(), light);
    painter.fillRect(width() - 1, 0, 1, height(), shadow);
}

void GridSheetTabs::mousePressEvent(QMouseEvent* event) {
    GridComponent::mousePressEvent(event);
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        const int col = m_pGrid->GetCurrentColumn();
        const int row = m_pGrid->GetCurrentRow();
        if (m_pGrid->Sheet().IsPopupMenuEnabled() && m_pGrid->OnPopupQuery(col, row, m_nSection)) {
            m_pGrid->OpenPopup(col, row, m_nSection, event->globalPosition().toPoint());
        }
        return;
    }
    if (event->button() != Qt::LeftButton) {
        return;
    }
    if (OnEdge(point)) {
        m_bEdgeDragging = true;
        m_nStartWidth = width();
        m_nStartX = static_cast<int>(event->globalPosition().x());
        m_pGrid->SetTabStripDragging(true);
        return;
    }
    for (int which = 0; which < 2; ++which) {
        if (ArrowRect(which).contains(point)) {
            ScrollBy(which == 0 ? -1 : 1);
            return;
        }
    }
    if (point.x() < TabsLeft() || point.x() >= TabsRight()) {
        return;
    }
    for (int i = 0; i < GetTabCount(); ++i) {
        if (TabRect(i).contains(point)) {
            SetActiveTab(i);
            m_pGrid->OnSheetTabSelected(GetTabId(i));
            return;
        }
    }
}

void GridSheetTabs::mouseMoveEvent(QMouseEvent* event) {
    if (m_bEdgeDragging) {
        const int dx = static_cast<int>(event->globalPosition().x()) - m_nStartX;
        m_pGrid->SetTabStripWidth(std::max(m_nStartWidth + dx, kMinWidth));
        return;
    }
    setCursor(OnEdge(event->position().toPoint()) ? Qt::SizeHorCursor : Qt::ArrowCursor);
}

void GridSheetTabs::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && m_bEdgeDragging) {
        m_bEdgeDragging = false;
        m_pGrid->SetTabStripDragging(false);
        // The rest of the grid takes its place beside the strip's new width.
        m_pGrid->LayoutComponents();
    }
}

void GridSheetTabs::leaveEvent(QEvent*) {
    if (!m_bEdgeDragging) {
        setCursor(Qt::ArrowCursor);
    }
}
