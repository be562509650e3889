#pragma once

#include <QObject>
#include <string>
#include <vector>

#include "document/CommandTable.h"

class DocumentView;

// What every document of the editor has, whatever it holds: a title, the path of its
// file, a modified flag, the views that show it and the commands it handles. Texts are
// UTF-8, as at the Platform interface. The owner of the documents listens to the
// signals to keep window titles, the recent-file list and the command states in step.
class DocumentBase : public QObject {
    Q_OBJECT
public:
    explicit DocumentBase(QObject* parent = nullptr);
    ~DocumentBase() override;

    const std::string& GetTitle() const { return m_strTitle; }
    void SetTitle(const std::string& title);

    // The full path of the document's file; empty until it has one.
    const std::string& GetPathName() const { return m_strPathName; }
    // Makes `path` absolute, takes it as the path name and its file name as the
    // title, and, with `addToRecent`, asks for it to enter the recent-file list.
    void SetPathName(const std::string& path, bool addToRecent = true);

    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool modified = true);

    // The views in the order they were added; each window adds its two panes.
    const std::vector<DocumentView*>& GetViews() const { return m_oViews; }
    void AddView(DocumentView* view);
    void RemoveView(DocumentView* view);
    // Tells every view except `sender` that the document changed.
    void UpdateAllViews(DocumentView* sender = nullptr);

    // Closes every window of the document; the owner then destroys the document.
    // Nothing of the document may be used after this call.
    virtual void OnCloseDocument();

    // A view's selection or the document changed in a way that may enable or disable
    // commands; the frame re-evaluates its menus and toolbar.
    void NotifyCommandStateChanged() { emit CommandStateChanged(); }

    CommandTable& Commands() { return m_oCommands; }

signals:
    void TitleChanged();
    void ModifiedChanged(bool modified);
    void PathNameEntered(const QString& path);
    void ViewsChanged();
    void CommandStateChanged();
    void CloseRequested(DocumentBase* document);

private:
    std::string m_strTitle;
    std::string m_strPathName;
    bool m_bModified = false;
    std::vector<DocumentView*> m_oViews;
    CommandTable m_oCommands;
};
