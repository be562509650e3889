#pragma once

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPalette>

#include "grid/CellType.h"

// A palette whose every colour differs from the others, so that a test can tell
// from one pixel which colour was used; the previous palette comes back afterwards.
class DistinctPalette {
public:
    static inline const QColor kWindow{255, 255, 255};
    static inline const QColor kText{0, 0, 0};
    static inline const QColor kHighlight{0, 0, 128};
    static inline const QColor kHighlightText{255, 255, 0};
    static inline const QColor kButtonFace{192, 200, 208};
    static inline const QColor kButtonShadow{100, 100, 140};
    static inline const QColor kButtonHighlight{250, 250, 210};

    DistinctPalette() : m_oPrevious(QGuiApplication::palette()) {
        QPalette palette = m_oPrevious;
        palette.setColor(QPalette::Base, kWindow);
        palette.setColor(QPalette::Text, kText);
        palette.setColor(QPalette::Highlight, kHighlight);
        palette.setColor(QPalette::HighlightedText, kHighlightText);
        palette.setColor(QPalette::Button, kButtonFace);
        palette.setColor(QPalette::Dark, kButtonShadow);
        palette.setColor(QPalette::Light, kButtonHighlight);
        QGuiApplication::setPalette(palette);
    }
    ~DistinctPalette() { QGuiApplication::setPalette(m_oPrevious); }

private:
    QPalette m_oPrevious;
};

// Never drawn by any cell type, so it marks pixels left untouched.
inline const QColor kUntouched{1, 2, 3};

// The font every drawing test paints with.
inline QFont TestFont() {
    QFont font("Arial");
    font.setPixelSize(16);
    return font;
}

// Paints one cell filling a `size` image (or into `rect` when given).
inline QImage PaintCell(CellType& type, GridCell& cell, QSize size, int selected = 0,
                        int current = 0, int col = 0, int row = 0, QRect rect = QRect()) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(kUntouched);
    QPainter painter(&image);
    painter.setFont(TestFont());
    type.OnDraw(painter, rect.isNull() ? image.rect() : rect, col, row, cell, selected, current);
    return image;
}

inline QColor Pixel(const QImage& image, int x, int y) {
    return image.pixelColor(x, y);
}

// The bounding box of the pixels in `area` that are not `background`.
inline QRect InkBox(const QImage& image, const QRect& area, const QColor& background) {
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixelColor(x, y) != background) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

inline int CountColor(const QImage& image, const QRect& area, const QColor& color) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += image.pixelColor(x, y) == color ? 1 : 0;
        }
    }
    return count;
}
