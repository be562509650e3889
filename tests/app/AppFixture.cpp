#include "AppFixture.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTest>
#include <QTreeWidget>
#include <fstream>

#include "TempDir.h"
#include "TreePath.h"
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "document/CommandIds.h"
#include "tree/CLeftView.h"
#include "view/CTesselView.h"
#include "view/PropertyGrid.h"

AppFixture::AppFixture() {
    EXPECT_TRUE(m_oTemp.isValid());
    QDir(m_oTemp.path()).mkpath(QStringLiteral("settings"));
    QDir(m_oTemp.path()).mkpath(QStringLiteral("bin"));
    for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
        QSettings::setPath(format, QSettings::UserScope,
                           m_oTemp.filePath(QStringLiteral("settings")));
    }
}

AppFixture::~AppFixture() {
    Drop();
}

CTesselApp& AppFixture::Start(const QStringList& arguments) {
    CTesselApp::Options options;
    options.programPath = m_oTemp.filePath(QStringLiteral("bin/tessel"));
    options.recoveryFolder = recoveryFolder;
    app = std::make_unique<CTesselApp>(options);
    EXPECT_TRUE(app->InitInstance(arguments));
    return *app;
}

CTesselApp& AppFixture::Restart(const QStringList& arguments) {
    if (app) {
        EXPECT_TRUE(Frame().close());
        Drop();
    }
    return Start(arguments);
}

void AppFixture::Drop() {
    app.reset();
    Settle();
}

CMainFrame& AppFixture::Frame() const {
    return *app->GetMainFrame();
}

void AppFixture::Settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

QStringList AppFixture::MenuTitles() const {
    QStringList titles;
    for (QAction* action : Frame().menuBar()->actions()) {
        titles.append(action->text().remove(QLatin1Char('&')));
    }
    return titles;
}

QMenu* AppFixture::Menu(const QString& title) const {
    for (QAction* action : Frame().menuBar()->actions()) {
        if (action->text().remove(QLatin1Char('&')) == title) {
            return action->menu();
        }
    }
    return nullptr;
}

QStringList AppFixture::MenuItems(const QString& title) const {
    QStringList items;
    QMenu* menu = Menu(title);
    if (menu == nullptr) {
        return items;
    }
    // The rules are evaluated before a menu opens.
    emit menu->aboutToShow();
    for (QAction* action : menu->actions()) {
        if (action->isVisible()) {
            // The shortcut as the menu draws it, after a tab.
            const QKeySequence keys = action->shortcut();
            items.append(action->isSeparator() ? QStringLiteral("-")
                         : keys.isEmpty()
                             ? action->text()
                             : action->text() + '\t' + keys.toString(QKeySequence::NativeText));
        }
    }
    return items;
}

bool AppFixture::Enabled(int id) const {
    QAction* action = Frame().Action(id);
    return action != nullptr && action->isEnabled();
}

CChildFrame* AppFixture::ActiveChild() const {
    return Frame().ActiveChildFrame();
}

QString AppFixture::WriteProtocol(const QString& name, const std::string& description) {
    std::string text = ReadFileBytes(std::string(TESSEL_TEST_DATA) + "/new-protocol.pcl");
    if (!description.empty()) {
        const std::string key = "Description=Name of Protocol as it will appear in Cuewright";
        text.replace(text.find(key), key.size(), "Description=" + description);
    }
    QString path = m_oTemp.filePath(name);
    QDir().mkpath(QFileInfo(path).path());
    std::ofstream(path.toStdString(), std::ios::binary) << text;
    return path;
}

void AppFixture::Key(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    QTest::keyClick(focus, key, modifiers);
}

void AppFixture::Type(const QString& text) {
    for (const QChar c : text) {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        QTest::keyClicks(focus, QString(c));
    }
}

QTreeWidget& AppFixture::Tree(CChildFrame* frame) {
    return *frame->GetLeftPane()->GetTreeCtrl();
}

PropertyGrid& AppFixture::Grid(CChildFrame* frame) {
    return frame->GetRightPane()->GetGrid();
}

QTreeWidgetItem* AppFixture::Item(CChildFrame* frame, const std::vector<QString>& path) {
    return ItemAtPath(Tree(frame).topLevelItem(0), path);
}
