#include "ViewWindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QTest>

#include "document/QtText.h"
#include "grid/GridArea.h"
#include "grid/GridSideHeading.h"
#include "view/CTesselView.h"

ViewApplication::ViewApplication() = default;
ViewApplication::~ViewApplication() = default;

QPrinter& ViewApplication::Printer() {
    if (!m_poPrinter) {
        m_poPrinter = std::make_unique<QPrinter>();
    }
    return *m_poPrinter;
}

CommandTexts MakeCommand(const std::string& name, const std::vector<std::string>& params,
                         const std::vector<std::string>& bytes, const std::string& message) {
    return {name, params, bytes, message};
}

ViewWindow::ViewWindow(CTesselDoc& document, ApplicationState& app,
                       const std::vector<CommandTexts>& commands)
    : m_pView(new CTesselView(document, app)) {
    EXPECT_TRUE(document.SetDeviceField(DeviceFieldId::Description, "Switcher"));
    for (const CommandTexts& texts : commands) {
        Command command(texts.name);
        command.m_strDescription = "Desc of " + texts.name;
        command.m_strMessage = texts.message;
        for (std::size_t i = 0; i < texts.params.size(); ++i) {
            command.m_oParam[i].m_strText = texts.params[i];
        }
        command.m_nParams = static_cast<std::int32_t>(texts.params.size());
        for (std::size_t i = 0; i < texts.bytes.size(); ++i) {
            command.m_strByte[i] = texts.bytes[i];
        }
        command.m_nBytes = static_cast<std::int32_t>(texts.bytes.size());
        EXPECT_TRUE(document.AppendCopy(command));
    }
    // As a file just opened: nothing to save or undo.
    document.ClearUndoHistory();
    m_oSplitter.addWidget(m_pView);
    m_oSplitter.resize(640, 480);
    m_oSplitter.show();
    m_oSplitter.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&m_oSplitter));
    m_pView->OnInitialUpdate();
    m_pView->setFocus();
}

ViewWindow::~ViewWindow() = default;

PropertyGrid& ViewWindow::Grid() const {
    return m_pView->GetGrid();
}

std::vector<std::string> ViewWindow::Rows() const {
    std::vector<std::string> rows;
    for (int row = 0; row < Grid().GetRowCount(); ++row) {
        rows.push_back(QtText::ToUtf8(Grid().GetCellText(0, row)) + "=" +
                       QtText::ToUtf8(Grid().GetCellText(1, row)));
    }
    return rows;
}

std::vector<std::string> ViewWindow::Headings() const {
    std::vector<std::string> headings;
    for (int row = 0; row < Grid().GetRowCount(); ++row) {
        headings.push_back(QtText::ToUtf8(Grid().GetCellText(0, row)));
    }
    return headings;
}

QString ViewWindow::Value(int row) const {
    return Grid().GetCellText(1, row);
}

void ViewWindow::Click(int col, int row) {
    const QRect rect = Grid().GetCellRect(col, row);
    ASSERT_FALSE(rect.isNull()) << col << "," << row;
    QTest::mouseClick(Grid().GetArea(), Qt::LeftButton, {}, rect.center());
}

void ViewWindow::DoubleClick(int col, int row) {
    const QRect rect = Grid().GetCellRect(col, row);
    ASSERT_FALSE(rect.isNull()) << col << "," << row;
    QTest::mouseDClick(Grid().GetArea(), Qt::LeftButton, {}, rect.center());
}

void ViewWindow::RowNumberPress(int row, Qt::MouseButton button) {
    const QRect rect = Grid().GetSideHeading()->CellRect(-1, row);
    ASSERT_FALSE(rect.isNull()) << row;
    QTest::mousePress(Grid().GetSideHeading(), button, {}, rect.center());
    QTest::mouseRelease(Grid().GetSideHeading(), button, {}, rect.center());
}

void ViewWindow::Key(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    QTest::keyClick(focus, key, modifiers);
}

void ViewWindow::Type(const QString& text) {
    // Each character where the focus is then: the first may open the editor.
    for (const QChar c : text) {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        if (c.unicode() < 0x80) {
            QTest::keyClicks(focus, QString(c));
        } else {
            // A character no key of the test's keyboard has.
            QTest::sendKeyEvent(QTest::Press, focus, Qt::Key_unknown, QString(c), {});
            QTest::sendKeyEvent(QTest::Release, focus, Qt::Key_unknown, QString(c), {});
        }
    }
}

bool ViewWindow::Editing() const {
    return Grid().IsEditing();
}

QString ViewWindow::EditorText() const {
    auto* editor = qobject_cast<QPlainTextEdit*>(Grid().GetEditorWindow());
    return Editing() && editor != nullptr ? editor->toPlainText() : QString();
}

bool ViewWindow::Enabled(int id) const {
    const CommandTable::Entry* entry = m_pView->Commands().Find(id);
    return entry != nullptr && (!entry->enabled || entry->enabled(id));
}

bool ViewWindow::Run(int id) {
    if (!Enabled(id)) {
        return false;
    }
    CommandTable::Entry entry = *m_pView->Commands().Find(id);
    entry.run(id);
    return true;
}
