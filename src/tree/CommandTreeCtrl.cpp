#include "tree/CommandTreeCtrl.h"

#include <QKeyEvent>

#include "tree/TreeLineStyle.h"

CommandTreeCtrl::CommandTreeCtrl(QWidget* parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("CommandTree"));
    setColumnCount(1);
    setHeaderHidden(true);
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
    QTreeWidget::keyPressEvent(event);
}
