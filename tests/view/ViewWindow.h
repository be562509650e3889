#pragma once

#include <QSplitter>
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "document/ApplicationState.h"
#include "document/CTesselDoc.h"
#include "model/Command.h"

class CTesselView;
class PropertyGrid;
class QPrinter;

// What the property view takes from the application: grid identifiers that start at
// 2000, tool tips off, a printer.
class ViewApplication : public ApplicationState {
public:
    ViewApplication();
    ~ViewApplication() override;

    Command& ClipCommand() override { return m_oClip; }
    int TakeNextGridId() override { return m_nNextGridId++; }
    bool GridToolTips() const override { return false; }
    QPrinter& Printer() override;
    // The document window keeps the preview setting; no view test has one.
    void SetPreviewPages(int /*pages*/) override {}

    int m_nNextGridId = 2000;

private:
    Command m_oClip{Command::kNewCommandName};
    std::unique_ptr<QPrinter> m_poPrinter;
};

// What a command of a test protocol holds: its name, the description "Desc of "
// and the name, parameter and byte texts and a message.
struct CommandTexts {
    std::string name;
    std::vector<std::string> params;
    std::vector<std::string> bytes;
    std::string message;
};
CommandTexts MakeCommand(const std::string& name, const std::vector<std::string>& params = {},
                         const std::vector<std::string>& bytes = {},
                         const std::string& message = "MSG");

// A property view in a splitter, as a document window holds it, shown, active and
// given its first update. The document gets a description and the commands given,
// and starts unmodified.
class ViewWindow {
public:
    ViewWindow(CTesselDoc& document, ApplicationState& app,
               const std::vector<CommandTexts>& commands = {});
    ~ViewWindow();

    CTesselView& View() const { return *m_pView; }
    PropertyGrid& Grid() const;
    QSplitter& Splitter() { return m_oSplitter; }

    // The rows as "heading=value" lines.
    std::vector<std::string> Rows() const;
    // The headings of the rows.
    std::vector<std::string> Headings() const;
    QString Value(int row) const;

    // A click (double click) on a cell of the cell area; a press on a row number.
    void Click(int col, int row);
    void DoubleClick(int col, int row);
    void RowNumberPress(int row, Qt::MouseButton button = Qt::LeftButton);
    // Keys where the focus is.
    static void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    static void Type(const QString& text);
    // The open editor's text; empty when none is open.
    QString EditorText() const;
    bool Editing() const;

    // Runs the view's command `id` if its rule enables it.
    bool Enabled(int id) const;
    bool Run(int id);

private:
    QSplitter m_oSplitter;
    CTesselView* m_pView;
};
