#pragma once

#include <QMainWindow>
#include <QPointer>
#include <map>
#include <vector>

#include "app/CommandRouter.h"
#include "document/CommandTable.h"

class CascadeLayout;
class CChildFrame;
class HelpWindow;
class LockKeyState;
class RecentFileList;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QStyle;
class QToolBar;
namespace Resources {
struct Menu;
}

// The main window: menu bar, toolbar, status bar and the area that holds the
// document windows. It shows the short menu while no document window is open and
// the full menu while one is active, routes every menu item, key and toolbar button
// through the command router, and handles the toolbar and status bar toggles, the
// window arrangement and help.
//
// It knows nothing of the application object that owns it: it is given the
// application's command table, for the router, and the recent-file list it shows.
// Dropped files leave through FilesDropped; whether the window may close is for its
// owner to decide, which watches its close events.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(CommandTable& appCommands, const RecentFileList& recentFiles);
    ~CMainFrame() override;

    // Builds the menus, toolbar and status bar; false when a part cannot be made.
    bool Create();

    QMdiArea* GetMdiArea() const { return m_pMdiArea; }
    QToolBar* GetToolBar() const { return m_pToolBar; }
    QLabel* GetMessagePane() const { return m_pMessagePane; }
    const CommandRouter& GetRouter() const { return m_oRouter; }
    CommandTable& Commands() { return m_oCommands; }
    // The action of command `id`; nullptr for a command the window has none for.
    QAction* Action(int id) const;
    // The menus of the menu bar as shown now: 128 without, 129 with an active
    // document window.
    int CurrentMenuResource() const { return m_nMenuResource; }
    HelpWindow* GetHelpWindow() const { return m_pHelpWindow; }

    void AddChildFrame(CChildFrame* frame);
    CChildFrame* ActiveChildFrame() const;
    std::vector<CChildFrame*> ChildFrames() const;
    void ActivateChildFrame(CChildFrame* frame);
    void BringToFront();

    // Runs `id` through the router; false when nobody handles it or it is disabled.
    // Saving, printing, closing, Undo and Redo first finish an edit open in a
    // document window.
    bool ExecuteCommand(int id);
    // Finishes the edits open in every document window, as confirming them would;
    // false when one stays open because what was typed cannot be stored.
    bool EndEditing();
    // Shows the lock keys' state in the status bar's CAP, NUM and SCRL panes, greyed
    // while off, and tells it to assistive technology, which cannot see the grey.
    void ShowLockKeys(const LockKeyState& state);

signals:
    void FilesDropped(const QStringList& paths);

public slots:
    // Re-evaluates the enable and check rules of every menu item and button.
    void UpdateCommandUi();
    void UpdateRecentFileMenu();
    void UpdateFrameTitle();
    // The help page for the active window (F1).
    void ShowContextHelp();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    std::vector<CommandTable*> CommandChain() const;
    // The router's rule, and Undo while an edit is open in the active window.
    bool IsCommandEnabled(int id) const;
    QAction* CreateAction(int id, const QString& text);
    QMenu* BuildMenu(const Resources::Menu& menu);
    void BuildMenus();
    void ShowMenus(int resource);
    void BuildToolBar();
    void BuildStatusBar();
    void RegisterCommands();
    void UpdateLockIndicators();
    void FillWindowMenu(QMenu* menu);
    // The size the document windows have to share.
    QSize WorkspaceSize();
    // The cascade for windows like `window` in the workspace as it is now.
    CascadeLayout WindowLayout(const QMdiSubWindow& window);
    void CascadeWindows();
    void ArrangeIcons();
    void ShowHelpPage(const QString& page);
    void OnSubWindowActivated(QMdiSubWindow* window);
    void OnFocusChanged(QWidget* old, QWidget* now);

    CommandTable& m_rAppCommands;
    const RecentFileList& m_rRecentFiles;
    CommandRouter m_oRouter;
    CommandTable m_oCommands;
    QMdiArea* m_pMdiArea = nullptr;
    QToolBar* m_pToolBar = nullptr;
    QLabel* m_pMessagePane = nullptr;
    QLabel* m_pCapsPane = nullptr;
    QLabel* m_pNumPane = nullptr;
    QLabel* m_pScrollPane = nullptr;
    std::map<int, QAction*> m_oActions;
    QAction* m_pRecentPlaceholder = nullptr;
    std::vector<QAction*> m_oRecentActions;
    std::map<int, std::vector<QMenu*>> m_oMenus; // by resource
    QMenu* m_pWindowMenu = nullptr;
    std::vector<QAction*> m_oWindowListActions;
    int m_nMenuResource = 0;
    HelpWindow* m_pHelpWindow = nullptr;
    QStyle* m_pMenuStyle = nullptr;
};
