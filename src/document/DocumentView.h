#pragma once

#include <QWidget>

#include "document/CommandTable.h"

class DocumentBase;

// A pane of a document window that shows its document. The document knows its
// views; a view reaches the model only through its document. Each view has its own
// command table, asked first while it is the active view of the active window. Every
// view moves the focus to the other pane of its window on Next Pane and Previous Pane.
class DocumentView : public QWidget {
    Q_OBJECT
public:
    explicit DocumentView(QWidget* parent = nullptr);
    ~DocumentView() override;

    DocumentBase* GetDocument() const { return m_pDocument; }

    // The first update, once the window has been created for a document that has
    // been read or initialised. The default runs OnUpdate.
    virtual void OnInitialUpdate();
    // The document changed; `sender` is the view that changed it, if any.
    virtual void OnUpdate(DocumentView* sender);

    CommandTable& Commands() { return m_oCommands; }

    // Gives the focus to the next (or previous) pane of the splitter holding this
    // view; false when it is not in a splitter with another pane.
    bool FocusOtherPane(bool next);

private:
    friend class DocumentBase;
    DocumentBase* m_pDocument = nullptr;
    CommandTable m_oCommands;
};
