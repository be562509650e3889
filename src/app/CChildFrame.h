#pragma once

#include <QMdiSubWindow>

#include "document/CommandTable.h"

class ApplicationState;
class CLeftView;
class CTesselDoc;
class CTesselView;
class DocumentView;
class QSplitter;

// One document window: a splitter of one row and two columns with the command tree
// on the left (200 pixels wide at first) and the property view taking the rest. It
// routes New Command to its left pane and New Param and New Byte to its right pane,
// whichever pane is active. Print, printing without the dialog and Print Preview
// belong to the window, not to either pane: both panes print the same listing, on the
// application's printer. Closing the last window of a document closes the document,
// asking first to save changes.
class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    static constexpr int kLeftPaneWidth = 200;

    CChildFrame(CTesselDoc& document, ApplicationState& app, QWidget* parent = nullptr);
    ~CChildFrame() override;

    CTesselDoc* GetDocument() const { return m_pDocument; }
    CLeftView* GetLeftPane() const { return m_pLeftView; }
    CTesselView* GetRightPane() const { return m_pRightView; }
    QSplitter* GetSplitter() const { return m_pSplitter; }

    // The pane that last had the focus; the left pane until one had it.
    DocumentView* GetActiveView() const { return m_pActiveView; }
    // Makes the pane that holds `widget` the active view; false when it holds none.
    bool NoteFocus(QWidget* widget);

    // Runs the first update of both panes once the document has been filled.
    void InitialUpdateFrame();

    // The number shown after the title when several windows show one document; 0 for
    // none. The title is the document's title, then ":" and the number, then an
    // asterisk while the document is modified.
    int GetWindowNumber() const { return m_nWindow; }
    void SetWindowNumber(int number);
    void UpdateFrameTitle();

    // Finishes an edit open in either pane, as confirming it would; false when it
    // stays open because what was typed cannot be stored.
    bool EndEditing();
    // Whether an edit is open in the property view.
    bool IsEditing() const;

    // Closes the window as part of closing its document: no question, and the panes
    // let go of the document at once.
    void CloseForDocument();

    CommandTable& Commands() { return m_oCommands; }

    // The window's natural size: room for the tree and for both columns of the
    // property grid with values of a usual length.
    QSize sizeHint() const override;

signals:
    // A pane's own state changed in a way that may enable or disable commands.
    void CommandStateChanged();
    // The window no longer shows its document: it is closing.
    void DocumentDetached();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Runs `id` from the command table of `pane`, whichever pane is active.
    void ForwardToPane(DocumentView* pane, int id);
    bool PaneHandles(DocumentView* pane, int id) const;
    void DetachPanes();
    // Print (`direct`: without the dialog) and Print Preview of the document's listing.
    void OnFilePrint(bool direct);
    void OnFilePrintPreview();

    ApplicationState& m_oApp;
    CTesselDoc* m_pDocument;
    QSplitter* m_pSplitter;
    CLeftView* m_pLeftView;
    CTesselView* m_pRightView;
    DocumentView* m_pActiveView;
    int m_nWindow = 0;
    bool m_bClosingForDocument = false;
    CommandTable m_oCommands;
};
