// What must hold after every action, checked against the documents themselves.
#include <QApplication>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <regex>

#include "Monkey.h"
#include "ProtocolSnapshot.h"
#include "ScriptedPlatform.h"
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "document/CTesselDoc.h"
#include "document/FileStamp.h"
#include "document/QtText.h"
#include "model/ProtocolNode.h"
#include "tree/CLeftView.h"
#include "view/CTesselView.h"
#include "view/PropertyGrid.h"

namespace {

// Each item as depth, label and the number it carries, in order.
std::string TreeItems(QTreeWidget& tree) {
    std::string out;
    for (QTreeWidgetItemIterator it(&tree); *it != nullptr; ++it) {
        int depth = 0;
        for (QTreeWidgetItem* parent = (*it)->parent(); parent != nullptr;
             parent = parent->parent()) {
            ++depth;
        }
        out += std::to_string(depth) + " " + QtText::ToUtf8((*it)->text(0)) + " #" +
               std::to_string(CLeftView::ItemData(*it)) + "\n";
    }
    return out;
}

// The category notice stores an edit in the grid only, so its value is the notice or
// whatever was typed there last.
std::string GridRows(PropertyGrid& grid, bool notice) {
    std::string out;
    for (int row = 0; row < grid.GetRowCount(); ++row) {
        out += QtText::ToUtf8(grid.GetCellText(0, row));
        if (!notice) {
            out += "=" + QtText::ToUtf8(grid.GetCellText(PropertyGrid::kValueColumn, row));
        }
        out += "\n";
    }
    return out;
}

// New Command leaves the modified flag as it was, so a document not modified may
// hold new commands after what it last read or wrote.
std::string WithoutNewCommands(std::string snapshot, const std::string& newCommand) {
    while (snapshot.size() >= newCommand.size() &&
           snapshot.compare(snapshot.size() - newCommand.size(), newCommand.size(), newCommand) ==
               0) {
        snapshot.resize(snapshot.size() - newCommand.size());
    }
    return snapshot;
}

// The protocol in the file at `path`, read as the editor reads it; the reader's
// warnings go to a platform of their own, as they are not the user's.
std::optional<std::string> ReadBack(const std::string& path) {
    ScriptedPlatform quiet;
    ProtocolNode node;
    if (!node.ReadDevice(path) || !node.ReadCommands()) {
        return std::nullopt;
    }
    return Snapshot(node, true);
}

// Every text the editor may show while the user does what the run does.
bool KnownMessage(const std::string& text) {
    static const std::vector<std::regex> known = [] {
        const std::string literal[] = {CTesselView::kLeadingBlankMessage,
                                       CTesselView::kLeadingCommentMessage,
                                       CTesselView::kCommandNameMessage};
        std::vector<std::string> patterns;
        for (const std::string& text : literal) {
            patterns.push_back(
                std::regex_replace(text, std::regex(R"([.^$|()\[\]{}*+?\\])"), R"(\$&)"));
        }
        for (
            const char* pattern : {
                R"(Save changes to .+\?)",
                R"(Are you sure you want to delete the entire command\n\n" [^]* "\s\?\n)",
                R"(I can't do that with a group of commands\.\nPlease select an individual command to copy or cut\.)",
                R"(There was no Text in the clipboard)",
                R"(A value cannot hold a line break: a protocol file keeps every value on one line\. Remove the line break to store the value\.)",
                R"((Param|Byte)[0-9]+ can't be empty: a protocol file ends its parameters and bytes at the first empty one, so the ones after it would be lost when the file is read again\. Use Remove Param or Remove Byte to take it out\.)",
                R"(The character [^]*\(U\+[0-9A-F]{4,}\) cannot be stored in a protocol file\. Protocol files hold only the characters of the Western European \(Windows-1252\) code page\.)",
                R"(The file [^]+ has been changed by another program\.\nDo you want to reload it\?)",
                R"(The file [^]+ has been changed by another program\.\nDo you want to reload it and lose the changes made in Tessel\?)",
                R"(The file [^]+ has been deleted or moved by another program\.)",
                R"(The file [^]+ has been changed by another program since it was opened\.\nDo you want to overwrite it\?)",
                R"(Read Protocol:  Could not find \[Device\] Section\.)",
                R"(Could not open .+ for reading)",
                R"(Read Protocol:  Could not read file)",
                R"(Warning: I couldn't make much sense of the Param\n" [^]* " in the Command " [^]* ")",
            }) {
            patterns.emplace_back(pattern);
        }
        std::vector<std::regex> out;
        for (const std::string& pattern : patterns) {
            out.emplace_back(pattern, std::regex::ECMAScript);
        }
        return out;
    }();
    for (const std::regex& pattern : known) {
        if (std::regex_match(text, pattern)) {
            return true;
        }
    }
    return false;
}

} // namespace

std::string Monkey::Check(const MonkeyAction& /*action*/) {
    if (QApplication::activeModalWidget() != nullptr) {
        return "a dialog is left open: " +
               QtText::ToUtf8(QApplication::activeModalWidget()->windowTitle());
    }
    if (std::string failure = CheckMessages(); !failure.empty()) {
        return failure;
    }
    const std::vector<CChildFrame*> all = Frames();
    std::vector<std::pair<QPointer<CTesselView>, const Command*>> shown;
    for (CTesselDoc* doc : app->GetDocuments()) {
        std::vector<CChildFrame*> frames;
        for (CChildFrame* frame : all) {
            if (frame->GetDocument() == doc) {
                frames.push_back(frame);
            }
        }
        if (frames.empty()) {
            return "document " + doc->GetTitle() + " is open without a window";
        }
        for (auto check : {&Monkey::CheckTrees, &Monkey::CheckViews, &Monkey::CheckMarks}) {
            if (std::string failure = (this->*check)(*doc, frames); !failure.empty()) {
                return doc->GetTitle() + ": " + failure;
            }
        }
        if (std::string failure = CheckFile(*doc); !failure.empty()) {
            return doc->GetTitle() + ": " + failure;
        }
        for (CChildFrame* frame : frames) {
            CTesselView* view = frame->GetRightPane();
            const int item = view->GetItem();
            shown.emplace_back(view, item >= 1 ? doc->GetCommand(item - 1) : nullptr);
        }
    }
    m_oShown = std::move(shown);
    return {};
}

std::string Monkey::CheckMessages() {
    const std::vector<std::string> texts = platform.Texts();
    for (; m_nMessagesSeen < texts.size(); ++m_nMessagesSeen) {
        if (!KnownMessage(texts[m_nMessagesSeen])) {
            return "unknown message: \"" + texts[m_nMessagesSeen] + "\"";
        }
    }
    return {};
}

std::string Monkey::CheckTrees(CTesselDoc& doc, const std::vector<CChildFrame*>& frames) {
    CLeftView fresh(doc, *app);
    fresh.FillTree();
    const std::string expected = TreeItems(*fresh.GetTreeCtrl());
    for (CChildFrame* frame : frames) {
        const std::string items = TreeItems(Tree(frame));
        if (items != expected) {
            return "the tree of window " + QtText::ToUtf8(frame->windowTitle()) + " shows\n" +
                   items + "where a fresh one shows\n" + expected;
        }
    }
    return {};
}

std::string Monkey::CheckViews(CTesselDoc& doc, const std::vector<CChildFrame*>& frames) {
    CTesselView fresh(doc, *app);
    fresh.OnInitialUpdate();
    for (CChildFrame* frame : frames) {
        CTesselView* view = frame->GetRightPane();
        PropertyGrid& grid = view->GetGrid();
        const int item = view->GetItem();
        const std::string name = QtText::ToUtf8(frame->windowTitle());
        if (item == CTesselView::kCategoryItem && grid.GetRowCount() == 0) {
            continue; // no record shown
        }
        fresh.ShowItem(item);
        const bool notice = item == CTesselView::kCategoryItem;
        const std::string rows = GridRows(grid, notice);
        const std::string expected = GridRows(fresh.GetGrid(), notice);
        if (rows != expected) {
            return "window " + name + " shows item " + std::to_string(item) + " as\n" + rows +
                   "where the document holds\n" + expected;
        }
        // A view keeps showing the command it showed while other commands come and
        // go, unless its tree chose another one.
        if (item >= 1) {
            const Command* now = doc.GetCommand(item - 1);
            QTreeWidgetItem* selected = frame->GetLeftPane()->GetSelectedItem();
            for (const auto& [before, command] : m_oShown) {
                if (before == view && command != nullptr && command != now &&
                    (selected == nullptr || CLeftView::ItemData(selected) != item)) {
                    return "window " + name + " turned to item " + std::to_string(item) +
                           " without its tree choosing it";
                }
            }
        }
    }
    return {};
}

std::string Monkey::CheckMarks(CTesselDoc& doc, const std::vector<CChildFrame*>& frames) {
    const bool modified = doc.IsModified();
    for (CChildFrame* frame : frames) {
        const bool marked = frame->windowTitle().endsWith(QStringLiteral("[*]"));
        if (marked != modified || frame->isWindowModified() != modified) {
            return "window " + QtText::ToUtf8(frame->windowTitle()) + " is marked " +
                   (marked ? "modified" : "unmodified") + " while the document is " +
                   (modified ? "modified" : "not");
        }
        if (frame == ActiveChild() && Frame().isWindowModified() != modified) {
            return "the main window \"" + QtText::ToUtf8(Frame().windowTitle()) + "\" is marked " +
                   (modified ? "unmodified" : "modified") + " while its active document is not";
        }
    }
    return {};
}

std::string Monkey::CheckFile(CTesselDoc& doc) {
    const std::string snapshot = Snapshot(doc.GetProtocol(), true);
    const std::string path = doc.GetPathName();
    QByteArray& known = m_oKnownHash[&doc];
    if (path.empty()) {
        if (!doc.IsModified() && WithoutNewCommands(snapshot, m_strNewCommand) !=
                                     WithoutNewCommands(m_strNewProtocol, m_strNewCommand)) {
            return "not modified, yet it differs from a new protocol:\n" + snapshot;
        }
        return {};
    }
    // Only while the file holds what the document last read or wrote: another
    // program's change not told yet leaves the document as it was.
    const FileStamp onDisk = FileStamp::Of(QtText::FromUtf8(path), true);
    if (!onDisk.SameContent(doc.GetDiskFile().Known())) {
        known = doc.GetDiskFile().Known().hash;
        return {};
    }
    const bool written = known != onDisk.hash;
    known = onDisk.hash;
    if (written) {
        // Just read or saved: the file holds exactly the protocol, in every field.
        const std::optional<std::string> back = ReadBack(path);
        if (!back || *back != snapshot) {
            return "the file " + path + " reads back as\n" + back.value_or("(unreadable)") +
                   "where the document holds\n" + snapshot;
        }
        return {};
    }
    if (!doc.IsModified()) {
        const std::optional<std::string> back = ReadBack(path);
        if (back && WithoutNewCommands(snapshot, m_strNewCommand) !=
                        WithoutNewCommands(*back, m_strNewCommand)) {
            return "not modified, yet it differs from its file " + path + ":\n" + snapshot +
                   "file:\n" + *back;
        }
    }
    return {};
}
