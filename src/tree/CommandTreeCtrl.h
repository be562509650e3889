#pragma once

#include <QTreeWidget>

// The tree control of the command tree: one column without a header, lines between
// the items, expand/collapse buttons also at the top level, one item selected at a
// time, text only. Labels cannot be edited, items cannot be dragged, and there is no
// context menu; a double click expands or collapses.
class CommandTreeCtrl : public QTreeWidget {
    Q_OBJECT
public:
    explicit CommandTreeCtrl(QWidget* parent = nullptr);

protected:
    // Copying is the window's Copy command, which works on whole commands; the item
    // view's own copy of the current label to the system clipboard is not offered.
    // While nothing is selected, a moving key or Space selects the item it lands or
    // stands on, even when that is the current item already.
    void keyPressEvent(QKeyEvent* event) override;
};
