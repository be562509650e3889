#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>

class GridCtrl;

// The small floating window that names the row or column under a dragged
// scroll-bar thumb: a top-most tool window with a border, one line of black text
// centred on light yellow. It is placed beside a point of the grid and kept
// inside the grid's client area.
class GridHint : public QWidget {
    Q_OBJECT

public:
    explicit GridHint(GridCtrl* grid);

    static inline const QColor kTextColor{0, 0, 0};
    static inline const QColor kBackColor{255, 255, 224};

    // Placement flags of ShowHint. Horizontally: centred on x, right edge at x,
    // else left edge at x; vertically: centred on y, bottom at y, else top at y.
    static constexpr int kCentre = 0x4;
    static constexpr int kRight = 0x2;
    static constexpr int kVCentre = 0x20;
    static constexpr int kBottom = 0x10;

    // Shows `text` at `point` of the grid, at least `minWidth` wide.
    void ShowHint(const QString& text, const QPoint& point, int flags, int minWidth);
    void HideHint();

    QString GetText() const { return m_strText; }
    // The height of a line of text in the hint's font.
    int GetLineHeight() const { return m_nLineHeight; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    GridCtrl* m_pGrid;
    QString m_strText;
    int m_nFlags = 0;
    int m_nMinWidth = 0;
    QFont m_oFont;
    int m_nLineHeight = 0;
};
