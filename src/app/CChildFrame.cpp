#include "app/CChildFrame.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QIcon>
#include <QMdiArea>
#include <QSplitter>
#include <optional>

#include "app/resources.h"
#include "document/ApplicationState.h"
#include "document/CTesselDoc.h"
#include "document/CommandIds.h"
#include "document/QtText.h"
#include "tree/CLeftView.h"
#include "view/CTesselView.h"
#include "view/ListingPrintJob.h"

CChildFrame::CChildFrame(CTesselDoc& document, ApplicationState& app, QWidget* parent)
    : QMdiSubWindow(parent), m_oApp(app), m_pDocument(&document),
      m_pSplitter(new QSplitter(Qt::Horizontal)), m_pLeftView(new CLeftView(document, app)),
      m_pRightView(new CTesselView(document, app)), m_pActiveView(m_pLeftView) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(QIcon(Resources::DocumentIconPath()));

    // The left pane keeps its width when the window is resized; the right pane
    // takes the rest.
    m_pSplitter->setChildrenCollapsible(false);
    m_pSplitter->addWidget(m_pLeftView);
    m_pSplitter->addWidget(m_pRightView);
    m_pSplitter->setStretchFactor(0, 0);
    m_pSplitter->setStretchFactor(1, 1);
    m_pLeftView->resize(kLeftPaneWidth, 100);
    m_pRightView->resize(100, 100);
    m_pSplitter->setSizes({kLeftPaneWidth, 100});
    setWidget(m_pSplitter);

    // A pane's own state reaches the command router through its window.
    for (DocumentView* pane :
         {static_cast<DocumentView*>(m_pLeftView), static_cast<DocumentView*>(m_pRightView)}) {
        connect(pane, &DocumentView::CommandStateChanged, this, &CChildFrame::CommandStateChanged);
    }

    m_oCommands.Add(
        CommandId::NewCommand, [this](int id) { ForwardToPane(m_pLeftView, id); },
        [this](int id) { return PaneHandles(m_pLeftView, id); });
    for (int id : {CommandId::NewParam, CommandId::NewByte}) {
        m_oCommands.Add(
            id, [this](int command) { ForwardToPane(m_pRightView, command); },
            [this](int command) { return PaneHandles(m_pRightView, command); });
    }
    auto hasDocument = [this](int) { return m_pDocument != nullptr; };
    m_oCommands.Add(
        CommandId::FilePrint, [this](int) { OnFilePrint(false); }, hasDocument);
    m_oCommands.Add(
        CommandId::FilePrintDirect, [this](int) { OnFilePrint(true); }, hasDocument);
    m_oCommands.Add(
        CommandId::FilePrintPreview, [this](int) { OnFilePrintPreview(); }, hasDocument);

    connect(&document, &DocumentBase::TitleChanged, this, &CChildFrame::UpdateFrameTitle);
    connect(&document, &DocumentBase::ModifiedChanged, this, &CChildFrame::UpdateFrameTitle);
    UpdateFrameTitle();
}

CChildFrame::~CChildFrame() = default;

QSize CChildFrame::sizeHint() const {
    QFontMetrics metrics(font());
    QSize panes(kLeftPaneWidth + m_pSplitter->handleWidth() + 60 * metrics.averageCharWidth(),
                30 * metrics.lineSpacing());
    // The frame and title bar around the panes, as the window itself counts them.
    QSize decoration = QMdiSubWindow::sizeHint() - m_pSplitter->sizeHint();
    return panes + decoration.expandedTo(QSize(0, 0));
}

bool CChildFrame::PaneHandles(DocumentView* pane, int id) const {
    const CommandTable::Entry* entry = pane->Commands().Find(id);
    return entry != nullptr && (!entry->enabled || entry->enabled(id));
}

void CChildFrame::ForwardToPane(DocumentView* pane, int id) {
    if (PaneHandles(pane, id)) {
        CommandTable::Entry entry = *pane->Commands().Find(id);
        entry.run(id);
    }
}

void CChildFrame::OnFilePrint(bool direct) {
    ListingPrintJob job(*m_pDocument, m_oApp.Printer());
    job.Print(direct);
}

void CChildFrame::OnFilePrintPreview() {
    ListingPrintJob job(*m_pDocument, m_oApp.Printer());
    if (const std::optional<int> pages = job.Preview()) {
        m_oApp.SetPreviewPages(*pages);
    }
}

bool CChildFrame::NoteFocus(QWidget* widget) {
    for (DocumentView* pane :
         {static_cast<DocumentView*>(m_pLeftView), static_cast<DocumentView*>(m_pRightView)}) {
        if (widget != nullptr && (widget == pane || pane->isAncestorOf(widget))) {
            m_pActiveView = pane;
            return true;
        }
    }
    return false;
}

void CChildFrame::InitialUpdateFrame() {
    m_pLeftView->OnInitialUpdate();
    m_pRightView->OnInitialUpdate();
}

void CChildFrame::SetWindowNumber(int number) {
    if (number != m_nWindow) {
        m_nWindow = number;
        UpdateFrameTitle();
    }
}

void CChildFrame::UpdateFrameTitle() {
    if (m_pDocument == nullptr) {
        return;
    }
    QString title = QtText::FromUtf8(m_pDocument->GetTitle());
    if (m_nWindow > 0) {
        title += QStringLiteral(":%1").arg(m_nWindow);
    }
    // The mark is shown only while modified, so the title is the plain one otherwise.
    const bool modified = m_pDocument->IsModified();
    if (modified) {
        title += QStringLiteral("[*]");
    }
    setWindowTitle(title);
    setWindowModified(modified);
}

void CChildFrame::DetachPanes() {
    if (m_pDocument != nullptr) {
        disconnect(m_pDocument, nullptr, this, nullptr);
        m_pLeftView->DetachDocument();
        m_pRightView->DetachDocument();
        m_pDocument = nullptr;
        emit DocumentDetached();
    }
}

void CChildFrame::CloseForDocument() {
    m_bClosingForDocument = true;
    DetachPanes();
    close();
}

bool CChildFrame::EndEditing() {
    return m_pLeftView->EndEditing() && m_pRightView->EndEditing();
}

bool CChildFrame::IsEditing() const {
    return m_pRightView->GetGrid().IsEditing();
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    if (m_bClosingForDocument || m_pDocument == nullptr) {
        QMdiSubWindow::closeEvent(event);
        return;
    }
    // What the user typed belongs to the document the question below is about.
    if (!EndEditing()) {
        event->ignore();
        return;
    }
    // Does any other window still show this document?
    bool last = true;
    if (QMdiArea* area = mdiArea()) {
        for (QMdiSubWindow* window : area->subWindowList()) {
            auto* other = qobject_cast<CChildFrame*>(window);
            if (other != nullptr && other != this && other->GetDocument() == m_pDocument) {
                last = false;
                break;
            }
        }
    }
    if (!last) {
        DetachPanes();
        QMdiSubWindow::closeEvent(event);
        return;
    }
    if (!m_pDocument->ConfirmSaveChanges()) {
        event->ignore();
        return;
    }
    // Closing the document closes this window too, through CloseForDocument.
    m_pDocument->OnCloseDocument();
    QMdiSubWindow::closeEvent(event);
}
