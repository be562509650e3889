#pragma once

#include <QSplitter>
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "document/ApplicationState.h"
#include "model/Command.h"

class CLeftView;
class CTesselDoc;
class CTesselView;
class QPrinter;
class QTreeWidget;
class QTreeWidgetItem;

// What the panes take from the application: a command clipboard that starts as the
// application's does, grid identifiers and a printer.
class TestApplication : public ApplicationState {
public:
    TestApplication();
    ~TestApplication() override;

    Command& ClipCommand() override { return m_oClip; }
    int TakeNextGridId() override { return m_nNextGridId++; }
    bool GridToolTips() const override { return false; }
    QPrinter& Printer() override;
    void SetPreviewPages(int pages) override { m_nPreviewPages = pages; }
    int m_nPreviewPages = 0;

private:
    Command m_oClip{Command::kNewCommandName};
    int m_nNextGridId = 1000;
    std::unique_ptr<QPrinter> m_poPrinter;
};

// Appends one command per name, as pasted commands of those names, and leaves the
// document unmodified.
void AppendCommands(CTesselDoc& document, const std::vector<std::string>& names);

// The two panes of one document window on `document`, in a splitter as the window
// holds them, shown and given their first update.
class TreeWindow {
public:
    TreeWindow(CTesselDoc& document, ApplicationState& app);
    ~TreeWindow();

    CLeftView& Left() const { return *m_pLeft; }
    CTesselView& Right() const { return *m_pRight; }
    QTreeWidget& Tree() const;
    QTreeWidgetItem* Device() const;
    // The item at the end of a path of labels from the device item, the first of
    // each label; nullptr when there is none.
    QTreeWidgetItem* Item(const std::vector<QString>& path) const;

    // Selects `item` as a click on it does.
    void Select(QTreeWidgetItem* item);
    // Whether the router would enable command `id` of the tree, and runs it if so.
    bool Enabled(int id) const;
    bool Run(int id);

    // The tree as text: each item as label(data), its children in { } while it is
    // expanded and in [ ] while it is collapsed. With `expansion` false both are [ ].
    std::string Shape(bool expansion = true) const;

private:
    QSplitter m_oSplitter;
    CLeftView* m_pLeft;
    CTesselView* m_pRight;
};
