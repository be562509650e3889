#include "AppFixture.h"

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMimeData>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QTimer>

#include "TempDir.h"
#include "app/CAboutDlg.h"
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "document/CTesselDoc.h"
#include "document/CommandIds.h"

using namespace CommandId;
using Answer = Platform::Answer;

namespace {

class FileCommands : public AppFixture {
protected:
    // Runs a command as a menu item or key would.
    bool Run(int id) {
        bool ran = Frame().ExecuteCommand(id);
        Settle();
        return ran;
    }
    CTesselDoc* Doc(std::size_t index = 0) {
        return index < app->GetDocuments().size() ? app->GetDocuments()[index] : nullptr;
    }
};

} // namespace

TEST_F(FileCommands, NewNumbersItsDocumentsAndShowsTheDocumentMenu) {
    Start();
    ASSERT_TRUE(Run(FileNew));
    ASSERT_TRUE(Run(FileNew));
    ASSERT_EQ(app->GetDocuments().size(), 2u);
    EXPECT_EQ(Doc(0)->GetTitle(), "Tessel1");
    EXPECT_EQ(Doc(1)->GetTitle(), "Tessel2");
    EXPECT_FALSE(Doc(0)->IsModified());
    EXPECT_EQ(Doc(0)->GetProtocol().m_poCmndList->GetCount(), 1);
    ASSERT_NE(ActiveChild(), nullptr);
    EXPECT_EQ(ActiveChild()->GetDocument(), Doc(1));
    EXPECT_EQ(ActiveChild()->windowTitle(), "Tessel2");
    EXPECT_EQ(Frame().windowTitle(), "Tessel - Tessel2");
    EXPECT_EQ(MenuTitles(), (QStringList{"File", "Edit", "View", "Window", "Help"}));
    EXPECT_EQ(MenuItems("File"),
              (QStringList{"&New\tCtrl+N", "&Open...\tCtrl+O", "&Close", "&Save\tCtrl+S",
                           "Save &As...", "-", "&Print...\tCtrl+P", "Print Pre&view",
                           "P&rint Setup...", "-", "Recent File", "-", "E&xit"}));
    EXPECT_EQ(MenuItems("Edit"),
              (QStringList{"&Undo\tCtrl+Z", "&Redo\tCtrl+Y", "-", "Cu&t\tCtrl+X", "&Copy\tCtrl+C",
                           "&Paste\tCtrl+V", "-", "New C&ommand\tCtrl+M", "New P&aram\tCtrl+A",
                           "New &Byte\tCtrl+B", "-", "Remove Comman&d", "Remove Para&m",
                           "Remove B&yte"}));
    EXPECT_EQ(MenuItems("Window").mid(0, 4),
              (QStringList{"&New Window", "&Cascade", "&Tile", "&Arrange Icons"}));
    // The Window menu lists the windows, the active one checked.
    EXPECT_EQ(MenuItems("Window").mid(4), (QStringList{"-", "&1 Tessel1", "&2 Tessel2"}));
    EXPECT_TRUE(Enabled(FileSave));
    EXPECT_TRUE(Enabled(FileClose));
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(FileCommands, OpenStartsInTheProtocolFolderAndBringsAnOpenFileToTheFront) {
    QString relay = WriteProtocol("Protocol/Relay.pcl");
    Start();
    platform.fileDialogAnswers = {relay.toStdString()};
    ASSERT_TRUE(Run(FileOpen));
    ASSERT_EQ(platform.dialogCalls.size(), 1u);
    EXPECT_EQ(platform.dialogCalls[0].title, "Open File");
    EXPECT_EQ(platform.dialogCalls[0].filter, "Protocol files(*.pcl)");
    EXPECT_EQ(platform.dialogCalls[0].folderOrSuffix, TempPath("Protocol").toStdString());
    ASSERT_EQ(app->GetDocuments().size(), 1u);
    CTesselDoc* relayDoc = Doc(0);

    Run(FileNew);
    EXPECT_EQ(ActiveChild()->GetDocument(), Doc(1));
    // The same file again: no second document, the first comes to the front.
    platform.fileDialogAnswers = {relay.toStdString()};
    Run(FileOpen);
    EXPECT_EQ(app->GetDocuments().size(), 2u);
    EXPECT_EQ(ActiveChild()->GetDocument(), relayDoc);

    // Cancel opens nothing.
    platform.fileDialogAnswers = {""};
    Run(FileOpen);
    EXPECT_EQ(app->GetDocuments().size(), 2u);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(FileCommands, OpeningAnOpenFileAgainMakesItTheMostRecentFile) {
    QString one = WriteProtocol("One.pcl");
    QString two = WriteProtocol("Two.pcl");
    Start();
    app->OpenDocumentFile(one);
    app->OpenDocumentFile(two);
    ASSERT_EQ(app->GetRecentFileList().Paths(), (QStringList{two, one}));

    platform.fileDialogAnswers = {one.toStdString()};
    Run(FileOpen);
    EXPECT_EQ(app->GetDocuments().size(), 2u);
    EXPECT_EQ(ActiveChild()->GetDocument()->GetTitle(), "One.pcl");
    EXPECT_EQ(app->GetRecentFileList().Paths(), (QStringList{one, two}));
    EXPECT_TRUE(MenuItems("File").contains(app->GetRecentFileList().MenuText(0)));

    // The same from the recent-file menu, and from a drop or a second start.
    Run(RecentFileFirst + 1);
    EXPECT_EQ(ActiveChild()->GetDocument()->GetTitle(), "Two.pcl");
    EXPECT_EQ(app->GetRecentFileList().Paths(), (QStringList{two, one}));
    app->OpenDocumentFile(one);
    EXPECT_EQ(app->GetRecentFileList().Paths(), (QStringList{one, two}));
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(FileCommands, AFailedOpenLeavesNoWindowBehind) {
    TempDir dir;
    std::string broken = dir.Write("broken.pcl", "[NotADevice]\r\n");
    Start();
    platform.fileDialogAnswers = {broken};
    Run(FileOpen);
    EXPECT_TRUE(app->GetDocuments().empty());
    EXPECT_TRUE(Frame().GetMdiArea()->subWindowList().isEmpty());
    EXPECT_EQ(platform.Texts(),
              std::vector<std::string>{"Read Protocol:  Could not find [Device] Section."});
    EXPECT_TRUE(app->GetRecentFileList().Paths().isEmpty());
}

TEST_F(FileCommands, SaveOfANewDocumentProposesItsTitleAndSavesAsTessel1Pcl) {
    Start();
    Run(FileNew);
    QString path = TempPath("Tessel1.pcl");
    platform.fileDialogAnswers = {path.toStdString()};
    ASSERT_TRUE(Run(FileSave));
    ASSERT_EQ(platform.dialogCalls.size(), 1u);
    EXPECT_EQ(platform.dialogCalls[0].title, "File Save As");
    EXPECT_EQ(platform.dialogCalls[0].proposed, "Tessel1");
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(Doc()->GetTitle(), "Tessel1.pcl");
    EXPECT_EQ(ActiveChild()->windowTitle(), "Tessel1.pcl");
    EXPECT_EQ(Frame().windowTitle(), "Tessel - Tessel1.pcl");
    EXPECT_EQ(app->GetRecentFileList().Paths(), QStringList{path});

    // Save As always asks, proposing the current path.
    platform.fileDialogAnswers = {TempPath("Copy.pcl").toStdString()};
    Run(FileSaveAs);
    EXPECT_EQ(platform.dialogCalls.at(1).proposed, path.toStdString());
    EXPECT_EQ(Doc()->GetTitle(), "Copy.pcl");
    EXPECT_EQ(app->GetRecentFileList().Paths(), (QStringList{TempPath("Copy.pcl"), path}));
}

TEST_F(FileCommands, SaveAsStartsInTheProtocolFolderUntilTheDocumentHasAFile) {
    QString elsewhere = WriteProtocol("Elsewhere/Relay.pcl");
    QDir().mkpath(TempPath("Saved"));
    Start();
    const std::string protocolFolder = TempPath("Protocol").toStdString();
    Run(FileNew);
    platform.fileDialogAnswers = {""};
    Run(FileSaveAs);
    EXPECT_EQ(platform.dialogCalls.back().proposed, "Tessel1");
    EXPECT_EQ(platform.dialogCalls.back().saveFolder, protocolFolder);

    // Once saved, the document's own file names the folder.
    QString saved = TempPath("Saved/Tessel1.pcl");
    platform.fileDialogAnswers = {saved.toStdString(), ""};
    Run(FileSave);
    Run(FileSaveAs);
    EXPECT_EQ(platform.dialogCalls.back().proposed, saved.toStdString());

    // So does the file of an opened document, also one from the command line.
    app->OpenDocumentFile(elsewhere);
    platform.fileDialogAnswers = {""};
    Run(FileSaveAs);
    EXPECT_EQ(platform.dialogCalls.back().proposed, elsewhere.toStdString());
    Restart({elsewhere});
    platform.fileDialogAnswers = {""};
    Run(FileSaveAs);
    EXPECT_EQ(platform.dialogCalls.back().proposed, elsewhere.toStdString());
    // A new document of that run starts in the Protocol folder again.
    Run(FileNew);
    platform.fileDialogAnswers = {""};
    Run(FileSaveAs);
    EXPECT_EQ(platform.dialogCalls.back().saveFolder, protocolFolder);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(FileCommands, ProposedNamesFollowTheDocumentTitle) {
    Start();
    Run(FileNew);
    for (const auto& [title, proposed] : std::vector<std::pair<std::string, std::string>>{
             {"MyVeryLongName", "MyVeryLo"}, {"Relay Box", "Relay"}, {"a#b", "a"}}) {
        Doc()->SetTitle(title);
        platform.fileDialogAnswers = {""};
        Run(FileSaveAs);
        EXPECT_EQ(platform.dialogCalls.back().proposed, proposed);
        EXPECT_EQ(Doc()->GetTitle(), title); // cancelled: nothing changed
    }
}

TEST_F(FileCommands, CloseAsksOnlyForAModifiedDocumentAndHonoursEachAnswer) {
    Start();
    Run(FileNew);
    Run(FileClose); // not modified: closes without a question
    EXPECT_TRUE(app->GetDocuments().empty());
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(MenuTitles(), (QStringList{"File", "View", "Help"}));
    EXPECT_EQ(Frame().windowTitle(), "Tessel");

    Run(FileNew);
    Doc()->SetModifiedFlag();
    platform.answers = {Answer::Cancel};
    Run(FileClose);
    ASSERT_EQ(app->GetDocuments().size(), 1u);
    EXPECT_EQ(platform.messages.back().text, "Save changes to Untitled?");

    platform.answers = {Answer::Yes};
    platform.fileDialogAnswers = {""}; // and then cancels the save dialog
    Run(FileClose);
    EXPECT_EQ(app->GetDocuments().size(), 1u);

    platform.answers = {Answer::Yes};
    platform.fileDialogAnswers = {TempPath("Kept.pcl").toStdString()};
    Run(FileClose);
    EXPECT_TRUE(app->GetDocuments().empty());
    EXPECT_TRUE(QFile::exists(TempPath("Kept.pcl")));

    Run(FileNew);
    Doc()->SetModifiedFlag();
    platform.answers = {Answer::No};
    Run(FileClose);
    EXPECT_TRUE(app->GetDocuments().empty());
    EXPECT_TRUE(Frame().GetMdiArea()->subWindowList().isEmpty());
    EXPECT_EQ(platform.unexpectedQuestions, 0);
}

TEST_F(FileCommands, ClosingTheLastWindowClosesTheDocumentAfterAsking) {
    Start();
    Run(FileNew);
    Doc()->SetModifiedFlag();
    platform.answers = {Answer::Cancel};
    EXPECT_FALSE(ActiveChild()->close());
    EXPECT_EQ(app->GetDocuments().size(), 1u);

    platform.answers = {Answer::No};
    EXPECT_TRUE(ActiveChild()->close());
    Settle();
    EXPECT_TRUE(app->GetDocuments().empty());
    EXPECT_TRUE(Frame().GetMdiArea()->subWindowList().isEmpty());
    EXPECT_EQ(MenuTitles(), (QStringList{"File", "View", "Help"}));
}

TEST_F(FileCommands, ExitAsksForEveryModifiedDocument) {
    QString saved = TempPath("Saved.pcl");
    Start();
    Run(FileNew);
    Run(FileNew);
    Run(FileNew);
    Doc(0)->SetModifiedFlag();
    Doc(2)->SetModifiedFlag();

    // Cancel stops the exit at once.
    platform.answers = {Answer::Cancel};
    Run(AppExit);
    EXPECT_TRUE(Frame().isVisible());
    EXPECT_EQ(app->GetDocuments().size(), 3u);
    EXPECT_EQ(platform.messages.size(), 1u);

    // Yes saves (asking for a name), No drops the changes; then everything closes.
    platform.answers = {Answer::Yes, Answer::No};
    platform.fileDialogAnswers = {saved.toStdString()};
    Run(AppExit);
    EXPECT_FALSE(Frame().isVisible());
    EXPECT_TRUE(app->GetDocuments().empty());
    EXPECT_TRUE(QFile::exists(saved));
    EXPECT_EQ(platform.Texts(),
              (std::vector<std::string>{"Save changes to Untitled?", "Save changes to Untitled?",
                                        "Save changes to Untitled?"}));
    EXPECT_EQ(platform.unexpectedQuestions, 0);
    // The exit steps ran: the recent files are in the settings.
    QSettings settings("Local AppWizard-Generated Applications", "Tessel");
    EXPECT_EQ(settings.value("Recent File List/File1").toString(), saved);
}

TEST_F(FileCommands, PrintSetupKeepsTheChosenPrinterSettingsForTheRun) {
    Start();
    EXPECT_TRUE(Enabled(FilePrintSetup));
    QPrinter& printer = app->Printer();
    QPageLayout::Orientation before = printer.pageLayout().orientation();
    QPageLayout::Orientation chosen =
        before == QPageLayout::Landscape ? QPageLayout::Portrait : QPageLayout::Landscape;

    // Cancelled: the dialog leaves the printer as it was.
    Run(FilePrintSetup);
    ASSERT_EQ(platform.printSetupPrinters.size(), 1u);
    EXPECT_EQ(platform.printSetupPrinters[0], &printer);
    EXPECT_EQ(printer.pageLayout().orientation(), before);

    // Confirmed: the choice is in the printer every later job and set-up gets.
    platform.printSetupAnswer = [chosen](QPrinter& shown) {
        shown.setPageOrientation(chosen);
        return true;
    };
    Run(FilePrintSetup);
    platform.printSetupAnswer = nullptr;
    Run(FileNew);
    Run(FilePrintSetup);
    ASSERT_EQ(platform.printSetupPrinters.size(), 3u);
    EXPECT_EQ(platform.printSetupPrinters[2], &printer);
    EXPECT_EQ(&app->Printer(), &printer);
    EXPECT_EQ(printer.pageLayout().orientation(), chosen);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(FileCommands, AboutBoxShowsTheVersionRoomilyAndClosesWithOk) {
    Start();
    QString title;
    QString text;
    QString licence;
    QSize size;
    QRect textRect;
    QRect iconRect;
    QRect okRect;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<CAboutDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        auto* label = dialog->findChild<QLabel*>("version");
        text = label->text();
        licence = dialog->findChild<QLabel*>("licence")->text();
        size = dialog->size();
        auto* icon = dialog->findChild<QLabel*>("icon");
        ASSERT_NE(icon, nullptr);
        EXPECT_FALSE(icon->pixmap().isNull());
        iconRect = QRect(icon->mapTo(dialog, QPoint(0, 0)), icon->size());
        QList<QPushButton*> buttons = dialog->findChildren<QPushButton*>();
        ASSERT_EQ(buttons.size(), 1);
        EXPECT_EQ(buttons[0]->text(), "OK");
        EXPECT_TRUE(buttons[0]->isDefault());
        textRect = QRect(label->mapTo(dialog, QPoint(0, 0)), label->size());
        okRect = QRect(buttons[0]->mapTo(dialog, QPoint(0, 0)), buttons[0]->size());
        buttons[0]->click();
    });
    Run(AppAbout);
    EXPECT_EQ(title, "About Tessel");
    EXPECT_EQ(text, "Tessel Version 1.04");
    EXPECT_EQ(licence, "Copyright 2026 The Tessel developers. MIT License.");
    EXPECT_GE(size.width(), CAboutDlg::kMinimumWidth);
    EXPECT_GE(size.height(), CAboutDlg::kMinimumHeight);
    // Icon and text side by side, OK below them on the right, nothing at the edges.
    EXPECT_LT(iconRect.right(), textRect.left());
    EXPECT_GT(okRect.top(), std::max(textRect.bottom(), iconRect.bottom()));
    EXPECT_GT(okRect.left(), size.width() / 2);
    EXPECT_GE(iconRect.left(), 12);
    EXPECT_LE(okRect.bottom(), size.height() - 8);
}

TEST_F(FileCommands, DroppedFilesOpen) {
    QString first = WriteProtocol("One.pcl");
    QString second = WriteProtocol("Two.pcl");
    Start();
    EXPECT_TRUE(Frame().acceptDrops());
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(first), QUrl::fromLocalFile(second)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&Frame(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&Frame(), &drop);
    ASSERT_EQ(app->GetDocuments().size(), 2u);
    EXPECT_EQ(Doc(0)->GetTitle(), "One.pcl");
    EXPECT_EQ(Doc(1)->GetTitle(), "Two.pcl");
}
