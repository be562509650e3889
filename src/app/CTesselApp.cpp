#include "app/CTesselApp.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMdiArea>
#include <QPrinter>
#include <QSettings>
#include <algorithm>

#include "app/CAboutDlg.h"
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/SingleInstance.h"
#include "app/resources.h"
#include "document/CTesselDoc.h"
#include "document/CommandIds.h"
#include "document/QtText.h"
#include "document/RecoveryCopy.h"
#include "platform/Platform.h"
#include "tree/CLeftView.h"
#include "view/CTesselView.h"

CTesselApp::CTesselApp(Options options, QObject* parent)
    : QObject(parent), m_pClipCommand(std::make_unique<Command>(Command::kNewCommandName)),
      m_oOptions(std::move(options)), m_oRecentFileList(CommandId::RecentFileCount) {
    using namespace CommandId;
    m_oCommands.Add(FileNew, [this](int) { OnFileNew(); });
    m_oCommands.Add(FileOpen, [this](int) { OnFileOpen(); });
    m_oCommands.Add(FilePrintSetup, [this](int) { OnFilePrintSetup(); });
    m_oCommands.AddRange(
        RecentFileFirst, RecentFileFirst + RecentFileCount - 1,
        [this](int id) { OnOpenRecentFile(id); },
        [this](int id) { return id - RecentFileFirst < m_oRecentFileList.GetCount(); });
    m_oCommands.Add(AppExit, [this](int) { OnAppExit(); });
    m_oCommands.Add(AppAbout, [this](int) { OnAppAbout(); });
    m_oCommands.Add(
        WindowNew, [this](int) { OnWindowNew(); },
        [this](int) { return m_pMainFrame && m_pMainFrame->ActiveChildFrame() != nullptr; });
}

CTesselApp::~CTesselApp() {
    // Windows first: their panes let go of the documents, which must then not call
    // back into a frame that is going.
    for (const std::unique_ptr<CTesselDoc>& document : m_oDocuments) {
        disconnect(document.get(), nullptr, this, nullptr);
        disconnect(&document->GetDiskFile(), nullptr, this, nullptr);
        disconnect(document.get(), nullptr, m_pMainFrame.get(), nullptr);
    }
    // Without the exit steps the recovery copies stay, as after a crash.
    m_oRecoveryCopies.clear();
    m_pMainFrame.reset();
    m_oDocuments.clear();
    m_oClosedDocuments.clear();
}

std::vector<CTesselDoc*> CTesselApp::GetDocuments() const {
    std::vector<CTesselDoc*> documents;
    documents.reserve(m_oDocuments.size());
    for (const std::unique_ptr<CTesselDoc>& document : m_oDocuments) {
        documents.push_back(document.get());
    }
    return documents;
}

std::unique_ptr<QSettings> CTesselApp::OpenSettings() {
    return std::make_unique<QSettings>(QString::fromLatin1(kSettingsOrganization),
                                       QString::fromLatin1(kSettingsApplication));
}

void CTesselApp::LoadStdProfileSettings() {
    std::unique_ptr<QSettings> settings = OpenSettings();
    m_oRecentFileList.ReadList(*settings);
    settings->beginGroup(QString::fromLatin1(kSettingsSection));
    m_nPreviewPages = settings->value(QString::fromLatin1(kPreviewPagesEntry), 0).toInt();
    settings->endGroup();
}

void CTesselApp::SaveStdProfileSettings() {
    std::unique_ptr<QSettings> settings = OpenSettings();
    m_oRecentFileList.WriteList(*settings);
    // Like the recent files, the preview setting is written back only when it holds
    // something; an absent entry reads as 0.
    if (m_nPreviewPages != 0) {
        settings->beginGroup(QString::fromLatin1(kSettingsSection));
        settings->setValue(QString::fromLatin1(kPreviewPagesEntry), m_nPreviewPages);
        settings->endGroup();
    }
    settings->sync();
}

QString CTesselApp::ProtocolFolderFor(const QString& programPath) {
    const QChar separator = QLatin1Char('/');
    // Cut before the last separator twice: the file name, then the program's folder.
    QString folder = programPath.left(std::max<qsizetype>(programPath.lastIndexOf(separator), 0));
    folder = folder.left(std::max<qsizetype>(folder.lastIndexOf(separator), 0));
    return folder + separator + QStringLiteral("Protocol");
}

QString CTesselApp::FileFromCommandLine(const QStringList& arguments) {
    QString text = arguments.join(QLatin1Char(' '));
    if (text.isEmpty()) {
        return {};
    }
    // A switch such as -e or /Embedding opens nothing. With "/" as the path
    // separator, "/e..." is taken as a switch only when it is no path: a single word
    // that names no file.
    if (text.size() >= 2 && text.at(1).toLower() == QLatin1Char('e')) {
        if (text.at(0) == QLatin1Char('-')) {
            return {};
        }
        if (text.at(0) == QLatin1Char('/') && text.indexOf(QLatin1Char('/'), 1) < 0 &&
            !QFileInfo::exists(text)) {
            return {};
        }
    }
    if (text.startsWith(QLatin1Char('"'))) {
        text.remove(0, 1);
        int last = text.lastIndexOf(QLatin1Char('"'));
        if (last >= 0) {
            text.remove(last, 1);
        }
    }
    return text;
}

std::optional<QString> CTesselApp::InformationRequested(const QStringList& arguments) {
    // Only a command line that is exactly one of the two options asks; every other
    // text stays the file to open, as it always was (a file named like an option is
    // given with its folder: ./--help). Single-dash words are files or the -e switch.
    if (arguments.size() != 1 || !arguments.front().startsWith(QLatin1String("--"))) {
        return std::nullopt;
    }
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Edits, saves and prints device-control protocol files (.pcl).\nOne "
                       "editor runs per user: a FILE given while it runs opens there."));
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("The protocol file to open; the arguments are "
                                                "joined by blanks into one path. -e opens "
                                                "nothing."),
                                 QStringLiteral("[FILE]"));
    const QCommandLineOption help(QStringLiteral("help"),
                                  QStringLiteral("Displays this help and exits."));
    const QCommandLineOption version(QStringLiteral("version"),
                                     QStringLiteral("Displays the version and exits."));
    parser.addOption(help);
    parser.addOption(version);
    if (!parser.parse(QStringList{QStringLiteral("tessel")} + arguments)) {
        return std::nullopt;
    }
    if (parser.isSet(help)) {
        // Asked before the application object exists, the parser does not know the
        // program's name and puts a placeholder in its place.
        QString text = parser.helpText();
        text.replace(QLatin1String("<executable_name>"), QLatin1String("tessel"));
        return text;
    }
    if (parser.isSet(version)) {
        return QStringLiteral("tessel %1\n").arg(QString::fromUtf8(ProgramInfo::kVersion));
    }
    return std::nullopt;
}

bool CTesselApp::InitInstance(const QStringList& arguments) {
    LoadStdProfileSettings();
    m_poDocTemplate = std::make_unique<DocumentTemplate>(Resources::kDocTemplate);

    m_pMainFrame = std::make_unique<CMainFrame>(m_oCommands, m_oRecentFileList);
    if (!m_pMainFrame->Create()) {
        m_pMainFrame.reset();
        return false;
    }
    m_pMainFrame->setAcceptDrops(true);
    connect(m_pMainFrame.get(), &CMainFrame::FilesDropped, this, [this](const QStringList& paths) {
        for (const QString& path : paths) {
            OpenDocumentFile(path);
        }
    });
    m_pMainFrame->installEventFilter(this);

    if (!m_oOptions.serverName.isEmpty()) {
        m_pSingleInstance = new SingleInstance(m_oOptions.serverName, this);
        connect(m_pSingleInstance, &SingleInstance::OpenRequested, this,
                &CTesselApp::OnOpenRequest);
        // Without the server the editor still works; later starts simply run on
        // their own.
        m_pSingleInstance->Listen();
    }

    // The Protocol folder is known before the file of the command line opens, so
    // that its document, too, is saved under a new name starting there.
    QString program = m_oOptions.programPath.isEmpty() ? QCoreApplication::applicationFilePath()
                                                       : m_oOptions.programPath;
    m_strProtocolDir = QtText::ToUtf8(ProtocolFolderFor(program));

    // News of files changed by other programs waits for their document's window.
    connect(m_pMainFrame->GetMdiArea(), &QMdiArea::subWindowActivated, this,
            &CTesselApp::ScheduleNews);
    connect(qApp, &QApplication::focusChanged, this, &CTesselApp::ScheduleNews);

    StartRecovery();

    QString file = FileFromCommandLine(arguments);
    if (!file.isEmpty()) {
        OpenDocumentFile(file);
    }

    m_pMainFrame->show();
    m_pMainFrame->UpdateCommandUi();
    return true;
}

void CTesselApp::ExitInstance() {
    if (m_bExited) {
        return;
    }
    m_bExited = true;
    CloseAllDocuments();
    m_pClipCommand.reset();
    SaveStdProfileSettings();
}

bool CTesselApp::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_pMainFrame.get() && event->type() == QEvent::Close) {
        if (!m_pMainFrame->EndEditing() || !SaveAllModified()) {
            event->ignore();
            return true;
        }
        ExitInstance();
    }
    return QObject::eventFilter(watched, event);
}

std::unique_ptr<CTesselDoc> CTesselApp::NewDocumentObject() {
    auto document = std::make_unique<CTesselDoc>(m_poDocTemplate.get());
    // A first save starts where Open does.
    document->SetSaveFolder(m_strProtocolDir);
    connect(document.get(), &DocumentBase::PathNameEntered, this, [this](const QString& path) {
        m_oRecentFileList.Add(path);
        m_pMainFrame->UpdateRecentFileMenu();
    });
    connect(document.get(), &DocumentBase::CloseRequested, this,
            [this](DocumentBase* closing) { CloseDocument(static_cast<CTesselDoc*>(closing)); });
    connect(document.get(), &DocumentBase::ModifiedChanged, m_pMainFrame.get(),
            &CMainFrame::UpdateCommandUi);
    connect(document.get(), &DocumentBase::ModifiedChanged, m_pMainFrame.get(),
            &CMainFrame::UpdateFrameTitle);
    connect(document.get(), &CTesselDoc::HistoryChanged, m_pMainFrame.get(),
            &CMainFrame::UpdateCommandUi);
    connect(document.get(), &DocumentBase::TitleChanged, m_pMainFrame.get(),
            &CMainFrame::UpdateFrameTitle);
    connect(&document->GetDiskFile(), &DiskFileWatch::ChangedOnDisk, this,
            &CTesselApp::ScheduleNews);
    return document;
}

CTesselDoc* CTesselApp::AddDocument(std::unique_ptr<CTesselDoc> document) {
    CTesselDoc* added = document.get();
    m_oDocuments.push_back(std::move(document));
    if (m_poRecovery) {
        m_oRecoveryCopies[added] = std::make_unique<RecoveryCopy>(*added, *m_poRecovery);
    }
    CreateChildFrame(*added);
    return added;
}

RecoveryCopy* CTesselApp::GetRecoveryCopy(const CTesselDoc* document) const {
    auto it = m_oRecoveryCopies.find(document);
    return it != m_oRecoveryCopies.end() ? it->second.get() : nullptr;
}

void CTesselApp::StartRecovery() {
    if (m_oOptions.recoveryFolder.isEmpty()) {
        return;
    }
    auto store = std::make_unique<RecoveryStore>(m_oOptions.recoveryFolder);
    if (!store->Open()) {
        Platform::Current().MessageOk(kNoRecoveryFolderStart +
                                      QtText::ToUtf8(m_oOptions.recoveryFolder) + kNoRecoveryEnd);
        return;
    }
    m_poRecovery = std::move(store);
    connect(m_poRecovery.get(), &RecoveryStore::WriteFailed, this, [this] {
        m_bRecoveryFailed = true;
        ScheduleNews();
    });
    for (const RecoveryStore::LeftCopy& copy : m_poRecovery->ClaimLeftCopies()) {
        OfferLeftCopy(copy);
    }
    m_poRecovery->ReleaseLeftCopies();
}

void CTesselApp::OfferLeftCopy(const RecoveryStore::LeftCopy& copy) {
    Platform& platform = Platform::Current();
    const std::string copyPath = QtText::ToUtf8(copy.protocolPath);
    const std::string unreadable = kUnreadableCopyStart + copyPath + kUnreadableCopyEnd;
    if (!copy.record) {
        platform.MessageOk(unreadable);
        return;
    }
    const RecoveryRecord& record = *copy.record;
    const std::string& name = record.path.empty() ? record.title : record.path;
    if (!platform.AskYesNo(kRecoverStart + name + kRecoverEnd)) {
        m_poRecovery->Discard(copy);
        return;
    }
    std::unique_ptr<CTesselDoc> document = NewDocumentObject();
    if (record.path.empty()) {
        document->SetTitle(m_poDocTemplate->NextUntitledTitle());
    }
    if (!document->OpenRecoveredCopy(copyPath, record)) {
        platform.MessageOk(unreadable);
        return;
    }
    if (record.path.empty()) {
        m_poDocTemplate->CountUntitled();
    }
    CTesselDoc* added = AddDocument(std::move(document));
    // The changes pass to this editor's own copy before the old one goes.
    GetRecoveryCopy(added)->WriteNow();
    m_poRecovery->Discard(copy);
}

void CTesselApp::ScheduleNews() {
    if (!m_bNewsScheduled) {
        m_bNewsScheduled = true;
        QMetaObject::invokeMethod(this, &CTesselApp::TellNews, Qt::QueuedConnection);
    }
}

void CTesselApp::TellNews() {
    m_bNewsScheduled = false;
    // Never over a dialog or an open menu, and never while a question is up.
    if (m_bTellingNews || !m_pMainFrame || QApplication::activeModalWidget() != nullptr ||
        QApplication::activePopupWidget() != nullptr) {
        return;
    }
    m_bTellingNews = true;
    if (m_bRecoveryFailed && !m_bRecoveryFailureTold) {
        m_bRecoveryFailureTold = true;
        Platform::Current().MessageOk(kNoRecoveryCopyStart +
                                      QtText::ToUtf8(m_poRecovery->GetFolder()) + kNoRecoveryEnd);
    }
    CChildFrame* frame = m_pMainFrame->ActiveChildFrame();
    CTesselDoc* document = frame != nullptr ? frame->GetDocument() : nullptr;
    // Only the document whose window the user is looking at; the others are told
    // when their windows are next active.
    if (document != nullptr && m_pMainFrame->isActiveWindow()) {
        document->GetDiskFile().Check();
        // What was typed belongs to the document the question is about.
        if (document->GetDiskFile().HasNews() && frame->EndEditing()) {
            document->TellOutsideChange();
        }
    }
    m_bTellingNews = false;
}

CChildFrame* CTesselApp::CreateChildFrame(CTesselDoc& document) {
    auto* frame = new CChildFrame(document, *this);
    connect(frame, &CChildFrame::CommandStateChanged, m_pMainFrame.get(),
            &CMainFrame::UpdateCommandUi);
    connect(frame, &CChildFrame::DocumentDetached, this, [this, doc = &document] {
        // Closing one of several windows renumbers the others; a closing document
        // has none left.
        std::vector<CTesselDoc*> open = GetDocuments();
        if (std::find(open.begin(), open.end(), doc) != open.end()) {
            UpdateFrameCounts(doc);
        }
    });
    m_pMainFrame->AddChildFrame(frame);
    frame->InitialUpdateFrame();
    UpdateFrameCounts(&document);
    return frame;
}

CTesselDoc* CTesselApp::OnFileNew() {
    std::unique_ptr<CTesselDoc> document = NewDocumentObject();
    document->SetTitle(m_poDocTemplate->NextUntitledTitle());
    if (!document->InitNewProtocol()) {
        return nullptr;
    }
    m_poDocTemplate->CountUntitled();
    return AddDocument(std::move(document));
}

void CTesselApp::OnFileOpen() {
    std::string path;
    if (Platform::Current().AskOpenFileName(kOpenTitle, kOpenFilter, m_strProtocolDir, path)) {
        OpenDocumentFile(QtText::FromUtf8(path));
    }
}

CTesselDoc* CTesselApp::FindOpenDocument(const QString& path) const {
    QFileInfo wanted(path);
    for (CTesselDoc* document : GetDocuments()) {
        if (document->GetPathName().empty()) {
            continue;
        }
        QFileInfo open(QtText::FromUtf8(document->GetPathName()));
        bool same = wanted.exists() && open.exists()
                        ? wanted.canonicalFilePath() == open.canonicalFilePath()
                        : wanted.absoluteFilePath() == open.absoluteFilePath();
        if (same) {
            return document;
        }
    }
    return nullptr;
}

void CTesselApp::ActivateDocument(CTesselDoc* document) {
    for (CChildFrame* frame : m_pMainFrame->ChildFrames()) {
        if (frame->GetDocument() == document) {
            m_pMainFrame->ActivateChildFrame(frame);
            return;
        }
    }
}

CTesselDoc* CTesselApp::OpenDocumentFile(const QString& path) {
    QString fullPath = QFileInfo(path).absoluteFilePath();
    if (CTesselDoc* open = FindOpenDocument(fullPath)) {
        ActivateDocument(open);
        // Opened again all the same: it is the most recently used file now.
        m_oRecentFileList.Add(QtText::FromUtf8(open->GetPathName()));
        m_pMainFrame->UpdateRecentFileMenu();
        return open;
    }
    std::unique_ptr<CTesselDoc> document = NewDocumentObject();
    if (!document->OpenProtocolFile(QtText::ToUtf8(fullPath))) {
        return nullptr;
    }
    return AddDocument(std::move(document));
}

QPrinter& CTesselApp::Printer() {
    if (!m_poPrinter) {
        m_poPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    return *m_poPrinter;
}

void CTesselApp::OnFilePrintSetup() {
    // The dialog puts the choice into the printer; nothing else is to be done.
    Platform::Current().ShowPrintSetup(Printer());
}

void CTesselApp::OnOpenRecentFile(int id) {
    int index = id - CommandId::RecentFileFirst;
    if (index < 0 || index >= m_oRecentFileList.GetCount()) {
        return;
    }
    QString path = m_oRecentFileList.At(index);
    if (OpenDocumentFile(path) == nullptr) {
        // The list may have changed meanwhile; remove the entry by its path.
        int now = static_cast<int>(m_oRecentFileList.Paths().indexOf(path));
        m_oRecentFileList.Remove(now);
        m_pMainFrame->UpdateRecentFileMenu();
    }
}

void CTesselApp::OnAppExit() {
    m_pMainFrame->close();
}

void CTesselApp::OnAppAbout() {
    CAboutDlg dialog(m_pMainFrame.get());
    dialog.exec();
}

CChildFrame* CTesselApp::OnWindowNew() {
    CChildFrame* active = m_pMainFrame->ActiveChildFrame();
    if (active == nullptr || active->GetDocument() == nullptr) {
        return nullptr;
    }
    return CreateChildFrame(*active->GetDocument());
}

bool CTesselApp::SaveAllModified() {
    // A copy: saving never closes a document, but stay safe if it did.
    for (CTesselDoc* document : GetDocuments()) {
        if (!document->ConfirmSaveChanges()) {
            return false;
        }
    }
    return true;
}

void CTesselApp::CloseAllDocuments() {
    while (!m_oDocuments.empty()) {
        CloseDocument(m_oDocuments.front().get());
    }
}

void CTesselApp::CloseDocument(CTesselDoc* document) {
    auto it = std::find_if(m_oDocuments.begin(), m_oDocuments.end(),
                           [document](const auto& open) { return open.get() == document; });
    if (it == m_oDocuments.end()) {
        return;
    }
    std::unique_ptr<CTesselDoc> closing = std::move(*it);
    m_oDocuments.erase(it);
    for (CChildFrame* frame : m_pMainFrame->ChildFrames()) {
        if (frame->GetDocument() == document) {
            frame->CloseForDocument();
        }
    }
    disconnect(document, nullptr, this, nullptr);
    disconnect(&document->GetDiskFile(), nullptr, this, nullptr);
    disconnect(document, nullptr, m_pMainFrame.get(), nullptr);
    // The document closes only once the user has saved or dropped its changes.
    if (auto copy = m_oRecoveryCopies.find(document); copy != m_oRecoveryCopies.end()) {
        copy->second->Discard();
        m_oRecoveryCopies.erase(copy);
    }
    // Destroyed once back in the event loop: the close may have started inside one of
    // the document's own commands or signals.
    m_oClosedDocuments.push_back(std::move(closing));
    QMetaObject::invokeMethod(
        this, [this] { m_oClosedDocuments.clear(); }, Qt::QueuedConnection);
    m_pMainFrame->UpdateCommandUi();
}

void CTesselApp::UpdateFrameCounts(CTesselDoc* document) {
    std::vector<CChildFrame*> frames;
    for (CChildFrame* frame : m_pMainFrame->ChildFrames()) {
        if (frame->GetDocument() == document) {
            frames.push_back(frame);
        }
    }
    for (std::size_t i = 0; i < frames.size(); ++i) {
        frames[i]->SetWindowNumber(frames.size() > 1 ? static_cast<int>(i) + 1 : 0);
    }
    m_pMainFrame->UpdateFrameTitle();
}

void CTesselApp::OnOpenRequest(const QString& path) {
    if (!path.isEmpty()) {
        OpenDocumentFile(path);
    }
    m_pMainFrame->BringToFront();
}
