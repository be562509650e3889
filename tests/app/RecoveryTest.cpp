#include "AppFixture.h"

#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QTest>
#include <QTreeWidget>
#include <cstdio>
#include <fstream>

#include "TempDir.h"
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "document/CTesselDoc.h"
#include "document/CommandIds.h"
#include "document/QtText.h"
#include "document/RecoveryRecord.h"
#include "tree/CLeftView.h"
#include "view/CTesselView.h"

using Answer = Platform::Answer;

namespace {

// Waits, letting events run, until `condition` holds; false when it never does.
template <class Condition> bool Eventually(Condition condition) {
    return QTest::qWaitFor(condition, 5000);
}

// A PID no process has: the lock of an editor that stopped.
constexpr const char* kDeadLock = "2147480000\ntessel\n\n";

class Recovery : public AppFixture {
protected:
    Recovery() { recoveryFolder = TempPath(QStringLiteral("recovery")); }

    // Starts with its main window active and copies written at once.
    void StartActive(const QStringList& arguments = {}) {
        Start(arguments);
        ASSERT_NE(app->GetRecoveryStore(), nullptr);
        app->GetRecoveryStore()->SetWriteDelay(0);
        Frame().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    }

    CTesselDoc* Doc() const {
        return app->GetDocuments().empty() ? nullptr : app->GetDocuments()[0];
    }

    // The recovery copies in the folder, once every write asked for is done.
    QStringList Copies() const {
        if (app && app->GetRecoveryStore() != nullptr) {
            app->GetRecoveryStore()->WaitForWrites();
        }
        QStringList copies;
        for (const QFileInfo& entry :
             QDir(recoveryFolder).entryInfoList({QStringLiteral("*.pcl")}, QDir::Files)) {
            copies.append(entry.absoluteFilePath());
        }
        return copies;
    }

    // The editor stops without its exit steps, and its lock stays behind, stale.
    void Crash() {
        ASSERT_EQ(Copies().size(), 1);
        const QString copy = QFileInfo(Copies().front()).completeBaseName();
        Drop();
        std::ofstream(recoveryFolder.toStdString() + "/" +
                      copy.left(copy.lastIndexOf(QLatin1Char('-'))).toStdString() + ".lock")
            << kDeadLock;
    }

    static std::string Offer(const std::string& name) {
        return CTesselApp::kRecoverStart + name + CTesselApp::kRecoverEnd;
    }
};

} // namespace

TEST_F(Recovery, CopyHoldsTheUnsavedChangesUntilTheyAreSavedOrDropped) {
    const QString path = WriteProtocol(QStringLiteral("sample.pcl"));
    StartActive({path});
    // Private to the user.
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                      QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    EXPECT_EQ(QFileInfo(recoveryFolder).permissions() & others, QFile::Permissions());
    EXPECT_TRUE(Copies().isEmpty());

    ASSERT_TRUE(Doc()->SetDeviceField(DeviceFieldId::Version, "2"));
    ASSERT_TRUE(Eventually([&] { return Copies().size() == 1; }));
    const std::string copy = ReadFileBytes(Copies().front().toStdString());
    Doc()->OnFileSave();
    EXPECT_TRUE(Copies().isEmpty());
    // The copy held exactly what Save writes.
    EXPECT_EQ(ReadFileBytes(path.toStdString()), copy);

    // Back to the saved state, as undoing every change brings it.
    ASSERT_TRUE(Doc()->SetDeviceField(DeviceFieldId::Version, "3"));
    ASSERT_TRUE(Eventually([&] { return Copies().size() == 1; }));
    Doc()->SetModifiedFlag(false);
    EXPECT_TRUE(Copies().isEmpty());

    // No at the save-changes question drops the changes.
    ASSERT_TRUE(Doc()->SetDeviceField(DeviceFieldId::Version, "4"));
    ASSERT_TRUE(Eventually([&] { return Copies().size() == 1; }));
    platform.answers = {Answer::No};
    ASSERT_TRUE(Frame().ExecuteCommand(CommandId::FileClose));
    Settle();
    EXPECT_EQ(Doc(), nullptr);
    EXPECT_TRUE(Copies().isEmpty());
    EXPECT_EQ(platform.unexpectedQuestions, 0);
}

TEST_F(Recovery, CrashedEditorsCopyIsOfferedAndYesRecoversItUnderItsPath) {
    const QString path = WriteProtocol(QStringLiteral("sample.pcl"));
    const std::string fullPath = QFileInfo(path).absoluteFilePath().toStdString();
    StartActive({path});
    ASSERT_TRUE(Doc()->SetDeviceField(DeviceFieldId::Version, "2"));
    ASSERT_TRUE(Eventually([&] { return Copies().size() == 1; }));
    const QString crashed = Copies().front();
    Crash();

    platform.answers = {Answer::Yes};
    StartActive();
    EXPECT_EQ(platform.Texts(), std::vector<std::string>{Offer(fullPath)});
    ASSERT_NE(Doc(), nullptr);
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(Doc()->GetPathName(), fullPath);
    EXPECT_EQ(Doc()->GetProtocol().m_strVersion, "2");
    EXPECT_EQ(Doc()->GetProtocol().m_strFileName, fullPath);
    // The changes now live in this editor's copy; the stopped one's is gone.
    ASSERT_EQ(Copies().size(), 1);
    EXPECT_NE(Copies().front(), crashed);

    Doc()->OnFileSave();
    EXPECT_NE(ReadFileBytes(fullPath).find("Version=2\r\n"), std::string::npos);
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_TRUE(Copies().isEmpty());
    EXPECT_EQ(platform.Texts().size(), 1u);
}

TEST_F(Recovery, NeverSavedDocumentIsOfferedByItsTitleAndNoDeletesTheCopy) {
    StartActive();
    ASSERT_NE(app->OnFileNew(), nullptr);
    ASSERT_TRUE(Doc()->SetDeviceField(DeviceFieldId::Version, "2"));
    ASSERT_TRUE(Eventually([&] { return Copies().size() == 1; }));
    Crash();

    platform.answers = {Answer::No};
    StartActive();
    EXPECT_EQ(platform.Texts(), std::vector<std::string>{Offer("Tessel1")});
    EXPECT_EQ(Doc(), nullptr);
    EXPECT_TRUE(Copies().isEmpty());
    // Only the running editor's lock is left.
    EXPECT_EQ(QDir(recoveryFolder).entryList(QDir::Files).size(), 1);
}

TEST_F(Recovery, RunningEditorsCopyIsNotOffered) {
    const QString path = WriteProtocol(QStringLiteral("sample.pcl"));
    StartActive({path});
    ASSERT_TRUE(Doc()->SetDeviceField(DeviceFieldId::Version, "2"));
    ASSERT_TRUE(Eventually([&] { return Copies().size() == 1; }));

    // A second editor on the same folder, started while the first runs.
    CTesselApp::Options options;
    options.programPath = TempPath(QStringLiteral("bin/tessel"));
    options.recoveryFolder = recoveryFolder;
    {
        CTesselApp second(options);
        ASSERT_TRUE(second.InitInstance({}));
        EXPECT_TRUE(second.GetDocuments().empty());
    }
    Settle();
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(Copies().size(), 1);
}

TEST_F(Recovery, CopyThatCannotBeReadIsKept) {
    // Left by an editor that stopped: one without its record, and one whose
    // protocol the reader refuses.
    QDir().mkpath(recoveryFolder);
    const QString noRecord = recoveryFolder + QStringLiteral("/gone-1.pcl");
    const QString badProtocol = recoveryFolder + QStringLiteral("/gone-2.pcl");
    std::ofstream(noRecord.toStdString()) << "[Device]\r\n";
    std::ofstream(badProtocol.toStdString()) << "no protocol here\r\n";
    RecoveryRecord record;
    record.path = TempPath(QStringLiteral("sample.pcl")).toStdString();
    record.title = "sample.pcl";
    QFile recordFile(recoveryFolder + QStringLiteral("/gone-2.record"));
    ASSERT_TRUE(recordFile.open(QIODevice::WriteOnly));
    recordFile.write(record.ToBytes());
    recordFile.close();
    QFile older(noRecord);
    ASSERT_TRUE(older.open(QIODevice::ReadWrite));
    older.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFile::FileModificationTime);
    older.close();

    platform.answers = {Answer::Yes};
    StartActive();
    const std::vector<std::string> texts = platform.Texts();
    ASSERT_GE(texts.size(), 3u);
    EXPECT_EQ(texts.front(), CTesselApp::kUnreadableCopyStart + noRecord.toStdString() +
                                 CTesselApp::kUnreadableCopyEnd);
    EXPECT_EQ(texts[1], Offer(record.path));
    EXPECT_EQ(texts.back(), CTesselApp::kUnreadableCopyStart + badProtocol.toStdString() +
                                CTesselApp::kUnreadableCopyEnd);
    EXPECT_EQ(Doc(), nullptr);
    EXPECT_EQ(Copies(), (QStringList{noRecord, badProtocol}));
}

namespace {

// Files changed by other programs while the editor has them open.
class OutsideChange : public AppFixture {
protected:
    // The sample protocol open in an active window.
    void OpenActive(const QString& name = QStringLiteral("sample.pcl")) {
        m_strPath = WriteProtocol(name);
        Start({m_strPath});
        Frame().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    }
    CTesselDoc* Doc() const { return app->GetDocuments().front(); }
    std::string Path() const { return QFileInfo(m_strPath).absoluteFilePath().toStdString(); }

    // Another program writes the file: in place, or a new file renamed over it.
    void WriteElsewhere(const std::string& description, bool byRename = false) {
        const std::string text =
            ReadFileBytes(WriteProtocol(QStringLiteral("other.pcl"), description).toStdString());
        const std::string target = m_strPath.toStdString();
        const std::string written = byRename ? target + ".new" : target;
        std::ofstream(written, std::ios::binary | std::ios::trunc) << text;
        if (byRename) {
            std::rename(written.c_str(), target.c_str());
        }
    }

    // Gives the watch and the queued checks time to run.
    static void Wait() { QTest::qWait(400); }

    std::string Question(const char* end) const { return "The file " + Path() + end; }

    QString m_strPath;
};

constexpr const char* kReload = " has been changed by another program.\nDo you want to reload it?";
constexpr const char* kReloadLosing = " has been changed by another program.\nDo you want to "
                                      "reload it and lose the changes made in Tessel?";
constexpr const char* kOverwrite = " has been changed by another program since it was "
                                   "opened.\nDo you want to overwrite it?";

} // namespace

TEST_F(OutsideChange, IsAskedOnceAndYesShowsTheNewProtocolInEveryWindow) {
    OpenActive();
    CChildFrame* first = ActiveChild();
    CChildFrame* second = app->OnWindowNew();
    ASSERT_NE(second, nullptr);
    for (CChildFrame* frame : {first, second}) {
        frame->GetRightPane()->ShowItem(1);
    }
    // A step to redo, which the reload forgets with the protocol it belongs to.
    ASSERT_TRUE(Doc()->SetDeviceField(DeviceFieldId::Author, "Undone"));
    Doc()->Undo();

    platform.answers = {Answer::Yes};
    WriteElsewhere("Changed Elsewhere");
    ASSERT_TRUE(Eventually([&] { return platform.messages.size() == 1u; }));
    EXPECT_EQ(platform.Texts().front(), Question(kReload));
    EXPECT_EQ(Doc()->GetProtocol().m_strDescription, "Changed Elsewhere");
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_FALSE(Doc()->CanRedo());
    for (CChildFrame* frame : {first, second}) {
        QTreeWidget* tree = frame->GetLeftPane()->GetTreeCtrl();
        EXPECT_EQ(tree->topLevelItem(0)->text(0), QStringLiteral("Changed Elsewhere"));
        EXPECT_EQ(frame->GetRightPane()->GetItem(), CTesselView::kDeviceItem);
    }
    Wait();
    EXPECT_EQ(platform.messages.size(), 1u);
}

TEST_F(OutsideChange, WaitsForItsWindowAndForOpenDialogs) {
    OpenActive();
    CChildFrame* own = ActiveChild();
    ASSERT_NE(app->OnFileNew(), nullptr);
    WriteElsewhere("Changed Elsewhere", true);
    Wait();
    EXPECT_TRUE(platform.messages.empty());

    QDialog dialog(&Frame());
    dialog.open();
    Frame().ActivateChildFrame(own);
    Wait();
    EXPECT_TRUE(platform.messages.empty());

    platform.answers = {Answer::No};
    dialog.close();
    Frame().activateWindow();
    ASSERT_TRUE(Eventually([&] { return platform.messages.size() == 1u; }));
    EXPECT_EQ(platform.Texts().front(), Question(kReload));
}

TEST_F(OutsideChange, NoKeepsTheChangesAndSaveAsksBeforeOverwriting) {
    OpenActive();
    ASSERT_TRUE(Doc()->SetDeviceField(DeviceFieldId::Version, "Mine"));
    platform.answers = {Answer::No};
    WriteElsewhere("Changed Elsewhere", true);
    ASSERT_TRUE(Eventually([&] { return platform.messages.size() == 1u; }));
    EXPECT_EQ(platform.Texts().front(), Question(kReloadLosing));
    EXPECT_EQ(Doc()->GetProtocol().m_strVersion, "Mine");
    EXPECT_TRUE(Doc()->IsModified());
    Wait();
    EXPECT_EQ(platform.messages.size(), 1u);

    const std::string theirs = ReadFileBytes(Path());
    platform.answers = {Answer::No};
    ASSERT_TRUE(Frame().ExecuteCommand(CommandId::FileSave));
    EXPECT_EQ(platform.Texts().back(), Question(kOverwrite));
    EXPECT_EQ(ReadFileBytes(Path()), theirs);
    EXPECT_TRUE(Doc()->IsModified());

    platform.answers = {Answer::Yes};
    ASSERT_TRUE(Frame().ExecuteCommand(CommandId::FileSave));
    EXPECT_NE(ReadFileBytes(Path()).find("Version=Mine"), std::string::npos);
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(platform.messages.size(), 3u);
}

TEST_F(OutsideChange, DeletionWarnsAndSaveWritesTheFileBack) {
    OpenActive();
    QFile::remove(m_strPath);
    ASSERT_TRUE(Eventually([&] { return platform.messages.size() == 1u; }));
    EXPECT_EQ(platform.messages.front().text,
              "The file " + Path() + " has been deleted or moved by another program.");
    EXPECT_EQ(platform.messages.front().kind, Platform::MessageKind::Ok);
    EXPECT_TRUE(Doc()->IsModified());

    // With no file to save into, Save asks where, proposing the old place.
    platform.fileDialogAnswers = {Path()};
    ASSERT_TRUE(Frame().ExecuteCommand(CommandId::FileSave));
    EXPECT_EQ(platform.dialogCalls.back().proposed, Path());
    EXPECT_TRUE(QFileInfo::exists(m_strPath));
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(platform.messages.size(), 1u);
}

TEST_F(OutsideChange, OwnSavesAskNothingAndTheWatchFollowsALink) {
    const QString real = WriteProtocol(QStringLiteral("real.pcl"));
    m_strPath = TempPath(QStringLiteral("link.pcl"));
    ASSERT_TRUE(QFile::link(real, m_strPath));
    Start({m_strPath});
    Frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    for (const char* version : {"2", "3"}) {
        ASSERT_TRUE(Doc()->SetDeviceField(DeviceFieldId::Version, version));
        ASSERT_TRUE(Frame().ExecuteCommand(CommandId::FileSave));
        Wait();
    }
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(QFileInfo(m_strPath).isSymLink());

    // A change to the file the link names is one.
    platform.answers = {Answer::No};
    const std::string text = ReadFileBytes(real.toStdString());
    std::ofstream(real.toStdString(), std::ios::binary) << text << "\r\n[Extra]\r\nmessage=X\r\n";
    ASSERT_TRUE(Eventually([&] { return platform.messages.size() == 1u; }));
    EXPECT_EQ(platform.Texts().front(),
              "The file " + QFileInfo(m_strPath).absoluteFilePath().toStdString() + kReload);
}
