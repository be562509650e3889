#include "document/CTesselDoc.h"

#include "document/CommandIds.h"
#include "document/DocumentTemplate.h"
#include "model/NewProtocol.h"
#include "model/ProtocolWriter.h"
#include "platform/Platform.h"

namespace {

constexpr const char* kUntitled = "Untitled";
constexpr const char* kSaveTitle = "File Save As";
constexpr const char* kSaveFilter = "Protocol Files (*.pcl)";
constexpr const char* kSaveExtension = "pcl";

} // namespace

CTesselDoc::CTesselDoc(DocumentTemplate* docTemplate, QObject* parent)
    : DocumentBase(parent), m_pTemplate(docTemplate) {
    Commands().Add(CommandId::FileSave, [this](int) { OnFileSave(); });
    Commands().Add(CommandId::FileSaveAs, [this](int) { OnFileSaveAs(); });
    Commands().Add(CommandId::FileClose, [this](int) { OnFileClose(); });
}

CTesselDoc::~CTesselDoc() = default;

bool CTesselDoc::InitNewProtocol() {
    return ::InitNewProtocol(m_oProtocol);
}

bool CTesselDoc::OpenProtocolFile(const std::string& path) {
    if (!m_oProtocol.ReadDevice(path)) {
        return false;
    }
    WaitCursor wait;
    if (!m_oProtocol.ReadCommands()) {
        wait.End();
        Platform::Current().MessageOk("File " + path + " could not be read successfully!");
        return false;
    }
    SetModifiedFlag(false);
    SetPathName(path);
    return true;
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
    if (name.empty()) {
        name = GetPathName();
        if (name.empty()) {
            name = ProposedFileName(GetTitle(),
                                    m_pTemplate ? m_pTemplate->FilterExtension() : std::string());
        }
        if (!PromptSaveAsName(name)) {
            return false;
        }
    }
    // A failed save leaves the file of that name as it was (the writer replaces it
    // only once the new text is safely on disk), so there is nothing to clean up;
    // removing it would delete a file the user chose to replace.
    if (!SaveProtocolFile(name)) {
        return false;
    }
    if (replace) {
        SetPathName(name);
        UpdateAllViews(nullptr);
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
