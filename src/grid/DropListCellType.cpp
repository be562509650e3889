#include "grid/DropListCellType.h"

#include <cmath>

#include <QGuiApplication>
#include <QPainter>
#include <QPolygonF>

#include "grid/GridHost.h"
#include "grid/GridSystem.h"

DropListCellType::DropListCellType() {
    m_bCanOverflow = false;
    TakeSystemLook();
}

QString DropListCellType::GetName() const {
    return QStringLiteral("Standard DropList");
}

QUuid DropListCellType::GetTypeId() const {
    static const QUuid id(0xb12993a3, 0x6b5e, 0x4695, 0xaa, 0x51, 0xfb, 0x52, 0x2a, 0xca, 0xc9,
                          0x55);
    return id;
}

int DropListCellType::OnSystemChange() {
    TakeSystemLook();
    return 0;
}

void DropListCellType::TakeSystemLook() {
    const QColor face = GridSystem::ButtonFaceColor();
    m_oBtnPen = QPen(face, 1);
    m_oBtnBrush = QBrush(face);
    m_nBtnWidth = GridSystem::VScrollWidth();
}

int DropListCellType::AdjustEditRect(QRect& rect) {
    rect.setRight(rect.right() - (m_nBtnWidth + 1));
    return 0;
}

QRect DropListCellType::ButtonRect(const QRect& rect) const {
    const int width = std::min(m_nBtnWidth, rect.width());
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

int DropListCellType::OnLeftClick(int col, int row, int pressed, const QRect& rect,
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
    const QRect button = ButtonRect(rect);
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

int DropListCellType::OnDoubleClick(int col, int row, const QRect& rect, const QPoint& point) {
    if (!ButtonRect(rect).contains(point)) {
        return 0;
    }
    return OnLeftClick(col, row, 1, rect, point);
}

int DropListCellType::OnKeyDown(int col, int row, int& key) {
    const bool ctrl = QGuiApplication::keyboardModifiers() & Qt::ControlModifier;
    if (key == Qt::Key_Return || key == Qt::Key_Enter || (key == Qt::Key_Down && ctrl)) {
        DropList(col, row);
        key = 0;
        return 1;
    }
    return 0;
}

int DropListCellType::OnChar(int, int, int& ch) {
    // The Enter that dropped the list must not go on to start an edit.
    if (ch == '\r') {
        ch = 0;
        return 1;
    }
    return 0;
}

int DropListCellType::OnMouseMove(int, int, const QPoint& point, Qt::MouseButtons buttons) {
    if (!(buttons & Qt::LeftButton) || m_nBtnCol < 0) {
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

void DropListCellType::OnDraw(QPainter& painter, const QRect& rect, int col, int row,
                              GridCell& cell, int selected, int current) {
    if ((cell.GetCellTypeEx() & kStyleButtonOnCurrent) && !current) {
        CellType::OnDraw(painter, rect, col, row, cell, selected, current);
        return;
    }
    QRect content = rect;
    DrawBorder(painter, content, cell);
    if (content.isEmpty()) {
        return;
    }
    const int scaled =
        IsPrinting() ? static_cast<int>(std::lround(m_nBtnWidth * m_dPrintScale)) : m_nBtnWidth;
    const int width = std::min(scaled, content.width());
    const QRect button(content.x() + content.width() - width, content.y(), width, content.height());

    // A line of the button face keeps the text off the button.
    painter.fillRect(button.x(), button.y(), 1, button.height(), m_oBtnPen.color());
    QRect face = button.adjusted(1, 0, 0, 0);
    const bool pressed = m_bBtnDown && current && col == m_nBtnCol && row == m_nBtnRow;
    GridCell frame;
    frame.SetBorder(pressed ? GridCell::kBorderSunken : GridCell::kBorderRaised);
    DrawBorder(painter, face, frame);
    if (!face.isEmpty()) {
        painter.fillRect(face, m_oBtnBrush);
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
    QRect text = content;
    text.setRight(button.x() - 1);
    DrawText(painter, text, col, row, cell, selected, current);
}
