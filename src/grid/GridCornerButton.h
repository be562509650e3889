#pragma once

#include "grid/GridComponent.h"

// The button where the top and side headings meet; it stands for the cell (-1, -1)
// and draws it. Dragging its right edge resizes the side heading, dragging its
// bottom edge the top heading; other clicks go to the corner hooks.
class GridCornerButton : public GridComponent {
    Q_OBJECT

public:
    explicit GridCornerButton(GridCtrl* grid);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    // Which edge a pointer over the button would drag.
    enum class Edge { None, Right, Bottom };

    void Arm(const QPoint& point);
    int ClickedByType(QMouseEvent* event, int pressed);

    Edge m_eArmed = Edge::None;
    bool m_bSizing = false;
    bool m_bClicked = false;
};
