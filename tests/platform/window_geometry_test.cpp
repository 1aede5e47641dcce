#include "platform/window_geometry.h"

#include <gtest/gtest.h>

namespace tobrisk {
namespace {

// openbox's default frame: 1 px borders and a 20 px title bar (the creep seen when a frame
// position was taken for a client position).
constexpr FrameMargins kOpenbox{1, 20, 1, 1};
constexpr Rect kScreen{0, 0, 1280, 1024};

TEST(WindowGeometry, MarginsComeFromNestedRectanglesOnly) {
    EXPECT_EQ(marginsBetween({490, 485, 302, 75}, {491, 505, 300, 54}), kOpenbox);
    EXPECT_EQ(marginsBetween({10, 10, 300, 54}, {10, 10, 300, 54}), FrameMargins{});
    // Stale rectangles (client outside the frame) are not margins.
    EXPECT_EQ(marginsBetween({500, 500, 302, 75}, {491, 505, 300, 54}), FrameMargins{});
}

TEST(WindowGeometry, ClientGoesInsideTheFrameCorner) {
    EXPECT_EQ(clientForFrame({490, 485}, kOpenbox), (Point{491, 505}));
    EXPECT_EQ(frameSize({300, 54}, kOpenbox), (Size{302, 75}));
    // Switching many times through frame -> client -> frame does not creep.
    Point frame{100, 200};
    for (int i = 0; i < 50; ++i) {
        const Point client = clientForFrame(frame, kOpenbox);
        frame = {client.x - kOpenbox.left, client.y - kOpenbox.top};
    }
    EXPECT_EQ(frame, (Point{100, 200}));
}

TEST(WindowGeometry, PullBackKeepsTheWholeFrameOnTheArea) {
    const Size expr = frameSize({300, 54}, kOpenbox);
    const Rect withPanel{0, 0, 1280, 994};  // a 30 px panel at the bottom
    struct {
        Point saved;
        Rect area;
        Point expected;
    } const cases[] = {
        {{100, 100}, kScreen, {100, 100}},               // on the screen: unchanged
        {{5000, 5000}, kScreen, {978, 949}},             // beyond right and bottom
        {{1100, 990}, kScreen, {978, 949}},              // the last 20 px were the fault
        {{100, 960}, withPanel, {100, 919}},             // not under the panel
        {{-50, -30}, kScreen, {0, 0}},                   // beyond left and top
        {{2100, 10}, {1280, 0, 1024, 768}, {2002, 10}},  // a second screen to the right
    };
    for (const auto& c : cases) {
        const Point p = pullBackOnto(c.saved, expr, c.area);
        EXPECT_EQ(p, c.expected) << c.saved.x << "," << c.saved.y;
        EXPECT_GE(p.x, c.area.x);
        EXPECT_LE(p.y + expr.height, c.area.y + c.area.height);
    }
    // A frame taller than the area keeps its title bar on it.
    EXPECT_EQ(pullBackOnto({10, 500}, {400, 2000}, kScreen), (Point{10, 0}));
}

TEST(WindowGeometry, ClientIsShortenedToFitTheArea) {
    const Rect area{0, 0, 1280, 994};
    EXPECT_EQ(fitClientOnto({600, 1200}, kOpenbox, area), (Size{600, 973}));
    EXPECT_EQ(fitClientOnto({300, 400}, kOpenbox, area), (Size{300, 400}));
    EXPECT_EQ(fitClientOnto({300, 400}, kOpenbox, {0, 0, 0, 0}), (Size{1, 1}));
}

}  // namespace
}  // namespace tobrisk
