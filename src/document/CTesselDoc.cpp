#include "document/CTesselDoc.h"

#include <algorithm>
#include <new>

#include "document/ChangeStep.h"
#include "document/CommandIds.h"
#include "document/DocumentTemplate.h"
#include "document/RecoveryRecord.h"
#include "model/NewProtocol.h"
#include "model/ProtocolWriter.h"
#include "platform/Platform.h"

namespace {

constexpr const char* kUntitled = "Untitled";
constexpr const char* kSaveTitle = "File Save As";
constexpr const char* kSaveFilter = "Protocol Files (*.pcl)";
constexpr const char* kSaveExtension = "pcl";
constexpr const char* kChangedEnd =
    " has been changed by another program.\nDo you want to reload it?";
constexpr const char* kChangedLosingEnd =
    " has been changed by another program.\nDo you want to reload it and lose the changes "
    "made in Tessel?";
constexpr const char* kDeletedEnd = " has been deleted or moved by another program.";
constexpr const char* kOverwriteEnd =
    " has been changed by another program since it was opened.\nDo you want to overwrite it?";

// Parameter and byte texts, as opposed to the fields of one text.
bool IsNumbered(CommandFieldId field) {
    CommandFieldKind kind = Field(field).kind;
    return kind == CommandFieldKind::Params || kind == CommandFieldKind::Bytes;
}

// Reads the protocol in the file at `path` into `node`; false after the reader's
// messages.
bool ReadProtocol(ProtocolNode& node, const std::string& path) {
    if (!node.ReadDevice(path)) {
        return false;
    }
    WaitCursor wait;
    if (!node.ReadCommands()) {
        wait.End();
        Platform::Current().MessageOk("File " + path + " could not be read successfully!");
        return false;
    }
    return true;
}

} // namespace

CTesselDoc::CTesselDoc(DocumentTemplate* docTemplate) : m_pTemplate(docTemplate) {
    Commands().Add(CommandId::FileSave, [this](int) { OnFileSave(); });
    Commands().Add(CommandId::FileSaveAs, [this](int) { OnFileSaveAs(); });
    Commands().Add(CommandId::FileClose, [this](int) { OnFileClose(); });
    Commands().Add(
        CommandId::EditUndo, [this](int) { Undo(); }, [this](int) { return CanUndo(); });
    Commands().Add(
        CommandId::EditRedo, [this](int) { Redo(); }, [this](int) { return CanRedo(); });
}

CTesselDoc::~CTesselDoc() = default;

bool CTesselDoc::InitNewProtocol() {
    return ::InitNewProtocol(m_oProtocol);
}

bool CTesselDoc::OpenProtocolFile(const std::string& path) {
    if (!ReadProtocol(m_oProtocol, path)) {
        return false;
    }
    ClearUndoHistory();
    SetPathName(path);
    m_oDiskFile.Remember(GetPathName());
    return true;
}

bool CTesselDoc::OpenRecoveredCopy(const std::string& copyPath, const RecoveryRecord& record) {
    if (!ReadProtocol(m_oProtocol, copyPath)) {
        return false;
    }
    // The protocol the copy was taken of, not the copy.
    m_oProtocol.m_strFileName = record.fileName;
    if (!record.path.empty()) {
        SetPathName(record.path, false);
        // A file changed since the stopped editor read it is not news now, but Save
        // still asks before it overwrites it.
        m_oDiskFile.RememberAs(GetPathName(), record.known);
    }
    SetModifiedFlag(true);
    return true;
}

bool CTesselDoc::ReloadProtocolFile() {
    const std::string path = GetPathName();
    ProtocolNode fresh;
    if (!ReadProtocol(fresh, path)) {
        return false;
    }
    // The old protocol goes with `fresh` once every view has let go of it.
    m_oProtocol.Swap(fresh);
    m_oDiskFile.Remember(path);
    // The history's records speak of the protocol let go of, and may refer into its
    // file: they go before it does.
    ClearUndoHistory();
    emit ProtocolReplaced();
    return true;
}

bool CTesselDoc::TellOutsideChange() {
    if (!m_oDiskFile.HasNews()) {
        return false;
    }
    m_oDiskFile.NoteTold();
    const std::string path = GetPathName();
    Platform& platform = Platform::Current();
    if (m_oDiskFile.GetState() == DiskFileWatch::State::Missing) {
        platform.MessageOk("The file " + path + kDeletedEnd);
        SetModifiedFlag();
        return true;
    }
    if (!platform.AskYesNo("The file " + path + (IsModified() ? kChangedLosingEnd : kChangedEnd)) ||
        !ReloadProtocolFile()) {
        // Kept, or not readable: what the document holds is not what the file holds.
        SetModifiedFlag();
    }
    return true;
}

bool CTesselDoc::ConfirmOverwrite(const std::string& path) {
    if (path != GetPathName() || m_oDiskFile.Check() != DiskFileWatch::State::Changed) {
        return true;
    }
    return Platform::Current().AskYesNo("The file " + path + kOverwriteEnd);
}

bool CTesselDoc::SaveProtocolFile(const std::string& path) {
    if (!WriteProtocolFile(m_oProtocol, m_oTextBuffer, path)) {
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

std::string CTesselDoc::ProposedFileName(const std::string& title, const std::string& extension) {
    // Eight characters, not bytes: a title is UTF-8 and must not be cut inside one.
    std::size_t end = 0;
    for (int characters = 0; characters < 8 && end < title.size(); ++characters) {
        ++end;
        while (end < title.size() && (static_cast<unsigned char>(title[end]) & 0xC0) == 0x80) {
            ++end;
        }
    }
    std::string name = title.substr(0, end);
    name = name.substr(0, name.find_first_of(" #%;/\\"));
    return name + extension;
}

bool CTesselDoc::SaveWithPrompt(const std::optional<std::string>& path, bool replace) {
    std::string name = path.value_or(std::string());
    // A name the user chooses now was confirmed in the save dialog.
    const bool given = !name.empty();
    if (!given) {
        name = GetPathName();
        if (name.empty()) {
            name = ProposedFileName(GetTitle(),
                                    m_pTemplate ? m_pTemplate->FilterExtension() : std::string());
        }
        if (!PromptSaveAsName(name)) {
            return false;
        }
    }
    if (given && !ConfirmOverwrite(name)) {
        return false;
    }
    // A failed save leaves the file of that name as it was (the writer replaces it
    // only once the new text is safely on disk), so there is nothing to clean up;
    // removing it would delete a file the user chose to replace.
    if (!SaveProtocolFile(name)) {
        return false;
    }
    // The views follow the title through TitleChanged; nothing else of theirs
    // depends on the name.
    if (replace) {
        SetPathName(name);
    }
    // The file as this save left it; the save itself is no change by another program.
    if (replace || name == GetPathName()) {
        m_oDiskFile.Remember(GetPathName());
    }
    return true;
}

bool CTesselDoc::PromptSaveAsName(std::string& name) {
    std::string chosen;
    if (!Platform::Current().AskSaveFileName(kSaveTitle, kSaveFilter, kSaveExtension, name,
                                             m_strSaveFolder, chosen)) {
        return false;
    }
    name = chosen;
    return true;
}

bool CTesselDoc::ConfirmSaveChanges() {
    if (!IsModified()) {
        return true;
    }
    std::string name = GetPathName().empty() ? std::string(kUntitled) : GetPathName();
    switch (Platform::Current().AskYesNoCancel("Save changes to " + name + "?")) {
    case Platform::Answer::Yes:
        return SaveWithPrompt(GetPathName(), true);
    case Platform::Answer::No:
        return true;
    default:
        return false;
    }
}

void CTesselDoc::OnFileSave() {
    const std::string& path = GetPathName();
    Platform& platform = Platform::Current();
    if (!path.empty() && platform.FileExists(path) && platform.IsFileWritable(path)) {
        SaveWithPrompt(path, true);
    } else {
        SaveWithPrompt(std::nullopt, true);
    }
}

void CTesselDoc::OnFileSaveAs() {
    SaveWithPrompt(std::nullopt, true);
}

void CTesselDoc::OnFileClose() {
    if (ConfirmSaveChanges()) {
        OnCloseDocument();
    }
}

const Command* CTesselDoc::GetCommand(int position) const {
    return m_oProtocol.m_poCmndList->GetAt(position);
}

template <class Make> bool CTesselDoc::MakeChange(Make make, bool markModified) {
    bool applied = false;
    ProtocolChange::Kind made{};
    ChangeStep* step = nullptr;
    // Making the record copies the new text and may run out of memory as well as
    // applying it, and so may making room for it in the history; whatever fails, the
    // protocol is as it was.
    std::optional<ProtocolChange> change;
    try {
        step = &StepForChange();
        step->Reserve();
        change.emplace(make());
        made = change->GetKind();
        applied = change->Apply(m_oProtocol);
    } catch (const std::bad_alloc&) {
        m_poSingleStep.reset();
        Platform::Current().MessageOk(kNoMemoryForChange);
        return false;
    }
    if (!applied) {
        m_poSingleStep.reset();
        return false;
    }
    step->Add(std::move(*change), markModified);
    if (m_poSingleStep && !PushStep(m_poSingleStep)) {
        // Nobody has heard of the change yet: taking it back is quiet. A change taken
        // back puts things where they were, where there is still room for them.
        ProtocolChange taken = m_poSingleStep->TakeLast();
        m_poSingleStep.reset();
        try {
            taken.Apply(m_oProtocol);
        } catch (const std::bad_alloc&) {
        }
        Platform::Current().MessageOk(kNoMemoryForChange);
        return false;
    }
    EmitChanged(made, step->Last());
    return true;
}

bool CTesselDoc::ApplyRecorded(ProtocolChange& change) {
    const ProtocolChange::Kind made = change.GetKind();
    try {
        if (!change.Apply(m_oProtocol)) {
            m_bHistoryFailed = true;
            return false;
        }
    } catch (const std::bad_alloc&) {
        m_bHistoryFailed = true;
        Platform::Current().MessageOk(kNoMemoryForChange);
        return false;
    }
    EmitChanged(made, change);
    return true;
}

ChangeStep& CTesselDoc::StepForChange() {
    if (m_nActionDepth > 0) {
        return *m_poActionStep;
    }
    m_poSingleStep = std::make_unique<ChangeStep>(*this);
    return *m_poSingleStep;
}

void CTesselDoc::BeginAction() {
    if (m_nActionDepth++ == 0) {
        m_poActionStep = std::make_unique<ChangeStep>(*this);
    }
}

void CTesselDoc::EndAction() {
    if (m_nActionDepth == 0 || --m_nActionDepth > 0) {
        return;
    }
    std::unique_ptr<ChangeStep> step = std::move(m_poActionStep);
    if (!step->IsEmpty() && !PushStep(step)) {
        // The windows have seen the action's changes; they see them taken back.
        step->undo();
        Platform::Current().MessageOk(kNoMemoryForChange);
    }
}

bool CTesselDoc::PushStep(std::unique_ptr<ChangeStep>& step) {
    step->SetMarksBelow(MarksBelow(m_oHistory.index()));
    // The stack lets go of the steps undone before this one, and of the clean state
    // when it was among them. It takes the step only once it has made room for it.
    bool pushed = true;
    try {
        m_oHistory.push(step.get());
    } catch (const std::bad_alloc&) {
        pushed = false;
    }
    if (pushed) {
        // The stack owns the step now.
        static_cast<void>(step.release());
    }
    UpdateModifiedFlag();
    return pushed;
}

int CTesselDoc::MarksBelow(int index) const {
    return index <= 0 ? 0
                      : static_cast<const ChangeStep*>(m_oHistory.command(index - 1))->MarksUpTo();
}

void CTesselDoc::UpdateModifiedFlag() {
    const int clean = m_oHistory.cleanIndex();
    const int index = m_oHistory.index();
    DocumentBase::SetModifiedFlag(clean < 0 || MarksBelow(std::max(clean, index)) !=
                                                   MarksBelow(std::min(clean, index)));
    emit HistoryChanged();
}

void CTesselDoc::SetModifiedFlag(bool modified) {
    if (modified) {
        m_oHistory.resetClean();
    } else {
        m_oHistory.setClean();
    }
    UpdateModifiedFlag();
}

bool CTesselDoc::CanUndo() const {
    return m_nActionDepth == 0 && m_oHistory.canUndo();
}

bool CTesselDoc::CanRedo() const {
    return m_nActionDepth == 0 && m_oHistory.canRedo();
}

void CTesselDoc::Undo() {
    if (CanUndo()) {
        MoveInHistory(true);
    }
}

void CTesselDoc::Redo() {
    if (CanRedo()) {
        MoveInHistory(false);
    }
}

void CTesselDoc::MoveInHistory(bool undo) {
    m_bHistoryFailed = false;
    undo ? m_oHistory.undo() : m_oHistory.redo();
    if (m_bHistoryFailed) {
        // The step is as it was; the stack moves back to it without applying it.
        undo ? m_oHistory.redo() : m_oHistory.undo();
    }
    UpdateModifiedFlag();
}

void CTesselDoc::ClearUndoHistory() {
    if (m_nActionDepth > 0) {
        return;
    }
    m_oHistory.clear();
    m_oHistory.setClean();
    UpdateModifiedFlag();
}

void CTesselDoc::EmitChanged(ProtocolChange::Kind made, const ProtocolChange& change) {
    using Kind = ProtocolChange::Kind;
    switch (made) {
    case Kind::InsertCommand:
        emit CommandInserted(change.GetPosition());
        break;
    case Kind::RemoveCommand:
        emit CommandRemoved(change.GetPosition());
        break;
    case Kind::SetDeviceField:
        emit DeviceFieldChanged(change.GetDeviceField());
        if (change.GetDeviceField() == DeviceFieldId::Description) {
            emit NamesChanged();
        }
        break;
    case Kind::SetCommandField:
    case Kind::InsertText:
    case Kind::RemoveText:
        emit CommandFieldChanged(change.GetPosition(), change.GetCommandField());
        if (change.GetCommandField() == CommandFieldId::Name) {
            emit NamesChanged();
        }
        break;
    }
}

bool CTesselDoc::AppendNewCommand() {
    // New Command leaves the modified flag as it was: the user names the command
    // next, which marks the document.
    return MakeChange(
        [this] {
            std::unique_ptr<Command> command = Command::CreateNewCommand();
            if (!command) {
                throw std::bad_alloc();
            }
            return ProtocolChange::InsertCommand(GetCommandCount(), std::move(command));
        },
        false);
}

bool CTesselDoc::AppendCopy(const Command& source) {
    return MakeChange([this, &source] {
        std::unique_ptr<Command> command = Command::Create(Command::kNewCommandName);
        if (!command) {
            throw std::bad_alloc();
        }
        command->Copy(source);
        return ProtocolChange::InsertCommand(GetCommandCount(), std::move(command));
    });
}

bool CTesselDoc::RemoveCommand(int position) {
    return MakeChange([position] { return ProtocolChange::RemoveCommand(position); });
}

bool CTesselDoc::SetDeviceField(DeviceFieldId field, std::string_view value) {
    if (m_oProtocol.*Field(field).member == value) {
        return MarkWithoutChange();
    }
    return MakeChange(
        [field, value] { return ProtocolChange::SetDeviceField(field, Text(value)); });
}

bool CTesselDoc::SetCommandField(int position, CommandFieldId field, std::string_view value) {
    if (IsNumbered(field)) {
        return false;
    }
    const Command* command = GetCommand(position);
    if (command != nullptr && command->*Field(field).member == value) {
        return MarkWithoutChange();
    }
    return MakeChange([position, field, value] {
        return ProtocolChange::SetCommandField(position, field, Text(value));
    });
}

bool CTesselDoc::SetNumberedText(int position, CommandFieldId field, int index,
                                 std::string_view value) {
    if (!IsNumbered(field)) {
        return false;
    }
    const Command* command = GetCommand(position);
    const CommandFieldKind kind = Field(field).kind;
    if (command != nullptr && index >= 0 && index < NumberedCount(*command, kind) &&
        NumberedText(*command, kind, index) == value) {
        return MarkWithoutChange();
    }
    return MakeChange([position, field, index, value] {
        return ProtocolChange::SetCommandField(position, field, index, Text(value));
    });
}

bool CTesselDoc::MarkWithoutChange() {
    try {
        StepForChange().Mark();
    } catch (const std::bad_alloc&) {
        m_poSingleStep.reset();
        Platform::Current().MessageOk(kNoMemoryForChange);
        return false;
    }
    if (m_poSingleStep && !PushStep(m_poSingleStep)) {
        m_poSingleStep.reset();
        Platform::Current().MessageOk(kNoMemoryForChange);
        return false;
    }
    return true;
}

bool CTesselDoc::InsertNumberedText(int position, CommandFieldId field, int index,
                                    std::string_view value) {
    return MakeChange([position, field, index, value] {
        return ProtocolChange::InsertText(position, field, index, Text(value));
    });
}

bool CTesselDoc::RemoveNumberedText(int position, CommandFieldId field, int index) {
    return MakeChange(
        [position, field, index] { return ProtocolChange::RemoveText(position, field, index); });
}
