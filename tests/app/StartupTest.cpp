#include "AppFixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLocalServer>
#include <QMdiArea>
#include <QProcess>
#include <QSettings>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTemporaryDir>
#include <QToolBar>

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/SingleInstance.h"
#include "document/CTesselDoc.h"
#include "document/CommandIds.h"

using namespace CommandId;

namespace {

class Startup : public AppFixture {};

} // namespace

TEST(CTesselAppStatics, ProtocolFolderIsBesideTheProgramsFolder) {
    EXPECT_EQ(CTesselApp::ProtocolFolderFor("/A/B/app"), "/A/Protocol");
    EXPECT_EQ(CTesselApp::ProtocolFolderFor("/opt/tessel/bin/tessel"), "/opt/tessel/Protocol");
    // A program in the root folder: the second cut leaves nothing.
    EXPECT_EQ(CTesselApp::ProtocolFolderFor("/app"), "/Protocol");
    EXPECT_EQ(CTesselApp::ProtocolFolderFor("app"), "/Protocol");
}

TEST(CTesselAppStatics, CommandLineNamesOneFileOrASwitch) {
    EXPECT_EQ(CTesselApp::FileFromCommandLine({}), "");
    EXPECT_EQ(CTesselApp::FileFromCommandLine({""}), "");
    for (const char* word : {"-e", "-E", "-embedding", "/E", "/e", "/Embedding"}) {
        EXPECT_EQ(CTesselApp::FileFromCommandLine({word}), "") << word;
    }
    EXPECT_EQ(CTesselApp::FileFromCommandLine({"-x"}), "-x");
    EXPECT_EQ(CTesselApp::FileFromCommandLine({"Relay.pcl"}), "Relay.pcl");
    // The whole text is one path, even when it came as several words.
    EXPECT_EQ(CTesselApp::FileFromCommandLine({"My", "Relay.pcl"}), "My Relay.pcl");
    EXPECT_EQ(CTesselApp::FileFromCommandLine({"\"/shows/My Relay.pcl\""}), "/shows/My Relay.pcl");
    EXPECT_EQ(CTesselApp::FileFromCommandLine({"\"/shows/My", "Relay.pcl\""}),
              "/shows/My Relay.pcl");
    EXPECT_EQ(CTesselApp::FileFromCommandLine({"\"/a.pcl"}), "/a.pcl");
    EXPECT_EQ(CTesselApp::FileFromCommandLine({"/a\"b.pcl"}), "/a\"b.pcl");
    // With "/" as the separator, a path below a folder starting with e is a path.
    EXPECT_EQ(CTesselApp::FileFromCommandLine({"/export/shows/Relay.pcl"}),
              "/export/shows/Relay.pcl");
}

TEST_F(Startup, WithoutArgumentsTheWindowIsEmptyWithTheShortMenu) {
    Start();
    EXPECT_TRUE(Frame().isVisible());
    EXPECT_EQ(MenuTitles(), (QStringList{"File", "View", "Help"}));
    EXPECT_EQ(MenuItems("File"),
              (QStringList{"&New\tCtrl+N", "&Open...\tCtrl+O", "-", "P&rint Setup...", "-",
                           "Recent File", "-", "E&xit"}));
    EXPECT_EQ(MenuItems("View"), (QStringList{"&Toolbar", "&Status Bar"}));
    EXPECT_EQ(MenuItems("Help"), (QStringList{"&Help Topics", "-", "&About Tessel..."}));
    EXPECT_TRUE(Frame().GetMdiArea()->subWindowList().isEmpty());
    EXPECT_TRUE(app->GetDocuments().empty());
    EXPECT_EQ(Frame().windowTitle(), "Tessel");
    EXPECT_FALSE(Enabled(RecentFileFirst));
    EXPECT_TRUE(platform.messages.empty());

    // The members every document shares.
    EXPECT_EQ(app->m_strProtocolDir, TempPath("Protocol").toStdString());
    EXPECT_EQ(app->TakeNextGridId(), 1000);
    EXPECT_EQ(app->TakeNextGridId(), 1001);
    EXPECT_FALSE(app->GridToolTips());
    EXPECT_EQ(app->ClipCommand().m_strName, "New Command");
    EXPECT_EQ(app->ClipCommand().m_strDescription, "");
    EXPECT_EQ(app->ClipCommand().m_nParams, 0);
    EXPECT_EQ(app->GetPreviewPages(), 0);
}

TEST_F(Startup, AFileOnTheCommandLineOpensInADocumentWindow) {
    QString path = WriteProtocol("Relay.pcl", "Lumen Relay");
    Start({path});
    ASSERT_EQ(app->GetDocuments().size(), 1u);
    CTesselDoc* doc = app->GetDocuments().front();
    EXPECT_EQ(doc->GetPathName(), path.toStdString());
    EXPECT_EQ(doc->GetProtocol().m_strDescription, "Lumen Relay");
    ASSERT_NE(ActiveChild(), nullptr);
    EXPECT_EQ(ActiveChild()->windowTitle(), "Relay.pcl");
    EXPECT_EQ(Frame().windowTitle(), "Tessel - Relay.pcl");
    EXPECT_EQ(MenuTitles(), (QStringList{"File", "Edit", "View", "Window", "Help"}));
    EXPECT_EQ(app->GetRecentFileList().Paths(), QStringList{path});
}

TEST_F(Startup, AQuotedPathWithBlanksOpens) {
    QString path = WriteProtocol("My Shows/Relay Box.pcl");
    Start({"\"" + path + "\""});
    ASSERT_EQ(app->GetDocuments().size(), 1u);
    EXPECT_EQ(app->GetDocuments().front()->GetTitle(), "Relay Box.pcl");
}

TEST_F(Startup, SwitchesOpenNothingAndOtherTextIsTriedAsAPath) {
    Start({"-e"});
    EXPECT_TRUE(app->GetDocuments().empty());
    Drop();
    Start({"/Embedding"});
    EXPECT_TRUE(app->GetDocuments().empty());
    EXPECT_TRUE(platform.messages.empty());
    Drop();

    // Not a switch: the open fails with the reader's message and start-up goes on.
    Start({"-x"});
    EXPECT_TRUE(app->GetDocuments().empty());
    EXPECT_TRUE(Frame().isVisible());
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "Could not open " +
                                             QDir::current().absoluteFilePath("-x").toStdString() +
                                             " for reading");
    EXPECT_EQ(MenuTitles(), (QStringList{"File", "View", "Help"}));
}

TEST_F(Startup, TheToolbarAndStatusBarAreThereWithTheirTexts) {
    Start();
    QToolBar* toolBar = Frame().GetToolBar();
    QStringList buttons;
    for (QAction* action : toolBar->actions()) {
        buttons.append(action->isSeparator() ? QStringLiteral("-") : action->toolTip());
        if (!action->isSeparator()) {
            EXPECT_FALSE(action->icon().pixmap(16, 15).isNull()) << action->toolTip().toStdString();
        }
    }
    EXPECT_EQ(buttons, (QStringList{"New", "Open", "Save", "-", "Cut", "Copy", "Paste", "-",
                                    "Print", "-", "About", "Help"}));
    EXPECT_EQ(toolBar->iconSize(), QSize(16, 15));
    EXPECT_TRUE(toolBar->isMovable());
    EXPECT_EQ(toolBar->allowedAreas(), Qt::AllToolBarAreas);
    EXPECT_EQ(Frame().toolBarArea(toolBar), Qt::TopToolBarArea);

    // Without a document, the document's buttons are disabled.
    for (int id : {FileSave, EditCut, EditCopy, EditPaste, FilePrint}) {
        EXPECT_FALSE(Enabled(id)) << id;
    }
    for (int id : {FileNew, FileOpen, AppAbout, ContextHelp}) {
        EXPECT_TRUE(Enabled(id)) << id;
    }

    EXPECT_EQ(Frame().GetMessagePane()->text(), "For Help, press F1");
    for (const char* name : {"CAP", "NUM", "SCRL"}) {
        auto* pane = Frame().statusBar()->findChild<QLabel*>(QString::fromLatin1(name));
        ASSERT_NE(pane, nullptr) << name;
        EXPECT_EQ(pane->text(), name);
    }

    // The prompt of a highlighted item replaces the idle text, which comes back after.
    Frame().Action(FileOpen)->showStatusText(&Frame());
    EXPECT_EQ(Frame().statusBar()->currentMessage(), "Open an existing document");
    QStatusTipEvent clear{QString()};
    QCoreApplication::sendEvent(&Frame(), &clear);
    EXPECT_EQ(Frame().statusBar()->currentMessage(), "");
    EXPECT_FALSE(Frame().GetMessagePane()->isHidden());
}

TEST_F(Startup, ViewMenuTogglesTheBarsWithCheckMarks) {
    Start();
    QAction* toolbar = Frame().Action(ViewToolbar);
    QAction* statusBar = Frame().Action(ViewStatusBar);
    MenuItems("View");
    EXPECT_TRUE(toolbar->isChecked());
    EXPECT_TRUE(statusBar->isChecked());
    toolbar->trigger();
    EXPECT_TRUE(Frame().GetToolBar()->isHidden());
    EXPECT_FALSE(toolbar->isChecked());
    statusBar->trigger();
    EXPECT_TRUE(Frame().statusBar()->isHidden());
    EXPECT_FALSE(statusBar->isChecked());
    toolbar->trigger();
    EXPECT_FALSE(Frame().GetToolBar()->isHidden());
    EXPECT_TRUE(toolbar->isChecked());
}

TEST_F(Startup, TheRecentFileListSurvivesARestartAndLosesAFileThatCannotBeOpened) {
    QString first = WriteProtocol("First.pcl");
    QString second = WriteProtocol("Second.pcl");
    Start({first});
    app->OpenDocumentFile(second);
    QStringList shown = MenuItems("File");
    EXPECT_EQ(
        shown.mid(shown.indexOf("P&rint Setup...") + 2, 2),
        (QStringList{app->GetRecentFileList().MenuText(0), app->GetRecentFileList().MenuText(1)}));
    EXPECT_TRUE(app->GetRecentFileList().MenuText(0).startsWith("&1 "));
    Restart();
    EXPECT_EQ(app->GetRecentFileList().Paths(), (QStringList{second, first}));
    QStringList items = MenuItems("File");
    EXPECT_TRUE(items.contains(app->GetRecentFileList().MenuText(0)));
    EXPECT_TRUE(items.contains(app->GetRecentFileList().MenuText(1)));
    EXPECT_FALSE(items.contains("Recent File"));
    {
        QSettings settings("Local AppWizard-Generated Applications", "Tessel");
        EXPECT_EQ(settings.value("Recent File List/File1").toString(), second);
        EXPECT_EQ(settings.value("Recent File List/File2").toString(), first);
    }

    // The second entry's file has gone: opening it fails and removes it.
    QFile::remove(first);
    EXPECT_TRUE(Enabled(RecentFileFirst + 1));
    EXPECT_TRUE(Frame().ExecuteCommand(RecentFileFirst + 1));
    EXPECT_EQ(platform.Texts(),
              std::vector<std::string>{"Could not open " + first.toStdString() + " for reading"});
    EXPECT_EQ(app->GetRecentFileList().Paths(), QStringList{second});
    EXPECT_FALSE(Enabled(RecentFileFirst + 1));

    // The first still opens, and the pruned list is what the next start sees.
    EXPECT_TRUE(Frame().ExecuteCommand(RecentFileFirst));
    ASSERT_EQ(app->GetDocuments().size(), 1u);
    EXPECT_EQ(app->GetDocuments().front()->GetPathName(), second.toStdString());
    Restart();
    EXPECT_EQ(app->GetRecentFileList().Paths(), QStringList{second});
}

TEST_F(Startup, ALaterStartsFileOpensInTheRunningEditor) {
    QString path = WriteProtocol("Relay.pcl");
    QString server = TempPath("tessel.socket");
    CTesselApp::Options options;
    options.programPath = TempPath("bin/tessel");
    options.serverName = server;
    app = std::make_unique<CTesselApp>(options);
    ASSERT_TRUE(app->InitInstance({}));
    ASSERT_NE(app->GetSingleInstance(), nullptr);
    EXPECT_TRUE(app->GetSingleInstance()->IsListening());

    EXPECT_TRUE(SingleInstance(server).HandOff(path));
    for (int i = 0; i < 100 && app->GetDocuments().empty(); ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    ASSERT_EQ(app->GetDocuments().size(), 1u);
    EXPECT_EQ(app->GetDocuments().front()->GetPathName(), path.toStdString());
}

TEST_F(Startup, ThePreviewSettingIsReadAndKept) {
    {
        QSettings settings("Local AppWizard-Generated Applications", "Tessel");
        settings.setValue("Settings/PreviewPages", 2);
    }
    Start();
    EXPECT_EQ(app->GetPreviewPages(), 2);
    Restart();
    EXPECT_EQ(app->GetPreviewPages(), 2);
}

// --help and --version answer on standard output and end at once: the program, run
// as a user runs it, neither hands the text to the running editor (a server listens
// where it would) nor starts one of its own.
TEST(TesselProgram, HelpAndVersionAnswerWithoutStartingOrContactingTheEditor) {
    QTemporaryDir runtime;
    QLocalServer running;
    ASSERT_TRUE(running.listen(runtime.filePath("tessel.socket")));
    for (const QString& option : {QStringLiteral("--help"), QStringLiteral("--version")}) {
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_RUNTIME_DIR", runtime.path());
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        program.setProcessEnvironment(environment);
        program.start(TESSEL_PROGRAM, {option});
        ASSERT_TRUE(program.waitForFinished(10000))
            << "still running after " << option.toStdString();
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 0);
        EXPECT_EQ(program.readAllStandardError(), "");
        QString out = QString::fromLocal8Bit(program.readAllStandardOutput());
        if (option == "--help") {
            EXPECT_TRUE(out.startsWith("Usage: tessel [options] [FILE]\n")) << out.toStdString();
            EXPECT_TRUE(out.contains("--version")) << out.toStdString();
        } else {
            EXPECT_EQ(out, QStringLiteral("tessel %1\n").arg(ProgramInfo::kVersion));
        }
        EXPECT_FALSE(running.waitForNewConnection(0)) << option.toStdString();
    }
}
