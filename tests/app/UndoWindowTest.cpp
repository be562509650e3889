#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTreeWidget>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "AppFixture.h"
#include "ProtocolSnapshot.h"
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "document/CTesselDoc.h"
#include "document/CommandIds.h"
#include "document/QtText.h"
#include "grid/GridArea.h"
#include "model/Command.h"
#include "tree/CLeftView.h"
#include "view/CTesselView.h"
#include "view/PropertyGrid.h"

using namespace CommandId;
using Answer = Platform::Answer;

namespace {

// Undo and Redo in the editor's own windows: two windows on one protocol of three
// commands, driven through their trees, grids, keys and the menus' router.
class UndoWindow : public AppFixture {
protected:
    void SetUp() override {
        Start();
        Frame().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
        m_strPath = TempPath(QStringLiteral("sample.pcl"));
        std::ofstream(m_strPath.toStdString(), std::ios::binary)
            << "[Device]\r\n\r\nDescription=Switcher\r\n\r\n"
               "[Video:Play]\r\nmessage=PLAY\r\nparam1=byte, \"Input\"\r\nbyte1=B1\r\n\r\n"
               "[Lamp:On]\r\nmessage=ON\r\n\r\n"
               "[Full]\r\nmessage=FULL\r\nparam1=byte, \"P1\"\r\n";
        ASSERT_NE(app->OpenDocumentFile(m_strPath), nullptr);
        first = ActiveChild();
        doc = first->GetDocument();
    }

    // A second window on the document, showing the record of `path`.
    void OpenSecondWindow(const std::vector<QString>& path) {
        ASSERT_TRUE(Frame().ExecuteCommand(WindowNew));
        second = ActiveChild();
        ASSERT_NE(second, first);
        ClickItem(second, path);
        Frame().ActivateChildFrame(first);
    }

    static void ClickItem(CChildFrame* frame, const std::vector<QString>& path) {
        QTreeWidgetItem* item = Item(frame, path);
        ASSERT_NE(item, nullptr);
        QTreeWidget& tree = Tree(frame);
        tree.scrollToItem(item);
        QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, tree.visualItemRect(item).center());
        ASSERT_EQ(tree.currentItem(), item);
    }

    static void ClickCell(CChildFrame* frame, int row) {
        PropertyGrid& grid = Grid(frame);
        QTest::mouseClick(grid.GetArea(), Qt::LeftButton, {},
                          grid.GetCellRect(PropertyGrid::kValueColumn, row).center());
        ASSERT_EQ(grid.GetCurrentRow(), row);
    }

    static std::string TreeText(CChildFrame* frame) {
        std::string out;
        std::function<void(QTreeWidgetItem*, int)> walk = [&](QTreeWidgetItem* item, int depth) {
            out += std::string(static_cast<std::size_t>(depth), ' ') +
                   QtText::ToUtf8(item->text(0)) + "\n";
            for (int i = 0; i < item->childCount(); ++i) {
                walk(item->child(i), depth + 1);
            }
        };
        for (int i = 0; i < Tree(frame).topLevelItemCount(); ++i) {
            walk(Tree(frame).topLevelItem(i), 0);
        }
        return out;
    }

    static std::string GridText(CChildFrame* frame) {
        PropertyGrid& grid = Grid(frame);
        std::string out;
        for (int row = 0; row < grid.GetRowCount(); ++row) {
            out += QtText::ToUtf8(grid.GetCellText(0, row)) + "=" +
                   QtText::ToUtf8(grid.GetCellText(1, row)) + "\n";
        }
        return out;
    }

    // Every command item of the tree carries the number of a command it names, so a
    // click shows that command's record.
    void ExpectItemsNameTheirCommands(CChildFrame* frame) const {
        std::function<void(QTreeWidgetItem*)> walk = [&](QTreeWidgetItem* item) {
            const int data = CLeftView::ItemData(item);
            if (data >= 1) {
                const Command* command = doc->GetCommand(data - 1);
                ASSERT_NE(command, nullptr);
                const std::string label = command->GetLabel();
                EXPECT_EQ(QtText::ToUtf8(item->text(0)),
                          label.empty() ? command->GetCategory() : label);
            }
            for (int i = 0; i < item->childCount(); ++i) {
                walk(item->child(i));
            }
        };
        walk(Tree(frame).topLevelItem(0));
    }

    // What the user sees of the document, and the protocol itself. The first
    // window's grid counts only while it shows a record that the action keeps.
    std::string State(bool firstGrid) const {
        return Snapshot(doc->GetProtocol()) + TreeText(first) + TreeText(second) +
               (firstGrid ? GridText(first) : std::string()) + GridText(second);
    }

    QString m_strPath;
    CChildFrame* first = nullptr;
    CChildFrame* second = nullptr;
    CTesselDoc* doc = nullptr;
};

struct ActionCase {
    const char* name;
    bool inTree; // chosen in the tree (Lamp:On) or in the grid (Video:Play)
    int row;     // the grid's current value row for grid actions
    std::function<void()> act;
};

} // namespace

TEST_F(UndoWindow, EveryActionIsUndoneAndRedoneInTheModelTheTreesAndTheGrids) {
    auto key = [](Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        return [k, m] { Key(k, m); };
    };
    auto command = [this](int id) {
        return [this, id] { EXPECT_TRUE(Frame().ExecuteCommand(id)); };
    };
    auto typed = [] {
        Type(QStringLiteral("Lamp:X"));
        Key(Qt::Key_Return);
    };
    const std::vector<ActionCase> cases = {
        {"field edit", false, 5, typed},
        {"name edit", false, 0, typed},
        {"cell cut", false, 9, key(Qt::Key_X, Qt::ControlModifier)},
        {"cell paste", false, 8, key(Qt::Key_V, Qt::ControlModifier)},
        {"delete key", false, 9, key(Qt::Key_Delete)},
        {"new param", false, 9, key(Qt::Key_A, Qt::ControlModifier)},
        {"new byte", false, 9, key(Qt::Key_B, Qt::ControlModifier)},
        {"remove param", false, 7, command(RemoveParam)},
        {"remove byte", false, 8, command(RemoveByte)},
        {"new command", true, -1, key(Qt::Key_M, Qt::ControlModifier)},
        {"command cut", true, -1, key(Qt::Key_X, Qt::ControlModifier)},
        {"command paste", true, -1, key(Qt::Key_V, Qt::ControlModifier)},
        {"remove command", true, -1, command(RemoveCommand)},
    };
    OpenSecondWindow({QStringLiteral("Full")});
    for (const ActionCase& c : cases) {
        SCOPED_TRACE(c.name);
        platform.clipboard = "clipped";
        platform.answers = {Answer::Yes};
        if (c.inTree) {
            ClickItem(second, {QStringLiteral("Full")});
            ClickItem(first, {QStringLiteral("Lamp"), QStringLiteral("On")});
        } else {
            ClickItem(second, {QStringLiteral("Video"), QStringLiteral("Play")});
            ClickItem(first, {QStringLiteral("Video"), QStringLiteral("Play")});
            ClickCell(first, c.row);
        }
        const std::string before = State(!c.inTree);
        c.act();
        const std::string after = State(!c.inTree);
        ASSERT_NE(after, before);
        EXPECT_TRUE(Enabled(EditUndo));
        Key(Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(State(!c.inTree), before);
        ExpectItemsNameTheirCommands(first);
        ExpectItemsNameTheirCommands(second);
        EXPECT_FALSE(Enabled(EditUndo));
        Key(Qt::Key_Y, Qt::ControlModifier);
        EXPECT_EQ(State(!c.inTree), after);
        ExpectItemsNameTheirCommands(second);
        Key(Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(State(!c.inTree), before);
        EXPECT_FALSE(doc->IsModified());
        // The view beside the removed command follows it back to its place.
        EXPECT_EQ(second->GetRightPane()->GetItem(), c.inTree ? 3 : 1);
    }
    EXPECT_EQ(platform.unexpectedQuestions, 0);
    // Remove Command's question, and no message.
    EXPECT_EQ(platform.Texts(),
              std::vector<std::string>{std::string(CLeftView::kRemoveQuestionStart) + "On" +
                                       CLeftView::kRemoveQuestionEnd});
}

TEST_F(UndoWindow, UndoAndRedoAreEnabledWhileThereIsSomethingToTakeBackOrMake) {
    QStringList items = MenuItems(QStringLiteral("Edit"));
    ASSERT_GE(items.size(), 3);
    EXPECT_EQ(items.mid(0, 3), QStringList({"&Undo\tCtrl+Z", "&Redo\tCtrl+Y", "-"}));
    EXPECT_EQ(Frame().Action(EditRedo)->statusTip(), "Redo the previously undone action");
    EXPECT_FALSE(Enabled(EditUndo));
    EXPECT_FALSE(Enabled(EditRedo));

    ClickItem(first, {QStringLiteral("Full")});
    Key(Qt::Key_A, Qt::ControlModifier);
    MenuItems(QStringLiteral("Edit"));
    EXPECT_TRUE(Enabled(EditUndo));
    EXPECT_FALSE(Enabled(EditRedo));
    // Whichever pane is active, Undo reaches the document.
    ClickItem(first, {QStringLiteral("Video"), QStringLiteral("Play")});
    ASSERT_EQ(first->GetActiveView(), first->GetLeftPane());
    Key(Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(doc->GetCommand(2)->m_nParams, 1);
    MenuItems(QStringLiteral("Edit"));
    EXPECT_FALSE(Enabled(EditUndo));
    EXPECT_TRUE(Enabled(EditRedo));
    Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(doc->GetCommand(2)->m_nParams, 2);
    // A new action drops what was undone.
    Key(Qt::Key_Z, Qt::ControlModifier);
    Key(Qt::Key_M, Qt::ControlModifier);
    MenuItems(QStringLiteral("Edit"));
    EXPECT_TRUE(Enabled(EditUndo));
    EXPECT_FALSE(Enabled(EditRedo));
}

TEST_F(UndoWindow, UndoingBackToTheSavedStateClearsTheMarkAndClosingAsksNothing) {
    auto expectMarked = [this](bool marked) {
        const QString mark = marked ? QStringLiteral("[*]") : QString();
        EXPECT_EQ(doc->IsModified(), marked);
        EXPECT_EQ(first->windowTitle(), "sample.pcl" + mark);
        EXPECT_EQ(first->isWindowModified(), marked);
        EXPECT_EQ(Frame().windowTitle(), "Tessel - sample.pcl" + mark);
        EXPECT_EQ(Frame().isWindowModified(), marked);
    };
    expectMarked(false);
    // New Command leaves the flag as it was; naming the command marks the document.
    ClickItem(first, {QStringLiteral("Full")});
    Key(Qt::Key_M, Qt::ControlModifier);
    expectMarked(false);
    ClickItem(first, {QStringLiteral("New Command")});
    ClickCell(first, 0);
    Type(QStringLiteral("Lamp:Off"));
    Key(Qt::Key_Return);
    expectMarked(true);
    Key(Qt::Key_Z, Qt::ControlModifier);
    expectMarked(false);
    Key(Qt::Key_Y, Qt::ControlModifier);
    expectMarked(true);

    // Save marks the saved state: undoing away from it marks, redoing back clears.
    ASSERT_TRUE(Frame().ExecuteCommand(FileSave));
    expectMarked(false);
    Key(Qt::Key_Z, Qt::ControlModifier);
    expectMarked(true);
    Key(Qt::Key_Y, Qt::ControlModifier);
    expectMarked(false);

    // A value stored as it was marks the document all the same, as a step of its own.
    ClickCell(first, 0);
    Type(QStringLiteral("Lamp:Off"));
    Key(Qt::Key_Return);
    expectMarked(true);
    Key(Qt::Key_Z, Qt::ControlModifier);
    expectMarked(false);

    ClickCell(first, 7);
    Key(Qt::Key_Delete);
    expectMarked(true);
    Key(Qt::Key_Z, Qt::ControlModifier);
    ASSERT_TRUE(Frame().ExecuteCommand(FileClose));
    EXPECT_EQ(platform.unexpectedQuestions, 0);
    EXPECT_EQ(ActiveChild(), nullptr);
}

TEST_F(UndoWindow, AnOpenEditIsStoredThenUndoneByOneCtrlZ) {
    OpenSecondWindow({QStringLiteral("Lamp"), QStringLiteral("On")});
    ClickItem(first, {QStringLiteral("Lamp"), QStringLiteral("On")});
    ClickCell(first, 7);
    Type(QStringLiteral("OFF"));
    ASSERT_TRUE(Grid(first).IsEditing());
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(Grid(first).IsEditing());
    EXPECT_EQ(doc->GetCommand(1)->m_strMessage, "ON");
    EXPECT_EQ(Grid(first).GetCellText(1, 7), "ON");
    EXPECT_FALSE(doc->IsModified());
    Key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(doc->GetCommand(1)->m_strMessage, "OFF");
    EXPECT_EQ(Grid(first).GetCellText(1, 7), "OFF");
    EXPECT_EQ(Grid(second).GetCellText(1, 7), "OFF");
}
