#include "grid/GridSystem.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>

namespace {

QColor PaletteColor(QPalette::ColorRole role) {
    return QGuiApplication::palette().color(QPalette::Active, role);
}

int StyleMetric(QStyle::PixelMetric metric, int fallback) {
    const QStyle* style =
        qobject_cast<QApplication*>(QCoreApplication::instance()) ? QApplication::style() : nullptr;
    return style ? style->pixelMetric(metric) : fallback;
}

} // namespace

QColor GridSystem::WindowColor() {
    return PaletteColor(QPalette::Base);
}
QColor GridSystem::WindowTextColor() {
    return PaletteColor(QPalette::Text);
}
QColor GridSystem::HighlightColor() {
    return PaletteColor(QPalette::Highlight);
}
QColor GridSystem::HighlightTextColor() {
    return PaletteColor(QPalette::HighlightedText);
}
QColor GridSystem::ButtonFaceColor() {
    return PaletteColor(QPalette::Button);
}
QColor GridSystem::ButtonShadowColor() {
    return PaletteColor(QPalette::Dark);
}
QColor GridSystem::ButtonHighlightColor() {
    return PaletteColor(QPalette::Light);
}

// Without a widget application (a store used on its own) the usual desktop size is
// good enough.
int GridSystem::VScrollWidth() {
    return StyleMetric(QStyle::PM_ScrollBarExtent, 17);
}
int GridSystem::HScrollHeight() {
    return StyleMetric(QStyle::PM_ScrollBarExtent, 17);
}
