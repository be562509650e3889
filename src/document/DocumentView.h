#pragma once

#include <QPointer>
#include <QWidget>

#include "document/CommandTable.h"
#include "document/DocumentBase.h"

// A pane of a document window that shows its document. The view holds its document
// and follows the document's signals; the document knows nothing of it. Each view has
// its own command table, asked first while it is the active view of the active
// window, and says through CommandStateChanged when its own state (its selection, its
// current cell) may have enabled or disabled a command. Every view moves the focus to
// the other pane of its window on Next Pane and Previous Pane.
class DocumentView : public QWidget {
    Q_OBJECT
public:
    explicit DocumentView(DocumentBase& document, QWidget* parent = nullptr);
    ~DocumentView() override;

    // The document shown; nullptr once the view has let go of it.
    DocumentBase* GetDocument() const { return m_pDocument; }
    // Lets go of the document, as its window closes: none of the document's signals
    // reach the view from now on.
    void DetachDocument();

    // The first update, once the window has been created for a document that has
    // been read or initialised.
    virtual void OnInitialUpdate() {}

    // Finishes an edit the view has open, storing what was typed as confirming it
    // would, before the document is saved, printed or closed. False when the view
    // could not store it (it has said why) and the edit stays open.
    virtual bool EndEditing() { return true; }

    CommandTable& Commands() { return m_oCommands; }

    // Gives the focus to the next (or previous) pane of the splitter holding this
    // view; false when it is not in a splitter with another pane.
    bool FocusOtherPane(bool next);

signals:
    void CommandStateChanged();

private:
    QPointer<DocumentBase> m_pDocument;
    CommandTable m_oCommands;
};
