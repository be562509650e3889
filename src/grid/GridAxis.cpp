#include "grid/GridAxis.h"

#include <algorithm>

namespace {

// A rescaled heading size: size * newTotal / oldTotal, rounded half up.
int Rescale(int size, int newTotal, int oldTotal) {
    if (oldTotal <= 0) {
        return size;
    }
    return static_cast<int>((2LL * size * newTotal + oldTotal) / (2LL * oldTotal));
}

} // namespace

GridAxis::GridAxis(int defaultSize, int headingSize, int headingTotal)
    : m_nDefaultSize(defaultSize), m_oHeadingSizes{headingSize}, m_nHeadingTotal(headingTotal) {}

void GridAxis::SetCount(int count, int fillSize) {
    if (count > 0 && m_nLocked >= count) {
        m_nLocked = count - 1;
    }
    if (!m_bUniform) {
        m_oSizes.resize(static_cast<std::size_t>(count), fillSize);
    }
    m_nCount = count;
    SumLocked();
}

void GridAxis::SetUniform(bool uniform) {
    if (uniform) {
        m_oSizes.clear();
        m_oSizes.shrink_to_fit();
    } else if (m_bUniform) {
        m_oSizes.assign(static_cast<std::size_t>(m_nCount), m_nDefaultSize);
    }
    m_bUniform = uniform;
    SumLocked();
}

void GridAxis::SetSize(int index, int size) {
    if (index < 0 || index >= m_nCount) {
        return;
    }
    if (m_bUniform) {
        m_nDefaultSize = size;
    } else {
        m_oSizes[static_cast<std::size_t>(index)] = size;
    }
    SumLocked();
}

void GridAxis::MoveEntry(int from, int target) {
    if (m_bUniform) {
        return;
    }
    const auto begin = m_oSizes.begin();
    if (target > from) {
        std::rotate(begin + from, begin + from + 1, begin + target);
    } else {
        std::rotate(begin + target, begin + from, begin + from + 1);
    }
    SumLocked();
}

int GridAxis::Sum(int from, int to) const {
    from = std::max(from, 0);
    to = std::min(to, m_nCount);
    if (to <= from) {
        return 0;
    }
    if (m_bUniform) {
        return (to - from) * m_nDefaultSize;
    }
    int sum = 0;
    for (int index = from; index < to; ++index) {
        sum += m_oSizes[static_cast<std::size_t>(index)];
    }
    return sum;
}

bool GridAxis::Fits(int room) const {
    if (m_bUniform) {
        return static_cast<long long>(m_nCount) * m_nDefaultSize <= room;
    }
    int sum = 0;
    for (int index = 0; index < m_nCount; ++index) {
        sum += Size(index);
        if (sum > room) {
            return false;
        }
    }
    return true;
}

void GridAxis::SetHeadingCount(int count, int fillSize) {
    m_oHeadingSizes.resize(static_cast<std::size_t>(count), fillSize);
}

void GridAxis::SetHeadingSize(int index, int size) {
    m_oHeadingSizes[static_cast<std::size_t>(-index - 1)] = size;
}

void GridAxis::RescaleHeading(int total) {
    int sum = 0;
    for (int size : m_oHeadingSizes) {
        sum += size;
    }
    for (int& size : m_oHeadingSizes) {
        size = Rescale(size, total, sum);
    }
    m_nHeadingTotal = total;
}

void GridAxis::SetLocked(int count) {
    m_nLocked = count;
    SumLocked();
}

int GridAxis::Shift() const {
    return m_nFirst > m_nPrevFirst ? -Sum(m_nPrevFirst, m_nFirst) : Sum(m_nFirst, m_nPrevFirst);
}

void GridAxis::ComputeHighestFirst() {
    const int avail = m_nRoom - m_nLockedExtent;
    int highest = 0;
    if (UniformShortcut()) {
        highest = m_nCount - std::max(avail, 0) / m_nDefaultSize;
    } else {
        // Back from the last entry while the entries still fit.
        int remaining = avail;
        int index = m_nCount - 1;
        while (index >= m_nLocked) {
            remaining -= Size(index);
            if (remaining < 0) {
                break;
            }
            --index;
        }
        highest = index + 1;
    }
    const int last = std::max(m_nCount - 1, 0);
    m_nHighestFirst = std::max(std::clamp(highest, 0, last), std::min(m_nLocked, last));
}

int GridAxis::ClampFirst(int index) const {
    return std::min(std::max(index, m_nLocked), m_nHighestFirst);
}

std::vector<GridSpan> GridAxis::Shown() const {
    std::vector<GridSpan> spans;
    int pos = 0;
    for (int index = 0; index < m_nCount && pos < m_nRoom; ++index) {
        if (index == m_nLocked && index < m_nFirst) {
            index = m_nFirst;
            if (index >= m_nCount) {
                break;
            }
        }
        const int size = Size(index);
        spans.push_back({index, pos, size});
        pos += size;
    }
    return spans;
}

int GridAxis::Position(int index) const {
    if (index < 0 || index >= m_nCount) {
        return -1;
    }
    if (index < m_nLocked) {
        return Sum(0, index);
    }
    if (index < m_nFirst) {
        return -1;
    }
    if (m_bUniform) {
        const long long pos =
            m_nLockedExtent + static_cast<long long>(index - m_nFirst) * m_nDefaultSize;
        return pos < m_nRoom ? static_cast<int>(pos) : -1;
    }
    int pos = m_nLockedExtent;
    for (int i = m_nFirst; i < index; ++i) {
        pos += Size(i);
        if (pos >= m_nRoom) {
            return -1;
        }
    }
    return pos < m_nRoom ? pos : -1;
}

bool GridAxis::ShownExtent(int first, int last, int& start, int& end) const {
    start = -1;
    end = -1;
    for (int index = std::max(first, 0); index <= std::min(last, m_nCount - 1); ++index) {
        const int pos = Position(index);
        if (pos >= 0) {
            start = start < 0 ? pos : std::min(start, pos);
            end = std::max(end, pos + Size(index));
        } else if (index >= m_nFirst && start >= 0) {
            // Past the end of the view: nothing further is shown.
            break;
        }
    }
    return start >= 0;
}

int GridAxis::IndexAt(int pixel) const {
    if (UniformShortcut() && pixel >= m_nLockedExtent) {
        const long long index =
            std::max(m_nFirst, m_nLocked) + (pixel - m_nLockedExtent) / m_nDefaultSize;
        return index < m_nCount ? static_cast<int>(index) : -1;
    }
    for (const GridSpan& span : Shown()) {
        if (pixel >= span.m_nPos && pixel < span.m_nPos + span.m_nSize) {
            return span.m_nIndex;
        }
    }
    return -1;
}

int GridAxis::FirstShowing(int target) const {
    if (target < m_nLocked) {
        return m_nFirst;
    }
    if (target < m_nFirst) {
        return target;
    }
    // The smallest first entry that still shows the whole target.
    const int room = m_nRoom - m_nLockedExtent;
    int first = target;
    if (UniformShortcut()) {
        first = std::max(m_nLocked, target - room / m_nDefaultSize + 1);
    } else {
        int sum = Size(target);
        while (first - 1 >= m_nLocked && sum + Size(first - 1) <= room) {
            --first;
            sum += Size(first);
        }
    }
    return std::max(m_nFirst, first);
}

int GridAxis::Page(int from, int direction) const {
    const int room = m_nRoom - m_nLockedExtent;
    if (m_bUniform) {
        return std::max(1, m_nDefaultSize > 0 ? room / m_nDefaultSize : 1);
    }
    int count = 0;
    int sum = 0;
    for (int index = from + direction; index >= 0 && index < m_nCount; index += direction) {
        sum += Size(index);
        if (sum > room) {
            break;
        }
        ++count;
    }
    return std::max(count, 1);
}
