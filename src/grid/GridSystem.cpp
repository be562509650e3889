#include "grid/GridSystem.h"

#include <QStyle>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kUsualScrollBarExtent = 17;
// The contrast that normal text needs to read well (WCAG level AA).
constexpr double kReadableContrast = 4.5;

// The relative luminance of a colour on a screen, from 0 for black to 1 for white.
double Luminance(const QColor& color) {
    auto linear = [](float channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = color.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) +
           0.0722 * linear(rgb.blueF());
}

double Contrast(double a, double b) {
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

} // namespace

QColor GridSystem::ReadableTextColor(const QColor& back, const QColor& preferred) {
    const double backLuminance = Luminance(back);
    if (Contrast(backLuminance, Luminance(preferred)) >= kReadableContrast) {
        return preferred;
    }
    return Contrast(backLuminance, 0.0) >= Contrast(backLuminance, 1.0) ? QColor(Qt::black)
                                                                        : QColor(Qt::white);
}

int GridSystem::ScrollBarExtent(const QStyle* style) {
    return style ? style->pixelMetric(QStyle::PM_ScrollBarExtent) : kUsualScrollBarExtent;
}
