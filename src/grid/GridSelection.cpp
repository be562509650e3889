#include "grid/GridSelection.h"

#include <algorithm>

void GridSelection::SetColumnCount(int count) {
    m_nColumnCount = count;
    for (Block& block : m_oBlocks) {
        Normalise(block);
    }
}

void GridSelection::Normalise(Block& block) const {
    block.m_nLeft = std::min(block.m_nAnchorCol, block.m_nMovingCol);
    block.m_nRight = std::max(block.m_nAnchorCol, block.m_nMovingCol);
    block.m_nTop = std::min(block.m_nAnchorRow, block.m_nMovingRow);
    block.m_nBottom = std::max(block.m_nAnchorRow, block.m_nMovingRow);
    if ((m_nMode & 0xF) == kRows) {
        block.m_nLeft = 0;
        block.m_nRight = std::max(0, m_nColumnCount - 1);
    }
}

void GridSelection::AddBlock(int col, int row) {
    Block block;
    block.m_nAnchorCol = block.m_nMovingCol = col;
    block.m_nAnchorRow = block.m_nMovingRow = row;
    Normalise(block);
    m_oBlocks.push_back(block);
}

void GridSelection::ExtendCurrent(int col, int row) {
    if (m_oBlocks.empty()) {
        AddBlock(col, row);
        return;
    }
    Block& block = m_oBlocks.back();
    block.m_nMovingCol = col;
    block.m_nMovingRow = row;
    Normalise(block);
}

int GridSelection::Lookup(int col, int row) const {
    int found = -1;
    for (int i = 0; i < GetBlockCount(); ++i) {
        const Block& block = m_oBlocks[static_cast<std::size_t>(i)];
        if (block.m_bSelected && col >= block.m_nLeft && col <= block.m_nRight &&
            row >= block.m_nTop && row <= block.m_nBottom) {
            found = i;
            if (m_nMode & kFirstMatch) {
                break;
            }
        }
    }
    return found;
}

QRect GridSelection::BoundingBox() const {
    QRect box;
    for (const Block& block : m_oBlocks) {
        box |= block.Cells();
    }
    return box;
}
