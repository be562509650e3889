#include "grid/GridEdit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>

#include "grid/GridArea.h"
#include "grid/GridCtrl.h"

namespace {
// The text stands this far in from the editor's left edge (viewport margin plus
// document margin), and this far from its top, about where the cell draws it.
constexpr int kViewportMargin = 2;
constexpr int kDocumentMargin = 1;
constexpr int kTextInsetX = 2 * (kViewportMargin + kDocumentMargin);
constexpr int kTextInsetY = 2 * kDocumentMargin;
// Room kept for what is typed next when the editor measures its text.
const QString kGrowthRoom = QStringLiteral(" X X");
} // namespace

GridEdit::GridEdit(GridCtrl* grid) : QPlainTextEdit(grid), m_pGrid(grid) {
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document()->setDocumentMargin(kDocumentMargin);
    setViewportMargins(kViewportMargin, 0, 0, 0);
    setProperty("gridControlId", kEditorId);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (isVisible()) {
            Grow();
        }
    });
    hide();
}

bool GridEdit::IsEditingHere() const {
    return m_pGrid->IsEditing() && m_pGrid->GetEditorWindow() == this;
}

void GridEdit::BeginEditing() {
    m_nStartHeight = height();
    m_nCurrentHeight = height();
    Grow();
    m_bCancel = false;
    m_bMove = false;
    selectAll();
    ensureCursorVisible();
}

bool GridEdit::event(QEvent* event) {
    // The keys that end an edit are the editor's, not a shortcut's or a dialog's.
    if (event->type() == QEvent::ShortcutOverride) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter ||
            key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            event->accept();
            return true;
        }
    }
    return QPlainTextEdit::event(event);
}

void GridEdit::keyPressEvent(QKeyEvent* event) {
    const int col = m_pGrid->GetEditColumn();
    const int row = m_pGrid->GetEditRow();
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab: {
        const bool back =
            event->key() == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier);
        m_nTargetCol = col + (back ? -1 : 1);
        m_nTargetRow = row;
        m_bMove = false;
        Leave();
        return;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
        m_nTargetCol = col;
        m_nTargetRow = row;
        m_bMove = false;
        Leave();
        return;
    case Qt::Key_Escape:
        m_bCancel = true;
        m_bMove = false;
        Leave();
        return;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (!IsGrown()) {
            m_nTargetCol = col;
            m_nTargetRow = row + (event->key() == Qt::Key_Up ? -1 : 1);
            m_bMove = true;
            Leave();
            return;
        }
        break;
    default:
        break;
    }
    const QString text = event->text();
    if (text.isEmpty() || !IsEditingHere()) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    // A typed character: the data source and then the owner may swallow or change it.
    const QList<uint> codes = text.toUcs4();
    int ch = codes.isEmpty() ? 0 : static_cast<int>(codes.first());
    const int typed = ch;
    if (m_pGrid->Sheet().DataSourceOf(col)->OnEditKey(col, row, this, ch) == 0 ||
        m_pGrid->OnEditKey(col, row, this, ch) == 0 || ch == 0) {
        event->accept();
        return;
    }
    if (ch == typed) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    const char32_t changed = static_cast<char32_t>(ch);
    QKeyEvent replaced(event->type(), event->key(), event->modifiers(),
                       QString::fromUcs4(&changed, 1), event->isAutoRepeat(), event->count());
    QPlainTextEdit::keyPressEvent(&replaced);
}

void GridEdit::Leave() {
    Finish(m_pGrid->GetArea());
}

void GridEdit::Finish(QWidget* newFocus) {
    if (!IsEditingHere()) {
        return;
    }
    // Leaving the grid for another window throws the edit away.
    const bool left = m_pGrid->Sheet().CancelsOnLeave() &&
                      (!newFocus || (newFocus != m_pGrid && !m_pGrid->isAncestorOf(newFocus)));
    m_pGrid->FinishEdit(toPlainText(), m_bCancel || left ? 1 : 0, m_bMove ? 1 : 0, m_nTargetCol,
                        m_nTargetRow);
}

void GridEdit::focusInEvent(QFocusEvent* event) {
    QPlainTextEdit::focusInEvent(event);
    // Back from the editor's own context menu the edit simply goes on.
    if (event->reason() != Qt::PopupFocusReason && IsEditingHere()) {
        BeginEditing();
    }
}

void GridEdit::focusOutEvent(QFocusEvent* event) {
    QPlainTextEdit::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason) {
        Finish(QApplication::focusWidget());
    }
}

void GridEdit::Grow() {
    QWidget* parent = parentWidget();
    if (!parent || !IsEditingHere()) {
        return;
    }
    const QRect client = parent->rect();
    QRect rect = geometry();
    // The text word-wrapped from the editor's left edge to the far edge of the
    // component, with room for what comes next.
    const QFontMetrics metrics(font());
    const int left = rect.left() + 2;
    const QRect room(left, rect.top(), std::max(client.right() - left + 1, 1), client.height());
    const QRect needed = metrics.boundingRect(room, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop,
                                              toPlainText() + kGrowthRoom);
    const int neededWidth = needed.width() + kTextInsetX;
    // As many lines as the wrapped text has, each as high as the editor lays it out.
    const int lines = std::max(1, qRound(double(needed.height()) / metrics.lineSpacing()));
    const int linesHeight = metrics.height() + (lines - 1) * metrics.lineSpacing();
    const int neededHeight = std::min(linesHeight + kTextInsetY, client.height() - 1);
    // Cell by cell: to the end of the cell just right of (below) the editor, never
    // past the component, never smaller than before.
    while (neededWidth > rect.width() && rect.right() < client.right()) {
        const QRect next = m_pGrid->CellRectAt(parent, QPoint(rect.right() + 1, rect.top()));
        const int right = next.isNull() ? client.right() : std::min(next.right(), client.right());
        rect.setRight(std::max(right, rect.right() + 1));
    }
    while (neededHeight > rect.height() && rect.bottom() < client.bottom()) {
        const QRect next = m_pGrid->CellRectAt(parent, QPoint(rect.left(), rect.bottom() + 1));
        const int bottom =
            next.isNull() ? client.bottom() : std::min(next.bottom(), client.bottom());
        rect.setBottom(std::max(bottom, rect.bottom() + 1));
    }
    if (rect != geometry()) {
        setGeometry(rect);
        ensureCursorVisible();
    }
    m_nCurrentHeight = rect.height();
}
