#include "tree/CLeftView.h"

#include <QItemSelectionModel>
#include <QSignalBlocker>
#include <QSplitter>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>
#include <memory>
#include <new>

#include "document/ApplicationState.h"
#include "document/CTesselDoc.h"
#include "document/CommandIds.h"
#include "document/QtText.h"
#include "model/Command.h"
#include "platform/Platform.h"
#include "tree/CommandTreeCtrl.h"
#include "view/CTesselView.h"

namespace {

constexpr int kDataRole = Qt::UserRole;

} // namespace

CLeftView::CLeftView(CTesselDoc& document, ApplicationState& app, QWidget* parent)
    : DocumentView(document, parent), m_oApp(app), m_pTree(new CommandTreeCtrl(this)) {
    setObjectName(QStringLiteral("CLeftView"));
    setWhatsThis(tr("<b>Command tree</b><p>The protocol as a tree. The top item is the "
                    "device header, named after the protocol; below it are the commands, "
                    "grouped into categories by the part of their names before the colon."
                    "<p>Select an item to show its fields in the property view on the "
                    "right."));
    m_pTree->setWhatsThis(whatsThis());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pTree);
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(m_pTree);

    // Sorted as a desktop sorts names: by the user's language, ignoring case.
    m_oCollator.setCaseSensitivity(Qt::CaseInsensitive);

    connect(m_pTree, &QTreeWidget::itemSelectionChanged, this, &CLeftView::OnSelChanged);
    connect(&document, &CTesselDoc::CommandInserted, this, &CLeftView::OnCommandInserted);
    connect(&document, &CTesselDoc::CommandRemoved, this, &CLeftView::OnCommandRemoved);
    connect(&document, &CTesselDoc::NamesChanged, this, &CLeftView::FillTree);
    connect(&document, &CTesselDoc::ProtocolReplaced, this, &CLeftView::OnProtocolReplaced);

    using namespace CommandId;
    Commands().Add(NewCommand, [this](int) { OnNewCommand(); });
    auto commandItem = [this](int) { return OnUpdateCommandItem(); };
    Commands().Add(
        EditCopy, [this](int) { OnEditCopy(); }, commandItem);
    Commands().Add(
        EditCut, [this](int) { OnEditCut(); }, commandItem);
    Commands().Add(
        RemoveCommand, [this](int) { OnRemoveCommand(); }, commandItem);
    Commands().Add(
        EditPaste, [this](int) { OnEditPaste(); }, [this](int) { return OnUpdateEditPaste(); });
}

CLeftView::~CLeftView() = default;

CTesselDoc* CLeftView::GetDocument() const {
    return static_cast<CTesselDoc*>(DocumentView::GetDocument());
}

QTreeWidget* CLeftView::GetTreeCtrl() const {
    return m_pTree;
}

void CLeftView::OnInitialUpdate() {
    // The partner is the other pane of the same splitter.
    if (auto* splitter = qobject_cast<QSplitter*>(parentWidget())) {
        for (int i = 0; i < splitter->count() && m_pRightView == nullptr; ++i) {
            m_pRightView = qobject_cast<CTesselView*>(splitter->widget(i));
        }
    }
    FillTree();
}

std::int32_t CLeftView::ItemData(const QTreeWidgetItem* item) {
    return item->data(0, kDataRole).toInt();
}

QTreeWidgetItem* CLeftView::NewItem(const QString& label, std::int32_t data) const {
    auto* item = new QTreeWidgetItem;
    item->setText(0, label);
    item->setData(0, kDataRole, data);
    return item;
}

void CLeftView::FillTree() {
    m_oDeviceChildren.clear();
    m_oCommandItems.clear();
    m_bSharedItems = false;
    m_hRootItem = nullptr;
    m_pTree->clear();
    CTesselDoc* document = GetDocument();
    if (document != nullptr) {
        // The items are put together before the tree control knows of them, so that
        // it takes them in and lays them out once.
        auto root = std::unique_ptr<QTreeWidgetItem>(
            NewItem(QtText::FromModel(document->GetProtocol().m_strDescription), kDeviceItem));
        m_hRootItem = root.get();
        m_bFilling = true;
        m_oCommandItems.reserve(static_cast<std::size_t>(document->GetCommandCount()));
        for (int position = 0; position < document->GetCommandCount(); ++position) {
            AddCommandItem(position, *document->GetCommand(position));
        }
        m_bFilling = false;
        SortDeviceChildren();
        m_pTree->addTopLevelItem(root.release());
        m_hRootItem->setExpanded(true);
    }
    // A rebuilt tree has no selection, which may disable commands.
    emit CommandStateChanged();
}

void CLeftView::AddCommandItem(int position, const Command& command) {
    if (m_hRootItem == nullptr) {
        return;
    }
    std::string category = command.GetCategory();
    std::string label = command.GetLabel();
    const std::int32_t data = position + 1;
    const auto at =
        m_oCommandItems.begin() + std::min<std::ptrdiff_t>(position, std::ssize(m_oCommandItems));
    if (label.empty()) {
        QTreeWidgetItem* item = NewItem(QtText::FromModel(category), data);
        m_oCommandItems.insert(at, item);
        AddDeviceChild(item, category);
        return;
    }
    // Every child of that label takes the command, whatever it is: a category, or a
    // command without a label whose name is the category.
    auto matching = m_oDeviceChildren.find(category);
    if (matching != m_oDeviceChildren.end()) {
        const QString text = QtText::FromModel(label);
        m_bSharedItems = m_bSharedItems || matching->second.size() > 1;
        for (QTreeWidgetItem* child : matching->second) {
            // After the items of the commands before it in the list.
            QTreeWidgetItem* item = NewItem(text, data);
            child->insertChild(FirstChildFrom(child, data), item);
            if (child == matching->second.front()) {
                m_oCommandItems.insert(at, item);
            }
        }
        return;
    }
    QTreeWidgetItem* categoryItem = NewItem(QtText::FromModel(category), kCategoryItem);
    QTreeWidgetItem* item = NewItem(QtText::FromModel(label), data);
    m_oCommandItems.insert(at, item);
    categoryItem->addChild(item);
    AddDeviceChild(categoryItem, category);
}

void CLeftView::AddDeviceChild(QTreeWidgetItem* item, const std::string& key) {
    std::vector<QTreeWidgetItem*>& named = m_oDeviceChildren[key];
    if (m_bFilling) {
        named.push_back(item);
        m_hRootItem->addChild(item);
        return;
    }
    // Items of one label stand in the order of the commands that made them, as
    // filling the tree in list order and sorting it stably puts them; a command put
    // back in the middle of the list (Undo of Remove) goes before the later ones.
    const std::int32_t order = ListOrder(item);
    named.insert(
        std::find_if(named.begin(), named.end(),
                     [order](QTreeWidgetItem* other) { return ListOrder(other) >= order; }),
        item);
    // The children are sorted: the first one that does not sort before the new label.
    const QString label = item->text(0);
    int low = 0;
    int high = m_hRootItem->childCount();
    while (low < high) {
        int middle = low + (high - low) / 2;
        if (m_oCollator.compare(m_hRootItem->child(middle)->text(0), label) < 0) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    while (low < m_hRootItem->childCount() &&
           m_oCollator.compare(m_hRootItem->child(low)->text(0), label) == 0 &&
           ListOrder(m_hRootItem->child(low)) < order) {
        ++low;
    }
    m_hRootItem->insertChild(low, item);
}

std::int32_t CLeftView::ListOrder(const QTreeWidgetItem* child) {
    const std::int32_t data = ItemData(child);
    if (data >= 1) {
        return data;
    }
    // A category was made by its first command, which stands first under it.
    return child->childCount() > 0 ? ItemData(child->child(0))
                                   : std::numeric_limits<std::int32_t>::max();
}

void CLeftView::SortDeviceChildren() {
    // The same comparison as a later item's insertion: a collator's sort keys need
    // not order labels that differ only in case as its comparison does.
    struct Labelled {
        QString label;
        QTreeWidgetItem* item;
    };
    QList<QTreeWidgetItem*> children = m_hRootItem->takeChildren();
    std::vector<Labelled> labelled;
    labelled.reserve(static_cast<std::size_t>(children.size()));
    for (QTreeWidgetItem* child : children) {
        labelled.push_back({child->text(0), child});
    }
    std::stable_sort(labelled.begin(), labelled.end(),
                     [this](const Labelled& a, const Labelled& b) {
                         return m_oCollator.compare(a.label, b.label) < 0;
                     });
    for (qsizetype i = 0; i < children.size(); ++i) {
        children[i] = labelled[static_cast<std::size_t>(i)].item;
    }
    m_hRootItem->addChildren(children);
}

QTreeWidgetItem* CLeftView::GetSelectedItem() const {
    const QList<QTreeWidgetItem*> selected = m_pTree->selectedItems();
    return selected.isEmpty() ? nullptr : selected.front();
}

bool CLeftView::NamesRecord(std::int32_t data) const {
    const CTesselDoc* document = GetDocument();
    return document != nullptr && data >= kCategoryItem && data <= document->GetCommandCount();
}

void CLeftView::OnSelChanged() {
    QTreeWidgetItem* item = GetSelectedItem();
    if (item != nullptr && m_pRightView != nullptr && NamesRecord(ItemData(item))) {
        m_pRightView->ShowItem(ItemData(item));
    }
    emit CommandStateChanged();
}

void CLeftView::OnProtocolReplaced() {
    FillTree();
    // The property view shows the device header now; so does the selection.
    m_pTree->setCurrentItem(m_hRootItem);
}

void CLeftView::OnCommandInserted(int position) {
    const CTesselDoc* document = GetDocument();
    if (m_hRootItem == nullptr || document == nullptr) {
        return;
    }
    const bool appended = position == document->GetCommandCount() - 1;
    if (!appended && m_bSharedItems) {
        FillTree();
        return;
    }
    QTreeWidgetItem* selected = GetSelectedItem();
    {
        // The items after the new one carry their old numbers until they are
        // renumbered: a selection reported in between would show the wrong command.
        const QSignalBlocker quiet(m_pTree);
        AddCommandItem(position, *document->GetCommand(position));
        if (!appended) {
            Renumber(position + 1);
            CollapseCategories();
        }
    }
    if (GetSelectedItem() != selected) {
        OnSelChanged();
    }
    // The item the command joined may have become a group.
    emit CommandStateChanged();
}

void CLeftView::OnCommandRemoved(int position) {
    if (m_hRootItem == nullptr || !RemoveCommandItems(position + 1)) {
        FillTree();
        return;
    }
    Renumber(position);
    CollapseCategories();
    emit CommandStateChanged();
}

void CLeftView::CollapseCategories() {
    m_pTree->collapseAll();
    m_hRootItem->setExpanded(true);
}

std::vector<QTreeWidgetItem*>* CLeftView::DeviceChildrenOf(QTreeWidgetItem* child) {
    std::string key;
    if (!QtText::ToModel(child->text(0), key)) {
        return nullptr;
    }
    auto filed = m_oDeviceChildren.find(key);
    if (filed == m_oDeviceChildren.end() ||
        std::find(filed->second.begin(), filed->second.end(), child) == filed->second.end()) {
        return nullptr;
    }
    return &filed->second;
}

bool CLeftView::RemoveCommandItems(std::int32_t data) {
    const auto position = static_cast<std::size_t>(data - 1);
    if (m_bSharedItems || position >= m_oCommandItems.size()) {
        return false;
    }
    QTreeWidgetItem* item = m_oCommandItems[position];
    QTreeWidgetItem* parent = item->parent();
    if (item->childCount() > 0 || parent == nullptr) {
        return false;
    }
    // The item itself when the device item holds it, or the category it leaves
    // empty, goes from the device item's children.
    QTreeWidgetItem* child = parent == m_hRootItem ? item : nullptr;
    if (parent != m_hRootItem && parent->childCount() == 1 && ItemData(parent) == kCategoryItem) {
        child = parent;
    }
    std::vector<QTreeWidgetItem*>* filed = child != nullptr ? DeviceChildrenOf(child) : nullptr;
    if (child != nullptr && filed == nullptr) {
        return false;
    }
    // As after a rebuild, nothing is selected or current: a current item taken out
    // would otherwise pass the selection to a neighbour, which the property view
    // would then show.
    m_pTree->selectionModel()->clear();
    m_oCommandItems.erase(m_oCommandItems.begin() + static_cast<std::ptrdiff_t>(position));
    if (filed != nullptr) {
        std::erase(*filed, child);
        if (filed->empty()) {
            std::string key;
            QtText::ToModel(child->text(0), key);
            m_oDeviceChildren.erase(key);
        }
    }
    delete (child != nullptr ? child : item);
    return true;
}

void CLeftView::Renumber(int from) {
    // The numbers are not shown: the view need not hear of them, one by one.
    const QSignalBlocker quiet(m_pTree->model());
    for (std::size_t i = static_cast<std::size_t>(from); i < m_oCommandItems.size(); ++i) {
        m_oCommandItems[i]->setData(0, kDataRole, static_cast<std::int32_t>(i + 1));
    }
}

int CLeftView::FirstChildFrom(const QTreeWidgetItem* parent, std::int32_t data) {
    int low = 0;
    int high = parent->childCount();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (ItemData(parent->child(middle)) < data) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return low;
}

bool CLeftView::OnUpdateCommandItem() const {
    const QTreeWidgetItem* item = GetSelectedItem();
    return item != nullptr && item->childCount() == 0;
}

bool CLeftView::OnUpdateEditPaste() const {
    return true;
}

void CLeftView::OnNewCommand() {
    if (CTesselDoc* document = GetDocument()) {
        document->AppendNewCommand();
    }
}

void CLeftView::OnEditCopy() {
    QTreeWidgetItem* item = GetSelectedItem();
    CTesselDoc* document = GetDocument();
    if (item == nullptr || document == nullptr) {
        return;
    }
    if (item->childCount() > 0) {
        Platform::Current().MessageOk(kGroupMessage);
        return;
    }
    const std::int32_t data = ItemData(item);
    if (data < 1 || !NamesRecord(data)) {
        return;
    }
    const int position = data - 1;
    // The whole copy is made before the clipboard takes it, so that running out of
    // memory leaves the clipboard as it was.
    std::unique_ptr<Command> copy = Command::Create({});
    try {
        if (!copy) {
            throw std::bad_alloc();
        }
        copy->Copy(*document->GetCommand(position));
    } catch (const std::bad_alloc&) {
        Platform::Current().MessageOk(kNoMemoryForCopy);
        return;
    }
    m_oApp.ClipCommand().Swap(*copy);
    if (m_bCut) {
        // Every tree of the document is built again as the command goes.
        document->RemoveCommand(position);
    }
}

void CLeftView::OnEditCut() {
    m_bCut = true;
    OnEditCopy();
    m_bCut = false;
}

void CLeftView::OnEditPaste() {
    if (CTesselDoc* document = GetDocument()) {
        document->AppendCopy(m_oApp.ClipCommand());
    }
}

void CLeftView::OnRemoveCommand() {
    QTreeWidgetItem* item = GetSelectedItem();
    CTesselDoc* document = GetDocument();
    if (item == nullptr || document == nullptr) {
        return;
    }
    const std::int32_t data = ItemData(item);
    if (data < 1 || !NamesRecord(data)) {
        return;
    }
    const Command* command = document->GetCommand(data - 1);
    const std::string label = QtText::ToUtf8(item->text(0));
    if (!Platform::Current().AskYesNo(kRemoveQuestionStart + label + kRemoveQuestionEnd)) {
        return;
    }
    // The answer is the user's for the command asked about; it must still be there.
    if (GetDocument() == document && document->GetCommand(data - 1) == command) {
        document->RemoveCommand(data - 1);
    }
}
