#pragma once

#include <vector>

#include "grid/GridSpan.h"

// One orientation of a sheet, the columns or the rows: how many there are and their
// sizes, the heading entries before them, the locked ones at the start and the view
// over the rest (the first scrolling index and how far it may go). Everything the
// grid asks about positions and paging is answered here once for both orientations.
//
// Indices 0 and up are cells; heading entries have negative indices, -1 being the
// one next to the cells. "Room" is the extent of the cell area along the axis.
//
// Uniform mode keeps every entry at the default size without a per-entry array, so
// that very long axes cost nothing per entry.
class GridAxis {
public:
    GridAxis(int defaultSize, int headingSize, int headingTotal);

    // --- Entries -------------------------------------------------------------------
    int Count() const { return m_nCount; }
    // New entries get `fillSize`; the locked entries stay below the count.
    void SetCount(int count, int fillSize);
    bool IsUniform() const { return m_bUniform; }
    // Switching back from uniform gives every entry the default size.
    void SetUniform(bool uniform);
    int DefaultSize() const { return m_nDefaultSize; }
    // 0 outside the axis; heading entries have their heading sizes.
    int Size(int index) const {
        if (index >= 0) {
            if (index >= m_nCount) {
                return 0;
            }
            return m_bUniform ? m_nDefaultSize : m_oSizes[static_cast<std::size_t>(index)];
        }
        const auto heading = static_cast<std::size_t>(-index - 1);
        return heading < m_oHeadingSizes.size() ? m_oHeadingSizes[heading] : 0;
    }
    // A cell entry's size (in uniform mode, every entry's); ignored outside the axis.
    void SetSize(int index, int size);
    // Moves entry `from` in front of `target` (Count() for the end).
    void MoveEntry(int from, int target);
    // Sum of the sizes of entries [from, to); 0 when to is not above from.
    int Sum(int from, int to) const;
    // Whether all entries fit in `room` pixels.
    bool Fits(int room) const;

    // --- Heading entries -------------------------------------------------------------
    int HeadingCount() const { return static_cast<int>(m_oHeadingSizes.size()); }
    void SetHeadingCount(int count, int fillSize);
    // `index` is negative and within the heading count.
    void SetHeadingSize(int index, int size);
    // The heading's extent, kept apart from its entries' sizes.
    int HeadingTotal() const { return m_nHeadingTotal; }
    void SetHeadingTotal(int total) { m_nHeadingTotal = total; }
    // Sets the total and scales the entries to it, in proportion.
    void RescaleHeading(int total);

    // --- Locked entries ---------------------------------------------------------------
    int Locked() const { return m_nLocked; }
    void SetLocked(int count);
    int LockedExtent() const { return m_nLockedExtent; }

    // --- The view ----------------------------------------------------------------------
    void SetRoom(int room) { m_nRoom = room; }
    int Room() const { return m_nRoom; }
    // The first scrolling entry shown, and what it was when the view was last drawn.
    int First() const { return m_nFirst; }
    void SetFirst(int index) { m_nFirst = index; }
    int PrevFirst() const { return m_nPrevFirst; }
    void SetPrevFirst(int index) { m_nPrevFirst = index; }
    // Pixels the view moved since it was last drawn (negative: towards the end).
    int Shift() const;
    int HighestFirst() const { return m_nHighestFirst; }
    void ComputeHighestFirst();
    // `index` brought between the locked count and the highest first entry.
    int ClampFirst(int index) const;
    void ClampView() { m_nFirst = ClampFirst(m_nFirst); }
    int LastVisible() const { return m_nLastVisible; }
    void SetLastVisible(int index) { m_nLastVisible = index; }

    // The entries the cell area shows, in order: the locked ones, then from the first
    // on while they start inside the room. Entries of size 0 are listed too, since
    // their borders can be dragged open.
    std::vector<GridSpan> Shown() const;
    // Where a shown entry starts; -1 when it is not shown.
    int Position(int index) const;
    // Where the shown part of entries [first, last] starts and ends; false when none
    // of them is shown.
    bool ShownExtent(int first, int last, int& start, int& end) const;
    // The entry under a pixel of the cell area; -1 where there is none.
    int IndexAt(int pixel) const;
    // The first scrolling entry that shows the whole target (the view's own where it
    // already does).
    int FirstShowing(int target) const;
    // How many entries a page holds, counted from `from` towards `direction`.
    int Page(int from, int direction) const;

private:
    void SumLocked() { m_nLockedExtent = Sum(0, m_nLocked); }
    bool UniformShortcut() const { return m_bUniform && m_nDefaultSize > 0; }

    int m_nCount = 0;
    std::vector<int> m_oSizes;
    bool m_bUniform = false;
    int m_nDefaultSize;
    std::vector<int> m_oHeadingSizes;
    int m_nHeadingTotal;
    int m_nLocked = 0;
    int m_nLockedExtent = 0;
    int m_nRoom = 0;
    int m_nFirst = 0;
    int m_nPrevFirst = 0;
    int m_nHighestFirst = 0;
    int m_nLastVisible = 0;
};
