#pragma once

#include <QListWidget>
#include <QStringList>

class GridCtrl;

// The list a drop-list cell drops under itself: a bordered list box in the cell
// area. Choosing an item (Enter, or a click on it) stores its text in the cell,
// after OnCellTypeEvent may refuse it; Esc, a click elsewhere or the focus going
// away close it without a choice. Either way the cell type learns how the list
// ended through the column and row it handed over: -1 after a choice, -2 without.
class GridDropList : public QListWidget {
    Q_OBJECT

public:
    // The list's child-window id.
    static constexpr int kListId = 123;
    // The most items the list shows at once.
    static constexpr int kMaxShownItems = 16;

    GridDropList(GridCtrl* grid, QWidget* parent);
    ~GridDropList() override;

    // Shows the items on `rect` of the cell area for the cell (col, row) of the
    // drop-list type `typeIndex`, each `itemHeight` high, and takes the focus.
    void Open(int typeIndex, int col, int row, const QStringList& items, const QRect& rect,
              const QFont& font, int itemHeight, int* listCol, int* listRow);
    // Closes the list without a choice.
    void Close();
    bool IsOpen() const { return m_bOpen; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    // While the list is open it watches every press in the program: one outside
    // it closes it, as a dropped list does, and a drag from the cell's button
    // picks the item it ends on.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Choose();
    // Hides the list and tells the cell type how it ended.
    void Finish();
    bool IsInside(QObject* object) const;

    GridCtrl* m_pGrid;
    int m_nTypeIndex = -1;
    int m_nCol = -1;
    int m_nRow = -1;
    int* m_pListCol = nullptr;
    int* m_pListRow = nullptr;
    bool m_bOpen = false;
    bool m_bChosen = false;
    // Counts the openings, so that a late close meant for one leaves the next alone.
    int m_nOpenings = 0;
};
