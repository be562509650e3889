#pragma once

// A column or row as the cell area shows it: its index, where it starts in the
// cell area and its size, in pixels.
struct GridSpan {
    int m_nIndex;
    int m_nPos;
    int m_nSize;
};
