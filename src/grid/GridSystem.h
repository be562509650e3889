#pragma once

#include <QColor>
#include <QPalette>

class QStyle;

// The desktop colours and metrics the grid draws with, by their roles in a palette
// or a style: the window, text, highlight and three-dimensional button colours, and
// the scroll-bar size. The grid passes its own palette and style, so a change of
// either shows at the next paint.
namespace GridSystem {

inline QColor WindowColor(const QPalette& palette) {
    return palette.color(QPalette::Base);
}
inline QColor WindowTextColor(const QPalette& palette) {
    return palette.color(QPalette::Text);
}
inline QColor HighlightColor(const QPalette& palette) {
    return palette.color(QPalette::Highlight);
}
inline QColor HighlightTextColor(const QPalette& palette) {
    return palette.color(QPalette::HighlightedText);
}
inline QColor ButtonFaceColor(const QPalette& palette) {
    return palette.color(QPalette::Button);
}
inline QColor ButtonShadowColor(const QPalette& palette) {
    return palette.color(QPalette::Dark);
}
inline QColor ButtonHighlightColor(const QPalette& palette) {
    return palette.color(QPalette::Light);
}

// A text colour that reads on `back`: `preferred` when it contrasts with it well enough
// for normal text, else black or white, whichever contrasts more. For backgrounds that
// a cell fixes whatever the palette, which a palette's text colour may not suit.
QColor ReadableTextColor(const QColor& back, const QColor& preferred);

// Width of a vertical scroll bar (and height of a horizontal one) in `style`; the
// usual desktop size without a style.
int ScrollBarExtent(const QStyle* style);

} // namespace GridSystem
