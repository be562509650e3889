#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <vector>

#include "ScriptedPlatform.h"
#include "app/CTesselApp.h"

class CChildFrame;
class CMainFrame;
class PropertyGrid;
class QMenu;
class QTreeWidget;
class QTreeWidgetItem;

// A started editor for one test: the scripted platform, settings in a folder of the
// test's own (never the user's), a program file in <tmp>/bin with the samples'
// Protocol folder beside it, and no single-instance server.
class AppFixture : public ::testing::Test {
protected:
    AppFixture();
    ~AppFixture() override;

    // Starts (or, after Restart, starts again) with these command-line arguments.
    CTesselApp& Start(const QStringList& arguments = {});
    // Ends the running editor through its main window and starts a new one on the
    // same settings.
    CTesselApp& Restart(const QStringList& arguments = {});
    // Drops the application object without the exit steps.
    void Drop();

    CMainFrame& Frame() const;
    // The menu titles of the menu bar, without their mnemonics.
    QStringList MenuTitles() const;
    QMenu* Menu(const QString& title) const;
    // The texts of a menu's items as shown; "-" for a separator; hidden items left out.
    QStringList MenuItems(const QString& title) const;
    bool Enabled(int id) const;
    CChildFrame* ActiveChild() const;
    // Lets deferred deletions and queued signals run.
    static void Settle();

    // Presses a key where the focus is, as the user does.
    static void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Characters one by one where the focus is: in the grid, the first opens the editor.
    static void Type(const QString& text);

    // The panes of a document window.
    static QTreeWidget& Tree(CChildFrame* frame);
    static PropertyGrid& Grid(CChildFrame* frame);
    // The item at the end of a path of labels below the device item; nullptr when
    // there is none.
    static QTreeWidgetItem* Item(CChildFrame* frame, const std::vector<QString>& path);

    // A copy of the new-protocol fixture at `name` in the test's folder.
    QString WriteProtocol(const QString& name, const std::string& description = {});
    QString TempPath(const QString& name) const { return m_oTemp.filePath(name); }

    ScriptedPlatform platform;
    std::unique_ptr<CTesselApp> app;
    // Where the editor keeps recovery copies; none while empty.
    QString recoveryFolder;

private:
    QTemporaryDir m_oTemp;
};
