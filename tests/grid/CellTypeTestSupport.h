#pragma once

#include <QByteArray>
#include <QDir>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

#include "grid/CellType.h"

// A palette whose every colour differs from the others, so that a test can tell
// from one pixel which colour was used.
struct DistinctPalette {
    static inline const QColor kWindow{255, 255, 255};
    static inline const QColor kText{0, 0, 0};
    static inline const QColor kHighlight{0, 0, 128};
    static inline const QColor kHighlightText{255, 255, 0};
    static inline const QColor kButtonFace{192, 200, 208};
    static inline const QColor kButtonShadow{100, 100, 140};
    static inline const QColor kButtonHighlight{250, 250, 210};

    static QPalette Palette() {
        QPalette palette;
        palette.setColor(QPalette::Base, kWindow);
        palette.setColor(QPalette::Text, kText);
        palette.setColor(QPalette::Highlight, kHighlight);
        palette.setColor(QPalette::HighlightedText, kHighlightText);
        palette.setColor(QPalette::Button, kButtonFace);
        palette.setColor(QPalette::Dark, kButtonShadow);
        palette.setColor(QPalette::Light, kButtonHighlight);
        return palette;
    }
};

// Never drawn by any cell type, so it marks pixels left untouched.
inline const QColor kUntouched{1, 2, 3};

// The font every drawing test paints with.
inline QFont TestFont() {
    QFont font("Arial");
    font.setPixelSize(16);
    return font;
}

// What the grid hands a cell type: the distinct palette and the test font.
inline GridCellOption TestOption(const QRect& rect, int selected = 0, bool current = false) {
    GridCellOption option;
    option.rect = rect;
    option.palette = DistinctPalette::Palette();
    option.font = TestFont();
    option.selected = selected;
    option.current = current;
    return option;
}

// Paints one cell filling a `size` image (or into `rect` when given).
inline QImage PaintCell(CellType& type, GridCell& cell, QSize size, int selected = 0,
                        int current = 0, int col = 0, int row = 0, QRect rect = QRect()) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(kUntouched);
    QPainter painter(&image);
    painter.setFont(TestFont());
    type.OnDraw(painter, TestOption(rect.isNull() ? image.rect() : rect, selected, current != 0),
                col, row, cell);
    return image;
}

// Keeps a copy of a test image for a person to look at, only when the environment
// variable TESSEL_KEEP_TEST_IMAGES is set: into one temporary folder per run, which
// is left in place and named once on standard output.
inline void KeepImage(const QImage& image, const char* name) {
    if (qEnvironmentVariableIsEmpty("TESSEL_KEEP_TEST_IMAGES")) {
        return;
    }
    static const std::unique_ptr<QTemporaryDir> dir = [] {
        auto made = std::make_unique<QTemporaryDir>(QDir::tempPath() + "/tessel-grid-XXXXXX");
        made->setAutoRemove(false);
        std::printf("Test images: %s\n", qPrintable(made->path()));
        return made;
    }();
    image.save(dir->filePath(QString::fromLatin1(name) + ".png"));
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
