#pragma once

#include <QRect>
#include <vector>

// The multi-cell selection of a sheet: a list of blocks, each spanned from an
// anchor cell to a moving cell, and a mode that says whether blocks are cells or
// whole rows. The last block is the one that keyboard and mouse moves extend.
class GridSelection {
public:
    // Modes.
    static constexpr int kOff = 0;
    static constexpr int kCells = 1;
    static constexpr int kRows = 2;
    // Mode bit: a lookup answers the first matching block instead of the last.
    static constexpr int kFirstMatch = 0x10;

    struct Block {
        int m_nAnchorCol = 0;
        int m_nAnchorRow = 0;
        int m_nMovingCol = 0;
        int m_nMovingRow = 0;
        // Kept normalised, inclusive.
        int m_nLeft = 0;
        int m_nRight = 0;
        int m_nTop = 0;
        int m_nBottom = 0;
        bool m_bSelected = true;

        QRect Cells() const { return {QPoint(m_nLeft, m_nTop), QPoint(m_nRight, m_nBottom)}; }
    };

    void SetMode(int mode) { m_nMode = mode; }
    // Whole-row blocks reach from column 0 to the last column.
    void SetColumnCount(int count);

    bool IsEmpty() const { return m_oBlocks.empty(); }
    int GetBlockCount() const { return static_cast<int>(m_oBlocks.size()); }
    // The block that moves extend; nullptr without blocks.
    const Block* GetCurrentBlock() const { return m_oBlocks.empty() ? nullptr : &m_oBlocks.back(); }

    void Clear() { m_oBlocks.clear(); }
    // A new block of the one cell, which becomes the current block.
    void AddBlock(int col, int row);
    // Moves the current block's moving end (a new block when there is none).
    void ExtendCurrent(int col, int row);

    // The number of the block that holds the cell, or -1.
    int Lookup(int col, int row) const;
    // Cells covered by any block, as a bounding box; null without blocks.
    QRect BoundingBox() const;

private:
    void Normalise(Block& block) const;

    std::vector<Block> m_oBlocks;
    int m_nMode = kOff;
    int m_nColumnCount = 0;
};
