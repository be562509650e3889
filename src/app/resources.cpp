#include "app/resources.h"

#include <map>

#include "document/CommandIds.h"

namespace Resources {

namespace {

using namespace CommandId;

const Menu kFileMain = {"&File",
                        {{FileNew, "&New\tCtrl+N"},
                         {FileOpen, "&Open...\tCtrl+O"},
                         {0, nullptr},
                         {FilePrintSetup, "P&rint Setup..."},
                         {0, nullptr},
                         {RecentFileFirst, kRecentFilePlaceholder},
                         {0, nullptr},
                         {AppExit, "E&xit"}}};

const Menu kFileDocument = {"&File",
                            {{FileNew, "&New\tCtrl+N"},
                             {FileOpen, "&Open...\tCtrl+O"},
                             {FileClose, "&Close"},
                             {FileSave, "&Save\tCtrl+S"},
                             {FileSaveAs, "Save &As..."},
                             {0, nullptr},
                             {FilePrint, "&Print...\tCtrl+P"},
                             {FilePrintPreview, "Print Pre&view"},
                             {FilePrintSetup, "P&rint Setup..."},
                             {0, nullptr},
                             {RecentFileFirst, kRecentFilePlaceholder},
                             {0, nullptr},
                             {AppExit, "E&xit"}}};

const Menu kEdit = {"&Edit",
                    {{EditUndo, "&Undo\tCtrl+Z"},
                     {EditRedo, "&Redo\tCtrl+Y"},
                     {0, nullptr},
                     {EditCut, "Cu&t\tCtrl+X"},
                     {EditCopy, "&Copy\tCtrl+C"},
                     {EditPaste, "&Paste\tCtrl+V"},
                     {0, nullptr},
                     {NewCommand, "New C&ommand\tCtrl+M"},
                     {NewParam, "New P&aram\tCtrl+A"},
                     {NewByte, "New &Byte\tCtrl+B"},
                     {0, nullptr},
                     {RemoveCommand, "Remove Comman&d"},
                     {RemoveParam, "Remove Para&m"},
                     {RemoveByte, "Remove B&yte"}}};

const Menu kView = {"&View", {{ViewToolbar, "&Toolbar"}, {ViewStatusBar, "&Status Bar"}}};

const Menu kWindow = {"&Window",
                      {{WindowNew, "&New Window"},
                       {WindowCascade, "&Cascade"},
                       {WindowTile, "&Tile"},
                       {WindowArrange, "&Arrange Icons"}}};

const Menu kHelp = {"&Help",
                    {{HelpTopics, "&Help Topics"}, {0, nullptr}, {AppAbout, "&About Tessel..."}}};

const std::map<int, const char*>& Strings() {
    static const std::map<int, const char*> strings = {
        {NewCommand, "Add a new command to the protocol\nNew Command"},
        {NewParam, "Add a new param to the current command\nNew Param"},
        {NewByte, "Add a new byte to the current command\nNew Byte"},
        {RemoveCommand, "Remove current command from the protocol"},
        {RemoveParam, "Remove current param from the command\nRemove Param"},
        {RemoveByte, "Remove current byte from the command\nRemove Byte"},
        {FileNew, "Create a new document\nNew"},
        {FileOpen, "Open an existing document\nOpen"},
        {FileClose, "Close the active document\nClose"},
        {FileSave, "Save the active document\nSave"},
        {FileSaveAs, "Save the active document with a new name\nSave As"},
        {FilePrintSetup, "Change the printer and printing options\nPrint Setup"},
        {FilePrint, "Print the active document\nPrint"},
        {FilePrintPreview, "Display full pages\nPrint Preview"},
        {EditCopy, "Copy the selection and put it on the Clipboard\nCopy"},
        {EditCut, "Cut the selection and put it on the Clipboard\nCut"},
        {EditPaste, "Insert Clipboard contents\nPaste"},
        {EditUndo, "Undo the last action\nUndo"},
        {EditRedo, "Redo the previously undone action\nRedo"},
        {WindowNew, "Open another window for the active document\nNew Window"},
        {WindowArrange, "Arrange icons at the bottom of the window\nArrange Icons"},
        {WindowCascade, "Arrange windows so they overlap\nCascade Windows"},
        {WindowTile, "Arrange windows as non-overlapping tiles\nTile Windows"},
        {AppAbout, "Display program information, version number and copyright\nAbout"},
        {AppExit, "Quit the application; prompts to save documents\nExit"},
        {HelpTopics, "List Help topics\nHelp Topics"},
        {ContextHelp, "Display help for clicked on buttons, menus and windows\nHelp"},
        {HelpCurrent, "Display help for current task or command\nHelp"},
        {NextPane, "Switch to the next window pane\nNext Pane"},
        {PrevPane, "Switch back to the previous window pane\nPrevious Pane"},
        {ViewToolbar, "Show or hide the toolbar\nToggle ToolBar"},
        {ViewStatusBar, "Show or hide the status bar\nToggle StatusBar"},
    };
    return strings;
}

} // namespace

const std::vector<Menu>& Menus(int resource) {
    static const std::vector<Menu> main = {kFileMain, kView, kHelp};
    static const std::vector<Menu> document = {kFileDocument, kEdit, kView, kWindow, kHelp};
    return resource == kDocumentResource ? document : main;
}

const std::vector<KeyBinding>& Keys() {
    static const std::vector<KeyBinding> keys = {
        {QKeySequence(Qt::CTRL | Qt::Key_N), FileNew},
        {QKeySequence(Qt::CTRL | Qt::Key_O), FileOpen},
        {QKeySequence(Qt::CTRL | Qt::Key_S), FileSave},
        {QKeySequence(Qt::CTRL | Qt::Key_P), FilePrint},
        {QKeySequence(Qt::CTRL | Qt::Key_Z), EditUndo},
        {QKeySequence(Qt::ALT | Qt::Key_Backspace), EditUndo},
        {QKeySequence(Qt::CTRL | Qt::Key_Y), EditRedo},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), EditRedo},
        {QKeySequence(Qt::CTRL | Qt::Key_X), EditCut},
        {QKeySequence(Qt::SHIFT | Qt::Key_Delete), EditCut},
        {QKeySequence(Qt::CTRL | Qt::Key_C), EditCopy},
        {QKeySequence(Qt::CTRL | Qt::Key_Insert), EditCopy},
        {QKeySequence(Qt::CTRL | Qt::Key_V), EditPaste},
        {QKeySequence(Qt::SHIFT | Qt::Key_Insert), EditPaste},
        {QKeySequence(Qt::CTRL | Qt::Key_M), NewCommand},
        {QKeySequence(Qt::CTRL | Qt::Key_A), NewParam},
        {QKeySequence(Qt::CTRL | Qt::Key_B), NewByte},
        {QKeySequence(Qt::Key_F1), HelpCurrent},
        {QKeySequence(Qt::SHIFT | Qt::Key_F1), ContextHelp},
        {QKeySequence(Qt::Key_F6), NextPane},
        {QKeySequence(Qt::SHIFT | Qt::Key_F6), PrevPane},
    };
    return keys;
}

const std::vector<int>& ToolbarButtons() {
    static const std::vector<int> buttons = {FileNew,   FileOpen, FileSave,  0,
                                             EditCut,   EditCopy, EditPaste, 0,
                                             FilePrint, 0,        AppAbout,  ContextHelp};
    return buttons;
}

QString CommandString(int id) {
    if (id >= RecentFileFirst && id <= RecentFileLast) {
        return QStringLiteral("Open this document");
    }
    auto it = Strings().find(id);
    return it == Strings().end() ? QString() : QString::fromUtf8(it->second);
}

QString Prompt(int id) {
    return CommandString(id).section(QLatin1Char('\n'), 0, 0);
}

QString ToolTip(int id) {
    QString text = CommandString(id);
    int newline = text.indexOf(QLatin1Char('\n'));
    return newline < 0 ? QString() : text.mid(newline + 1);
}

QString WhatsThis(int id) {
    switch (id) {
    case FileNew:
        return QStringLiteral("<b>New</b><p>Creates a new protocol from the template: a device "
                              "header with default texts and one command, MessageOut.");
    case FileOpen:
        return QStringLiteral("<b>Open</b><p>Opens a protocol file (.pcl). The dialog starts "
                              "in the Protocol folder.");
    case FileSave:
        return QStringLiteral("<b>Save</b><p>Saves the active protocol to its file; a new "
                              "protocol asks for a file name first.");
    case EditCut:
        return QStringLiteral("<b>Cut</b><p>In the command tree: removes the selected command "
                              "and keeps it for Paste. In the property view: moves the text "
                              "of the current cell to the clipboard.");
    case EditCopy:
        return QStringLiteral("<b>Copy</b><p>In the command tree: keeps a copy of the selected "
                              "command for Paste. In the property view: copies the text of "
                              "the current cell to the clipboard.");
    case EditPaste:
        return QStringLiteral("<b>Paste</b><p>In the command tree: adds the kept command at the "
                              "end of the protocol. In the property view: puts the clipboard "
                              "text into the current cell.");
    case FilePrint:
        return QStringLiteral("<b>Print</b><p>Prints the whole protocol as a Protocol Listing.");
    case AppAbout:
        return QStringLiteral("<b>About</b><p>Shows the program's name and version.");
    case ContextHelp:
        return QStringLiteral("<b>Help</b><p>Click this button, then click a button, menu item "
                              "or pane to see what it does.");
    default:
        return {};
    }
}

QString IconPath(int id) {
    switch (id) {
    case FileNew:
        return QStringLiteral(":/icons/new.svg");
    case FileOpen:
        return QStringLiteral(":/icons/open.svg");
    case FileSave:
        return QStringLiteral(":/icons/save.svg");
    case EditCut:
        return QStringLiteral(":/icons/cut.svg");
    case EditCopy:
        return QStringLiteral(":/icons/copy.svg");
    case EditPaste:
        return QStringLiteral(":/icons/paste.svg");
    case FilePrint:
        return QStringLiteral(":/icons/print.svg");
    case AppAbout:
        return QStringLiteral(":/icons/about.svg");
    case ContextHelp:
        return QStringLiteral(":/icons/contexthelp.svg");
    default:
        return {};
    }
}

QString AppIconPath() {
    return QStringLiteral(":/icons/tessel.svg");
}

QString DocumentIconPath() {
    return QStringLiteral(":/icons/tessel-document.svg");
}

} // namespace Resources
