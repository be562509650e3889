#pragma once

#include <QKeySequence>
#include <QString>
#include <vector>

#include "platform/ProgramInfo.h"

// The data of the editor's windows: the menus of the main window without documents
// (resource 128) and with a document window active (resource 129), the key table,
// the toolbar, the command prompts and tool tips, and the document type. The frames
// turn them into actions, menus and a toolbar at start-up.
namespace Resources {

constexpr const char* kAppTitle = ProgramInfo::kName;
constexpr const char* kVersionText = ProgramInfo::kVersionLine;
constexpr const char* kAboutTitle = "About Tessel";
constexpr const char* kLicenceText = "Copyright 2026 The Tessel developers. MIT License.";
// Seven fields: window title, document name, file-new name, filter name, filter
// extension, file type identifier, file type name.
constexpr const char* kDocTemplate = "\nTessel\nTessel\n\n\nTessel.Document\nTessel Document";
constexpr const char* kIdlePrompt = "For Help, press F1";
constexpr const char* kRecentFilePlaceholder = "Recent File";

constexpr int kMainResource = 128;
constexpr int kDocumentResource = 129;

// One menu entry; id 0 is a separator.
struct MenuItem {
    int id;
    const char* text;
};

struct Menu {
    const char* title;
    std::vector<MenuItem> items;
};

// The menus of resource 128 or 129, left to right.
const std::vector<Menu>& Menus(int resource);

struct KeyBinding {
    QKeySequence keys;
    int id;
};

// The one key table of the application.
const std::vector<KeyBinding>& Keys();

// The toolbar buttons from left to right; 0 is a gap.
const std::vector<int>& ToolbarButtons();

// The command's string: the status-bar prompt, then optionally a newline and the tool
// tip; empty for a command without one.
QString CommandString(int id);
// The status-bar prompt of a command (the string up to its newline).
QString Prompt(int id);
// The tool tip of a command (the string after its newline); empty without one.
QString ToolTip(int id);
// The What's This text of a toolbar command; empty for others.
QString WhatsThis(int id);
// The resource path of a toolbar command's icon; empty for commands without one.
QString IconPath(int id);

// The application's and the document type's icons.
QString AppIconPath();
QString DocumentIconPath();

} // namespace Resources
