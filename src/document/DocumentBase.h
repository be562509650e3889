#pragma once

#include <QObject>
#include <string>

#include "document/CommandTable.h"

// What every document of the editor has, whatever it holds: a title, the path of its
// file, a modified flag and the commands it handles. Texts are UTF-8, as at the
// Platform interface. A document knows nothing of the views that show it: they hold
// it and follow its signals, and so does the owner of the documents, to keep window
// titles and the recent-file list in step.
class DocumentBase : public QObject {
    Q_OBJECT
public:
    DocumentBase();
    ~DocumentBase() override;

    const std::string& GetTitle() const { return m_strTitle; }
    void SetTitle(const std::string& title);

    // The full path of the document's file; empty until it has one.
    const std::string& GetPathName() const { return m_strPathName; }
    // Makes `path` absolute, takes it as the path name and its file name as the
    // title, and, with `addToRecent`, asks for it to enter the recent-file list.
    void SetPathName(const std::string& path, bool addToRecent = true);

    bool IsModified() const { return m_bModified; }
    virtual void SetModifiedFlag(bool modified = true);

    // Asks the owner to close every window of the document and then the document.
    // Nothing of the document may be used after this call.
    void OnCloseDocument();

    CommandTable& Commands() { return m_oCommands; }

signals:
    void TitleChanged();
    void ModifiedChanged(bool modified);
    void PathNameEntered(const QString& path);
    void CloseRequested(DocumentBase* document);

private:
    std::string m_strTitle;
    std::string m_strPathName;
    bool m_bModified = false;
    CommandTable m_oCommands;
};
