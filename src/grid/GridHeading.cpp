#include "grid/GridHeading.h"

#include <algorithm>
#include <cstdlib>

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "grid/CellType.h"
#include "grid/GridArea.h"
#include "grid/GridAxis.h"
#include "grid/GridCtrl.h"
#include "grid/GridMarkerLine.h"

namespace {
// How near a border the pointer must be to drag it, in pixels.
constexpr int kSizingZone = 3;
} // namespace

GridHeading::GridHeading(GridCtrl* grid, int section, Qt::Orientation along, const Hooks& hooks)
    : GridComponent(grid, section), m_bTop(along == Qt::Horizontal), m_oHooks(hooks) {
    // The sizing cursors show as the pointer passes over a border.
    setMouseTracking(true);
    m_oMoveTimer.setSingleShot(true);
    connect(&m_oMoveTimer, &QTimer::timeout, this, [this] { StepMove(); });
}

void GridHeading::TellCellTypes(int index, int& size, bool final) {
    GridCell cell;
    auto tell = [&](int other) {
        const int col = m_bTop ? index : other;
        const int row = m_bTop ? other : index;
        m_pGrid->GetCell(col, row, cell);
        CellType* type = m_pGrid->GetCellType(cell.GetCellType());
        if (m_bTop) {
            final ? type->OnColumnWidthChanged(col, row, size)
                  : type->OnColumnWidthChanging(col, row, size);
        } else {
            final ? type->OnRowHeightChanged(col, row, size)
                  : type->OnRowHeightChanging(col, row, size);
        }
    };
    // The final size reaches every cell across, except on sheets so large that
    // their rows are kept uniform.
    const GridAxis& across = AcrossAxis();
    if (!final || across.IsUniform()) {
        for (const GridSpan& span : across.Shown()) {
            tell(span.m_nIndex);
        }
    } else {
        for (int other = 0; other < across.Count(); ++other) {
            tell(other);
        }
    }
}

GridAxis& GridHeading::AlongAxis() const {
    return m_pGrid->Sheet().Axis(m_bTop ? Qt::Horizontal : Qt::Vertical);
}

GridAxis& GridHeading::AcrossAxis() const {
    // The top heading's own rows are the row axis's heading entries, the side
    // heading's own columns the column axis's.
    return m_pGrid->Sheet().Axis(m_bTop ? Qt::Vertical : Qt::Horizontal);
}

std::vector<GridHeading::AcrossSpan> GridHeading::AcrossSpans() const {
    const GridAxis& across = AcrossAxis();
    const int count = across.HeadingCount();
    std::vector<AcrossSpan> spans(static_cast<std::size_t>(count));
    int pos = across.HeadingTotal();
    for (int i = 0; i < count; ++i) {
        const int size = across.Size(-i - 1);
        pos -= size;
        spans[static_cast<std::size_t>(count - 1 - i)] = {-i - 1, pos, size};
    }
    // The outermost one reaches the heading's edge, so that the cells fill the
    // heading also when their sizes add up to less than its total (a new sheet's
    // side heading is 40 wide, its one column 25).
    if (!spans.empty() && spans.front().m_nPos > 0) {
        spans.front().m_nSize += spans.front().m_nPos;
        spans.front().m_nPos = 0;
    }
    return spans;
}

QRect GridHeading::MakeRect(int alongPos, int alongSize, int acrossPos, int acrossSize) const {
    return m_bTop ? QRect(alongPos, acrossPos, alongSize, acrossSize)
                  : QRect(acrossPos, alongPos, acrossSize, alongSize);
}

void GridHeading::CellOf(int alongIndex, int acrossIndex, int& col, int& row) const {
    col = m_bTop ? alongIndex : acrossIndex;
    row = m_bTop ? acrossIndex : alongIndex;
}

QRect GridHeading::CellRect(int col, int row) const {
    const int alongIndex = m_bTop ? col : row;
    const int acrossIndex = m_bTop ? row : col;
    if (alongIndex < 0 || acrossIndex >= 0) {
        return {};
    }
    for (const GridSpan& along : AlongAxis().Shown()) {
        if (along.m_nIndex != alongIndex) {
            continue;
        }
        for (const AcrossSpan& across : AcrossSpans()) {
            if (across.m_nIndex == acrossIndex) {
                return MakeRect(along.m_nPos, along.m_nSize, across.m_nPos, across.m_nSize);
            }
        }
    }
    return {};
}

bool GridHeading::HitTest(const QPoint& point, int& col, int& row, QRect* rect) const {
    const int alongPos = Along(point);
    const int acrossPos = Across(point);
    for (const GridSpan& along : AlongAxis().Shown()) {
        if (alongPos < along.m_nPos || alongPos >= along.m_nPos + along.m_nSize) {
            continue;
        }
        for (const AcrossSpan& across : AcrossSpans()) {
            if (acrossPos >= across.m_nPos && acrossPos < across.m_nPos + across.m_nSize) {
                CellOf(along.m_nIndex, across.m_nIndex, col, row);
                if (rect) {
                    *rect = MakeRect(along.m_nPos, along.m_nSize, across.m_nPos, across.m_nSize);
                }
                return true;
            }
        }
        return false;
    }
    return false;
}

int GridHeading::AlongIndexAt(int pos) const {
    int last = -1;
    for (const GridSpan& span : AlongAxis().Shown()) {
        if (span.m_nSize == 0) {
            continue;
        }
        if (last < 0 && pos < span.m_nPos) {
            return span.m_nIndex;
        }
        last = span.m_nIndex;
        if (pos < span.m_nPos + span.m_nSize) {
            return last;
        }
    }
    return last;
}

CellType* GridHeading::TypeOf(int col, int row) {
    GridCell cell;
    m_pGrid->GetCell(col, row, cell);
    return m_pGrid->GetCellType(cell.GetCellType());
}

// --- Painting ---------------------------------------------------------------------------

void GridHeading::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    m_pGrid->OnPaintSetup(painter, nullptr, m_nSection);
    const QRegion& region = event->region();
    painter.setFont(m_pGrid->GetDefaultFont());
    GridCellOption option = m_pGrid->CellOption(QRect(), 0, false);
    option.hasFocus = false;
    GridCell cell;
    const std::vector<AcrossSpan> across = AcrossSpans();
    int alongEnd = 0;
    for (const GridSpan& along : AlongAxis().Shown()) {
        alongEnd = along.m_nPos + along.m_nSize;
        if (along.m_nSize == 0) {
            continue;
        }
        for (const AcrossSpan& span : across) {
            const QRect rect = MakeRect(along.m_nPos, along.m_nSize, span.m_nPos, span.m_nSize);
            if (span.m_nSize == 0 || !region.intersects(rect)) {
                continue;
            }
            int col = 0;
            int row = 0;
            CellOf(along.m_nIndex, span.m_nIndex, col, row);
            m_pGrid->GetCell(col, row, cell);
            option.rect = rect;
            // The column being moved shows as selected.
            option.selected = along.m_nIndex == m_nMoveSource ? 1 : 0;
            m_pGrid->GetCellType(cell.GetCellType())->OnDraw(painter, option, col, row, cell);
        }
    }
    // What no heading cell covers: past the last column (row), and before and
    // after the heading's own rows (columns).
    const QColor back = m_pGrid->OnDefaultBackColor(m_nSection);
    const int length = m_bTop ? width() : height();
    const int depth = m_bTop ? height() : width();
    if (alongEnd < length) {
        painter.fillRect(MakeRect(alongEnd, length - alongEnd, 0, depth), back);
    }
    const int first = across.empty() ? depth : across.front().m_nPos;
    if (first > 0) {
        painter.fillRect(MakeRect(0, alongEnd, 0, first), back);
    }
    const int total = AcrossAxis().HeadingTotal();
    if (total < depth) {
        painter.fillRect(MakeRect(0, alongEnd, total, depth - total), back);
    }
}

// --- Mouse --------------------------------------------------------------------------------

void GridHeading::Arm(const QPoint& point) {
    Sizing armed = Sizing::None;
    int index = -1;
    if (m_pGrid->Sheet().SizingMode() != 0) {
        // The nearest border within reach; of borders in the same place (a column of
        // width 0 behind another) the later one, so that a hidden column can be
        // dragged open.
        const int alongPos = Along(point);
        int best = -1;
        int bestSize = 0;
        int bestDistance = kSizingZone + 1;
        for (const GridSpan& span : AlongAxis().Shown()) {
            const int distance = std::abs(alongPos - (span.m_nPos + span.m_nSize));
            if (distance <= kSizingZone && distance <= bestDistance) {
                best = span.m_nIndex;
                bestSize = span.m_nSize;
                bestDistance = distance;
            }
        }
        if (best >= 0 && (m_pGrid->*m_oHooks.cellResizeQuery)(best, bestSize)) {
            armed = Sizing::Cells;
            index = best;
        }
        if (armed == Sizing::None) {
            const int acrossPos = Across(point);
            int heading = 0;
            for (const AcrossSpan& span : AcrossSpans()) {
                if (std::abs(acrossPos - (span.m_nPos + span.m_nSize)) <= kSizingZone) {
                    heading = span.m_nIndex;
                }
            }
            if (heading != 0 && (m_pGrid->*m_oHooks.headingResizeQuery)()) {
                armed = Sizing::Heading;
                index = heading;
            }
        }
    }
    m_eArmed = armed;
    m_nSizingIndex = index;
    if (armed == Sizing::None) {
        setCursor(Qt::ArrowCursor);
    } else {
        const bool alongCursor = armed == Sizing::Cells;
        setCursor(alongCursor == m_bTop ? Qt::SizeHorCursor : Qt::SizeVerCursor);
    }
}

void GridHeading::ShowMarker(int alongPos) {
    const QPoint origin = mapTo(m_pGrid, QPoint(0, 0));
    const QRect area = m_pGrid->GetArea()->geometry();
    if (m_bTop) {
        m_pGrid->GetMarkerLine()->ShowAt(Qt::Vertical, origin.x() + alongPos, 0, area.bottom() + 1);
    } else {
        m_pGrid->GetMarkerLine()->ShowAt(Qt::Horizontal, origin.y() + alongPos, 0,
                                         area.right() + 1);
    }
}

void GridHeading::mousePressEvent(QMouseEvent* event) {
    GridComponent::mousePressEvent(event);
    const QPoint point = event->position().toPoint();
    GridSheet& s = m_pGrid->Sheet();
    int col = -1;
    int row = -1;
    QRect rect;
    if (event->button() == Qt::LeftButton) {
        m_bClicked = false;
        if (m_eArmed != Sizing::None) {
            m_bSizing = true;
            const QPoint global = event->globalPosition().toPoint();
            if (m_eArmed == Sizing::Cells) {
                m_nStartPointer = Along(global);
                m_nStartSize = 0;
                int alongPos = 0;
                for (const GridSpan& span : AlongAxis().Shown()) {
                    if (span.m_nIndex == m_nSizingIndex) {
                        m_nStartSize = span.m_nSize;
                        alongPos = span.m_nPos + span.m_nSize;
                    }
                }
                if (s.SizingMode() == 1) {
                    ShowMarker(alongPos);
                }
            } else {
                m_nStartPointer = Across(global);
                m_nStartSize = AcrossAxis().Size(m_nSizingIndex);
                m_nStartTotal = AcrossAxis().HeadingTotal();
            }
            m_nSize = m_nStartSize;
            return;
        }
        if (!HitTest(point, col, row, &rect)) {
            return;
        }
        const int alongIndex = m_bTop ? col : row;
        if (s.IsMultiSelect() && !s.IsColumnMoving()) {
            m_pGrid->HeadingSelectStart(m_bTop ? Qt::Horizontal : Qt::Vertical, alongIndex,
                                        event->modifiers());
            m_bSelecting = true;
            m_nSelectIndex = alongIndex;
        }
        if (CanMoveCells() && m_pGrid->OnColumnMoveStart(col) && s.IsColumnMoving()) {
            m_nMoveSource = col;
            m_nDropPos = -1;
            update(rect);
        }
        GridCellOption option = m_pGrid->CellOption(rect, 0, false);
        option.buttons = event->buttons();
        option.modifiers = event->modifiers();
        const int handled = TypeOf(col, row)->OnLeftClick(option, col, row, 1, point);
        (m_pGrid->*m_oHooks.leftClick)(col, row, 1, rect, point, handled);
        m_bClicked = true;
    } else if (event->button() == Qt::RightButton) {
        if (!HitTest(point, col, row, &rect)) {
            return;
        }
        GridCellOption option = m_pGrid->CellOption(rect, 0, false);
        option.buttons = event->buttons();
        option.modifiers = event->modifiers();
        const int handled = TypeOf(col, row)->OnRightClick(option, col, row, 1, point);
        (m_pGrid->*m_oHooks.rightClick)(col, row, 1, rect, point, handled);
        if (s.IsPopupMenuEnabled() && m_pGrid->OnPopupQuery(col, row, m_nSection)) {
            m_pGrid->OpenPopup(col, row, m_nSection, event->globalPosition().toPoint());
        }
    }
}

void GridHeading::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (m_bSizing) {
        DragSize(event->globalPosition().toPoint());
        return;
    }
    if (!(event->buttons() & Qt::LeftButton)) {
        Arm(point);
        return;
    }
    if (m_bSelecting) {
        const int index = AlongIndexAt(Along(point));
        if (index >= 0 && index != m_nSelectIndex) {
            m_nSelectIndex = index;
            m_pGrid->HeadingSelectExtend(m_bTop ? Qt::Horizontal : Qt::Vertical, index);
        }
        return;
    }
    if (m_nMoveSource >= 0) {
        DragMove(point);
    }
}

void GridHeading::DragSize(const QPoint& global) {
    GridSheet& s = m_pGrid->Sheet();
    if (m_eArmed == Sizing::Cells) {
        int size = std::max(0, m_nStartSize + Along(global) - m_nStartPointer);
        TellCellTypes(m_nSizingIndex, size, false);
        (m_pGrid->*m_oHooks.cellResizing)(m_nSizingIndex, size);
        m_nSize = std::max(size, 0);
        AlongAxis().SetSize(m_nSizingIndex, m_nSize);
        if (s.SizingMode() == 1) {
            // Only the marker moves; the cells show the new size when the button
            // comes up.
            for (const GridSpan& span : AlongAxis().Shown()) {
                if (span.m_nIndex == m_nSizingIndex) {
                    ShowMarker(span.m_nPos + m_nSize);
                }
            }
        } else {
            m_pGrid->LayoutComponents();
        }
        return;
    }
    const int delta = Across(global) - m_nStartPointer;
    const int size = std::max(0, m_nStartSize + delta);
    int total = std::max(0, m_nStartTotal + delta);
    (m_pGrid->*m_oHooks.headingResizing)(total);
    AcrossAxis().SetHeadingSize(m_nSizingIndex, size);
    AcrossAxis().SetHeadingTotal(std::clamp(total, 0, GridCtrl::kMaxHeadingSize));
    m_pGrid->LayoutComponents();
}

void GridHeading::FinishSizing() {
    m_bSizing = false;
    if (m_eArmed == Sizing::Cells) {
        int size = m_nSize;
        TellCellTypes(m_nSizingIndex, size, true);
        (m_pGrid->*m_oHooks.cellResized)(m_nSizingIndex, size);
        AlongAxis().SetSize(m_nSizingIndex, std::max(size, 0));
        m_pGrid->GetMarkerLine()->hide();
        m_pGrid->GetArea()->update();
    } else {
        int total = AcrossAxis().HeadingTotal();
        (m_pGrid->*m_oHooks.headingResized)(total);
        AcrossAxis().SetHeadingTotal(std::clamp(total, 0, GridCtrl::kMaxHeadingSize));
    }
    m_pGrid->LayoutComponents();
}

void GridHeading::DragMove(const QPoint& point) {
    m_oMovePoint = point;
    const int pos = Along(point);
    // The border nearest the pointer: the one after a column once the pointer has
    // passed its middle.
    int drop = -1;
    int border = 0;
    for (const GridSpan& span : AlongAxis().Shown()) {
        if (span.m_nSize == 0) {
            continue;
        }
        if (pos < span.m_nPos + span.m_nSize / 2) {
            drop = span.m_nIndex;
            border = span.m_nPos;
            break;
        }
        drop = std::min(span.m_nIndex + 1, m_pGrid->GetColumnCount());
        border = span.m_nPos + span.m_nSize;
    }
    if (drop >= 0 && drop != m_nDropPos) {
        m_nDropPos = drop;
        ShowMarker(border);
    }
    const int length = m_bTop ? width() : height();
    if (pos < 0 || pos >= length) {
        if (!m_oMoveTimer.isActive()) {
            m_oMoveTimer.start(m_pGrid->Sheet().BallisticDelay());
        }
    } else {
        m_oMoveTimer.stop();
    }
}

void GridHeading::StepMove() {
    if (m_nMoveSource < 0) {
        return;
    }
    const int pos = Along(m_oMovePoint);
    const int left = m_pGrid->GetLeftColumn();
    if (pos < 0) {
        m_pGrid->SetLeftColumn(left - 1);
    } else if (pos >= (m_bTop ? width() : height())) {
        m_pGrid->SetLeftColumn(left + 1);
    }
    m_nDropPos = -1;
    DragMove(m_oMovePoint);
}

void GridHeading::FinishMove() {
    m_oMoveTimer.stop();
    m_pGrid->GetMarkerLine()->hide();
    const int source = m_nMoveSource;
    const int drop = m_nDropPos;
    m_nMoveSource = -1;
    m_nDropPos = -1;
    update();
    // A drop in front of the column or right after it leaves it where it is.
    if (drop >= 0 && drop != source && drop != source + 1) {
        const int to = drop > source ? drop - 1 : drop;
        if (m_pGrid->OnColumnMoveQuery(source, to)) {
            m_pGrid->MoveColumn(source, drop, 1);
        }
    }
}

void GridHeading::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    int col = -1;
    int row = -1;
    QRect rect;
    if (event->button() == Qt::LeftButton) {
        if (m_bSizing) {
            FinishSizing();
            Arm(point);
            return;
        }
        if (m_bSelecting) {
            m_bSelecting = false;
            m_pGrid->HeadingSelectEnd(m_bTop ? Qt::Horizontal : Qt::Vertical, m_nSelectIndex);
        }
        if (m_nMoveSource >= 0) {
            FinishMove();
        }
        if (!m_bClicked || !HitTest(point, col, row, &rect)) {
            m_bClicked = false;
            return;
        }
        m_bClicked = false;
        GridCellOption option = m_pGrid->CellOption(rect, 0, false);
        option.buttons = event->buttons();
        option.modifiers = event->modifiers();
        const int handled = TypeOf(col, row)->OnLeftClick(option, col, row, 0, point);
        (m_pGrid->*m_oHooks.leftClick)(col, row, 0, rect, point, handled);
    } else if (event->button() == Qt::RightButton) {
        if (!HitTest(point, col, row, &rect)) {
            return;
        }
        GridCellOption option = m_pGrid->CellOption(rect, 0, false);
        option.buttons = event->buttons();
        option.modifiers = event->modifiers();
        const int handled = TypeOf(col, row)->OnRightClick(option, col, row, 0, point);
        (m_pGrid->*m_oHooks.rightClick)(col, row, 0, rect, point, handled);
    }
}

void GridHeading::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    int col = -1;
    int row = -1;
    QRect rect;
    if (event->button() != Qt::LeftButton || m_eArmed != Sizing::None ||
        !HitTest(point, col, row, &rect)) {
        return;
    }
    GridCellOption option = m_pGrid->CellOption(rect, 0, false);
    option.buttons = event->buttons();
    option.modifiers = event->modifiers();
    const int handled = TypeOf(col, row)->OnDoubleClick(option, col, row, point);
    (m_pGrid->*m_oHooks.doubleClick)(col, row, rect, point, handled);
    // The release that follows ends this click.
    m_bClicked = true;
}

void GridHeading::leaveEvent(QEvent*) {
    if (!m_bSizing) {
        m_eArmed = Sizing::None;
        setCursor(Qt::ArrowCursor);
    }
}
