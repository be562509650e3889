#pragma once

#include <optional>
#include <string>

#include "document/DocumentBase.h"
#include "model/ProtocolNode.h"
#include "model/TextBuffer.h"

class DocumentTemplate;

// The document of one open protocol: it owns the protocol and the text buffer that
// saving and printing render into, fills the protocol with the defaults of a new
// protocol or from a file, saves it, proposes a name for a first save, and asks
// whether to save changes before it closes. Save, Save As and Close are its commands.
class CTesselDoc : public DocumentBase {
    Q_OBJECT
public:
    explicit CTesselDoc(DocumentTemplate* docTemplate = nullptr, QObject* parent = nullptr);
    ~CTesselDoc() override;

    ProtocolNode& GetProtocol() { return m_oProtocol; }
    const ProtocolNode& GetProtocol() const { return m_oProtocol; }
    TextBuffer& GetTextBuffer() { return m_oTextBuffer; }

    // Fills the protocol with the defaults of a new protocol and its MessageOut
    // command; false, after a message, when the command cannot be created.
    virtual bool InitNewProtocol();
    // Reads the protocol from `path`; false after the reader's messages.
    virtual bool OpenProtocolFile(const std::string& path);
    // Writes the protocol to `path` and clears the modified flag; false after a message.
    virtual bool SaveProtocolFile(const std::string& path);
    // Saves under `path`, or, when it is absent or empty, under a name the user
    // chooses. With `replace` the document takes the name as its path name.
    virtual bool SaveWithPrompt(const std::optional<std::string>& path, bool replace);
    // The save dialog with `name` proposed; on OK `name` becomes the chosen path.
    virtual bool PromptSaveAsName(std::string& name);
    // Before a modified document closes: save it, drop the changes, or cancel (false).
    virtual bool ConfirmSaveChanges();

    void OnFileSave();
    void OnFileSaveAs();
    void OnFileClose();

    // Where the save dialog starts for a document that has no file yet; a document
    // with a file starts in that file's folder.
    const std::string& GetSaveFolder() const { return m_strSaveFolder; }
    void SetSaveFolder(const std::string& folder) { m_strSaveFolder = folder; }

    // The name proposed for a first save: the title cut to 8 characters, then before
    // the first of " #%;/\", then `extension` appended when there is one.
    static std::string ProposedFileName(const std::string& title, const std::string& extension);

private:
    DocumentTemplate* m_pTemplate;
    ProtocolNode m_oProtocol;
    TextBuffer m_oTextBuffer;
    std::string m_strSaveFolder;
};
