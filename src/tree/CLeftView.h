#pragma once

#include <QCollator>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "document/DocumentView.h"

class ApplicationState;
class Command;
class CommandTreeCtrl;
class CTesselDoc;
class CTesselView;
class QTreeWidget;
class QTreeWidgetItem;

// The left pane of a document window: the navigator of the protocol. It shows the
// device header as the top item and below it every command, grouped into categories
// by the part of its name before the first colon, and tells the property view of the
// same window which record to show (`CTesselView::ShowItem`). It holds the command
// editing operations: New Command, Copy, Cut, Paste and Remove Command.
//
// Each item carries the number the property view is given: 0 the device header, -1 a
// category, n of 1 or more the command at list position n-1. The tree follows the
// document's command signals, so every tree of a document stays in step with the
// list whichever window changed it (or Undo or Redo did): a command's items are added
// and taken out in place, the later items numbered anew, and the tree is built again
// when a command is renamed, or when the whole protocol is replaced (the device item
// is then selected).
class CLeftView : public DocumentView {
    Q_OBJECT
public:
    static constexpr std::int32_t kDeviceItem = 0;
    static constexpr std::int32_t kCategoryItem = -1;

    static constexpr const char* kGroupMessage =
        "I can't do that with a group of commands.\nPlease select an individual command to "
        "copy or cut.";
    static constexpr const char* kRemoveQuestionStart =
        "Are you sure you want to delete the entire command\n\n\" ";
    static constexpr const char* kRemoveQuestionEnd = " \" ?\n";
    static constexpr const char* kNoMemoryForCopy =
        "Not enough memory to copy the command ( m_pClipCommand ).  The clipboard is left as "
        "it was.";

    CLeftView(CTesselDoc& document, ApplicationState& app, QWidget* parent = nullptr);
    ~CLeftView() override;

    CTesselDoc* GetDocument() const;
    QTreeWidget* GetTreeCtrl() const;

    // Takes the property view of its own window as its partner and fills the tree.
    void OnInitialUpdate() override;

    // Builds the whole tree from the command list: the device item, expanded, with
    // its children sorted and every category collapsed.
    void FillTree();
    // Adds the item or items of the command at `position` (see the class comment);
    // the device item's children stay sorted, and the commands of a category in the
    // order of the list.
    void AddCommandItem(int position, const Command& command);

    // The command editing operations, on the selected item.
    void OnNewCommand();
    void OnEditCopy();
    void OnEditCut();
    void OnEditPaste();
    void OnRemoveCommand();
    // Copy, Cut and Remove Command: an item is selected and it has no children.
    bool OnUpdateCommandItem() const;
    // Paste: the command clipboard always holds a command.
    bool OnUpdateEditPaste() const;

    // The selected item, or nullptr.
    QTreeWidgetItem* GetSelectedItem() const;
    // The number an item carries.
    static std::int32_t ItemData(const QTreeWidgetItem* item);

    // The property view of the same window; nullptr before the first update.
    CTesselView* m_pRightView = nullptr;

protected:
    ApplicationState& m_oApp;
    // Set only while Copy runs as Cut.
    bool m_bCut = false;
    // The device item; nullptr until the tree is filled.
    QTreeWidgetItem* m_hRootItem = nullptr;

private:
    QTreeWidgetItem* NewItem(const QString& label, std::int32_t data) const;
    // Makes `item` a child of the device item under the label `key` (its bytes):
    // at the end while the tree is being filled, which sorts once at the end, and at
    // its sorted place afterwards, which is where a stable sort would put it.
    void AddDeviceChild(QTreeWidgetItem* item, const std::string& key);
    void SortDeviceChildren();
    // Where a child of the device item stands in the order of the list: the number of
    // its command, or of a category's first command.
    static std::int32_t ListOrder(const QTreeWidgetItem* child);
    // Whether `data` names the device, a category or a command in the list.
    bool NamesRecord(std::int32_t data) const;

    void OnSelChanged();
    void OnCommandInserted(int position);
    void OnCommandRemoved(int position);
    // Takes out the item of the command `data` names; false, with nothing changed,
    // when the command has several items or its item holds the items of other
    // commands, which a rebuilt tree would put elsewhere.
    bool RemoveCommandItems(std::int32_t data);
    // The first child of `parent` numbered `data` or more: the commands under an item
    // keep the order of the list, so their numbers rise.
    static int FirstChildFrom(const QTreeWidgetItem* parent, std::int32_t data);
    // Numbers the command items from list position `from` on by their positions.
    void Renumber(int from);
    // Every category closed, as in a tree just filled, after a command comes or goes
    // anywhere but at the end.
    void CollapseCategories();
    // The label bytes a child of the device item is filed under in m_oDeviceChildren;
    // nullptr when it is not filed there.
    std::vector<QTreeWidgetItem*>* DeviceChildrenOf(QTreeWidgetItem* child);
    void OnProtocolReplaced();

    CommandTreeCtrl* m_pTree;
    // The direct children of the device item by their labels' bytes: the categories
    // and the commands without a label that a new command's category matches. Walking
    // the children for every command would make filling the tree quadratic.
    std::unordered_map<std::string, std::vector<QTreeWidgetItem*>> m_oDeviceChildren;
    // The item of each command by its list position, so that a command coming or
    // going anywhere in the list renumbers the items after it without a search. A
    // command whose label files it under several items has one of them here, and
    // the tree is then built again instead.
    std::vector<QTreeWidgetItem*> m_oCommandItems;
    bool m_bSharedItems = false;
    bool m_bFilling = false;
    QCollator m_oCollator;
};
