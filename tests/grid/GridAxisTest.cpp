#include <gtest/gtest.h>

#include <algorithm>

#include "grid/GridAxis.h"

namespace {

// Two axes of 50 entries of 20 pixels, one keeping them per entry and one uniform,
// in a room of 130 pixels with 2 locked entries.
struct Axes {
    GridAxis perEntry{20, 20, 20};
    GridAxis uniform{20, 20, 20};
    Axes() {
        for (GridAxis* axis : {&perEntry, &uniform}) {
            axis->SetUniform(axis == &uniform);
            axis->SetCount(50, 20);
            axis->SetLocked(2);
            axis->SetRoom(130);
            axis->ComputeHighestFirst();
        }
    }
};

} // namespace

TEST(GridAxis, UniformSizesAnswerAsTheSameSizesKeptPerEntry) {
    Axes axes;
    for (int first : {2, 10, 45}) {
        for (GridAxis* axis : {&axes.perEntry, &axes.uniform}) {
            axis->SetFirst(axis->ClampFirst(first));
        }
        const GridAxis& a = axes.perEntry;
        const GridAxis& b = axes.uniform;
        SCOPED_TRACE(first);
        EXPECT_EQ(a.HighestFirst(), b.HighestFirst());
        EXPECT_EQ(a.First(), b.First());
        for (int index : {0, 1, 2, a.First(), std::min(a.First() + 3, 49), 49}) {
            EXPECT_EQ(a.Position(index), b.Position(index)) << index;
            EXPECT_EQ(a.FirstShowing(index), b.FirstShowing(index)) << index;
        }
        for (int pixel : {0, 39, 40, 129}) {
            EXPECT_EQ(a.IndexAt(pixel), b.IndexAt(pixel)) << pixel;
        }
        EXPECT_EQ(a.Sum(3, 17), b.Sum(3, 17));
        // A page from the view's start (near the end the uniform page stays whole,
        // which the moves clamp).
        if (first < 40) {
            EXPECT_EQ(a.Page(a.First(), 1), b.Page(b.First(), 1));
        }
    }
}

TEST(GridAxis, TheLockedExtentFollowsSizesMovesAndCounts) {
    GridAxis axis(10, 20, 20);
    axis.SetCount(5, 10);
    axis.SetLocked(2);
    EXPECT_EQ(axis.LockedExtent(), 20);
    axis.SetSize(1, 30);
    EXPECT_EQ(axis.LockedExtent(), 40);
    // The wide entry moves behind the locked ones, a narrow one takes its place.
    axis.MoveEntry(1, 5);
    EXPECT_EQ(axis.Size(4), 30);
    EXPECT_EQ(axis.LockedExtent(), 20);
    // Fewer entries than locked ones: the locked count stays below the count.
    axis.SetCount(2, 10);
    EXPECT_EQ(axis.Locked(), 1);
    EXPECT_EQ(axis.LockedExtent(), 10);
}
