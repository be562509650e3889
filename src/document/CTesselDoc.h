#pragma once

#include <QUndoStack>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "document/DiskFileWatch.h"
#include "document/DocumentBase.h"
#include "model/FieldTable.h"
#include "model/ProtocolChange.h"
#include "model/ProtocolNode.h"
#include "model/TextBuffer.h"

class ChangeStep;
class DocumentTemplate;
struct RecoveryRecord;

// The document of one open protocol: it owns the protocol and the text buffer that
// saving and printing render into, fills the protocol with the defaults of a new
// protocol or from a file, saves it, proposes a name for a first save, and asks
// whether to save changes before it closes. Save, Save As and Close are its commands.
//
// It makes every change of its protocol. The views get the protocol read-only and
// follow the signals each change emits, so that every window of the document shows
// the change, whichever window made it, and whether it was made, undone or redone.
//
// Every user action is one step of its undo history, which keeps the records of the
// changes the action made. The history's clean state is the state last saved or
// opened: the document is modified while a step that marks lies between it and the
// protocol as it stands. Undo and Redo are its commands too.
class CTesselDoc : public DocumentBase {
    Q_OBJECT
public:
    static constexpr const char* kNoMemoryForChange =
        "Not enough memory to change the protocol.  It is left as it was.";

    explicit CTesselDoc(DocumentTemplate* docTemplate = nullptr);
    ~CTesselDoc() override;

    const ProtocolNode& GetProtocol() const { return m_oProtocol; }
    int GetCommandCount() const { return m_oProtocol.m_poCmndList->GetCount(); }
    // The command at a 0-based position; nullptr outside the list.
    const Command* GetCommand(int position) const;
    TextBuffer& GetTextBuffer() { return m_oTextBuffer; }

    // Fills the protocol with the defaults of a new protocol and its MessageOut
    // command; false, after a message, when the command cannot be created.
    bool InitNewProtocol();
    // Reads the protocol from `path`; false after the reader's messages.
    bool OpenProtocolFile(const std::string& path);
    // Reads the protocol from the recovery copy at `copyPath` and becomes the
    // document `record` describes, with unsaved changes; false after the reader's
    // messages.
    bool OpenRecoveredCopy(const std::string& copyPath, const RecoveryRecord& record);
    // Reads the document's file again in place of the protocol, which every view
    // then shows afresh; the document has no unsaved changes afterwards. False after
    // the reader's messages, and the protocol is kept.
    bool ReloadProtocolFile();
    // Writes the protocol to `path` and clears the modified flag; false after a message.
    bool SaveProtocolFile(const std::string& path);
    // Saves under `path`, or, when it is absent or empty, under a name the user
    // chooses. With `replace` the document takes the name as its path name.
    bool SaveWithPrompt(const std::optional<std::string>& path, bool replace);
    // The save dialog with `name` proposed; on OK `name` becomes the chosen path.
    bool PromptSaveAsName(std::string& name);
    // Before a modified document closes: save it, drop the changes, or cancel (false).
    bool ConfirmSaveChanges();

    // The document's file as last read or written, and the watch on it.
    DiskFileWatch& GetDiskFile() { return m_oDiskFile; }
    const DiskFileWatch& GetDiskFile() const { return m_oDiskFile; }
    // Tells the user, once, of a change another program made to the document's file
    // that the last look at it found: asks whether to reload it (No keeps the
    // document, with unsaved changes) or, when it is gone, warns that Save writes it
    // anew. False when there was nothing to tell.
    bool TellOutsideChange();

    void OnFileSave();
    void OnFileSaveAs();
    void OnFileClose();

    // false: the protocol as it stands is the one saved or opened (the history's clean
    // state). true: it differs from its file in a way no step records, so that only a
    // save clears the flag again.
    void SetModifiedFlag(bool modified = true) override;

    // The undo history. Undo takes back the last action, Redo makes the last action
    // undone again; each does nothing when there is nothing to take back or make.
    bool CanUndo() const;
    bool CanRedo() const;
    void Undo();
    void Redo();
    // Forgets every step, as after the protocol has been read anew: the protocol as
    // it stands becomes the saved state and the document is not modified.
    void ClearUndoHistory();

    // Makes the changes of one user action, from its construction to its end, one
    // step of the history, however many changes the action makes.
    class Action {
    public:
        explicit Action(CTesselDoc& document) : m_rDocument(document) { document.BeginAction(); }
        ~Action() { m_rDocument.EndAction(); }
        Action(const Action&) = delete;
        Action& operator=(const Action&) = delete;

    private:
        CTesselDoc& m_rDocument;
    };

    // Where the save dialog starts for a document that has no file yet; a document
    // with a file starts in that file's folder.
    void SetSaveFolder(const std::string& folder) { m_strSaveFolder = folder; }

    // The changes of the protocol. Each makes one change, marks the document modified
    // (all but AppendNewCommand, which leaves the flag as it was), emits the signal
    // that says what changed and becomes a step of the history (or part of the open
    // action's). A change that does not fit the protocol (a position or index outside
    // it, a full command) returns false and changes nothing; so does one that runs out
    // of memory, after kNoMemoryForChange. Setting a text to the value it has changes
    // nothing but marks the document, as MarkWithoutChange does.
    //
    // The command New Command adds, with its defaults, at the end.
    bool AppendNewCommand();
    // A copy of `source` (the copy of Command::Copy) at the end, as Paste adds it.
    bool AppendCopy(const Command& source);
    bool RemoveCommand(int position);
    bool SetDeviceField(DeviceFieldId field, std::string_view value);
    // A field of one text of the command at `position`, its name included.
    bool SetCommandField(int position, CommandFieldId field, std::string_view value);
    // Parameter or byte text `index` (0-based, within the count) of `field`, which is
    // Params or Bytes.
    bool SetNumberedText(int position, CommandFieldId field, int index, std::string_view value);
    // A parameter or byte text at `index`, 0 to the count: the texts from there on
    // move up by one and the count grows. New Param and New Byte insert at the count.
    bool InsertNumberedText(int position, CommandFieldId field, int index, std::string_view value);
    // Takes text `index` out: every later text moves down by one, the last there can
    // be becomes empty, and the count falls by one.
    bool RemoveNumberedText(int position, CommandFieldId field, int index);
    // A user action that left the protocol as it was (storing a value unchanged, New
    // Param on a full command) marks the document all the same; as a step of the
    // history of its own, undoing it takes the mark back.
    bool MarkWithoutChange();

    // The name proposed for a first save: the title cut to 8 characters, then before
    // the first of " #%;/\", then `extension` appended when there is one.
    static std::string ProposedFileName(const std::string& title, const std::string& extension);

signals:
    // A command now stands at `position`; those from there on moved back by one.
    void CommandInserted(int position);
    // The command at `position` is gone; those after it moved forward by one.
    void CommandRemoved(int position);
    // A field of the command at `position` changed; for Params and Bytes, any of its
    // texts or its count.
    void CommandFieldChanged(int position, CommandFieldId field);
    void DeviceFieldChanged(DeviceFieldId field);
    // A command's name or the protocol's description changed, after the signal of the
    // field itself: what the command trees show must be built again.
    void NamesChanged();
    // The whole protocol was replaced: everything shown of it must be built again.
    void ProtocolReplaced();
    // What Undo and Redo can do may have changed.
    void HistoryChanged();

private:
    friend class ChangeStep;

    // Makes the change `make` returns, records it, marks the document when
    // `markModified` and emits the change's signals.
    template <class Make> bool MakeChange(Make make, bool markModified = true);
    // Applies a record of the history (which turns it into its reverse) and emits
    // its signals; false, after kNoMemoryForChange when memory ran out, when it could
    // not be applied.
    bool ApplyRecorded(ProtocolChange& change);
    // `made` is what the change was before applying it turned it into its reverse.
    void EmitChanged(ProtocolChange::Kind made, const ProtocolChange& change);
    // Before Save writes the document's own file: when another program has changed
    // it since it was read or written, asks whether to overwrite it.
    bool ConfirmOverwrite(const std::string& path);

    void BeginAction();
    void EndAction();
    // The step the next change joins: the open action's, or a new one.
    ChangeStep& StepForChange();
    // Hands a step whose changes are made to the history; false, with the step still
    // the caller's, when the history has no memory left for it.
    bool PushStep(std::unique_ptr<ChangeStep>& step);
    // Undo or redo on the stack; a step that could not be applied is left as it was.
    void MoveInHistory(bool undo);
    // The flag as the history says: a marking step lies between the clean state and
    // the current one, or the clean state cannot be reached.
    void UpdateModifiedFlag();
    int MarksBelow(int index) const;

    DocumentTemplate* m_pTemplate;
    ProtocolNode m_oProtocol;
    TextBuffer m_oTextBuffer;
    std::string m_strSaveFolder;
    DiskFileWatch m_oDiskFile;
    QUndoStack m_oHistory;
    // The step of the action open, and how deeply actions are nested in it.
    std::unique_ptr<ChangeStep> m_poActionStep;
    int m_nActionDepth = 0;
    // The step a change outside an action is recorded in until it is pushed.
    std::unique_ptr<ChangeStep> m_poSingleStep;
    // Set when a record of the history could not be applied.
    bool m_bHistoryFailed = false;
};
