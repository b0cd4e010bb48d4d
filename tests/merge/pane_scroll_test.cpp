#include "merge/pane_scroll.h"

#include <gtest/gtest.h>

namespace tandel {
namespace {

TEST(PaneScroll, EveryVerticalMoveIsClampedToTheRows) {
    EXPECT_EQ(ClampTopLine(-5, 40), 0);
    EXPECT_EQ(ClampTopLine(40, 40), 39);
    EXPECT_EQ(ClampTopLine(7, 0), 0);
    EXPECT_EQ(ClampTopLine(INT64_MAX, 3'000'000'000LL), INT32_MAX);
    EXPECT_EQ(VerticalScrollTarget(VerticalScroll::PageUp, 10, 25, 100), 0);
    EXPECT_EQ(VerticalScrollTarget(VerticalScroll::PageDown, 80, 25, 100), 99);
    EXPECT_EQ(VerticalScrollTarget(VerticalScroll::Bottom, 0, 25, 100), 99);
    EXPECT_EQ(VerticalScrollTarget(VerticalScroll::Thumb, 3, 25, 100, 42), 41); // bar is 1-based
    EXPECT_EQ(VerticalScrollForKey(PaneKey::Home), std::nullopt);
}

TEST(PaneScroll, HorizontalOffsetStaysNonNegativeAndMayPassTheBar) {
    EXPECT_EQ(HorizontalScrollTarget(HorizontalScroll::PageLeft, 10), 0);
    EXPECT_EQ(HorizontalScrollTarget(HorizontalScroll::PageRight, 70), 86);
    EXPECT_EQ(HorizontalScrollBarPosition(86), 79);
    EXPECT_EQ(HorizontalScrollTarget(HorizontalScroll::RightEnd, 200), 79);
    EXPECT_EQ(HorizontalScrollTarget(HorizontalScroll::LineRight, INT32_MAX), INT32_MAX);
    EXPECT_EQ(HorizontalScrollForKey(PaneKey::Up), std::nullopt);
}

TEST(PaneScroll, UncoveredStrip) {
    const auto strip = [](std::int64_t d) {
        const PixelStrip s = UncoveredStrip(d, 16, 26, 400);
        return std::pair{s.top, s.bottom};
    };
    using Pair = std::pair<std::int64_t, std::int64_t>;
    EXPECT_EQ(strip(0), Pair(0, 0));
    EXPECT_EQ(strip(3), Pair(0, 48));
    EXPECT_EQ(strip(-3), Pair((26 - 3 - 2) * 16 - 1, 400));
    EXPECT_EQ(strip(-25), Pair(0, 400));
    EXPECT_EQ(strip(26), Pair(0, 400));
    EXPECT_EQ(strip(-2'000'000'000), Pair(0, 400));
}

TEST(PaneScroll, WheelRowsPerNotchAndSmallDeltasAccumulate) {
    WheelAccumulator wheel;
    EXPECT_EQ(wheel.topLineChange(-120), 1); // toward the user: down
    EXPECT_EQ(wheel.topLineChange(360), -3);
    EXPECT_EQ(wheel.topLineChange(119), 0);
    EXPECT_EQ(wheel.topLineChange(119), 0); // a coarse delta is not kept
    const auto repeat = [&](int times, int delta) {
        std::int64_t moved = 0;
        for (int i = 0; i < times; ++i) {
            moved += wheel.topLineChange(delta);
        }
        return moved;
    };
    EXPECT_EQ(repeat(8, 15), -1);
    EXPECT_EQ(repeat(7, 15), 0);
    EXPECT_EQ(repeat(8, -15), 1); // a turn of direction starts afresh
    EXPECT_EQ(wheel.topLineChange(INT32_MIN), 17'895'697);
}

} // namespace
} // namespace tandel
