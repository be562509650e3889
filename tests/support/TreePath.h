#pragma once

#include <QString>
#include <QTreeWidgetItem>
#include <vector>

// The item at the end of a path of labels below `from`, each the first child of that
// label; nullptr when there is none.
inline QTreeWidgetItem* ItemAtPath(QTreeWidgetItem* from, const std::vector<QString>& path) {
    QTreeWidgetItem* item = from;
    for (const QString& label : path) {
        QTreeWidgetItem* found = nullptr;
        for (int i = 0; item != nullptr && i < item->childCount() && found == nullptr; ++i) {
            if (item->child(i)->text(0) == label) {
                found = item->child(i);
            }
        }
        item = found;
    }
    return item;
}
