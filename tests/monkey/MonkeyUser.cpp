// What the random user does: every action goes through the windows as a user's
// would, by clicks, keys and the menus' commands.
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMdiArea>
#include <QTest>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <fstream>
#include <random>

#include "Monkey.h"
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "document/CTesselDoc.h"
#include "document/CommandIds.h"
#include "grid/GridArea.h"
#include "tree/CLeftView.h"
#include "view/CTesselView.h"
#include "view/PropertyGrid.h"

using namespace CommandId;
using Answer = Platform::Answer;
using Kind = MonkeyAction::Kind;

namespace {

// Enough to try every path without the run drowning in windows.
constexpr std::size_t kMaxDocuments = 4;
constexpr std::size_t kMaxWindows = 6;

template <class T> T Pick(const std::vector<T>& from, std::uint32_t number) {
    return from[number % from.size()];
}

// Texts a user types: plain, with the code page's own letters, with characters no
// protocol file can hold, with a line break, and nothing at all.
const std::vector<QString>& Texts() {
    static const std::vector<QString> texts = {
        QStringLiteral("Lamp:On"),
        QStringLiteral("byte, \"Level\""),
        QStringLiteral("@string(param1)"),
        QStringLiteral("42"),
        QString::fromUtf8("Caf\xc3\xa9 \xe2\x82\xac\xc3\xbc\xc3\x9f"),
        QString::fromUtf8("\xe4\xb8\xad\xe6\x96\x87"),
        QString::fromUtf8("\xf0\x9f\x98\x80 smile"),
        QStringLiteral("two\nlines"),
        QString(),
        QStringLiteral("Video:Play"),
        QStringLiteral(" padded"),
        QStringLiteral(";comment"),
        QStringLiteral("Lamp]On"),
    };
    return texts;
}

// What the clipboard holds before a paste: nothing, or one of these.
const std::vector<std::optional<std::string>>& Clips() {
    static const std::vector<std::optional<std::string>> clips = {
        std::nullopt,
        std::string("pasted"),
        std::string(),
        std::string("line\r\nbreak"),
        std::string("\xc3\xa9\xe2\x82\xac \xe4\xb8\xad"),
        std::string("byte, \"P\""),
    };
    return clips;
}

const std::vector<int>& GridKeys() {
    static const std::vector<int> keys = {
        Qt::Key_Up,     Qt::Key_Down,   Qt::Key_Left,     Qt::Key_Right,     Qt::Key_Home,
        Qt::Key_End,    Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Tab,       Qt::Key_Backtab,
        Qt::Key_Return, Qt::Key_Escape, Qt::Key_Delete,   Qt::Key_Backspace, Qt::Key_Down,
    };
    return keys;
}

const std::vector<int>& TreeKeys() {
    static const std::vector<int> keys = {
        Qt::Key_Up,       Qt::Key_Down, Qt::Key_Home,  Qt::Key_End,   Qt::Key_PageUp,
        Qt::Key_PageDown, Qt::Key_Left, Qt::Key_Right, Qt::Key_Space, Qt::Key_Return,
    };
    return keys;
}

// Items the user can see: every parent open.
std::vector<QTreeWidgetItem*> VisibleItems(QTreeWidget& tree) {
    std::vector<QTreeWidgetItem*> items;
    for (QTreeWidgetItemIterator it(&tree); *it != nullptr; ++it) {
        bool shown = true;
        for (QTreeWidgetItem* parent = (*it)->parent(); parent != nullptr;
             parent = parent->parent()) {
            shown = shown && parent->isExpanded();
        }
        if (shown) {
            items.push_back(*it);
        }
    }
    return items;
}

} // namespace

std::vector<CChildFrame*> Monkey::Frames() const {
    return Frame().ChildFrames();
}

void Monkey::PrepareAnswers(const MonkeyAction& action) {
    std::mt19937 random(action.answers);
    platform.answers.clear();
    for (int i = 0; i < 8; ++i) {
        platform.answers.push_back(
            std::array{Answer::Yes, Answer::No, Answer::Cancel}[random() % 3]);
    }
    // A file dialog is cancelled, names one of a few files in the run's folder (which
    // may be open already, or not be a protocol), or a folder.
    platform.fileDialogAnswers.clear();
    for (int i = 0; i < 4; ++i) {
        const unsigned pick = random() % 8;
        platform.fileDialogAnswers.push_back(
            pick == 0 ? std::string()
            : pick == 7
                ? (m_strFolder + QStringLiteral("/not-a-protocol.pcl")).toStdString()
                : (m_strFolder + QStringLiteral("/file%1.pcl").arg(pick % 4)).toStdString());
    }
    platform.unexpectedQuestions = 0;
}

void Monkey::Key(QWidget* widget, int key, Qt::KeyboardModifiers modifiers) {
    if (widget != nullptr) {
        QTest::keyClick(widget, static_cast<Qt::Key>(key), modifiers);
    }
}

QWidget* Monkey::TreeFocus(CChildFrame* frame) {
    QTreeWidget& tree = Tree(frame);
    tree.setFocus(Qt::OtherFocusReason);
    return &tree;
}

QWidget* Monkey::GridFocus(CChildFrame* frame) {
    PropertyGrid& grid = Grid(frame);
    QWidget* focus = QApplication::focusWidget();
    if (focus != nullptr && grid.isAncestorOf(focus) && grid.IsEditing()) {
        return focus;
    }
    grid.GetArea()->setFocus(Qt::OtherFocusReason);
    return grid.GetArea();
}

void Monkey::Perform(const MonkeyAction& action) {
    PrepareAnswers(action);
    if (PerformInPane(action)) {
        Settle();
        return;
    }
    switch (action.kind) {
    case Kind::FileNew:
    case Kind::FileOpen:
    case Kind::FileClose:
    case Kind::FileSave:
    case Kind::FileSaveAs:
    case Kind::WindowNew:
    case Kind::CloseWindow:
    case Kind::ActivateWindow:
    case Kind::ArrangeWindows:
    case Kind::Resize:
    case Kind::NextPane:
    case Kind::MenuCommand:
        PerformFiles(action);
        break;
    case Kind::OutsideChange:
        ChangeOnDisk(action);
        break;
    case Kind::TreeClick:
    case Kind::TreeKey:
    case Kind::NewCommand:
        PerformTree(action);
        break;
    default:
        PerformGrid(action);
        break;
    }
    Settle();
}

bool Monkey::PerformInPane(const MonkeyAction& action) {
    // Actions that are one shortcut (with Ctrl) or one menu command in one pane.
    struct PaneAction {
        Kind kind;
        bool inTree;
        int key; // 0: the command instead
        int command;
    };
    static constexpr PaneAction kPaneActions[] = {
        {Kind::TreeCopy, true, Qt::Key_C, 0},       {Kind::TreeCut, true, Qt::Key_X, 0},
        {Kind::TreePaste, true, Qt::Key_V, 0},      {Kind::RemoveCommand, true, 0, RemoveCommand},
        {Kind::CellCopy, false, Qt::Key_C, 0},      {Kind::CellCut, false, Qt::Key_X, 0},
        {Kind::NewParam, false, Qt::Key_A, 0},      {Kind::NewByte, false, Qt::Key_B, 0},
        {Kind::RemoveParam, false, 0, RemoveParam}, {Kind::RemoveByte, false, 0, RemoveByte},
    };
    for (const PaneAction& pane : kPaneActions) {
        if (pane.kind != action.kind) {
            continue;
        }
        if (CChildFrame* frame = ActiveChild()) {
            QWidget* focus = pane.inTree ? TreeFocus(frame) : GridFocus(frame);
            if (pane.key != 0) {
                Key(focus, pane.key, Qt::ControlModifier);
            } else {
                Frame().ExecuteCommand(pane.command);
            }
        }
        return true;
    }
    return false;
}

void Monkey::PerformFiles(const MonkeyAction& action) {
    const std::vector<CChildFrame*> frames = Frames();
    const std::size_t documents = app->GetDocuments().size();
    switch (action.kind) {
    case Kind::FileNew:
        if (documents < kMaxDocuments) {
            Frame().ExecuteCommand(FileNew);
        }
        break;
    case Kind::FileOpen:
        if (documents < kMaxDocuments) {
            Frame().ExecuteCommand(FileOpen);
        }
        break;
    case Kind::FileClose:
        Frame().ExecuteCommand(FileClose);
        break;
    case Kind::FileSave:
        // From the keyboard or the menu; either stores an open edit first.
        if (action.a % 2 == 0 && QApplication::focusWidget() != nullptr) {
            Key(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
        } else {
            Frame().ExecuteCommand(FileSave);
        }
        break;
    case Kind::FileSaveAs:
        Frame().ExecuteCommand(FileSaveAs);
        break;
    case Kind::WindowNew:
        if (frames.size() < kMaxWindows) {
            Frame().ExecuteCommand(WindowNew);
        }
        break;
    case Kind::CloseWindow:
        if (!frames.empty()) {
            Pick(frames, action.a)->close();
        }
        break;
    case Kind::ActivateWindow:
        if (!frames.empty()) {
            Frame().ActivateChildFrame(Pick(frames, action.a));
        }
        break;
    case Kind::ArrangeWindows:
        Frame().ExecuteCommand(action.a % 2 == 0 ? WindowCascade : WindowTile);
        break;
    case Kind::Resize:
        if (action.a % 3 == 0 || frames.empty()) {
            Frame().resize(500 + static_cast<int>(action.b % 900),
                           350 + static_cast<int>((action.b / 900) % 650));
        } else {
            Pick(frames, action.a)
                ->resize(120 + static_cast<int>(action.b % 700),
                         90 + static_cast<int>((action.b / 700) % 500));
        }
        break;
    case Kind::NextPane:
        Frame().ExecuteCommand(action.a % 2 == 0 ? NextPane : PrevPane);
        break;
    case Kind::MenuCommand: {
        // Printing goes as far as the print dialog, which the user cancels, or the
        // preview; a recent file may be open already, or gone.
        static const std::vector<int> commands = {
            FilePrintPreview,    FilePrint,           FilePrintSetup,  ViewToolbar,
            ViewStatusBar,       WindowArrange,       RecentFileFirst, RecentFileFirst + 1,
            RecentFileFirst + 2, RecentFileFirst + 3,
        };
        Frame().ExecuteCommand(Pick(commands, action.a));
        break;
    }
    default:
        break;
    }
}

void Monkey::ChangeOnDisk(const MonkeyAction& action) {
    std::vector<CTesselDoc*> saved;
    for (CTesselDoc* doc : app->GetDocuments()) {
        if (!doc->GetPathName().empty()) {
            saved.push_back(doc);
        }
    }
    if (saved.empty()) {
        return;
    }
    const std::string path = Pick(saved, action.a)->GetPathName();
    std::string text;
    {
        std::ifstream in(path, std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    ++m_nOutsideChanges;
    switch (action.b % 4) {
    case 0: // another program deletes or moves it
        QFile::remove(QString::fromStdString(path));
        break;
    case 1: // writes it in place
        std::ofstream(path, std::ios::binary | std::ios::app)
            << "\r\n[Outside:" << m_nOutsideChanges << "]\r\nmessage=OUT\r\n";
        break;
    default: { // writes a new file and renames it over the old one
        const std::string written = path + ".new";
        std::ofstream(written, std::ios::binary)
            << (text.empty() ? std::string("[Device]\r\n") : text)
            << "\r\n[Renamed:" << m_nOutsideChanges << "]\r\nmessage=REN\r\n";
        std::rename(written.c_str(), path.c_str());
        break;
    }
    }
    // The editor notices after the file has settled, and tells the document whose
    // window is active.
    const std::size_t before = platform.messages.size();
    if (!QTest::qWaitFor([&] { return platform.messages.size() > before; }, 700)) {
        // Not told now: its window is not the active one, or a dialog is up.
        return;
    }
}

void Monkey::PerformTree(const MonkeyAction& action) {
    CChildFrame* frame = ActiveChild();
    if (frame == nullptr) {
        return;
    }
    QTreeWidget& tree = Tree(frame);
    switch (action.kind) {
    case Kind::TreeClick: {
        const std::vector<QTreeWidgetItem*> items = VisibleItems(tree);
        if (items.empty()) {
            return;
        }
        QTreeWidgetItem* item = Pick(items, action.a);
        tree.scrollToItem(item);
        const QPoint at = tree.visualItemRect(item).center();
        if (action.b % 5 == 0) {
            QTest::mouseDClick(tree.viewport(), Qt::LeftButton, {}, at);
        } else {
            QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, at);
        }
        break;
    }
    case Kind::TreeKey:
        Key(TreeFocus(frame), Pick(TreeKeys(), action.a));
        break;
    case Kind::NewCommand:
        if (action.a % 2 == 0) {
            Key(TreeFocus(frame), Qt::Key_M, Qt::ControlModifier);
        } else {
            Frame().ExecuteCommand(NewCommand);
        }
        break;
    default:
        break;
    }
}

void Monkey::TypeText(CChildFrame* frame, const MonkeyAction& action) {
    const QString text = Pick(Texts(), action.a);
    PropertyGrid& grid = Grid(frame);
    QWidget* target = GridFocus(frame);
    if (text.isEmpty() || action.b % 4 == 0) {
        // Into an editor opened with a double click, its text cleared first.
        if (!grid.IsEditing() && grid.GetRowCount() > 0) {
            const int row = grid.GetCurrentRow() < 0 ? 0 : grid.GetCurrentRow();
            const QRect cell = grid.GetCellRect(PropertyGrid::kValueColumn, row);
            if (cell.isValid()) {
                QTest::mouseDClick(grid.GetArea(), Qt::LeftButton, {}, cell.center());
            }
        }
        target = QApplication::focusWidget();
        Key(target, Qt::Key_A, Qt::ControlModifier);
        Key(target, Qt::Key_Backspace);
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        // A character outside the basic plane arrives as one event with both halves.
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString c = text.mid(i, length);
        i += length - 1;
        QWidget* focus = QApplication::focusWidget();
        if (focus == nullptr || !grid.isAncestorOf(focus)) {
            // A message or a veto took the keys elsewhere: the user stops typing.
            return;
        }
        if (c == QStringLiteral("\n")) {
            Key(focus, Qt::Key_Return);
        } else if (c[0].unicode() < 0x80) {
            QTest::keyClicks(focus, c);
        } else {
            // A character no key of a plain keyboard makes, as an input method sends it.
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, c);
            QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, c);
            QApplication::sendEvent(focus, &press);
            QApplication::sendEvent(focus, &release);
        }
    }
    // Stored with Enter, or left open for whatever comes next.
    if (action.b % 2 == 0 && QApplication::focusWidget() != nullptr) {
        Key(QApplication::focusWidget(), Qt::Key_Return);
    }
}

void Monkey::PerformGrid(const MonkeyAction& action) {
    CChildFrame* frame = ActiveChild();
    if (frame == nullptr) {
        return;
    }
    PropertyGrid& grid = Grid(frame);
    const int rows = grid.GetRowCount();
    switch (action.kind) {
    case Kind::CellClick:
    case Kind::CellDoubleClick: {
        if (rows == 0) {
            return;
        }
        const int row = static_cast<int>(action.a % static_cast<std::uint32_t>(rows));
        const int col = action.kind == Kind::CellDoubleClick ? PropertyGrid::kValueColumn
                                                             : static_cast<int>(action.b % 2);
        grid.GotoCell(col, row);
        const QRect cell = grid.GetCellRect(col, row);
        if (!cell.isValid() || !grid.GetArea()->rect().contains(cell.center())) {
            return;
        }
        if (action.kind == Kind::CellDoubleClick) {
            QTest::mouseDClick(grid.GetArea(), Qt::LeftButton, {}, cell.center());
        } else {
            QTest::mouseClick(grid.GetArea(), Qt::LeftButton, {}, cell.center());
        }
        break;
    }
    case Kind::GridKey:
        Key(GridFocus(frame), Pick(GridKeys(), action.a),
            action.b % 7 == 0 ? Qt::ShiftModifier : Qt::NoModifier);
        break;
    case Kind::TypeText:
        TypeText(frame, action);
        break;
    case Kind::CellPaste:
        platform.clipboard = Pick(Clips(), action.a);
        Key(GridFocus(frame), Qt::Key_V, Qt::ControlModifier);
        break;
    case Kind::Undo:
    case Kind::Redo: {
        const bool undo = action.kind == Kind::Undo;
        // From either pane with the keys, or from the menu.
        QWidget* focus = action.b % 3 == 0   ? TreeFocus(frame)
                         : action.b % 3 == 1 ? GridFocus(frame)
                                             : nullptr;
        if (focus != nullptr) {
            Key(focus, undo ? Qt::Key_Z : Qt::Key_Y, Qt::ControlModifier);
        } else {
            Frame().ExecuteCommand(undo ? EditUndo : EditRedo);
        }
        break;
    }
    default:
        break;
    }
}
