#include "app/CascadeLayout.h"

#include <algorithm>

CascadeLayout::CascadeLayout(QSize area, QSize natural, QSize minimum, QPoint step)
    : m_oArea(area.expandedTo(QSize(1, 1))), m_oNatural(natural.expandedTo(QSize(1, 1))),
      m_oMinimum(minimum.boundedTo(m_oArea)),
      m_oStep(std::max(step.x(), 0), std::max(step.y(), 0)) {}

int CascadeLayout::StepsThatFit(QSize size) const {
    // The windows after the first: as many as the room left over allows.
    int steps = 1 << 16;
    if (m_oStep.x() > 0) {
        steps = std::min(steps, (m_oArea.width() - size.width()) / m_oStep.x());
    }
    if (m_oStep.y() > 0) {
        steps = std::min(steps, (m_oArea.height() - size.height()) / m_oStep.y());
    }
    return std::max(steps, 0) + 1;
}

std::vector<QRect> CascadeLayout::Arrange(int count) const {
    std::vector<QRect> places;
    if (count <= 0) {
        return places;
    }
    // One round of the cascade holds as many windows as fit with the least usable size.
    int round = std::min(count, StepsThatFit(m_oMinimum));
    int steps = round - 1;
    QSize size(m_oArea.width() - steps * m_oStep.x(), m_oArea.height() - steps * m_oStep.y());
    size = size.boundedTo(m_oNatural).expandedTo(m_oMinimum);
    places.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        places.emplace_back(m_oStep * (i % round), size);
    }
    return places;
}

QRect CascadeLayout::Place(int index) const {
    // At most three quarters of the workspace, so that a few more windows can follow
    // one step further on each.
    QSize size = m_oNatural.boundedTo(m_oArea * 3 / 4).expandedTo(m_oMinimum);
    int round = StepsThatFit(size);
    return {m_oStep * (std::max(index, 0) % round), size};
}
