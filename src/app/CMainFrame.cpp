#include "app/CMainFrame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDropEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QToolBar>
#include <QWhatsThis>

#include "app/CChildFrame.h"
#include "app/CascadeLayout.h"
#include "app/HelpWindow.h"
#include "app/LockKeyState.h"
#include "app/MenuStyle.h"
#include "app/RecentFileList.h"
#include "app/resources.h"
#include "document/CTesselDoc.h"
#include "document/CommandIds.h"
#include "document/QtText.h"
#include "tree/CLeftView.h"
#include "view/CTesselView.h"

namespace {

// Commands that only keys reach: they have no menu item.
constexpr int kKeyOnlyCommands[] = {CommandId::HelpCurrent, CommandId::ContextHelp,
                                    CommandId::NextPane, CommandId::PrevPane};

} // namespace

CMainFrame::CMainFrame(CommandTable& appCommands, const RecentFileList& recentFiles)
    : m_rAppCommands(appCommands), m_rRecentFiles(recentFiles),
      m_oRouter([this] { return CommandChain(); }) {
    setObjectName(QStringLiteral("CMainFrame"));
    setWindowTitle(QString::fromUtf8(Resources::kAppTitle));
    setWindowIcon(QIcon(Resources::AppIconPath()));
}

CMainFrame::~CMainFrame() {
    // Tearing down the windows sends activation and title signals; none of them
    // may reach this half-destroyed frame.
    qApp->removeEventFilter(this);
    disconnect(qApp, nullptr, this, nullptr);
    if (m_pMdiArea != nullptr) {
        disconnect(m_pMdiArea, nullptr, this, nullptr);
        for (QMdiSubWindow* window : m_pMdiArea->subWindowList()) {
            disconnect(window, nullptr, this, nullptr);
        }
    }
}

bool CMainFrame::Create() {
    m_pMdiArea = new QMdiArea(this);
    m_pMdiArea->setObjectName(QStringLiteral("MdiArea"));
    m_pMdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_pMdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Closing a window goes back to the one the user was in before, not to the
    // first one opened.
    m_pMdiArea->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    setCentralWidget(m_pMdiArea);

    RegisterCommands();
    BuildMenus();
    BuildToolBar();
    BuildStatusBar();
    if (m_pToolBar == nullptr || m_pMessagePane == nullptr) {
        return false;
    }
    ShowMenus(Resources::kMainResource);

    connect(m_pMdiArea, &QMdiArea::subWindowActivated, this, &CMainFrame::OnSubWindowActivated);
    connect(qApp, &QApplication::focusChanged, this, &CMainFrame::OnFocusChanged);
    qApp->installEventFilter(this);

    // A comfortable first size on the screen the window opens on; it is not stored.
    QRect available = screen() ? screen()->availableGeometry() : QRect(0, 0, 1280, 800);
    resize(std::min(1100, available.width() * 4 / 5), std::min(760, available.height() * 4 / 5));
    UpdateLockIndicators();
    UpdateRecentFileMenu();
    UpdateCommandUi();
    return true;
}

std::vector<CommandTable*> CMainFrame::CommandChain() const {
    std::vector<CommandTable*> chain;
    if (CChildFrame* child = ActiveChildFrame()) {
        if (DocumentView* view = child->GetActiveView()) {
            chain.push_back(&view->Commands());
        }
        if (CTesselDoc* document = child->GetDocument()) {
            chain.push_back(&document->Commands());
        }
        chain.push_back(&child->Commands());
    }
    chain.push_back(&m_rAppCommands);
    chain.push_back(const_cast<CommandTable*>(&m_oCommands));
    return chain;
}

void CMainFrame::RegisterCommands() {
    using namespace CommandId;
    auto hasChild = [this](int) { return ActiveChildFrame() != nullptr; };
    m_oCommands.Add(
        ViewToolbar, [this](int) { m_pToolBar->setVisible(m_pToolBar->isHidden()); }, {},
        [this](int) { return !m_pToolBar->isHidden(); });
    m_oCommands.Add(
        ViewStatusBar, [this](int) { statusBar()->setVisible(statusBar()->isHidden()); }, {},
        [this](int) { return !statusBar()->isHidden(); });
    m_oCommands.Add(
        WindowCascade, [this](int) { CascadeWindows(); }, hasChild);
    m_oCommands.Add(
        WindowTile, [this](int) { m_pMdiArea->tileSubWindows(); }, hasChild);
    m_oCommands.Add(
        WindowArrange, [this](int) { ArrangeIcons(); }, hasChild);
    m_oCommands.Add(HelpTopics, [this](int) { ShowHelpPage(HelpWindow::kContentsPage); });
    m_oCommands.Add(ContextHelp, [](int) { QWhatsThis::enterWhatsThisMode(); });
    m_oCommands.Add(HelpCurrent, [this](int) { ShowContextHelp(); });
}

QAction* CMainFrame::CreateAction(int id, const QString& text) {
    if (QAction* existing = Action(id)) {
        return existing;
    }
    // The menus show the shortcut from the key table; in the text it would also be read
    // out as part of the item's name.
    auto* action = new QAction(text.section(QLatin1Char('\t'), 0, 0), this);
    action->setData(id);
    action->setStatusTip(Resources::Prompt(id));
    QString tip = Resources::ToolTip(id);
    if (!tip.isEmpty()) {
        action->setToolTip(tip);
    }
    QString icon = Resources::IconPath(id);
    if (!icon.isEmpty()) {
        action->setIcon(QIcon(icon));
    }
    action->setWhatsThis(Resources::WhatsThis(id));
    QList<QKeySequence> keys;
    for (const Resources::KeyBinding& binding : Resources::Keys()) {
        if (binding.id == id) {
            keys.append(binding.keys);
        }
    }
    action->setShortcuts(keys);
    if (id == CommandId::ViewToolbar || id == CommandId::ViewStatusBar) {
        action->setCheckable(true);
    }
    // Checkable items keep their check mark from the rules, not from the click.
    connect(action, &QAction::triggered, this, [this, id] { ExecuteCommand(id); });
    // Every action belongs to the window as well, so its keys work with either menu.
    addAction(action);
    m_oActions[id] = action;
    return action;
}

QAction* CMainFrame::Action(int id) const {
    auto it = m_oActions.find(id);
    return it == m_oActions.end() ? nullptr : it->second;
}

QMenu* CMainFrame::BuildMenu(const Resources::Menu& source) {
    auto* menu = new QMenu(QString::fromUtf8(source.title), this);
    menu->setStyle(m_pMenuStyle);
    for (const Resources::MenuItem& item : source.items) {
        if (item.id == 0) {
            menu->addSeparator();
        } else if (item.id == CommandId::RecentFileFirst) {
            menu->addAction(m_pRecentPlaceholder);
            for (QAction* recent : m_oRecentActions) {
                menu->addAction(recent);
            }
        } else {
            menu->addAction(CreateAction(item.id, QString::fromUtf8(item.text)));
        }
    }
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUi);
    return menu;
}

void CMainFrame::BuildMenus() {
    // The frame owns the menus' style; a menu outliving it falls back to the
    // application's style.
    m_pMenuStyle = new MenuStyle;
    m_pMenuStyle->setParent(this);
    m_pRecentPlaceholder = new QAction(QString::fromUtf8(Resources::kRecentFilePlaceholder), this);
    m_pRecentPlaceholder->setEnabled(false);
    m_pRecentPlaceholder->setStatusTip(Resources::Prompt(CommandId::RecentFileFirst));
    for (int i = 0; i < CommandId::RecentFileCount; ++i) {
        int id = CommandId::RecentFileFirst + i;
        QAction* action = CreateAction(id, QString());
        m_oRecentActions.push_back(action);
    }
    for (int resource : {Resources::kMainResource, Resources::kDocumentResource}) {
        for (const Resources::Menu& source : Resources::Menus(resource)) {
            QMenu* menu = BuildMenu(source);
            m_oMenus[resource].push_back(menu);
            if (resource == Resources::kDocumentResource &&
                QString::fromUtf8(source.title) == QStringLiteral("&Window")) {
                m_pWindowMenu = menu;
                connect(menu, &QMenu::aboutToShow, this, [this] { FillWindowMenu(m_pWindowMenu); });
            }
        }
    }
    for (int id : kKeyOnlyCommands) {
        CreateAction(id, Resources::ToolTip(id));
    }
}

void CMainFrame::ShowMenus(int resource) {
    if (resource == m_nMenuResource) {
        return;
    }
    m_nMenuResource = resource;
    menuBar()->clear();
    for (QMenu* menu : m_oMenus[resource]) {
        menuBar()->addMenu(menu);
    }
    UpdateCommandUi();
}

void CMainFrame::BuildToolBar() {
    m_pToolBar = new QToolBar(tr("Standard"), this);
    m_pToolBar->setObjectName(QStringLiteral("ToolBar"));
    m_pToolBar->setIconSize(QSize(16, 15));
    m_pToolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_pToolBar->setMovable(true);
    m_pToolBar->setFloatable(true);
    m_pToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    for (int id : Resources::ToolbarButtons()) {
        if (id == 0) {
            m_pToolBar->addSeparator();
        } else {
            m_pToolBar->addAction(CreateAction(id, Resources::ToolTip(id)));
        }
    }
    setDockOptions(dockOptions() | QMainWindow::AnimatedDocks);
    addToolBar(Qt::TopToolBarArea, m_pToolBar);
}

void CMainFrame::BuildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar"));
    // The message pane is a normal item: a prompt shown over it hides it, and it
    // comes back when the prompt is cleared.
    m_pMessagePane = new QLabel(QString::fromUtf8(Resources::kIdlePrompt), bar);
    m_pMessagePane->setObjectName(QStringLiteral("MessagePane"));
    bar->addWidget(m_pMessagePane, 1);
    QLabel** panes[] = {&m_pCapsPane, &m_pNumPane, &m_pScrollPane};
    const char* texts[] = {"CAP", "NUM", "SCRL"};
    int width = fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 12;
    for (int i = 0; i < 3; ++i) {
        auto* pane = new QLabel(QString::fromLatin1(texts[i]), bar);
        pane->setObjectName(QString::fromLatin1(texts[i]));
        pane->setAlignment(Qt::AlignCenter);
        pane->setMinimumWidth(width);
        pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        bar->addPermanentWidget(pane);
        *panes[i] = pane;
    }
}

void CMainFrame::UpdateLockIndicators() {
    if (m_pCapsPane == nullptr) {
        return;
    }
    ShowLockKeys(LockKeyState::Query());
}

void CMainFrame::ShowLockKeys(const LockKeyState& state) {
    if (m_pCapsPane == nullptr) {
        return;
    }
    const std::pair<QLabel*, bool> panes[] = {{m_pCapsPane, state.capsLock},
                                              {m_pNumPane, state.numLock},
                                              {m_pScrollPane, state.scrollLock}};
    const QString names[][2] = {{tr("Caps Lock off"), tr("Caps Lock on")},
                                {tr("Num Lock off"), tr("Num Lock on")},
                                {tr("Scroll Lock off"), tr("Scroll Lock on")}};
    for (int i = 0; i < 3; ++i) {
        auto [pane, on] = panes[i];
        pane->setEnabled(on);
        pane->setAccessibleName(names[i][on ? 1 : 0]);
    }
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        // Keys are matched against the actions right after this event: their states
        // must follow the rules as they stand now, not as of the last menu or focus
        // change.
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget != nullptr && widget->window() == this) {
            UpdateCommandUi();
            // Undo and Redo are the document's, also while a value is being typed:
            // the editor's own undo of its text does not get their keys.
            const QKeySequence keys(static_cast<QKeyEvent*>(event)->keyCombination());
            for (int id : {CommandId::EditUndo, CommandId::EditRedo}) {
                QAction* action = Action(id);
                if (action != nullptr && action->isEnabled() &&
                    action->shortcuts().contains(keys)) {
                    event->ignore();
                    return true;
                }
            }
        }
    } else if (event->type() == QEvent::KeyRelease) {
        int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_CapsLock || key == Qt::Key_NumLock || key == Qt::Key_ScrollLock) {
            UpdateLockIndicators();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        // The locks may have changed while another program had the keyboard.
        UpdateLockIndicators();
    }
    if (event->type() == QEvent::ModifiedChange) {
        // A document window that closes clears the main window's mark on its way out,
        // whatever the document left active holds: the mark is set again from it.
        CChildFrame* child = ActiveChildFrame();
        const bool modified = child != nullptr && child->GetDocument() != nullptr &&
                              child->GetDocument()->IsModified();
        if (modified != isWindowModified()) {
            QMetaObject::invokeMethod(this, &CMainFrame::UpdateFrameTitle, Qt::QueuedConnection);
        }
    }
    QMainWindow::changeEvent(event);
}

bool CMainFrame::EndEditing() {
    for (CChildFrame* frame : ChildFrames()) {
        if (!frame->EndEditing()) {
            return false;
        }
    }
    return true;
}

bool CMainFrame::ExecuteCommand(int id) {
    using namespace CommandId;
    // What the user is typing is saved, printed or asked about with the rest.
    // Undo and Redo store it first too, so that the edit being typed is the first
    // thing undone.
    const bool finishesEdits = id == FileSave || id == FileSaveAs || id == FileClose ||
                               id == FilePrint || id == FilePrintDirect || id == FilePrintPreview ||
                               id == AppExit || id == EditUndo || id == EditRedo;
    if (finishesEdits && IsCommandEnabled(id) && !EndEditing()) {
        UpdateCommandUi();
        return false;
    }
    bool ran = m_oRouter.Execute(id);
    UpdateCommandUi();
    return ran;
}

bool CMainFrame::IsCommandEnabled(int id) const {
    if (m_oRouter.IsEnabled(id)) {
        return true;
    }
    // An open edit is a change to undo once it is stored.
    CChildFrame* child = ActiveChildFrame();
    return id == CommandId::EditUndo && child != nullptr && child->IsEditing();
}

void CMainFrame::UpdateCommandUi() {
    for (auto& [id, action] : m_oActions) {
        action->setEnabled(IsCommandEnabled(id));
        if (action->isCheckable()) {
            action->setChecked(m_oRouter.IsChecked(id));
        }
    }
}

void CMainFrame::UpdateRecentFileMenu() {
    const RecentFileList& list = m_rRecentFiles;
    for (int i = 0; i < static_cast<int>(m_oRecentActions.size()); ++i) {
        QAction* action = m_oRecentActions[i];
        bool used = i < list.GetCount();
        action->setVisible(used);
        action->setText(used ? list.MenuText(i) : QString());
    }
    m_pRecentPlaceholder->setVisible(list.GetCount() == 0);
    UpdateCommandUi();
}

CChildFrame* CMainFrame::ActiveChildFrame() const {
    // The workspace has no active window while the editor is in the background (and
    // drops it before it learns that it is), yet the window the user was in is still
    // the current one: its document names the main window and its commands are on.
    // A window on its way out no longer counts.
    QList<QMdiSubWindow*> used = m_pMdiArea->subWindowList(QMdiArea::ActivationHistoryOrder);
    if (QMdiSubWindow* current = m_pMdiArea->currentSubWindow()) {
        used.append(current);
    }
    for (auto it = used.crbegin(); it != used.crend(); ++it) {
        auto* frame = qobject_cast<CChildFrame*>(*it);
        if (frame != nullptr && frame->GetDocument() != nullptr) {
            return frame;
        }
    }
    return nullptr;
}

std::vector<CChildFrame*> CMainFrame::ChildFrames() const {
    std::vector<CChildFrame*> frames;
    for (QMdiSubWindow* window : m_pMdiArea->subWindowList(QMdiArea::CreationOrder)) {
        auto* frame = qobject_cast<CChildFrame*>(window);
        if (frame != nullptr && frame->GetDocument() != nullptr) {
            frames.push_back(frame);
        }
    }
    return frames;
}

QSize CMainFrame::WorkspaceSize() {
    // Before the main window is first shown (a file from the command line) neither
    // its layout nor the area's viewport have their sizes yet.
    if (!isVisible() && layout() != nullptr) {
        layout()->activate();
        return m_pMdiArea->contentsRect().size();
    }
    return m_pMdiArea->viewport()->size();
}

CascadeLayout CMainFrame::WindowLayout(const QMdiSubWindow& window) {
    QSize area = WorkspaceSize();
    QSize natural = window.sizeHint();
    QSize minimum = (natural.boundedTo(area) / 2).expandedTo(window.minimumSizeHint());
    // One title bar down and across, so that every title stays in view.
    QStyleOptionTitleBar option;
    option.initFrom(&window);
    int step = window.style()->pixelMetric(QStyle::PM_TitleBarHeight, &option, &window) +
               window.style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, &window);
    return CascadeLayout(area, natural, minimum, QPoint(step, step));
}

void CMainFrame::AddChildFrame(CChildFrame* frame) {
    m_pMdiArea->addSubWindow(frame);
    int before = static_cast<int>(ChildFrames().size()) - 1;
    frame->setGeometry(WindowLayout(*frame).Place(before));
    connect(frame, &QWidget::windowTitleChanged, this, &CMainFrame::UpdateFrameTitle);
    connect(frame, &QMdiSubWindow::windowStateChanged, this, &CMainFrame::UpdateFrameTitle);
    frame->show();
    ActivateChildFrame(frame);
}

void CMainFrame::CascadeWindows() {
    // From the back to the front, so that the active window ends up in front with
    // every title bar behind it in view. Minimised windows stay where they are.
    std::vector<QMdiSubWindow*> windows;
    for (QMdiSubWindow* window : m_pMdiArea->subWindowList(QMdiArea::StackingOrder)) {
        if (!window->isMinimized() && !window->isHidden()) {
            windows.push_back(window);
        }
    }
    if (windows.empty()) {
        return;
    }
    QMdiSubWindow* active = m_pMdiArea->activeSubWindow();
    for (QMdiSubWindow* window : windows) {
        if (window->isMaximized()) {
            window->showNormal();
        }
    }
    std::vector<QRect> places =
        WindowLayout(*windows.front()).Arrange(static_cast<int>(windows.size()));
    for (std::size_t i = 0; i < windows.size(); ++i) {
        windows[i]->setGeometry(places[i]);
        windows[i]->raise();
    }
    if (active != nullptr) {
        m_pMdiArea->setActiveSubWindow(active);
    }
}

void CMainFrame::ActivateChildFrame(CChildFrame* frame) {
    if (frame->isMinimized()) {
        frame->showNormal();
    }
    m_pMdiArea->setActiveSubWindow(frame);
    if (DocumentView* view = frame->GetActiveView()) {
        view->setFocus(Qt::OtherFocusReason);
    }
    OnSubWindowActivated(frame);
}

void CMainFrame::BringToFront() {
    if (isMinimized()) {
        showNormal();
    }
    raise();
    activateWindow();
}

void CMainFrame::OnSubWindowActivated(QMdiSubWindow* /*window*/) {
    ShowMenus(ActiveChildFrame() != nullptr ? Resources::kDocumentResource
                                            : Resources::kMainResource);
    UpdateFrameTitle();
    UpdateCommandUi();
}

void CMainFrame::OnFocusChanged(QWidget* /*old*/, QWidget* now) {
    if (now != nullptr) {
        for (CChildFrame* frame : ChildFrames()) {
            if (frame->NoteFocus(now)) {
                break;
            }
        }
    }
    UpdateCommandUi();
}

void CMainFrame::UpdateFrameTitle() {
    QString title = QString::fromUtf8(Resources::kAppTitle);
    bool modified = false;
    if (CChildFrame* child = ActiveChildFrame()) {
        // The window's title carries the modified mark already.
        modified = child->GetDocument()->IsModified();
        if (child->isMaximized()) {
            title += QStringLiteral(" - [%1]").arg(child->windowTitle());
        } else {
            title += QStringLiteral(" - ") + QtText::FromUtf8(child->GetDocument()->GetTitle());
            if (modified) {
                title += QStringLiteral("[*]");
            }
        }
    }
    // The mark needs the placeholder in the title first.
    if (windowTitle() != title) {
        setWindowTitle(title);
    }
    setWindowModified(modified);
}

void CMainFrame::FillWindowMenu(QMenu* menu) {
    for (QAction* action : m_oWindowListActions) {
        menu->removeAction(action);
        action->deleteLater();
    }
    m_oWindowListActions.clear();
    std::vector<CChildFrame*> frames = ChildFrames();
    if (frames.empty()) {
        return;
    }
    m_oWindowListActions.push_back(menu->addSeparator());
    CChildFrame* active = ActiveChildFrame();
    int number = 1;
    for (CChildFrame* frame : frames) {
        QString title = frame->windowTitle();
        title.replace(QStringLiteral("[*]"), QStringLiteral("*"));
        title.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* action =
            menu->addAction(number <= 9 ? QStringLiteral("&%1 %2").arg(number).arg(title) : title);
        action->setCheckable(true);
        action->setChecked(frame == active);
        action->setStatusTip(tr("Activate this window"));
        QPointer<CChildFrame> target(frame);
        connect(action, &QAction::triggered, this, [this, target] {
            if (target && target->GetDocument() != nullptr) {
                ActivateChildFrame(target);
            }
        });
        m_oWindowListActions.push_back(action);
        ++number;
    }
}

void CMainFrame::ArrangeIcons() {
    // Minimised windows line up along the bottom edge, left to right, wrapping
    // upwards when a row is full.
    QSize area = m_pMdiArea->viewport()->size();
    int x = 0;
    int y = area.height();
    int rowHeight = 0;
    for (QMdiSubWindow* window : m_pMdiArea->subWindowList(QMdiArea::CreationOrder)) {
        if (!window->isMinimized()) {
            continue;
        }
        QSize size = window->size();
        if (x > 0 && x + size.width() > area.width()) {
            x = 0;
            y -= rowHeight;
            rowHeight = 0;
        }
        rowHeight = std::max(rowHeight, size.height());
        window->move(x, y - size.height());
        x += size.width();
    }
}

void CMainFrame::ShowHelpPage(const QString& page) {
    if (m_pHelpWindow == nullptr) {
        m_pHelpWindow = new HelpWindow(this);
    }
    m_pHelpWindow->ShowPage(page);
}

void CMainFrame::ShowContextHelp() {
    QString page = QString::fromLatin1(HelpWindow::kContentsPage);
    if (CChildFrame* child = ActiveChildFrame()) {
        DocumentView* view = child->GetActiveView();
        if (view == child->GetLeftPane()) {
            page = QStringLiteral("editing.html#tree");
        } else if (view == child->GetRightPane()) {
            page = QStringLiteral("editing.html#properties");
        } else {
            page = QStringLiteral("editing.html");
        }
    }
    ShowHelpPage(page);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    // The owner has let the window close (see the class comment).
    if (m_pHelpWindow != nullptr) {
        m_pHelpWindow->close();
    }
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            return;
        }
    }
}

void CMainFrame::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            paths.append(url.toLocalFile());
        }
    }
    if (paths.isEmpty()) {
        return;
    }
    event->acceptProposedAction();
    BringToFront();
    emit FilesDropped(paths);
}
