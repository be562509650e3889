#pragma once

#include <QPlainTextEdit>

class GridCtrl;

// The grid's in-place editor: a borderless multi-line edit laid over the cell being
// edited. The grid opens it (StartEdit); it takes the keys until the user confirms
// (Enter, Tab, Up and Down while it is one line high), cancels (Esc) or leaves it,
// and then hands its text to the grid's FinishEdit. Typed characters pass the data
// source and OnEditKey first. It grows to the right and down, cell by cell, as its
// text needs.
class GridEdit : public QPlainTextEdit {
    Q_OBJECT

public:
    // The editor's child-window id.
    static constexpr int kEditorId = 123;

    explicit GridEdit(GridCtrl* grid);

    GridCtrl* GetGrid() const { return m_pGrid; }
    // Readies the editor for an edit that starts: the height it starts from, its
    // size for its text, the flags cleared and all text selected. Runs whenever it
    // gets the focus.
    void BeginEditing();
    // Grown beyond the height it started with (Up and Down then move the caret).
    bool IsGrown() const { return m_nCurrentHeight != m_nStartHeight; }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool IsEditingHere() const;
    // Ends the edit with the flags the keys set; the focus is going to `newFocus`.
    void Finish(QWidget* newFocus);
    // Gives the focus back to the grid, which ends the edit.
    void Leave();
    void Grow();

    GridCtrl* m_pGrid;
    bool m_bCancel = false;
    bool m_bMove = false;
    int m_nTargetCol = 0;
    int m_nTargetRow = 0;
    int m_nStartHeight = 0;
    int m_nCurrentHeight = 0;
};
