#include "grid/CellType.h"

#include <cmath>

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QPixmap>

#include "grid/GridHost.h"
#include "grid/GridSystem.h"

namespace {

// What a sheet starts with, for a type drawn without a grid.
constexpr int kDefaultTextMargin = 4;
constexpr int kDefaultFrameWidth = 1;
const QColor kDefaultGridLineColor(220, 220, 220);

// Width of the line a border side asks for; the widest wins.
int SideWidth(unsigned style, unsigned thin, unsigned medium, unsigned thick) {
    if (style & thick) {
        return 3;
    }
    if (style & medium) {
        return 2;
    }
    return (style & thin) ? 1 : 0;
}

void FillIfAny(QPainter& painter, int x, int y, int width, int height, const QColor& color) {
    if (width > 0 && height > 0) {
        painter.fillRect(x, y, width, height, color);
    }
}

QSize PixmapSize(const QPixmap& pixmap) {
    return pixmap.deviceIndependentSize().toSize();
}

// The text colour the cell chose, or else the palette's; where the cell fixes its
// background and not its text, the palette's colour is made to read on that
// background, which a dark palette's light text would not.
QColor ShownTextColor(bool textFixed, const QColor& text, bool backFixed, const QColor& back) {
    return textFixed || !backFixed ? text : GridSystem::ReadableTextColor(back, text);
}

} // namespace

int CellType::AdjustEditRect(QRect&) {
    return 0;
}

int CellType::CanTextEdit() {
    return -1;
}

int CellType::OnSystemChange() {
    return 0;
}

int CellType::OnLeftClick(const GridCellOption&, int, int, int, const QPoint&) {
    return 0;
}

int CellType::OnRightClick(const GridCellOption&, int, int, int, const QPoint&) {
    return 0;
}

int CellType::OnDoubleClick(const GridCellOption&, int, int, const QPoint&) {
    return 0;
}

int CellType::OnKeyDown(const GridCellOption&, int, int, int&) {
    return 0;
}

int CellType::OnKeyUp(const GridCellOption&, int, int, int&) {
    return 0;
}

int CellType::OnChar(const GridCellOption&, int, int, int&) {
    return 0;
}

int CellType::OnMouseMove(const GridCellOption&, int, int, const QPoint&) {
    return 0;
}

int CellType::OnDrawFocusRect(QPainter&, const GridCellOption&) {
    return 0;
}

void CellType::OnCellEntered(int, int, GridCell&) {}

void CellType::OnCellLeft(int, int, GridCell&) {}

void CellType::OnColumnWidthChanging(int, int, int&) {}

void CellType::OnColumnWidthChanged(int, int, int&) {}

void CellType::OnRowHeightChanging(int, int, int&) {}

void CellType::OnRowHeightChanged(int, int, int&) {}

void CellType::OnScrolled(int, int, GridCell&) {}

bool CellType::SheetTextOverflow() const {
    return m_pGrid && m_pGrid->GetTextOverflow();
}

bool CellType::SheetRowHighlight() const {
    return m_pGrid && m_pGrid->GetRowHighlight();
}

int CellType::SheetTextMargin() const {
    const int margin = m_pGrid ? m_pGrid->GetTextMargin() : kDefaultTextMargin;
    return m_bPrinting ? static_cast<int>(std::lround(margin * m_dPrintScale)) : margin;
}

QColor CellType::TextColorFor(const GridCellOption& option, const GridCell& cell) const {
    if (option.selected || (option.current && SheetRowHighlight())) {
        return ShownTextColor(
            cell.IsPropertySet(GridCell::kHTextColorSet), cell.GetHTextColor(option.palette),
            cell.IsPropertySet(GridCell::kHBackColorSet), cell.GetHBackColor(option.palette));
    }
    return ShownTextColor(
        cell.IsPropertySet(GridCell::kTextColorSet), cell.GetTextColor(option.palette),
        cell.IsPropertySet(GridCell::kBackColorSet), cell.GetBackColor(option.palette));
}

QColor CellType::BackColorFor(const GridCellOption& option, const GridCell& cell) const {
    return (option.selected || (option.current && SheetRowHighlight()))
               ? cell.GetHBackColor(option.palette)
               : cell.GetBackColor(option.palette);
}

void CellType::DrawBorder(QPainter& painter, const QPalette& palette, QRect& rect,
                          const GridCell& cell) {
    const unsigned style = cell.GetBorder();
    // Printer pixels are small: line widths follow the print scale there.
    const double scale = m_bPrinting ? m_dPrintScale : 1.0;
    auto scaled = [scale](int width) {
        return width > 0 ? std::max(1, static_cast<int>(std::lround(width * scale))) : 0;
    };

    const QColor gridColor = m_pGrid ? m_pGrid->GetGridLinePen().color() : kDefaultGridLineColor;
    const QColor lineColor =
        cell.IsPropertySet(GridCell::kBorderPenSet) ? cell.GetBorderPen(QPen()).color() : gridColor;

    const int left = scaled(SideWidth(style, GridCell::kBorderThinLeft, GridCell::kBorderMediumLeft,
                                      GridCell::kBorderThickLeft));
    const int top = scaled(SideWidth(style, GridCell::kBorderThinTop, GridCell::kBorderMediumTop,
                                     GridCell::kBorderThickTop));
    const int right = scaled(SideWidth(style, GridCell::kBorderThinRight,
                                       GridCell::kBorderMediumRight, GridCell::kBorderThickRight));
    const int bottom =
        scaled(SideWidth(style, GridCell::kBorderThinBottom, GridCell::kBorderMediumBottom,
                         GridCell::kBorderThickBottom));
    FillIfAny(painter, rect.x(), rect.y(), left, rect.height(), lineColor);
    FillIfAny(painter, rect.x(), rect.y(), rect.width(), top, lineColor);
    FillIfAny(painter, rect.x() + rect.width() - right, rect.y(), right, rect.height(), lineColor);
    FillIfAny(painter, rect.x(), rect.y() + rect.height() - bottom, rect.width(), bottom,
              lineColor);
    rect.adjust(left, top, -right, -bottom);

    if (style & (GridCell::kBorderSunken | GridCell::kBorderRaised)) {
        const int frame = scaled(m_pGrid ? m_pGrid->GetFrameWidth() : kDefaultFrameWidth);
        const bool sunken = (style & GridCell::kBorderSunken) != 0;
        const QColor light = GridSystem::ButtonHighlightColor(palette);
        const QColor dark = GridSystem::ButtonShadowColor(palette);
        const QColor& topLeft = sunken ? dark : light;
        const QColor& bottomRight = sunken ? light : dark;
        const int x = rect.x();
        const int y = rect.y();
        const int w = rect.width();
        const int h = rect.height();
        FillIfAny(painter, x, y, w - frame, frame, topLeft);
        FillIfAny(painter, x, y, frame, h - frame, topLeft);
        FillIfAny(painter, x + w - frame, y, frame, h, bottomRight);
        FillIfAny(painter, x, y + h - frame, w, frame, bottomRight);
        rect.adjust(frame, frame, -frame, -frame);
    } else if ((!m_pGrid || m_pGrid->GetGridLines()) && !rect.isEmpty()) {
        if (right == 0) {
            FillIfAny(painter, rect.x() + rect.width() - 1, rect.y(), 1, rect.height(), gridColor);
            rect.setRight(rect.right() - 1);
        }
        if (bottom == 0) {
            FillIfAny(painter, rect.x(), rect.y() + rect.height() - 1, rect.width(), 1, gridColor);
            rect.setBottom(rect.bottom() - 1);
        }
    }
}

void CellType::OnDraw(QPainter& painter, const GridCellOption& option, int col, int row,
                      GridCell& cell) {
    GridCellOption content = option;
    DrawBorder(painter, option.palette, content.rect, cell);
    if (content.rect.isEmpty()) {
        return;
    }
    if (cell.GetTextLength() == 0 && m_bCanOverflow && SheetTextOverflow() &&
        CanReceiveOverflow(cell) && DrawOverflow(painter, content, col, row, cell)) {
        return;
    }
    DrawText(painter, content, col, row, cell);
}

bool CellType::CanReceiveOverflow(const GridCell& cell) const {
    if (cell.IsPropertySet(GridCell::kAlignmentSet)) {
        return (cell.GetAlignment() & GridCell::kAlignLeft) != 0;
    }
    return cell.GetCellTypeEx() == 0 && !cell.IsPropertySet(GridCell::kJoinSet);
}

bool CellType::DrawOverflow(QPainter& painter, const GridCellOption& option, int col, int row,
                            const GridCell& cell) {
    if (!m_pGrid) {
        return false;
    }
    int sourceCol = col;
    if (m_pGrid->FindPrevNonEmptyCell(sourceCol, row) != 0 || sourceCol >= col) {
        return false;
    }
    GridCell source;
    m_pGrid->GetCell(sourceCol, row, source);
    // Only text laid out as one line from the left runs on to the right.
    const unsigned horizontal = GridCell::kAlignRight | GridCell::kAlignCenter;
    const int layoutStyles = kStyleWordWrap | kStyleEllipsis | kStyleShowLabel;
    if (source.GetTextLength() == 0 || (source.GetAlignment() & horizontal) ||
        (source.GetCellTypeEx() & layoutStyles)) {
        return false;
    }
    int distance = 0;
    for (int c = sourceCol; c < col; ++c) {
        int width = 0;
        if (m_pGrid->GetColumnWidth(c, width) == 0) {
            distance += width;
        }
    }
    const QFontMetrics metrics(source.GetFont(option.font), painter.device());
    int textEnd = SheetTextMargin() + metrics.horizontalAdvance(source.GetText());
    if (const QPixmap bitmap = source.GetBitmap(); !bitmap.isNull()) {
        textEnd += PixmapSize(bitmap).width() + 4;
    }
    if (textEnd <= distance) {
        return false;
    }

    // This cell's own colours and state, the neighbour's text where it would lie.
    GridCell shown(cell);
    shown.SetText(source.GetText());
    shown.SetTextColor(source.IsPropertySet(GridCell::kTextColorSet)
                           ? source.GetTextColor(option.palette)
                           : ShownTextColor(false, GridSystem::WindowTextColor(option.palette),
                                            cell.IsPropertySet(GridCell::kBackColorSet),
                                            cell.GetBackColor(option.palette)));
    shown.SetAlignment((source.GetAlignment() & ~horizontal) | GridCell::kAlignLeft);
    if (source.IsPropertySet(GridCell::kFontSet)) {
        shown.SetFont(source.GetFont(option.font));
    }
    if (source.IsPropertySet(GridCell::kBitmapSet)) {
        shown.SetBitmap(source.GetBitmap());
    }
    painter.save();
    painter.setClipRect(option.rect, Qt::IntersectClip);
    GridCellOption wide = option;
    wide.rect.adjust(-distance, 0, 0, 0);
    DrawText(painter, wide, col, row, shown);
    painter.restore();
    return true;
}

void CellType::DrawText(QPainter& painter, const GridCellOption& option, int, int,
                        const GridCell& cell) {
    const QRect& rect = option.rect;
    if (rect.isEmpty()) {
        return;
    }
    const int style = cell.GetCellTypeEx();
    const QString text =
        (m_bDrawLabel || (style & kStyleShowLabel)) ? cell.GetLabel() : cell.GetText();

    painter.save();
    // Choosing a font is not free; most cells draw in the one already chosen.
    if (cell.IsPropertySet(GridCell::kFontSet) || painter.font() != option.font) {
        painter.setFont(cell.GetFont(option.font));
    }
    painter.fillRect(rect, BackColorFor(option, cell));
    painter.setClipRect(rect, Qt::IntersectClip);

    QRect textRect = rect;
    if (const QPixmap bitmap = cell.GetBitmap(); !bitmap.isNull()) {
        const QSize size = PixmapSize(bitmap);
        painter.drawPixmap(
            QRect(QPoint(rect.x() + 2, rect.y() + (rect.height() - size.height()) / 2), size),
            bitmap);
        textRect.setLeft(textRect.left() + size.width() + 4);
    }
    if (text.isEmpty()) {
        painter.restore();
        return;
    }
    painter.setPen(TextColorFor(option, cell));

    const unsigned align = cell.GetAlignment();
    const int margin = SheetTextMargin();
    const QFontMetrics metrics = painter.fontMetrics();
    if (style & kStyleWordWrap) {
        int flags = Qt::TextWordWrap;
        flags |= (align & GridCell::kAlignCenter)  ? Qt::AlignHCenter
                 : (align & GridCell::kAlignRight) ? Qt::AlignRight
                                                   : Qt::AlignLeft;
        flags |= (align & GridCell::kAlignVCenter)  ? Qt::AlignVCenter
                 : (align & GridCell::kAlignBottom) ? Qt::AlignBottom
                                                    : Qt::AlignTop;
        painter.drawText(textRect.adjusted(margin, 1, -margin, -1), flags, text);
        painter.restore();
        return;
    }

    QString shown = text;
    int inset = margin;
    if (style & kStyleEllipsis) {
        inset = 3;
        shown = metrics.elidedText(text, Qt::ElideRight, std::max(0, textRect.width() - 2 * inset));
    }
    const int height = metrics.height();
    int x = textRect.x() + inset;
    // Only centred and right-aligned text needs its width.
    if (align & GridCell::kAlignCenter) {
        x = textRect.x() + (textRect.width() - metrics.horizontalAdvance(shown)) / 2;
    } else if (align & GridCell::kAlignRight) {
        x = textRect.x() + textRect.width() - inset - metrics.horizontalAdvance(shown);
    }
    int y = textRect.y() + 1;
    if (align & GridCell::kAlignVCenter) {
        y = textRect.y() + (textRect.height() - height) / 2;
    } else if (align & GridCell::kAlignBottom) {
        y = textRect.y() + textRect.height() - 1 - height;
    }
    painter.drawText(QPoint(x, y + metrics.ascent()), shown);
    painter.restore();
}

void CellType::OnPrint(QPainter& painter, const GridCellOption& option, int col, int row,
                       GridCell& cell) {
    const QRect& rect = option.rect;
    // The row's height on screen, over the whole block for a joined cell.
    int screenHeight = 0;
    if (m_pGrid) {
        int col1 = col;
        int row1 = row;
        int col2 = col;
        int row2 = row;
        if (cell.IsPropertySet(GridCell::kJoinSet) &&
            m_pGrid->GetJoinRange(col1, row1, col2, row2) == 0) {
            for (int r = row1; r <= row2; ++r) {
                screenHeight += m_pGrid->GetRowHeight(r);
            }
        } else {
            screenHeight = m_pGrid->GetRowHeight(row);
        }
    }
    const double ratio = screenHeight > 0 ? double(rect.height()) / screenHeight : 1.0;

    QFont font = cell.GetFont(option.font);
    // Pixel sizes are the printer's own pixels, so the screen size is carried over
    // in pixels and scaled.
    const int screenPixels = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(screenPixels * ratio))));

    GridCell printed(cell);
    printed.SetFont(font);
    GridCellOption page = option;
    page.font = font;
    page.selected = 0;
    page.current = false;
    page.hasFocus = false;
    m_bPrinting = true;
    OnDraw(painter, page, col, row, printed);
    m_bPrinting = false;
}

void CellType::GetBestSize(QPaintDevice* device, const GridCellOption& option, QSize& size,
                           const GridCell& cell) {
    const QFont font = cell.GetFont(option.font);
    const QFontMetrics metrics = device ? QFontMetrics(font, device) : QFontMetrics(font);
    const QString text = (m_bDrawLabel || (cell.GetCellTypeEx() & kStyleShowLabel))
                             ? cell.GetLabel()
                             : cell.GetText();
    int width = 3;
    int height = 3;
    if (!text.isEmpty()) {
        width = metrics.horizontalAdvance(text);
        height = metrics.height();
    }
    width += 6;
    height += 2;
    // Room for the picture as it is drawn: its own width plus the gaps around it.
    if (const QPixmap bitmap = cell.GetBitmap(); !bitmap.isNull()) {
        width += PixmapSize(bitmap).width() + 6;
    }
    size = QSize(width, height);
}
