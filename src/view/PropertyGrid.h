#pragma once

#include "grid/StandardGridCtrl.h"

class CTesselView;

// The grid of the property view: two columns, the field headings on the left and
// their values on the right. Its hooks start editing in the value column, take the
// row numbers as row selection, keep the heading bars at their size and hand every
// finished edit and the Delete key to its view, which writes the model.
class PropertyGrid : public StandardGridCtrl {
    Q_OBJECT

public:
    // The value column; column 0 holds the headings.
    static constexpr int kValueColumn = 1;

    explicit PropertyGrid(CTesselView& view, bool toolTips = false, QWidget* parent = nullptr);

    int OnTopHeadingResizeQuery() override;
    int OnSideHeadingResizeQuery() override;
    void OnCellDoubleClick(int col, int row, const QRect& rect, const QPoint& point,
                           int handled) override;
    void OnSideHeadingLeftClick(int col, int row, int down, const QRect& rect, const QPoint& point,
                                int handled) override;
    void OnSideHeadingRightClick(int col, int row, int down, const QRect& rect, const QPoint& point,
                                 int handled) override;
    void OnSideHeadingDoubleClick(int col, int row, const QRect& rect, const QPoint& point,
                                  int handled) override;
    void OnGridKeyDown(int& key, int handled) override;
    void OnGridChar(int& ch, int handled) override;
    int OnEndEdit(int col, int row, QWidget* editor, const QString& text, bool cancelled) override;
    int OnEditMoveQuery(int oldCol, int oldRow, int& newCol, int& newRow) override;
    int OnSortCompare(const GridCell* a, const GridCell* b, int flags) override;
    void OnLayoutComponents(QRect& area, QRect& topHeading, QRect& sideHeading, QRect& corner,
                            QRect& vScroll, QRect& hScroll, QRect& tabStrip) override;
    QColor OnDefaultBackColor(int section) override;
    void OnDrawFocus(QPainter& painter, const QRect& rect) override;

private:
    CTesselView& m_rView;
};
