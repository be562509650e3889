#include "AppFixture.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSplitter>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QWhatsThis>
#include <algorithm>

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/HelpWindow.h"
#include "app/LockKeyState.h"
#include "document/CTesselDoc.h"
#include "document/CommandIds.h"
#include "tree/CLeftView.h"
#include "view/CTesselView.h"

using namespace CommandId;

namespace {

class Frames : public AppFixture {
protected:
    // A started editor with one new document, its window active and focused.
    CChildFrame& StartWithDocument() {
        Start();
        Frame().ExecuteCommand(FileNew);
        Frame().activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&Frame()));
        CChildFrame* child = ActiveChild();
        EXPECT_NE(child, nullptr);
        child->GetLeftPane()->setFocus();
        return *child;
    }
};

} // namespace

TEST_F(Frames, UndoIsAlwaysDisabledAndItemsNobodyHandlesAreDisabled) {
    CChildFrame& child = StartWithDocument();
    MenuItems("Edit");
    EXPECT_FALSE(Enabled(EditUndo));
    // The tree is active with no item selected; Remove Param and Remove Byte are the
    // property view's alone.
    for (int id : {EditCut, EditCopy, RemoveCommand, RemoveParam, RemoveByte}) {
        EXPECT_FALSE(Enabled(id)) << id;
    }
    // New Param and New Byte have no rule: they are there while a document window is,
    // and so is printing, which belongs to the window whichever pane is active.
    for (int id : {FileSave, FileSaveAs, FileClose, WindowNew, WindowCascade, WindowTile, EditPaste,
                   NewCommand, NewParam, NewByte, FilePrint, FilePrintPreview}) {
        EXPECT_TRUE(Enabled(id)) << id;
    }
    // Undo from its keys runs nothing either.
    child.GetLeftPane()->Commands().Add(
        EditUndo, [](int) { FAIL() << "Undo ran"; }, [](int) { return false; });
    QTest::keyClick(child.GetLeftPane(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(child.GetLeftPane(), Qt::Key_Backspace, Qt::AltModifier);
}

TEST_F(Frames, TheActivePaneGetsCopyCutPasteAndItsRemoveCommand) {
    CChildFrame& child = StartWithDocument();
    std::vector<std::string> ran;
    auto record = [&ran](const std::string& who) {
        return [&ran, who](int id) { ran.push_back(who + ":" + std::to_string(id)); };
    };
    for (int id : {EditCopy, EditCut, EditPaste}) {
        child.GetLeftPane()->Commands().Add(id, record("tree"));
        child.GetRightPane()->Commands().Add(id, record("view"));
    }
    child.GetLeftPane()->Commands().Add(RemoveCommand, record("tree"));
    for (int id : {FilePrint, FilePrintPreview}) {
        child.Commands().Add(id, record("window"));
    }
    bool paramRemovable = false;
    child.GetRightPane()->Commands().Add(RemoveParam, record("view"),
                                         [&](int) { return paramRemovable; });

    QTest::keyClick(child.GetLeftPane(), Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(child.GetLeftPane(), Qt::Key_Insert, Qt::ControlModifier);
    QTest::keyClick(child.GetLeftPane(), Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_TRUE(Enabled(RemoveCommand));
    EXPECT_FALSE(Enabled(RemoveParam));

    child.GetRightPane()->setFocus();
    EXPECT_EQ(child.GetActiveView(), child.GetRightPane());
    QTest::keyClick(child.GetRightPane(), Qt::Key_Insert, Qt::ShiftModifier);
    QTest::keyClick(child.GetRightPane(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_FALSE(Enabled(RemoveCommand));
    EXPECT_FALSE(Enabled(RemoveParam));
    EXPECT_FALSE(Frame().ExecuteCommand(RemoveParam)); // its rule says no
    paramRemovable = true;
    Frame().UpdateCommandUi();
    EXPECT_TRUE(Enabled(RemoveParam));
    Frame().ExecuteCommand(RemoveParam);
    QTest::keyClick(child.GetRightPane(), Qt::Key_P, Qt::ControlModifier);
    Frame().ExecuteCommand(FilePrintPreview);
    // Printing is the window's, also while the tree is active.
    child.GetLeftPane()->setFocus();
    EXPECT_TRUE(Enabled(FilePrint));
    QTest::keyClick(child.GetLeftPane(), Qt::Key_P, Qt::ControlModifier);

    EXPECT_EQ(ran, (std::vector<std::string>{"tree:57634", "tree:57634", "tree:57635", "view:57637",
                                             "view:57635", "view:32775", "window:57607",
                                             "window:57609", "window:57607"}));
}

// A pane's selection or current cell is its own: when it changes what a command's rule
// says, the pane says so and the menus and buttons follow, without the document.
TEST_F(Frames, APanesOwnStateReachesTheMenusThroughItsWindow) {
    CChildFrame& child = StartWithDocument();
    bool removable = false;
    child.GetLeftPane()->Commands().Add(
        RemoveCommand, [](int) {}, [&](int) { return removable; });
    Frame().UpdateCommandUi();
    EXPECT_FALSE(Enabled(RemoveCommand));
    QSignalSpy modified(child.GetDocument(), &DocumentBase::ModifiedChanged);
    removable = true;
    emit child.GetLeftPane()->CommandStateChanged();
    EXPECT_TRUE(Enabled(RemoveCommand));
    EXPECT_EQ(modified.count(), 0);
}

TEST_F(Frames, NewCommandGoesToTheTreeAndNewParamToThePropertyViewWhicheverIsActive) {
    CChildFrame& child = StartWithDocument();
    std::vector<std::string> ran;
    child.GetLeftPane()->Commands().Add(NewCommand, [&](int) { ran.push_back("tree"); });
    child.GetRightPane()->Commands().Add(NewParam, [&](int) { ran.push_back("param"); });
    child.GetRightPane()->Commands().Add(NewByte, [&](int) { ran.push_back("byte"); });
    Frame().UpdateCommandUi();
    EXPECT_TRUE(Enabled(NewCommand));
    EXPECT_TRUE(Enabled(NewParam));

    QTest::keyClick(child.GetLeftPane(), Qt::Key_M, Qt::ControlModifier);
    QTest::keyClick(child.GetLeftPane(), Qt::Key_A, Qt::ControlModifier);
    child.GetRightPane()->setFocus();
    QTest::keyClick(child.GetRightPane(), Qt::Key_M, Qt::ControlModifier);
    QTest::keyClick(child.GetRightPane(), Qt::Key_B, Qt::ControlModifier);
    EXPECT_EQ(ran, (std::vector<std::string>{"tree", "param", "tree", "byte"}));
}

TEST_F(Frames, F6MovesTheFocusBetweenThePanes) {
    CChildFrame& child = StartWithDocument();
    ASSERT_TRUE(child.GetLeftPane()->hasFocus());
    QTest::keyClick(child.GetLeftPane(), Qt::Key_F6);
    EXPECT_TRUE(child.GetRightPane()->hasFocus());
    EXPECT_EQ(child.GetActiveView(), child.GetRightPane());
    QTest::keyClick(child.GetRightPane(), Qt::Key_F6);
    EXPECT_TRUE(child.GetLeftPane()->hasFocus());
    QTest::keyClick(child.GetLeftPane(), Qt::Key_F6, Qt::ShiftModifier);
    EXPECT_TRUE(child.GetRightPane()->hasFocus());
    QTest::keyClick(child.GetRightPane(), Qt::Key_F6, Qt::ShiftModifier);
    EXPECT_TRUE(child.GetLeftPane()->hasFocus());
}

TEST_F(Frames, TheSplitterGivesTheTree200PixelsAndThePropertyViewTheRest) {
    CChildFrame& child = StartWithDocument();
    QSplitter* splitter = child.GetSplitter();
    ASSERT_EQ(splitter->count(), 2);
    EXPECT_EQ(splitter->orientation(), Qt::Horizontal);
    EXPECT_EQ(splitter->widget(0), child.GetLeftPane());
    EXPECT_EQ(splitter->widget(1), child.GetRightPane());
    EXPECT_EQ(child.GetLeftPane()->width(), 200);
    EXPECT_EQ(child.GetLeftPane()->height(), child.GetRightPane()->height());
    child.resize(child.width() + 150, child.height());
    EXPECT_EQ(child.GetLeftPane()->width(), 200);
    EXPECT_EQ(child.GetRightPane()->width(), splitter->width() - 200 - splitter->handleWidth());
    // The tree found its partner at the first update.
    EXPECT_EQ(child.GetLeftPane()->m_pRightView, child.GetRightPane());
    EXPECT_EQ(child.GetRightPane()->GetItem(), -1);
}

TEST_F(Frames, NewWindowNumbersTheWindowsOfADocument) {
    CChildFrame& first = StartWithDocument();
    ASSERT_TRUE(Frame().ExecuteCommand(WindowNew));
    std::vector<CChildFrame*> frames = Frame().ChildFrames();
    ASSERT_EQ(frames.size(), 2u);
    CChildFrame* second = frames[1];
    EXPECT_EQ(second->GetDocument(), first.GetDocument());
    EXPECT_NE(second->GetLeftPane(), first.GetLeftPane());
    EXPECT_EQ(first.windowTitle(), "Tessel1:1");
    EXPECT_EQ(second->windowTitle(), "Tessel1:2");
    EXPECT_EQ(ActiveChild(), second);
    EXPECT_EQ(Frame().windowTitle(), "Tessel - Tessel1");
    EXPECT_EQ(second->GetLeftPane()->GetDocument(), first.GetDocument());

    // Closing one of two windows asks nothing, even with changes.
    first.GetDocument()->SetModifiedFlag();
    EXPECT_TRUE(second->close());
    Settle();
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(app->GetDocuments().size(), 1u);
    EXPECT_EQ(first.windowTitle(), "Tessel1[*]") << "the number goes, the modified mark stays";
    EXPECT_EQ(Frame().ChildFrames(), std::vector<CChildFrame*>{&first});
}

TEST_F(Frames, TheMainTitleAndMenusFollowTheDocumentWindowWhileAnotherWindowHasTheFocus) {
    StartWithDocument();
    Frame().ExecuteCommand(FileNew);
    ASSERT_EQ(Frame().windowTitle(), "Tessel - Tessel2");
    auto expectDocumentShown = [this](const char* when) {
        ASSERT_FALSE(Frame().isActiveWindow()) << when;
        EXPECT_EQ(Frame().windowTitle(), "Tessel - Tessel2") << when;
        EXPECT_EQ(MenuTitles(), (QStringList{"File", "Edit", "View", "Window", "Help"})) << when;
        ASSERT_NE(ActiveChild(), nullptr) << when;
        EXPECT_EQ(ActiveChild()->windowTitle(), "Tessel2") << when;
        EXPECT_TRUE(Enabled(FileSave)) << when;
    };

    // Another program takes the focus: the editor as a whole is deactivated first,
    // then its window.
    QEvent deactivate(QEvent::ApplicationDeactivate);
    QCoreApplication::sendEvent(qApp, &deactivate);
    QApplication::setActiveWindow(nullptr);
    expectDocumentShown("another program");
    Frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    EXPECT_EQ(Frame().windowTitle(), "Tessel - Tessel2");

    // Another window of the editor's own, as help is.
    QWidget other;
    other.setWindowTitle("Help");
    other.resize(200, 100);
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    expectDocumentShown("own window");
    // A change of title while away shows at once.
    ActiveChild()->GetDocument()->SetTitle("Renamed.pcl");
    EXPECT_EQ(Frame().windowTitle(), "Tessel - Renamed.pcl");

    Frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    EXPECT_EQ(Frame().windowTitle(), "Tessel - Renamed.pcl");
    EXPECT_EQ(ActiveChild(), Frame().ChildFrames().at(1));
}

TEST_F(Frames, ClosingAWindowGoesBackToTheOneUsedBeforeIt) {
    StartWithDocument();
    Frame().ExecuteCommand(FileNew);
    Frame().ExecuteCommand(FileNew);
    std::vector<CChildFrame*> frames = Frame().ChildFrames();
    ASSERT_EQ(frames.size(), 3u);
    Frame().ActivateChildFrame(frames[1]);
    Frame().ActivateChildFrame(frames[2]);
    EXPECT_TRUE(frames[2]->close());
    Settle();
    EXPECT_EQ(ActiveChild(), frames[1]);
    EXPECT_EQ(Frame().windowTitle(), "Tessel - Tessel2");
    // And on from there, through the history rather than the order of opening.
    Frame().ActivateChildFrame(frames[0]);
    Frame().ActivateChildFrame(frames[1]);
    Frame().ExecuteCommand(FileClose);
    Settle();
    EXPECT_EQ(ActiveChild(), frames[0]);
}

TEST_F(Frames, HighlightedDisabledMenuItemsShowTheirPrompts) {
    StartWithDocument();
    QMenu* edit = Menu("Edit");
    ASSERT_NE(edit, nullptr);
    edit->popup(Frame().mapToGlobal(QPoint(20, 20)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(edit));
    QAction* undo = Frame().Action(EditUndo);
    QRect undoRow = edit->actionGeometry(undo);
    // A point of the row away from its text, where only a highlight can show.
    QPoint blank(undoRow.right() - 4, undoRow.center().y());
    QColor plain = edit->grab().toImage().pixelColor(blank);
    QTest::keyClick(edit, Qt::Key_Down);
    ASSERT_FALSE(undo->isEnabled());
    EXPECT_EQ(edit->activeAction(), undo);
    EXPECT_EQ(Frame().statusBar()->currentMessage(), "Undo the last action");
    EXPECT_NE(edit->grab().toImage().pixelColor(blank), plain);
    QTest::keyClick(edit, Qt::Key_Down);
    EXPECT_EQ(edit->activeAction(), Frame().Action(EditRedo));
    EXPECT_EQ(Frame().statusBar()->currentMessage(), "Redo the previously undone action");
    // The arrow keys go on past the separator to Cut, enabled or not.
    QTest::keyClick(edit, Qt::Key_Down);
    EXPECT_EQ(edit->activeAction(), Frame().Action(EditCut));
    EXPECT_EQ(Frame().statusBar()->currentMessage(),
              "Cut the selection and put it on the Clipboard");
    EXPECT_EQ(edit->grab().toImage().pixelColor(blank), plain);
    edit->hide();
    EXPECT_TRUE(Frame().statusBar()->currentMessage().isEmpty());
    EXPECT_TRUE(Frame().GetMessagePane()->isVisible());
}

TEST_F(Frames, AMaximisedWindowShowsItsTitleInTheMainTitle) {
    CChildFrame& child = StartWithDocument();
    child.showMaximized();
    EXPECT_EQ(Frame().windowTitle(), "Tessel - [Tessel1]");
    child.showNormal();
    EXPECT_EQ(Frame().windowTitle(), "Tessel - Tessel1");
}

TEST_F(Frames, CascadeGivesEveryWindowAUsableSizeInsideTheWorkspace) {
    StartWithDocument();
    for (int count : {2, 4}) {
        while (Frame().ChildFrames().size() < static_cast<std::size_t>(count)) {
            Frame().ExecuteCommand(FileNew);
        }
        std::vector<CChildFrame*> frames = Frame().ChildFrames();
        // Start from a muddle: one window tiny, one maximised, the first one active.
        frames[0]->resize(120, 30);
        frames[1]->showMaximized();
        Frame().ActivateChildFrame(frames[0]);
        Frame().ExecuteCommand(WindowCascade);

        QRect workspace(QPoint(0, 0), Frame().GetMdiArea()->viewport()->size());
        std::vector<QRect> places;
        for (CChildFrame* frame : frames) {
            EXPECT_FALSE(frame->isMaximized());
            EXPECT_TRUE(workspace.contains(frame->geometry())) << count;
            places.push_back(frame->geometry());
        }
        std::sort(places.begin(), places.end(),
                  [](const QRect& a, const QRect& b) { return a.y() < b.y(); });
        int step = places[1].y() - places[0].y();
        ASSERT_GT(step, 10);
        QSize expected =
            (workspace.size() - QSize(step, step) * (count - 1)).boundedTo(frames[0]->sizeHint());
        for (int i = 0; i < count; ++i) {
            EXPECT_EQ(places[i].topLeft(), QPoint(step, step) * i) << count;
            EXPECT_EQ(places[i].size(), expected) << count;
        }
        EXPECT_GE(expected.height(), workspace.height() / 2);
        // The window the user was in stays active, in front, at the last step.
        EXPECT_EQ(ActiveChild(), frames[0]);
        EXPECT_EQ(frames[0]->geometry(), places.back());
        EXPECT_EQ(Frame().GetMdiArea()->subWindowList(QMdiArea::StackingOrder).constLast(),
                  frames[0]);
    }
}

TEST_F(Frames, NewWindowsOpenInsideTheWorkspace) {
    StartWithDocument();
    for (int i = 0; i < 11; ++i) {
        Frame().ExecuteCommand(FileNew);
    }
    QRect workspace(QPoint(0, 0), Frame().GetMdiArea()->viewport()->size());
    std::vector<CChildFrame*> frames = Frame().ChildFrames();
    ASSERT_EQ(frames.size(), 12u);
    for (CChildFrame* frame : frames) {
        EXPECT_TRUE(workspace.contains(frame->geometry()))
            << frame->windowTitle().toStdString() << " at " << frame->y() << " height "
            << frame->height() << " in " << workspace.height();
    }
    EXPECT_EQ(frames[0]->pos(), QPoint(0, 0));
    EXPECT_GT(frames[1]->y(), frames[0]->y());
    EXPECT_FALSE(Frame().GetMdiArea()->verticalScrollBar()->isVisible());
    EXPECT_FALSE(Frame().GetMdiArea()->horizontalScrollBar()->isVisible());
}

TEST_F(Frames, WindowArrangementCommandsLayOutTheWindows) {
    StartWithDocument();
    Frame().ExecuteCommand(FileNew);
    Frame().ExecuteCommand(WindowTile);
    std::vector<CChildFrame*> frames = Frame().ChildFrames();
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_FALSE(frames[0]->geometry().intersects(frames[1]->geometry()));

    frames[0]->showMinimized();
    frames[1]->showMinimized();
    Frame().ExecuteCommand(WindowArrange);
    int bottom = Frame().GetMdiArea()->viewport()->height();
    EXPECT_EQ(frames[0]->geometry().bottom() + 1, bottom);
    EXPECT_EQ(frames[1]->geometry().bottom() + 1, bottom);
    EXPECT_EQ(frames[0]->x(), 0);
    EXPECT_EQ(frames[1]->x(), frames[0]->width());
}

TEST_F(Frames, HelpOpensOurPagesAndF1ShowsThePageOfTheActivePane) {
    CChildFrame& child = StartWithDocument();
    Frame().ExecuteCommand(HelpTopics);
    HelpWindow* help = Frame().GetHelpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->CurrentPage(), "index.html");

    Frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    child.GetRightPane()->setFocus();
    QTest::keyClick(child.GetRightPane(), Qt::Key_F1);
    EXPECT_EQ(help->CurrentPage(), "editing.html#properties");
    Frame().ExecuteCommand(FileClose);
    Settle();
    Frame().ExecuteCommand(HelpCurrent);
    EXPECT_EQ(help->CurrentPage(), "index.html");

    // Every page of the guide is there, and each link leads to one that is.
    for (const char* page : {"index.html", "protocols.html", "editing.html", "keys.html"}) {
        QFile file(HelpWindow::PageUrl(page).toString().replace("qrc:", ":"));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << page;
        QString html = QString::fromUtf8(file.readAll());
        QRegularExpression link("href=\"([a-z]+\\.html)");
        for (const QRegularExpressionMatch& match : link.globalMatch(html)) {
            EXPECT_TRUE(QFile::exists(":/help/" + match.captured(1)))
                << match.captured(1).toStdString();
        }
    }
}

TEST_F(Frames, WhatsThisModeAndTextsForTheButtonsAndPanes) {
    CChildFrame& child = StartWithDocument();
    EXPECT_FALSE(child.GetLeftPane()->whatsThis().isEmpty());
    EXPECT_FALSE(child.GetRightPane()->whatsThis().isEmpty());
    for (QAction* action : Frame().GetToolBar()->actions()) {
        if (!action->isSeparator()) {
            EXPECT_FALSE(action->whatsThis().isEmpty()) << action->toolTip().toStdString();
        }
    }
    QTest::keyClick(child.GetLeftPane(), Qt::Key_F1, Qt::ShiftModifier);
    EXPECT_TRUE(QWhatsThis::inWhatsThisMode());
    QWhatsThis::leaveWhatsThisMode();
}

// What a screen reader is told: names without the shortcut (which comes as the key
// binding), the lock keys' state, and a help window that is a window with a named bar.
TEST_F(Frames, AssistiveTechnologyHearsNamesStatesAndWindows) {
    StartWithDocument();
    auto name = [](QObject* object) {
        QAccessibleInterface* item = QAccessible::queryAccessibleInterface(object);
        return item != nullptr ? item->text(QAccessible::Name) : QStringLiteral("?");
    };
    QAccessibleInterface* edit = QAccessible::queryAccessibleInterface(Menu("Edit"));
    ASSERT_NE(edit, nullptr);
    QAccessibleInterface* cut = nullptr;
    for (int i = 0; i < edit->childCount() && cut == nullptr; ++i) {
        if (edit->child(i)->text(QAccessible::Accelerator) == "Ctrl+X") {
            cut = edit->child(i);
        }
    }
    ASSERT_NE(cut, nullptr);
    EXPECT_EQ(cut->text(QAccessible::Name), "Cut");
    EXPECT_EQ(cut->text(QAccessible::Accelerator), "Ctrl+X");
    EXPECT_EQ(name(Frame().GetToolBar()->widgetForAction(Frame().Action(FileNew))), "New");

    auto pane = [&](const char* text) {
        return Frame().statusBar()->findChild<QLabel*>(QString::fromLatin1(text));
    };
    LockKeyState state;
    state.capsLock = true;
    Frame().ShowLockKeys(state);
    EXPECT_EQ(name(pane("CAP")), "Caps Lock on");
    EXPECT_EQ(name(pane("NUM")), "Num Lock off");
    EXPECT_EQ(name(pane("SCRL")), "Scroll Lock off");
    EXPECT_EQ(pane("CAP")->text(), "CAP");

    Frame().ExecuteCommand(HelpTopics);
    HelpWindow* help = Frame().GetHelpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isWindow());
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(help);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->role(), QAccessible::Window);
    EXPECT_EQ(name(help->findChild<QToolBar*>()), "Help Navigation");
}
