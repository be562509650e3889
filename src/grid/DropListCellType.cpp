#include "grid/DropListCellType.h"

#include <cmath>

#include <QPainter>
#include <QPolygonF>

#include "grid/GridHost.h"
#include "grid/GridSystem.h"

DropListCellType::DropListCellType() {
    m_bCanOverflow = false;
}

QString DropListCellType::GetName() const {
    return QStringLiteral("Standard DropList");
}

QUuid DropListCellType::GetTypeId() const {
    static const QUuid id(0xb12993a3, 0x6b5e, 0x4695, 0xaa, 0x51, 0xfb, 0x52, 0x2a, 0xca, 0xc9,
                          0x55);
    return id;
}

int DropListCellType::GetButtonWidth() const {
    return m_pGrid ? m_pGrid->GetVScrollWidth() : GridSystem::ScrollBarExtent(nullptr);
}

int DropListCellType::AdjustEditRect(QRect& rect) {
    rect.setRight(rect.right() - (GetButtonWidth() + 1));
    return 0;
}

QRect DropListCellType::ButtonRect(const QRect& rect) const {
    const int width = std::min(GetButtonWidth(), rect.width());
    return {rect.x() + rect.width() - width, rect.y(), width, rect.height()};
}

void DropListCellType::Forget() {
    m_nBtnCol = -1;
    m_nBtnRow = -1;
}

void DropListCellType::DropList(int col, int row) {
    m_nBtnCol = col;
    m_nBtnRow = row;
    // A list that could not open must not be taken for an open one.
    if (!m_pGrid || m_pGrid->OpenDropList(m_nID, col, row, &m_nBtnCol, &m_nBtnRow) != 0) {
        Forget();
    }
}

int DropListCellType::OnLeftClick(const GridCellOption& option, int col, int row, int pressed,
                                  const QPoint& point) {
    if (!pressed) {
        if (!m_bBtnDown) {
            return 0;
        }
        m_bBtnDown = false;
        if (m_pGrid) {
            m_pGrid->RedrawCell(col, row);
        }
        return 1;
    }
    const QRect button = ButtonRect(option.rect);
    if (!button.contains(point)) {
        if (m_nBtnCol == kClosedWithoutChoice) {
            Forget();
        }
        return 0;
    }
    if (m_nBtnCol == col && m_nBtnRow == row) {
        // A second press on the button of the open list closes it.
        Forget();
        if (m_pGrid) {
            m_pGrid->CloseDropList();
        }
        return 1;
    }
    m_rectBtn = button;
    m_bBtnDown = true;
    m_nBtnCol = col;
    m_nBtnRow = row;
    if (m_pGrid) {
        m_pGrid->RedrawCell(col, row);
    }
    DropList(col, row);
    return 1;
}

int DropListCellType::OnDoubleClick(const GridCellOption& option, int col, int row,
                                    const QPoint& point) {
    if (!ButtonRect(option.rect).contains(point)) {
        return 0;
    }
    return OnLeftClick(option, col, row, 1, point);
}

int DropListCellType::OnKeyDown(const GridCellOption& option, int col, int row, int& key) {
    const bool ctrl = option.modifiers & Qt::ControlModifier;
    if (key == Qt::Key_Return || key == Qt::Key_Enter || (key == Qt::Key_Down && ctrl)) {
        DropList(col, row);
        key = 0;
        return 1;
    }
    return 0;
}

int DropListCellType::OnChar(const GridCellOption&, int, int, int& ch) {
    // The Enter that dropped the list must not go on to start an edit.
    if (ch == '\r') {
        ch = 0;
        return 1;
    }
    return 0;
}

int DropListCellType::OnMouseMove(const GridCellOption& option, int, int, const QPoint& point) {
    if (!(option.buttons & Qt::LeftButton) || m_nBtnCol < 0) {
        return 0;
    }
    const bool inside = m_rectBtn.contains(point);
    if (inside != m_bBtnDown) {
        m_bBtnDown = inside;
        if (m_pGrid) {
            m_pGrid->RedrawCell(m_nBtnCol, m_nBtnRow);
        }
    }
    return 1;
}

void DropListCellType::OnCellLeft(int, int, GridCell&) {
    Forget();
}

void DropListCellType::OnListClosed(int col, int row) {
    if (m_bBtnDown) {
        m_bBtnDown = false;
        if (m_pGrid) {
            m_pGrid->RedrawCell(col, row);
        }
    }
}

void DropListCellType::OnDraw(QPainter& painter, const GridCellOption& option, int col, int row,
                              GridCell& cell) {
    if ((cell.GetCellTypeEx() & kStyleButtonOnCurrent) && !option.current) {
        CellType::OnDraw(painter, option, col, row, cell);
        return;
    }
    QRect content = option.rect;
    DrawBorder(painter, option.palette, content, cell);
    if (content.isEmpty()) {
        return;
    }
    const int buttonWidth = GetButtonWidth();
    const int scaled =
        IsPrinting() ? static_cast<int>(std::lround(buttonWidth * m_dPrintScale)) : buttonWidth;
    const int width = std::min(scaled, content.width());
    const QRect button(content.x() + content.width() - width, content.y(), width, content.height());

    // A line of the button face keeps the text off the button.
    const QColor buttonFace = GridSystem::ButtonFaceColor(option.palette);
    painter.fillRect(button.x(), button.y(), 1, button.height(), buttonFace);
    QRect face = button.adjusted(1, 0, 0, 0);
    const bool pressed = m_bBtnDown && option.current && col == m_nBtnCol && row == m_nBtnRow;
    GridCell frame;
    frame.SetBorder(pressed ? GridCell::kBorderSunken : GridCell::kBorderRaised);
    DrawBorder(painter, option.palette, face, frame);
    if (!face.isEmpty()) {
        painter.fillRect(face, buttonFace);
        if (!IsPrinting()) {
            // A triangle 5 pixels wide and 3 tall, pointing down.
            const int x = face.x() + (face.width() - 5) / 2;
            const int y = face.y() + (face.height() - 3) / 2;
            painter.save();
            painter.setClipRect(face, Qt::IntersectClip);
            for (int i = 0; i < 3; ++i) {
                painter.fillRect(x + i, y + i, 5 - 2 * i, 1, Qt::black);
            }
            painter.restore();
        } else {
            const double half = face.width() / 6.0;
            const QPointF centre = QRectF(face).center();
            const QPolygonF triangle{QPointF(centre.x() - half, centre.y() - half / 2),
                                     QPointF(centre.x() + half, centre.y() - half / 2),
                                     QPointF(centre.x(), centre.y() + half / 2)};
            painter.save();
            painter.setPen(Qt::NoPen);
            painter.setBrush(Qt::black);
            painter.setRenderHint(QPainter::Antialiasing, true);
            painter.drawPolygon(triangle);
            painter.restore();
        }
    }
    GridCellOption text = option;
    text.rect = content;
    text.rect.setRight(button.x() - 1);
    DrawText(painter, text, col, row, cell);
}
