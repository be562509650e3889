#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QCollator>
#include <QImage>
#include <QLocale>
#include <QTest>
#include <QTreeWidget>
#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "ScriptedPlatform.h"
#include "TreeWindow.h"
#include "document/CTesselDoc.h"
#include "document/QtText.h"
#include "tree/CLeftView.h"
#include "view/CTesselView.h"

namespace {

struct ShapeCase {
    const char* name;
    std::vector<std::string> commands;
    std::string shape;
};

void PrintTo(const ShapeCase& shape, std::ostream* out) {
    *out << shape.name;
}

class CommandTreeShape : public ::testing::TestWithParam<ShapeCase> {
protected:
    CommandTreeShape() {
        EXPECT_TRUE(doc.SetDeviceField(DeviceFieldId::Description, "Dev"));
        doc.SetModifiedFlag(false);
    }
    ScriptedPlatform platform;
    TestApplication app;
    CTesselDoc doc;
};

// The commands are in the list before the window opens: its first update fills the tree.
TEST_P(CommandTreeShape, FromTheFirstFill) {
    AppendCommands(doc, GetParam().commands);
    TreeWindow window(doc, app);
    EXPECT_EQ(window.Shape(), GetParam().shape);
    EXPECT_TRUE(window.Device()->isExpanded());
    EXPECT_EQ(window.Tree().topLevelItemCount(), 1);
}

// The commands are pasted one by one into an open window: the tree is extended in place
// and ends as a fill would have built it.
TEST_P(CommandTreeShape, FromCommandsAddedOneByOne) {
    TreeWindow window(doc, app);
    AppendCommands(doc, GetParam().commands);
    EXPECT_EQ(window.Shape(), GetParam().shape);
}

INSTANTIATE_TEST_SUITE_P(
    Names, CommandTreeShape,
    ::testing::Values(
        ShapeCase{"NoCommands", {}, "Dev(0)"},
        ShapeCase{"OneCategoryInListOrder",
                  {"Video:Play", "Video:Stop"},
                  "Dev(0){Video(-1)[Play(1) Stop(2)]}"},
        ShapeCase{"ChildrenOfACategoryAreNotSorted", {"K:z", "K:a"}, "Dev(0){K(-1)[z(1) a(2)]}"},
        ShapeCase{"NoColon", {"Play"}, "Dev(0){Play(1)}"},
        ShapeCase{"EmptyLabel", {"Video:"}, "Dev(0){Video(1)}"},
        ShapeCase{"FurtherColonsLeftOut", {"A:B:C"}, "Dev(0){A(-1)[BC(1)]}"},
        ShapeCase{"EmptyCategory", {":X"}, "Dev(0){(-1)[X(1)]}"},
        // Categories match by their bytes; sorting ignores case and keeps list order
        // for labels that differ only in case.
        ShapeCase{"CaseMakesTwoCategories",
                  {"video:Play", "Video:Stop"},
                  "Dev(0){video(-1)[Play(1)] Video(-1)[Stop(2)]}"},
        ShapeCase{"EqualLabelsKeepListOrder",
                  {"Video:Stop", "video:Play"},
                  "Dev(0){Video(-1)[Stop(1)] video(-1)[Play(2)]}"},
        ShapeCase{"EveryMatchingChildTakesTheCommand",
                  {"Video:Play", "Video", "Video:Stop"},
                  "Dev(0){Video(-1)[Play(1) Stop(3)] Video(2)[Stop(3)]}"},
        ShapeCase{"ACommandTakesTheCategoryOfItsName",
                  {"Video", "Video:Play"},
                  "Dev(0){Video(1)[Play(2)]}"},
        ShapeCase{"SortedWhateverTheListOrder",
                  {"b:1", "B", "a", "Apfel:x", "c:", "New Command", "new Command"},
                  "Dev(0){a(3) Apfel(-1)[x(4)] b(-1)[1(1)] B(2) c(5) New Command(6) new "
                  "Command(7)}"}),
    [](const ::testing::TestParamInfo<ShapeCase>& info) { return std::string(info.param.name); });

class CommandTree : public ::testing::Test {
protected:
    CommandTree() {
        EXPECT_TRUE(doc.SetDeviceField(DeviceFieldId::Description, "Dev"));
        doc.SetModifiedFlag(false);
    }
    ~CommandTree() override { QLocale::setDefault(m_oLocale); }

    ScriptedPlatform platform;
    TestApplication app;
    CTesselDoc doc;

private:
    QLocale m_oLocale;
};

// What the walk over the device item's children gives, item by item, for a list of
// names: each command goes under every child whose label is its category, or into a
// new category, or, without a label, directly under the device item; the device
// item's children are then sorted, equal labels in list order.
struct Node {
    QString label;
    int data;
    std::vector<Node> children;
};

std::string Describe(const Node& node) {
    std::string out = QtText::ToUtf8(node.label) + "(" + std::to_string(node.data) + ")";
    if (!node.children.empty()) {
        out += "[";
        for (std::size_t i = 0; i < node.children.size(); ++i) {
            out += (i > 0 ? " " : "") + Describe(node.children[i]);
        }
        out += "]";
    }
    return out;
}

std::string WalkedShape(const std::vector<std::string>& names) {
    Node device{"Dev", 0, {}};
    for (std::size_t i = 0; i < names.size(); ++i) {
        const int data = static_cast<int>(i) + 1;
        const std::string& name = names[i];
        const std::size_t colon = name.find(':');
        const QString category = QtText::FromModel(name.substr(0, colon));
        QString label;
        if (colon != std::string::npos) {
            std::string rest = name.substr(colon + 1);
            rest.erase(std::remove(rest.begin(), rest.end(), ':'), rest.end());
            label = QtText::FromModel(rest);
        }
        if (label.isEmpty()) {
            device.children.push_back({category, data, {}});
            continue;
        }
        bool matched = false;
        for (Node& child : device.children) {
            if (child.label == category) {
                child.children.push_back({label, data, {}});
                matched = true;
            }
        }
        if (!matched) {
            device.children.push_back({category, -1, {{label, data, {}}}});
        }
    }
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(
        device.children.begin(), device.children.end(),
        [&](const Node& a, const Node& b) { return collator.compare(a.label, b.label) < 0; });
    return Describe(device);
}

} // namespace

TEST_F(CommandTree, FillingAndExtendingGiveWhatTheWalkGives) {
    // Short names over a few letters, in both cases and with a code-page letter, so
    // that categories, labels and commands without a label collide often.
    std::mt19937 random(20260107);
    const std::string letters[] = {"a", "A", "b", "\xe4", ":", ":"};
    for (int round = 0; round < 25; ++round) {
        std::vector<std::string> names;
        const int count = static_cast<int>(random() % 30);
        for (int i = 0; i < count; ++i) {
            std::string name;
            const int length = static_cast<int>(random() % 5);
            for (int c = 0; c < length; ++c) {
                name += letters[random() % std::size(letters)];
            }
            names.push_back(name);
        }
        CTesselDoc filled;
        ASSERT_TRUE(filled.SetDeviceField(DeviceFieldId::Description, "Dev"));
        AppendCommands(filled, names);
        TreeWindow fill(filled, app);
        CTesselDoc extended;
        ASSERT_TRUE(extended.SetDeviceField(DeviceFieldId::Description, "Dev"));
        TreeWindow extend(extended, app);
        AppendCommands(extended, names);

        const std::string expected = WalkedShape(names);
        EXPECT_EQ(fill.Shape(false), expected) << "round " << round;
        EXPECT_EQ(extend.Shape(false), expected) << "round " << round;
    }
}

TEST_F(CommandTree, SortsByTheUsersLanguage) {
    const std::vector<std::string> names = {"zebra", "\xe4rger", "Apfel", "b"};
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    {
        AppendCommands(doc, names);
        TreeWindow window(doc, app);
        EXPECT_EQ(window.Shape(), "Dev(0){Apfel(3) \xc3\xa4rger(2) b(4) zebra(1)}");
    }
    // Swedish sorts its letter ä after z.
    QLocale::setDefault(QLocale(QLocale::Swedish, QLocale::Sweden));
    TreeWindow window(doc, app);
    EXPECT_EQ(window.Shape(), "Dev(0){Apfel(3) b(4) zebra(1) \xc3\xa4rger(2)}");
}

TEST_F(CommandTree, ShowsTheCodePagesLettersAndAnEmptyDescription) {
    ASSERT_TRUE(doc.SetDeviceField(DeviceFieldId::Description, ""));
    AppendCommands(doc, {"Licht:Hell\xe4", "\x80uro"});
    TreeWindow window(doc, app);
    EXPECT_EQ(window.Shape(), "(0){Licht(-1)[Hell\xc3\xa4(1)] \xe2\x82\xacuro(2)}");
}

TEST_F(CommandTree, SelectingAnItemShowsItsRecord) {
    AppendCommands(doc, {"Video:Play", "Video:Stop", "Lamp"});
    TreeWindow window(doc, app);
    EXPECT_EQ(window.Right().GetItem(), -1);
    window.Select(window.Device());
    EXPECT_EQ(window.Right().GetItem(), 0);
    window.Select(window.Item({"Video", "Stop"}));
    EXPECT_EQ(window.Right().GetItem(), 2);
    window.Select(window.Item({"Lamp"}));
    EXPECT_EQ(window.Right().GetItem(), 3);
    window.Select(window.Item({"Video"}));
    EXPECT_EQ(window.Right().GetItem(), -1);

    // A rebuilt tree selects nothing and tells the view nothing.
    window.Select(window.Item({"Lamp"}));
    ASSERT_TRUE(doc.SetCommandField(0, CommandFieldId::Name, "Video:Pause"));
    EXPECT_TRUE(window.Tree().selectedItems().isEmpty());
    EXPECT_EQ(window.Right().GetItem(), 3);
    EXPECT_EQ(window.Shape(), "Dev(0){Lamp(3) Video(-1)[Pause(1) Stop(2)]}");
}

// As after opening: the device item current (the focus makes it so) and nothing
// selected. The first moving key or Space selects, even where the item stays.
TEST_F(CommandTree, TheFirstKeySelectsWhereItLandsOrStands) {
    AppendCommands(doc, {"Video:Play", "Lamp"});
    for (Qt::Key key : {Qt::Key_Home, Qt::Key_Space, Qt::Key_Up, Qt::Key_Down}) {
        TreeWindow window(doc, app);
        QTreeWidget& tree = window.Tree();
        EXPECT_TRUE(tree.selectedItems().isEmpty()) << "the program selects nothing itself";
        tree.selectionModel()->setCurrentIndex(tree.model()->index(0, 0),
                                               QItemSelectionModel::NoUpdate);
        QTest::keyClick(&tree, key);
        QTreeWidgetItem* expected = key == Qt::Key_Down ? window.Item({"Lamp"}) : window.Device();
        EXPECT_EQ(tree.selectedItems(), QList<QTreeWidgetItem*>{expected}) << key;
        EXPECT_EQ(window.Right().GetItem(), key == Qt::Key_Down ? 2 : 0) << key;
    }
}

TEST_F(CommandTree, FollowsRenamesButNoOtherFieldChange) {
    AppendCommands(doc, {"Video:Play", "Lamp"});
    TreeWindow window(doc, app);
    window.Item({"Video"})->setExpanded(true);
    window.Select(window.Item({"Video", "Play"}));

    // Another field leaves the tree as it is, selection and expansion included.
    ASSERT_TRUE(doc.SetCommandField(0, CommandFieldId::Description, "Starts"));
    ASSERT_TRUE(doc.SetDeviceField(DeviceFieldId::Maker, "Acme"));
    EXPECT_EQ(window.Shape(), "Dev(0){Lamp(2) Video(-1){Play(1)}}");
    EXPECT_EQ(window.Tree().currentItem(), window.Item({"Video", "Play"}));
    EXPECT_TRUE(window.Item({"Video", "Play"})->isSelected());

    ASSERT_TRUE(doc.SetDeviceField(DeviceFieldId::Description, "Switcher"));
    EXPECT_EQ(window.Shape(), "Switcher(0){Lamp(2) Video(-1)[Play(1)]}");
    ASSERT_TRUE(doc.SetCommandField(1, CommandFieldId::Name, "Video:Lamp"));
    EXPECT_EQ(window.Shape(), "Switcher(0){Video(-1)[Play(1) Lamp(2)]}");
}

TEST_F(CommandTree, IsTextOnlyWithoutEditingDraggingOrContextMenu) {
    AppendCommands(doc, {"Video:Play"});
    TreeWindow window(doc, app);
    QTreeWidget& tree = window.Tree();
    EXPECT_TRUE(tree.isHeaderHidden());
    EXPECT_TRUE(tree.rootIsDecorated());
    EXPECT_EQ(tree.editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(tree.dragDropMode(), QAbstractItemView::NoDragDrop);
    EXPECT_EQ(tree.contextMenuPolicy(), Qt::PreventContextMenu);
    EXPECT_EQ(tree.selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_TRUE(tree.expandsOnDoubleClick());
    EXPECT_TRUE(window.Item({"Video", "Play"})->icon(0).isNull());
    // The pane hands the focus to its tree.
    EXPECT_EQ(window.Left().focusProxy(), &tree);
}

// The buttons: a boxed plus on a collapsed item, a minus once it is expanded.
TEST_F(CommandTree, DrawsAPlusOrMinusBoxBesideAnItemWithChildren) {
    AppendCommands(doc, {"Video:Play", "Lamp"});
    TreeWindow window(doc, app);
    QTreeWidget& tree = window.Tree();
    QTreeWidgetItem* video = window.Item({"Video"});
    auto signAt = [&](int dx, int dy) {
        const QImage image = tree.viewport()->grab().toImage();
        const QRect row = tree.visualItemRect(video);
        const int midX = row.left() - tree.indentation() + tree.indentation() / 2;
        const int midY = row.top() + row.height() / 2;
        const QColor text = tree.palette().color(QPalette::Text);
        return image.pixelColor(image.devicePixelRatio() * QPoint(midX + dx, midY + dy)) == text;
    };
    EXPECT_TRUE(signAt(-2, 0));
    EXPECT_TRUE(signAt(0, -2));
    video->setExpanded(true);
    EXPECT_TRUE(signAt(-2, 0));
    EXPECT_FALSE(signAt(0, -2));
    EXPECT_FALSE(signAt(0, 0) && signAt(0, -2)) << "no vertical stroke";
}

TEST_F(CommandTree, IsReadableThroughAccessibility) {
    AppendCommands(doc, {"Video:Play", "Video:Stop", "Lamp"});
    TreeWindow window(doc, app);
    QAccessibleInterface* tree = QAccessible::queryAccessibleInterface(&window.Tree());
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(tree->role(), QAccessible::Tree);
    EXPECT_EQ(tree->text(QAccessible::Name), "Commands");
    // The hidden header is either not listed or listed as invisible, with a name.
    ASSERT_GT(tree->childCount(), 0);
    QAccessibleInterface* first = tree->child(0);
    if (first->role() == QAccessible::ColumnHeader) {
        EXPECT_TRUE(first->state().invisible);
        EXPECT_EQ(first->text(QAccessible::Name), "Commands");
    } else {
        EXPECT_EQ(first->text(QAccessible::Name), "Dev");
    }
    QAccessibleTableInterface* rows = tree->tableInterface();
    ASSERT_NE(rows, nullptr);
    // The shown items, one row each.
    auto shown = [&] {
        // As a screen reader asks: once the tree has laid out its change.
        QApplication::processEvents();
        std::vector<std::string> out;
        for (int row = 0; row < rows->rowCount(); ++row) {
            QAccessibleInterface* cell = rows->cellAt(row, 0);
            if (cell == nullptr) {
                out.push_back("?");
                continue;
            }
            QAccessible::State state = cell->state();
            out.push_back(QtText::ToUtf8(cell->text(QAccessible::Name)) +
                          (state.expandable ? (state.expanded ? " expanded" : " collapsed") : ""));
        }
        return out;
    };
    EXPECT_EQ(shown(), (std::vector<std::string>{"Dev expanded", "Lamp", "Video collapsed"}));
    window.Item({"Video"})->setExpanded(true);
    EXPECT_EQ(shown(),
              (std::vector<std::string>{"Dev expanded", "Lamp", "Video expanded", "Play", "Stop"}));
}
