#include "tree/CommandTreeCtrl.h"

#include <QKeyEvent>

#include "tree/TreeLineStyle.h"

CommandTreeCtrl::CommandTreeCtrl(QWidget* parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("CommandTree"));
    setColumnCount(1);
    setHeaderHidden(true);
    setAccessibleName(tr("Commands"));
    // Some Qt versions still list the hidden header to assistive technology, marked
    // invisible: it should say what the column holds rather than its number.
    setHeaderLabel(tr("Commands"));
    setRootIsDecorated(true);
    setItemsExpandable(true);
    setExpandsOnDoubleClick(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(false);
    setDragDropMode(QAbstractItemView::NoDragDrop);
    setContextMenuPolicy(Qt::PreventContextMenu);
    setSortingEnabled(false);
    // Every row is one line of the same font, which keeps a tree of many thousand
    // items quick to lay out.
    setUniformRowHeights(true);
    // A label longer than the pane is shortened with an ellipsis; widening the pane
    // shows it whole. Fitting the column to the longest label instead would measure
    // the shown labels again at every change of a large tree.
    setTextElideMode(Qt::ElideRight);
    auto* style = new TreeLineStyle;
    style->setParent(this);
    setStyle(style);
}

void CommandTreeCtrl::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        event->ignore();
        return;
    }
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    bool selecting = false;
    switch (event->key()) {
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Space:
        selecting = plain && !selectionModel()->hasSelection();
        break;
    default:
        break;
    }
    QTreeWidget::keyPressEvent(event);
    // The item view moves the current item without selecting when the move ends where
    // it started, as Home does on the top item; the keyboard user still wants it shown.
    if (selecting && !selectionModel()->hasSelection() && currentIndex().isValid()) {
        selectionModel()->select(currentIndex(),
                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
}
