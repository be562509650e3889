#include "grid/GridSystem.h"

#include <QStyle>

namespace {
constexpr int kUsualScrollBarExtent = 17;
}

int GridSystem::ScrollBarExtent(const QStyle* style) {
    return style ? style->pixelMetric(QStyle::PM_ScrollBarExtent) : kUsualScrollBarExtent;
}
