#include "TreeWindow.h"

#include <gtest/gtest.h>

#include <QPrinter>
#include <QTreeWidget>

#include "TreePath.h"
#include "document/CTesselDoc.h"
#include "document/CommandTable.h"
#include "document/QtText.h"
#include "tree/CLeftView.h"
#include "view/CTesselView.h"

TestApplication::TestApplication() = default;
TestApplication::~TestApplication() = default;

QPrinter& TestApplication::Printer() {
    if (!m_poPrinter) {
        m_poPrinter = std::make_unique<QPrinter>();
    }
    return *m_poPrinter;
}

void AppendCommands(CTesselDoc& document, const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        Command command(name);
        EXPECT_TRUE(document.AppendCopy(command));
    }
    // As a file just opened: nothing to save or undo.
    document.ClearUndoHistory();
}

TreeWindow::TreeWindow(CTesselDoc& document, ApplicationState& app)
    : m_pLeft(new CLeftView(document, app)), m_pRight(new CTesselView(document, app)) {
    m_oSplitter.addWidget(m_pLeft);
    m_oSplitter.addWidget(m_pRight);
    m_oSplitter.resize(600, 400);
    m_oSplitter.show();
    m_pLeft->OnInitialUpdate();
    m_pRight->OnInitialUpdate();
}

TreeWindow::~TreeWindow() = default;

QTreeWidget& TreeWindow::Tree() const {
    return *m_pLeft->GetTreeCtrl();
}

QTreeWidgetItem* TreeWindow::Device() const {
    return Tree().topLevelItem(0);
}

QTreeWidgetItem* TreeWindow::Item(const std::vector<QString>& path) const {
    return ItemAtPath(Device(), path);
}

void TreeWindow::Select(QTreeWidgetItem* item) {
    Tree().setCurrentItem(item);
}

bool TreeWindow::Enabled(int id) const {
    const CommandTable::Entry* entry = m_pLeft->Commands().Find(id);
    return entry != nullptr && (!entry->enabled || entry->enabled(id));
}

bool TreeWindow::Run(int id) {
    if (!Enabled(id)) {
        return false;
    }
    CommandTable::Entry entry = *m_pLeft->Commands().Find(id);
    entry.run(id);
    return true;
}

namespace {

void AppendShape(const QTreeWidgetItem* item, bool expansion, std::string& out) {
    out += QtText::ToUtf8(item->text(0)) + "(" + std::to_string(CLeftView::ItemData(item)) + ")";
    if (item->childCount() == 0) {
        return;
    }
    const bool open = expansion && item->isExpanded();
    out += open ? "{" : "[";
    for (int i = 0; i < item->childCount(); ++i) {
        if (i > 0) {
            out += " ";
        }
        AppendShape(item->child(i), expansion, out);
    }
    out += open ? "}" : "]";
}

} // namespace

std::string TreeWindow::Shape(bool expansion) const {
    std::string out;
    for (int i = 0; i < Tree().topLevelItemCount(); ++i) {
        AppendShape(Tree().topLevelItem(i), expansion, out);
    }
    return out;
}
