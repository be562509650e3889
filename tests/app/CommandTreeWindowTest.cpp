#include "AppFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QTreeWidget>
#include <fstream>
#include <string>
#include <vector>

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "document/CTesselDoc.h"
#include "document/CommandIds.h"
#include "document/QtText.h"
#include "tree/CLeftView.h"
#include "view/CTesselView.h"

using namespace CommandId;
using Answer = Platform::Answer;

namespace {

// The command tree in the editor's own windows, driven by keys through the menus'
// router.
class CommandTreeWindow : public AppFixture {
protected:
    // A started editor, its main window active.
    void StartActive() {
        Start();
        Frame().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    }

    // A protocol of a few commands in the test's folder, opened in a new window.
    CChildFrame* OpenSample(const QString& name = QStringLiteral("sample.pcl")) {
        const QString path = TempPath(name);
        std::ofstream(path.toStdString(), std::ios::binary)
            << "[Device]\r\n\r\nDescription=Switcher\r\n\r\n"
               "[Video:Play]\r\nmessage=PLAY\r\n\r\n"
               "[Lamp:On]\r\nmessage=ON\r\n\r\n"
               "[Video:Stop]\r\nmessage=STOP\r\n";
        EXPECT_NE(app->OpenDocumentFile(path), nullptr);
        return ActiveChild();
    }

    // The tree as label(data) with the children in [ ].
    static std::string Shape(const QTreeWidgetItem* item) {
        std::string out =
            QtText::ToUtf8(item->text(0)) + "(" + std::to_string(CLeftView::ItemData(item)) + ")";
        if (item->childCount() > 0) {
            out += "[";
            for (int i = 0; i < item->childCount(); ++i) {
                out += (i > 0 ? " " : "") + Shape(item->child(i));
            }
            out += "]";
        }
        return out;
    }
    static std::string Shape(CChildFrame* frame) { return Shape(Tree(frame).topLevelItem(0)); }

    static std::vector<std::string> Names(const CTesselDoc* doc) {
        std::vector<std::string> names;
        for (int i = 0; i < doc->GetCommandCount(); ++i) {
            names.push_back(doc->GetCommand(i)->m_strName.str());
        }
        return names;
    }

    // Enabled in the Edit menu as it opens: Cut, Copy, Paste, New Command, Remove Command.
    std::string EditRules() {
        MenuItems("Edit");
        std::string out;
        for (int id : {EditCut, EditCopy, EditPaste, NewCommand, RemoveCommand}) {
            out += Enabled(id) ? "1" : "0";
        }
        return out;
    }
};

} // namespace

TEST_F(CommandTreeWindow, ANewWindowHasTheKeyboardInItsTree) {
    StartActive();
    ASSERT_TRUE(Frame().ExecuteCommand(FileNew));
    CChildFrame* child = ActiveChild();
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(QApplication::focusWidget(), &Tree(child));
    EXPECT_EQ(child->GetActiveView(), child->GetLeftPane());
    EXPECT_EQ(EditRules(), "00110") << "nothing selected yet";

    // Home selects the device item, which the property view then shows.
    Key(Qt::Key_Home);
    EXPECT_EQ(Tree(child).selectedItems().value(0), Tree(child).topLevelItem(0));
    EXPECT_EQ(child->GetRightPane()->GetItem(), 0);
    EXPECT_EQ(EditRules(), "00110") << "the device item has a command";
    Key(Qt::Key_Down);
    EXPECT_EQ(child->GetRightPane()->GetItem(), 1);
    EXPECT_EQ(EditRules(), "11111") << "MessageOut";

    // F6 goes on to the property view, where the tree's commands are not.
    Key(Qt::Key_F6);
    EXPECT_TRUE(child->GetRightPane()->hasFocus());
    EXPECT_EQ(EditRules(), "00010");
    Key(Qt::Key_F6);
    EXPECT_EQ(QApplication::focusWidget(), &Tree(child));

    // An opened file's window starts in its tree too.
    CChildFrame* opened = OpenSample();
    ASSERT_NE(opened, child);
    EXPECT_EQ(QApplication::focusWidget(), &Tree(opened));
}

TEST_F(CommandTreeWindow, TheEditKeysWorkOnCommandsWhileTheTreeIsActive) {
    StartActive();
    CChildFrame* child = OpenSample();
    ASSERT_NE(child, nullptr);
    CTesselDoc* doc = child->GetDocument();
    EXPECT_EQ(Shape(child), "Switcher(0)[Lamp(-1)[On(2)] Video(-1)[Play(1) Stop(3)]]");
    // Home, Down to Lamp, Right to open it, Down to On.
    Key(Qt::Key_Home);
    Key(Qt::Key_Down);
    EXPECT_EQ(EditRules(), "00110") << "a category";
    Key(Qt::Key_Right);
    Key(Qt::Key_Down);
    ASSERT_EQ(child->GetRightPane()->GetItem(), 2);

    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(app->ClipCommand().m_strName, "Lamp:On");
    EXPECT_FALSE(doc->IsModified());
    Key(Qt::Key_V, Qt::ControlModifier);
    Key(Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(Names(doc), (std::vector<std::string>{"Video:Play", "Lamp:On", "Video:Stop",
                                                    "Lamp:On", "Lamp:On"}));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(Shape(child), "Switcher(0)[Lamp(-1)[On(2) On(4) On(5)] Video(-1)[Play(1) Stop(3)]]");
    // The selection stayed on the first On; Shift+Delete cuts it.
    Key(Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(Names(doc),
              (std::vector<std::string>{"Video:Play", "Video:Stop", "Lamp:On", "Lamp:On"}));
    EXPECT_EQ(Shape(child), "Switcher(0)[Lamp(-1)[On(3) On(4)] Video(-1)[Play(1) Stop(2)]]");
    EXPECT_EQ(EditRules(), "00110") << "the tree was built again";

    // Ctrl+Insert copies and Ctrl+X cuts as well. With nothing current the first key
    // starts at the device item.
    Key(Qt::Key_End);
    Key(Qt::Key_End);
    Key(Qt::Key_Right);
    Key(Qt::Key_Down);
    ASSERT_EQ(child->GetRightPane()->GetItem(), 1);
    Key(Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(app->ClipCommand().m_strName, "Video:Play");
    Key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(Names(doc), (std::vector<std::string>{"Video:Stop", "Lamp:On", "Lamp:On"}));
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(CommandTreeWindow, RemoveCommandAsksFirst) {
    StartActive();
    CChildFrame* child = OpenSample();
    CTesselDoc* doc = child->GetDocument();
    Tree(child).setCurrentItem(Item(child, {"Video", "Stop"}));
    EXPECT_EQ(EditRules(), "11111");

    platform.answers = {Answer::No};
    ASSERT_TRUE(Frame().ExecuteCommand(RemoveCommand));
    EXPECT_EQ(platform.Texts(),
              std::vector<std::string>{
                  "Are you sure you want to delete the entire command\n\n\" Stop \" ?\n"});
    EXPECT_EQ(doc->GetCommandCount(), 3);
    EXPECT_FALSE(doc->IsModified());

    platform.answers = {Answer::Yes};
    ASSERT_TRUE(Frame().ExecuteCommand(RemoveCommand));
    EXPECT_EQ(Names(doc), (std::vector<std::string>{"Video:Play", "Lamp:On"}));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(Shape(child), "Switcher(0)[Lamp(-1)[On(2)] Video(-1)[Play(1)]]");
    EXPECT_EQ(EditRules(), "00110");
}

TEST_F(CommandTreeWindow, WhileThePropertyViewIsActiveOnlyNewCommandReachesTheTree) {
    StartActive();
    CChildFrame* child = OpenSample();
    CTesselDoc* doc = child->GetDocument();
    Tree(child).setCurrentItem(Item(child, {"Lamp", "On"}));
    Key(Qt::Key_F6);
    ASSERT_EQ(child->GetActiveView(), child->GetRightPane());
    EXPECT_EQ(EditRules(), "00010");
    Key(Qt::Key_V, Qt::ControlModifier);
    Key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(doc->GetCommandCount(), 3);

    // New Command from either pane; the document stays unmodified, so it closes
    // without asking.
    Key(Qt::Key_M, Qt::ControlModifier);
    Key(Qt::Key_F6);
    Key(Qt::Key_M, Qt::ControlModifier);
    EXPECT_EQ(Names(doc), (std::vector<std::string>{"Video:Play", "Lamp:On", "Video:Stop",
                                                    "New Command", "New Command"}));
    EXPECT_EQ(Shape(child), "Switcher(0)[Lamp(-1)[On(2)] New Command(4) New Command(5) "
                            "Video(-1)[Play(1) Stop(3)]]");
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(Tree(child).selectedItems().value(0), Item(child, {"Lamp", "On"}));
    EXPECT_TRUE(child->close());
    Settle();
    EXPECT_TRUE(app->GetDocuments().empty());
    EXPECT_TRUE(platform.messages.empty());
}

// The item view's own copy of a label to the system clipboard is not there: Copy on
// a group is disabled and does nothing.
TEST_F(CommandTreeWindow, CtrlCOnAGroupLeavesTheSystemClipboardAlone) {
    StartActive();
    CChildFrame* child = OpenSample();
    QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
    Tree(child).setCurrentItem(Item(child, {"Video"}));
    Key(Qt::Key_C, Qt::ControlModifier);
    Key(Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "kept");
    EXPECT_EQ(app->ClipCommand().m_strName, "New Command");
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(CommandTreeWindow, ACommandCopiedInOneDocumentPastesIntoAnother) {
    StartActive();
    CChildFrame* first = OpenSample();
    ASSERT_TRUE(Frame().ExecuteCommand(FileNew));
    CChildFrame* second = ActiveChild();
    ASSERT_NE(second, first);

    Frame().ActivateChildFrame(first);
    Tree(first).setCurrentItem(Item(first, {"Video", "Play"}));
    Key(Qt::Key_C, Qt::ControlModifier);
    Frame().ActivateChildFrame(second);
    ASSERT_EQ(QApplication::focusWidget(), &Tree(second));
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Names(second->GetDocument()), (std::vector<std::string>{"MessageOut", "Video:Play"}));
    EXPECT_TRUE(second->GetDocument()->IsModified());
    EXPECT_FALSE(first->GetDocument()->IsModified());
    EXPECT_EQ(Item(second, {"Video", "Play"}) != nullptr, true);
    EXPECT_EQ(first->GetDocument()->GetCommandCount(), 3);
}

TEST_F(CommandTreeWindow, TwoWindowsOnOneDocumentStayInStep) {
    StartActive();
    CChildFrame* first = OpenSample();
    ASSERT_TRUE(Frame().ExecuteCommand(WindowNew));
    CChildFrame* second = ActiveChild();
    ASSERT_NE(second, first);
    ASSERT_EQ(second->GetDocument(), first->GetDocument());
    CTesselDoc* doc = first->GetDocument();

    // A cut in the second window.
    Tree(second).setCurrentItem(Item(second, {"Video", "Play"}));
    Key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(Shape(first), "Switcher(0)[Lamp(-1)[On(1)] Video(-1)[Stop(2)]]");
    EXPECT_EQ(Shape(second), Shape(first));

    // A paste and a removal in the first.
    Frame().ActivateChildFrame(first);
    Tree(first).setCurrentItem(Item(first, {"Lamp", "On"}));
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Shape(second), "Switcher(0)[Lamp(-1)[On(1)] Video(-1)[Stop(2) Play(3)]]");
    platform.answers = {Answer::Yes};
    ASSERT_TRUE(Frame().ExecuteCommand(RemoveCommand));
    EXPECT_EQ(Names(doc), (std::vector<std::string>{"Video:Stop", "Video:Play"}));
    EXPECT_EQ(Shape(second), "Switcher(0)[Video(-1)[Stop(1) Play(2)]]");
    EXPECT_EQ(Shape(first), Shape(second));

    // Each window's items lead its property view to the right command.
    Frame().ActivateChildFrame(second);
    Tree(second).setCurrentItem(Item(second, {"Video", "Play"}));
    EXPECT_EQ(second->GetRightPane()->GetItem(), 2);
    EXPECT_EQ(EditRules(), "11111");
}
