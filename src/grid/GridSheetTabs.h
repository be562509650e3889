#pragma once

#include <vector>

#include <QFont>
#include <QString>

#include "grid/GridComponent.h"

// The strip of sheet tabs at the bottom left, beside the horizontal scroll bar;
// hidden while the sheet gives it no width. A click makes a tab the active one and
// tells the owner the id stored with it (OnSheetTabSelected), who then selects a
// sheet. Tabs that do not fit are reached by two arrow buttons at the strip's left;
// the strip's right edge can be dragged to widen or narrow it.
class GridSheetTabs : public GridComponent {
    Q_OBJECT

public:
    static constexpr int kMaxTabs = 64;
    // The narrowest the strip can be dragged.
    static constexpr int kMinWidth = 40;

    explicit GridSheetTabs(GridCtrl* grid);

    // The new tab's index, or -1 when the strip is full.
    int AddTab(const QString& name, int id);
    int GetTabCount() const { return static_cast<int>(m_oTabs.size()); }
    QString GetTabName(int index) const;
    int GetTabId(int index) const;
    // Makes a tab the active one and scrolls it wholly into view; 1 for a bad index.
    int SetActiveTab(int index);
    // A tab's rectangle in the strip as it is scrolled.
    QRect TabRect(int index) const;
    // The two arrow buttons (0 left, 1 right); null while every tab fits.
    QRect ArrowRect(int which) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    struct Tab {
        QString m_strName;
        int m_nId;
    };
    int TabWidth(int index) const;
    int TotalWidth() const;
    // Where the tabs start (right of the arrows, when they show) and end.
    int TabsLeft() const;
    int TabsRight() const;
    bool NeedsArrows() const;
    int ArrowWidth() const;
    void ScrollBy(int direction);
    bool OnEdge(const QPoint& point) const;

    std::vector<Tab> m_oTabs;
    QFont m_oFont;
    int m_nActive = -1;
    int m_nOffset = 0;
    bool m_bEdgeDragging = false;
    int m_nStartWidth = 0;
    int m_nStartX = 0;
};
