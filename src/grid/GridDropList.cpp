#include "grid/GridDropList.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>

#include "grid/CellType.h"
#include "grid/DropListCellType.h"
#include "grid/GridArea.h"
#include "grid/GridCtrl.h"

GridDropList::GridDropList(GridCtrl* grid, QWidget* parent) : QListWidget(parent), m_pGrid(grid) {
    setProperty("gridControlId", kListId);
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Plain);
    setLineWidth(1);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setMouseTracking(true);
    hide();
}

GridDropList::~GridDropList() {
    if (m_bOpen) {
        qApp->removeEventFilter(this);
    }
}

void GridDropList::Open(int typeIndex, int col, int row, const QStringList& items,
                        const QRect& rect, const QFont& font, int itemHeight, int* listCol,
                        int* listRow) {
    m_nTypeIndex = typeIndex;
    m_nCol = col;
    m_nRow = row;
    m_pListCol = listCol;
    m_pListRow = listRow;
    clear();
    setFont(font);
    setGeometry(rect);
    for (const QString& text : items) {
        auto* item = new QListWidgetItem(text, this);
        item->setSizeHint(QSize(rect.width(), itemHeight));
    }
    // The cell's own value starts out picked, so that the keys move on from it.
    const QString current = m_pGrid->GetCellText(col, row);
    for (int i = 0; i < count(); ++i) {
        if (item(i)->text() == current) {
            setCurrentRow(i);
            break;
        }
    }
    setAccessibleName(m_pGrid->CellName(col, row));
    m_bOpen = true;
    m_bChosen = false;
    ++m_nOpenings;
    qApp->installEventFilter(this);
    show();
    raise();
    setFocus(Qt::OtherFocusReason);
}

void GridDropList::Close() {
    if (!m_bOpen) {
        return;
    }
    if (hasFocus()) {
        // Losing the focus finishes the list.
        m_pGrid->GetArea()->setFocus(Qt::OtherFocusReason);
    }
    Finish();
}

void GridDropList::Finish() {
    if (!m_bOpen) {
        return;
    }
    m_bOpen = false;
    qApp->removeEventFilter(this);
    hide();
    if (!m_bChosen && m_pListCol && m_pListRow) {
        *m_pListCol = DropListCellType::kClosedWithoutChoice;
        *m_pListRow = DropListCellType::kClosedWithoutChoice;
    }
    if (auto* type = dynamic_cast<DropListCellType*>(m_pGrid->GetCellType(m_nTypeIndex))) {
        type->OnListClosed(m_nCol, m_nRow);
    }
    // Hiding the list repaints what it covered; its cell shows how it ended.
    m_pGrid->RedrawCell(m_nCol, m_nRow);
}

void GridDropList::Choose() {
    QListWidgetItem* picked = currentItem();
    if (!picked || !picked->isSelected()) {
        return;
    }
    QString text = picked->text();
    m_bChosen = true;
    m_pGrid->OnCellTypeEvent(m_nTypeIndex, m_nCol, m_nRow, CellType::kEventListItemPicked,
                             row(picked));
    if (m_pGrid->OnCellTypeEvent(m_nTypeIndex, m_nCol, m_nRow, CellType::kEventListChosen,
                                 reinterpret_cast<std::intptr_t>(&text))) {
        GridCell cell;
        m_pGrid->ReadCell(m_nCol, m_nRow, cell);
        cell.SetText(text);
        m_pGrid->SetCell(m_nCol, m_nRow, cell);
        m_pGrid->RedrawCell(m_nCol, m_nRow);
    }
    if (m_pListCol && m_pListRow) {
        *m_pListCol = -1;
        *m_pListRow = -1;
    }
    Close();
}

void GridDropList::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (currentItem() && currentItem()->isSelected()) {
            Choose();
        } else {
            Close();
        }
        return;
    case Qt::Key_Escape:
        Close();
        return;
    default:
        QListWidget::keyPressEvent(event);
    }
}

void GridDropList::focusInEvent(QFocusEvent* event) {
    QListWidget::focusInEvent(event);
    m_bChosen = false;
}

void GridDropList::focusOutEvent(QFocusEvent* event) {
    QListWidget::focusOutEvent(event);
    if (event->reason() == Qt::MouseFocusReason && m_bOpen) {
        // A click took the focus before the press reached anyone: the press closes
        // the list (see eventFilter), so that it does nothing else. Should none come,
        // the list closes all the same.
        QTimer::singleShot(0, this, [this, opening = m_nOpenings] {
            if (opening == m_nOpenings) {
                Finish();
            }
        });
        return;
    }
    Finish();
}

bool GridDropList::IsInside(QObject* object) const {
    auto* widget = qobject_cast<QWidget*>(object);
    return widget && (widget == this || isAncestorOf(widget));
}

bool GridDropList::eventFilter(QObject* watched, QEvent* event) {
    if (!m_bOpen || !watched->isWidgetType()) {
        return false;
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (!IsInside(watched)) {
            // The press that closes the list does nothing else, so that a press on
            // the cell's button closes it rather than dropping it again.
            Close();
            return true;
        }
        return false;
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (IsInside(watched) || !(mouse->buttons() & Qt::LeftButton)) {
            return false;
        }
        // Dragged on from the cell's button: the item under the pointer is picked.
        const QPoint at = viewport()->mapFromGlobal(mouse->globalPosition().toPoint());
        if (QListWidgetItem* under = itemAt(at); under && viewport()->rect().contains(at)) {
            setCurrentItem(under);
        }
        return false;
    }
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton) {
            return false;
        }
        const QPoint at = viewport()->mapFromGlobal(mouse->globalPosition().toPoint());
        QListWidgetItem* under = viewport()->rect().contains(at) ? itemAt(at) : nullptr;
        if (!under || (watched != viewport() && IsInside(watched))) {
            return false;
        }
        setCurrentItem(under);
        Choose();
        return watched == viewport();
    }
    default:
        return false;
    }
}
