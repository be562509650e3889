#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/RecentFileList.h"
#include "document/ApplicationState.h"
#include "document/CommandTable.h"
#include "document/DocumentTemplate.h"
#include "document/RecoveryStore.h"
#include "model/Command.h"
#include "platform/ProgramInfo.h"

class CChildFrame;
class CMainFrame;
class CTesselDoc;
class QPrinter;
class QSettings;
class RecoveryCopy;
class SingleInstance;

// The application object: it lives for the whole run, owns the state every document
// shares (the command clipboard, the Protocol folder, the grid identifiers, the
// recent-file list), runs the start-up sequence, and handles File New, File Open,
// Print Setup, the recent files, Window > New Window, Exit and About. It owns the
// main window and every document, creates each document with its windows and
// closes them again; the main window knows nothing of it.
class CTesselApp : public QObject, public ApplicationState {
    Q_OBJECT
public:
    static constexpr const char* kSettingsOrganization = "Local AppWizard-Generated Applications";
    static constexpr const char* kSettingsApplication = ProgramInfo::kName;
    static constexpr const char* kSettingsSection = "Settings";
    static constexpr const char* kPreviewPagesEntry = "PreviewPages";
    static constexpr const char* kOpenTitle = "Open File";
    static constexpr const char* kOpenFilter = "Protocol files(*.pcl)";

    struct Options {
        // The program file, from which the Protocol folder is found; empty for the
        // running program's own.
        QString programPath;
        // The local socket through which later starts hand over their files; empty
        // for no single-instance server.
        QString serverName;
        // The folder of recovery copies (RecoveryStore::DefaultFolder() for the
        // user's); empty for none.
        QString recoveryFolder;
    };

    static constexpr const char* kRecoverStart = "Tessel found unsaved changes to ";
    static constexpr const char* kRecoverEnd =
        " that were not saved when it last stopped.\nDo you want to recover them?";
    static constexpr const char* kUnreadableCopyStart = "The recovery copy ";
    static constexpr const char* kUnreadableCopyEnd =
        " could not be read.\nIt is kept, not deleted.";
    static constexpr const char* kNoRecoveryFolderStart =
        "Tessel could not use its recovery folder ";
    static constexpr const char* kNoRecoveryCopyStart =
        "Tessel could not write a recovery copy into ";
    static constexpr const char* kNoRecoveryEnd =
        ".\nUnsaved changes cannot be recovered if Tessel stops unexpectedly.";

    explicit CTesselApp(Options options = {}, QObject* parent = nullptr);
    ~CTesselApp() override;

    // The start-up sequence; `arguments` follow the program name. False when the
    // main window could not be created.
    bool InitInstance(const QStringList& arguments);
    // The exit steps: every document closes with its windows, the clipboard command
    // goes, the settings are written. Runs once.
    void ExitInstance();

    Command& ClipCommand() override { return *m_pClipCommand; }
    int TakeNextGridId() override { return m_nNextGridId++; }
    bool GridToolTips() const override { return m_bGridToolTips; }
    QPrinter& Printer() override;
    void SetPreviewPages(int pages) override { m_nPreviewPages = pages; }

    // File New: a new protocol in a new window; nullptr when it could not be made.
    CTesselDoc* OnFileNew();
    void OnFileOpen();
    // Opens `path` as a document, or brings it to the front when it is open already;
    // nullptr after the messages of a failed open.
    CTesselDoc* OpenDocumentFile(const QString& path);
    void OnFilePrintSetup();
    // Opens entry `id` of the recent-file list; an entry that fails is removed.
    void OnOpenRecentFile(int id);
    // Exit: closes the main window, which asks about every modified document.
    void OnAppExit();
    void OnAppAbout();
    // Window > New Window: another window on the active document.
    CChildFrame* OnWindowNew();

    // Asks every modified document whether to save it; false when one was cancelled.
    bool SaveAllModified();
    // Closes every document with its windows, without asking.
    void CloseAllDocuments();

    // The open documents, in the order they were opened.
    std::vector<CTesselDoc*> GetDocuments() const;
    CMainFrame* GetMainFrame() const { return m_pMainFrame.get(); }
    RecentFileList& GetRecentFileList() { return m_oRecentFileList; }
    const DocumentTemplate& GetDocTemplate() const { return *m_poDocTemplate; }
    CommandTable& Commands() { return m_oCommands; }
    SingleInstance* GetSingleInstance() const { return m_pSingleInstance; }
    // The recovery copies; nullptr when the editor keeps none.
    RecoveryStore* GetRecoveryStore() const { return m_poRecovery.get(); }
    // The recovery copy of an open document; nullptr without one.
    RecoveryCopy* GetRecoveryCopy(const CTesselDoc* document) const;
    int GetPreviewPages() const { return m_nPreviewPages; }

    // The Protocol folder for a program file: its folder's parent, then "/Protocol".
    static QString ProtocolFolderFor(const QString& programPath);
    // The file the command line names: the arguments joined by blanks, nothing for
    // an empty text or a switch such as -e or /E, without enclosing double quotes.
    static QString FileFromCommandLine(const QStringList& arguments);
    // What the command line asks to be told instead of starting: the usage for
    // --help, the version for --version, as text for standard output. Nothing for
    // any other command line, which names the file to open.
    static std::optional<QString> InformationRequested(const QStringList& arguments);

    // Members shared with the panes and set by start-up.
    std::string m_strProtocolDir;
    int m_nNextGridId = 1000;
    std::unique_ptr<Command> m_pClipCommand;
    bool m_bGridToolTips = false;

protected:
    // Closing the main window asks about every modified document first, then runs
    // the exit steps; a cancelled question keeps the window open.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static std::unique_ptr<QSettings> OpenSettings();
    void LoadStdProfileSettings();
    void SaveStdProfileSettings();

    std::unique_ptr<CTesselDoc> NewDocumentObject();
    // Takes `document` into the list of open documents and opens its first window.
    CTesselDoc* AddDocument(std::unique_ptr<CTesselDoc> document);
    CChildFrame* CreateChildFrame(CTesselDoc& document);
    void CloseDocument(CTesselDoc* document);
    // Numbers the windows of `document` when it has several.
    void UpdateFrameCounts(CTesselDoc* document);
    CTesselDoc* FindOpenDocument(const QString& path) const;
    // Takes this editor's place among the recovery copies and offers, one by one,
    // the copies that editors no longer running left; start-up runs it before the
    // command line's file opens.
    void StartRecovery();
    void OfferLeftCopy(const RecoveryStore::LeftCopy& copy);
    // Tells, once nothing else is in the way (a dialog, a menu, another window), of
    // a change another program made to the active document's file, and of a recovery
    // copy that could not be written.
    void ScheduleNews();
    void TellNews();
    void ActivateDocument(CTesselDoc* document);
    void OnOpenRequest(const QString& path);

    Options m_oOptions;
    std::unique_ptr<DocumentTemplate> m_poDocTemplate;
    std::unique_ptr<CMainFrame> m_pMainFrame;
    std::vector<std::unique_ptr<CTesselDoc>> m_oDocuments;
    // Closed documents, destroyed once the command that closed them has returned.
    std::vector<std::unique_ptr<CTesselDoc>> m_oClosedDocuments;
    RecentFileList m_oRecentFileList;
    int m_nPreviewPages = 0;
    SingleInstance* m_pSingleInstance = nullptr;
    std::unique_ptr<RecoveryStore> m_poRecovery;
    std::map<const CTesselDoc*, std::unique_ptr<RecoveryCopy>> m_oRecoveryCopies;
    bool m_bNewsScheduled = false;
    bool m_bTellingNews = false;
    bool m_bRecoveryFailed = false;
    bool m_bRecoveryFailureTold = false;
    // Made on first use: looking up the printers takes a moment.
    std::unique_ptr<QPrinter> m_poPrinter;
    CommandTable m_oCommands;
    bool m_bExited = false;
};
