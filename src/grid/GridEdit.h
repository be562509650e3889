#pragma once

#include <QPlainTextEdit>

class GridCtrl;

// The grid's in-place editor: a borderless multi-line edit laid over the cell being
// edited. The grid opens it (StartEdit) and closes it (FinishEdit, CancelEdit).
class GridEdit : public QPlainTextEdit {
    Q_OBJECT

public:
    // The editor's child-window id.
    static constexpr int kEditorId = 123;

    explicit GridEdit(GridCtrl* grid);

    GridCtrl* GetGrid() const { return m_pGrid; }

private:
    GridCtrl* m_pGrid;
};
