#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FailingAllocation.h"
#include "ProtocolSnapshot.h"
#include "ScriptedPlatform.h"
#include "document/CTesselDoc.h"
#include "document/DocumentView.h"

namespace {

// A pane that writes down every change its document tells it of, as the panes of a
// document window follow their document.
class RecordingView : public DocumentView {
public:
    explicit RecordingView(CTesselDoc& doc) : DocumentView(doc) {
        connect(&doc, &CTesselDoc::CommandInserted, this,
                [this](int n) { Note("inserted " + std::to_string(n)); });
        connect(&doc, &CTesselDoc::CommandRemoved, this,
                [this](int n) { Note("removed " + std::to_string(n)); });
        connect(&doc, &CTesselDoc::CommandFieldChanged, this, [this](int n, CommandFieldId field) {
            Note("command " + std::to_string(n) + " " + std::string(Field(field).jsonName));
        });
        connect(&doc, &CTesselDoc::DeviceFieldChanged, this, [this](DeviceFieldId field) {
            Note("device " + std::string(Field(field).jsonName));
        });
        connect(&doc, &CTesselDoc::NamesChanged, this, [this] { Note("names"); });
    }
    // What was heard since the last call.
    std::vector<std::string> Take() { return std::exchange(heard, {}); }

private:
    void Note(std::string what) { heard.push_back(std::move(what)); }
    std::vector<std::string> heard;
};

using Heard = std::vector<std::string>;

// A new protocol, its one command MessageOut with parameters port and datastring,
// shown in two windows: the panes of both hear of every change.
struct TwoWindows {
    ScriptedPlatform platform;
    CTesselDoc doc;
    RecordingView first{doc};
    RecordingView second{doc};

    TwoWindows() { EXPECT_TRUE(doc.InitNewProtocol()); }

    // Both windows heard exactly `expected`.
    void ExpectHeard(const Heard& expected) {
        EXPECT_EQ(first.Take(), expected);
        EXPECT_EQ(second.Take(), expected);
    }
    const Command& At(int position) { return *doc.GetCommand(position); }
};

} // namespace

TEST(DocumentChanges, NewCommandAppendsItsDefaultsAndLeavesTheFlagAlone) {
    TwoWindows w;
    ASSERT_TRUE(w.doc.AppendNewCommand());
    w.ExpectHeard({"inserted 1"});
    ASSERT_EQ(w.doc.GetCommandCount(), 2);
    EXPECT_EQ(w.At(1).m_strName, "New Command");
    EXPECT_EQ(w.At(1).m_strDescription, "Description of Command");
    EXPECT_EQ(w.At(1).m_strMessage, "Message goes here");
    EXPECT_FALSE(w.doc.IsModified());

    // Once modified, it stays modified.
    w.doc.SetModifiedFlag();
    ASSERT_TRUE(w.doc.AppendNewCommand());
    EXPECT_TRUE(w.doc.IsModified());
    w.ExpectHeard({"inserted 2"});
}

TEST(DocumentChanges, PasteAppendsACopyUnderTheSameName) {
    TwoWindows w;
    Command clip("Lamp:On");
    clip.m_strMessage = "L1";
    clip.m_oParam[0].m_strText = "byte";
    clip.m_oParam[0].m_nOrCount = 1;
    clip.m_nParams = 1;
    ASSERT_TRUE(w.doc.AppendCopy(clip));
    ASSERT_TRUE(w.doc.AppendCopy(clip));
    w.ExpectHeard({"inserted 1", "inserted 2"});
    EXPECT_TRUE(w.doc.IsModified());
    for (int position : {1, 2}) {
        EXPECT_EQ(w.At(position).m_strName, "Lamp:On");
        EXPECT_EQ(w.At(position).m_strMessage, "L1");
        EXPECT_EQ(w.At(position).m_oParam[0].m_strText, "byte");
        // The parse is not copied.
        EXPECT_EQ(w.At(position).m_oParam[0].m_nOrCount, 0);
    }
    EXPECT_NE(&w.At(1), &w.At(2));
}

TEST(DocumentChanges, RemovingACommandSaysWhereItStood) {
    TwoWindows w;
    w.doc.AppendNewCommand();
    w.doc.AppendNewCommand();
    w.doc.SetCommandField(1, CommandFieldId::Name, "Middle");
    w.first.Take();
    w.second.Take();
    w.doc.SetModifiedFlag(false);

    ASSERT_TRUE(w.doc.RemoveCommand(1));
    w.ExpectHeard({"removed 1"});
    EXPECT_TRUE(w.doc.IsModified());
    ASSERT_EQ(w.doc.GetCommandCount(), 2);
    EXPECT_EQ(w.At(0).m_strName, "MessageOut");
    EXPECT_EQ(w.At(1).m_strName, "New Command");

    w.doc.SetModifiedFlag(false);
    EXPECT_FALSE(w.doc.RemoveCommand(2));
    EXPECT_FALSE(w.doc.RemoveCommand(-1));
    w.ExpectHeard({});
    EXPECT_FALSE(w.doc.IsModified());
    EXPECT_TRUE(w.platform.messages.empty());
}

TEST(DocumentChanges, FieldsChangeThroughTheFieldTable) {
    TwoWindows w;
    ASSERT_TRUE(w.doc.SetDeviceField(DeviceFieldId::Author, "Someone"));
    w.ExpectHeard({"device Author"});
    EXPECT_EQ(w.doc.GetProtocol().m_strAuthor, "Someone");
    EXPECT_TRUE(w.doc.IsModified());

    // A value is kept exactly as typed.
    ASSERT_TRUE(w.doc.SetCommandField(0, CommandFieldId::Timeout, " abc "));
    w.ExpectHeard({"command 0 Timeout"});
    EXPECT_EQ(w.At(0).m_strTimeout, " abc ");

    ASSERT_TRUE(w.doc.SetNumberedText(0, CommandFieldId::Params, 1, "string"));
    w.ExpectHeard({"command 0 Params"});
    EXPECT_EQ(w.At(0).m_oParam[1].m_strText, "string");

    // Only the texts in use, and only through the call for their kind.
    EXPECT_FALSE(w.doc.SetNumberedText(0, CommandFieldId::Params, 2, "x"));
    EXPECT_FALSE(w.doc.SetNumberedText(0, CommandFieldId::Bytes, 0, "x"));
    EXPECT_FALSE(w.doc.SetNumberedText(0, CommandFieldId::Message, 0, "x"));
    EXPECT_FALSE(w.doc.SetCommandField(0, CommandFieldId::Params, "x"));
    EXPECT_FALSE(w.doc.SetCommandField(1, CommandFieldId::Message, "x"));
    w.ExpectHeard({});
    EXPECT_EQ(w.At(0).m_oParam[2].m_strText, "");
}

TEST(DocumentChanges, NamesAndTheDescriptionAlsoTellTheTreesToRebuild) {
    TwoWindows w;
    ASSERT_TRUE(w.doc.SetCommandField(0, CommandFieldId::Name, "Lamp:Off"));
    w.ExpectHeard({"command 0 Name", "names"});
    EXPECT_EQ(w.At(0).m_strName, "Lamp:Off");
    EXPECT_EQ(w.At(0).GetCategory(), "Lamp");

    ASSERT_TRUE(w.doc.SetDeviceField(DeviceFieldId::Description, "Relay Box"));
    w.ExpectHeard({"device Description", "names"});
    EXPECT_EQ(w.doc.GetProtocol().m_strDescription, "Relay Box");

    ASSERT_TRUE(w.doc.SetCommandField(0, CommandFieldId::Description, "Turns it off"));
    w.ExpectHeard({"command 0 Description"});
}

TEST(DocumentChanges, ParametersAndBytesGoInAndOut) {
    TwoWindows w;
    // New Param: at the end, as "New Param".
    ASSERT_TRUE(w.doc.InsertNumberedText(0, CommandFieldId::Params, 2, "New Param"));
    w.ExpectHeard({"command 0 Params"});
    EXPECT_EQ(w.At(0).m_nParams, 3);
    EXPECT_EQ(w.At(0).m_oParam[2].m_strText, "New Param");
    EXPECT_TRUE(w.doc.IsModified());

    // Removing Param2 of three leaves the first and the third.
    ASSERT_TRUE(w.doc.RemoveNumberedText(0, CommandFieldId::Params, 1));
    w.ExpectHeard({"command 0 Params"});
    EXPECT_EQ(w.At(0).m_nParams, 2);
    EXPECT_EQ(w.At(0).m_oParam[0].m_strText, "port, \"A valid Port\"");
    EXPECT_EQ(w.At(0).m_oParam[1].m_strText, "New Param");

    for (int i = 0; i < Command::kMaxBytes; ++i) {
        ASSERT_TRUE(w.doc.InsertNumberedText(0, CommandFieldId::Bytes, i, "New Byte"));
    }
    w.first.Take();
    w.second.Take();
    // A full command takes no more; the caller decides what else to do.
    w.doc.SetModifiedFlag(false);
    EXPECT_FALSE(w.doc.InsertNumberedText(0, CommandFieldId::Bytes, 20, "New Byte"));
    EXPECT_FALSE(w.doc.RemoveNumberedText(0, CommandFieldId::Params, 2));
    EXPECT_FALSE(w.doc.InsertNumberedText(1, CommandFieldId::Params, 0, "x"));
    w.ExpectHeard({});
    EXPECT_FALSE(w.doc.IsModified());
    EXPECT_EQ(w.At(0).m_nBytes, 20);

    ASSERT_TRUE(w.doc.RemoveNumberedText(0, CommandFieldId::Bytes, 19));
    w.ExpectHeard({"command 0 Bytes"});
    EXPECT_EQ(w.At(0).m_nBytes, 19);
}

TEST(DocumentChanges, AWindowThatClosedHearsNoMore) {
    TwoWindows w;
    w.second.DetachDocument();
    w.doc.AppendNewCommand();
    EXPECT_EQ(w.first.Take(), Heard{"inserted 1"});
    EXPECT_EQ(w.second.Take(), Heard{});
}

// Running out of memory at any step of a change shows one message and leaves the
// protocol, the flag and the windows as they were.
TEST(DocumentChanges, RunningOutOfMemoryChangesNothingAndSaysSo) {
    ScriptedPlatform platform;
    CTesselDoc doc;
    ASSERT_TRUE(doc.InitNewProtocol());
    // Counted, not written down: writing down would allocate.
    int heard = 0;
    QObject::connect(&doc, &CTesselDoc::NamesChanged, [&heard] { ++heard; });
    QObject::connect(&doc, &CTesselDoc::CommandInserted, [&heard](int) { ++heard; });
    QObject::connect(&doc, &CTesselDoc::CommandRemoved, [&heard](int) { ++heard; });
    QObject::connect(&doc, &CTesselDoc::CommandFieldChanged,
                     [&heard](int, CommandFieldId) { ++heard; });
    QObject::connect(&doc, &CTesselDoc::DeviceFieldChanged, [&heard](DeviceFieldId) { ++heard; });
    Command clip("Lamp:On");

    auto walk = [&](const char* what, auto change) {
        SCOPED_TRACE(what);
        std::string start = Snapshot(doc.GetProtocol());
        int failures = ForEachFailingAllocation(change, [&](bool succeeded) {
            if (succeeded) {
                EXPECT_GT(heard, 0);
                EXPECT_NE(Snapshot(doc.GetProtocol()), start);
                return;
            }
            EXPECT_EQ(Snapshot(doc.GetProtocol()), start);
            EXPECT_EQ(heard, 0);
            EXPECT_FALSE(doc.IsModified());
            EXPECT_EQ(platform.Texts(), std::vector<std::string>{CTesselDoc::kNoMemoryForChange});
            platform.messages.clear();
        });
        EXPECT_GE(failures, 1);
        heard = 0;
        doc.SetModifiedFlag(false);
    };
    walk("new command", [&] { return doc.AppendNewCommand(); });
    walk("paste", [&] { return doc.AppendCopy(clip); });
    walk("description", [&] { return doc.SetDeviceField(DeviceFieldId::Description, "Relay"); });
    walk("name", [&] { return doc.SetCommandField(2, CommandFieldId::Name, "Lamp:Off"); });
    walk("new byte", [&] { return doc.InsertNumberedText(2, CommandFieldId::Bytes, 0, "01"); });
    walk("byte", [&] { return doc.SetNumberedText(2, CommandFieldId::Bytes, 0, "02"); });
}

// One action is one step however many changes it makes: Undo takes them back last to
// first, Redo makes them again, and every window hears each change.
TEST(DocumentChanges, AnActionIsOneStepOfTheHistory) {
    TwoWindows w;
    const std::string start = Snapshot(w.doc.GetProtocol());
    {
        CTesselDoc::Action action(w.doc);
        EXPECT_TRUE(w.doc.AppendNewCommand());
        EXPECT_TRUE(w.doc.SetCommandField(1, CommandFieldId::Name, "Lamp:On"));
        EXPECT_FALSE(w.doc.CanUndo()) << "not while the action is open";
    }
    const std::string made = Snapshot(w.doc.GetProtocol());
    w.ExpectHeard({"inserted 1", "command 1 Name", "names"});
    EXPECT_TRUE(w.doc.IsModified()) << "the name marks, though New Command does not";

    w.doc.Undo();
    EXPECT_EQ(Snapshot(w.doc.GetProtocol()), start);
    w.ExpectHeard({"command 1 Name", "names", "removed 1"});
    EXPECT_FALSE(w.doc.CanUndo());
    EXPECT_FALSE(w.doc.IsModified());
    w.doc.Redo();
    EXPECT_EQ(Snapshot(w.doc.GetProtocol()), made);
    w.ExpectHeard({"inserted 1", "command 1 Name", "names"});
    EXPECT_TRUE(w.doc.IsModified());
}

// A document marked modified by something its history does not hold (a protocol
// restored from elsewhere) stays modified through undo and redo until it is saved.
TEST(DocumentChanges, AModifiedMarkFromOutsideTheHistoryStaysUntilSaved) {
    TwoWindows w;
    w.doc.SetModifiedFlag();
    EXPECT_TRUE(w.doc.SetDeviceField(DeviceFieldId::Description, "Relay"));
    w.doc.Undo();
    EXPECT_TRUE(w.doc.IsModified());
    w.doc.SetModifiedFlag(false);
    w.doc.Redo();
    w.doc.Undo();
    EXPECT_FALSE(w.doc.IsModified());
    w.doc.ClearUndoHistory();
    EXPECT_FALSE(w.doc.CanRedo());
    EXPECT_FALSE(w.doc.IsModified());
}
