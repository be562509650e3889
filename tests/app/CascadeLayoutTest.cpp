#include <gtest/gtest.h>

#include "app/CascadeLayout.h"

namespace {

const QPoint kStep(24, 24);

void ExpectInside(const std::vector<QRect>& places, QSize area) {
    for (const QRect& place : places) {
        EXPECT_TRUE(QRect(QPoint(0, 0), area).contains(place))
            << place.x() << "," << place.y() << " " << place.width() << "x" << place.height();
    }
}

} // namespace

TEST(CascadeLayout, WindowsShareTheWorkspaceLessTheStepsUpToTheirNaturalSize) {
    // A workspace smaller than the natural size: the front window reaches its corner.
    QSize area(600, 400);
    CascadeLayout small(area, QSize(1000, 800), QSize(300, 200), kStep);
    std::vector<QRect> places = small.Arrange(4);
    ASSERT_EQ(places.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(places[i].topLeft(), kStep * i);
        EXPECT_EQ(places[i].size(), QSize(600 - 3 * 24, 400 - 3 * 24));
    }
    EXPECT_EQ(places.back().bottomRight(), QPoint(599, 399));

    // Room to spare: every window keeps its natural size.
    CascadeLayout roomy(QSize(1600, 1000), QSize(700, 500), QSize(350, 250), kStep);
    for (const QRect& place : roomy.Arrange(2)) {
        EXPECT_EQ(place.size(), QSize(700, 500));
    }
    // One window alone takes the whole of a small workspace.
    EXPECT_EQ(small.Arrange(1), std::vector<QRect>{QRect(QPoint(0, 0), area)});
    EXPECT_TRUE(small.Arrange(0).empty());
}

TEST(CascadeLayout, ManyWindowsStartAgainAtTheTopLeftRatherThanShrink) {
    QSize area(600, 400);
    CascadeLayout layout(area, QSize(1000, 800), QSize(300, 200), QPoint(25, 25));
    std::vector<QRect> places = layout.Arrange(12);
    ASSERT_EQ(places.size(), 12u);
    ExpectInside(places, area);
    // (400 - 200) / 25 = 8 steps after the first window, then round again.
    EXPECT_EQ(places[8].topLeft(), QPoint(200, 200));
    EXPECT_EQ(places[9].topLeft(), QPoint(0, 0));
    for (const QRect& place : places) {
        EXPECT_EQ(place.size(), QSize(400, 200)); // never below the least usable size
    }
}

TEST(CascadeLayout, NewWindowsStayInsideTheWorkspace) {
    QSize area(800, 500);
    CascadeLayout layout(area, QSize(640, 360), QSize(320, 180), kStep);
    std::vector<QRect> places;
    for (int index = 0; index < 20; ++index) {
        places.push_back(layout.Place(index));
    }
    ExpectInside(places, area);
    EXPECT_EQ(places[0], QRect(0, 0, 600, 360)); // three quarters of the width at most
    EXPECT_EQ(places[1].topLeft(), kStep);
    // (500 - 360) / 24 = 5 steps fit below the first.
    EXPECT_EQ(places[5].topLeft(), kStep * 5);
    EXPECT_EQ(places[6].topLeft(), QPoint(0, 0));

    // A workspace smaller than the natural size: three quarters of it, so that the
    // next windows still cascade; (300 - 225) / 24 = 3 steps fit.
    CascadeLayout tight(QSize(500, 300), QSize(640, 360), QSize(250, 150), kStep);
    EXPECT_EQ(tight.Place(0), QRect(0, 0, 375, 225));
    EXPECT_EQ(tight.Place(3), QRect(72, 72, 375, 225));
    EXPECT_EQ(tight.Place(4), QRect(0, 0, 375, 225));
}
