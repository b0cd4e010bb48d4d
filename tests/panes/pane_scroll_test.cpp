#include "panes/pane_scroll.h"

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

TEST(PaneScroll, TheHorizontalRangeEndsWhereTheWidestLineEndsInView) {
    // 300 columns in a pane with room for 100: the bar ends at 200.
    EXPECT_EQ(HorizontalExtentFor(300, 100), (HorizontalExtent{200, 299}));
    // A row shows 255 columns at most, however wide the pane.
    EXPECT_EQ(HorizontalExtentFor(1000, 400), (HorizontalExtent{745, 999}));
    // Lines that fit leave nothing to scroll with the bar.
    EXPECT_EQ(HorizontalExtentFor(60, 100), (HorizontalExtent{0, 59}));
    EXPECT_EQ(HorizontalExtentFor(0, 100), (HorizontalExtent{0, 0}));
    EXPECT_EQ(HorizontalExtentFor(INT64_MAX, 10).barEnd, INT32_MAX);

    // Room right of the line number box (8 average widths), in columns.
    EXPECT_EQ(VisibleColumns(805, 8, PaneMetrics{16, 9, false}), 100);
    EXPECT_EQ(VisibleColumns(805, 8, PaneMetrics{16, 9, true}), 91);
    EXPECT_EQ(VisibleColumns(40, 8, PaneMetrics{16, 8, true}), 0);
    EXPECT_EQ(VisibleColumns(800, 0, PaneMetrics{}), 0);
    EXPECT_EQ(VisibleColumns(313, 7.2, PaneMetrics{16, 7, false}), 43); // not 313 / 7
}

TEST(PaneScroll, EndGoesToTheBarsEndAndStepsStopAtTheLastColumn) {
    const HorizontalExtent extent{200, 299};
    const auto target = [&](HorizontalScroll code, std::int64_t offset, std::int64_t thumb = 0) {
        return HorizontalScrollTarget(code, offset, extent, thumb);
    };
    EXPECT_EQ(target(HorizontalScroll::RightEnd, 0), 200);
    EXPECT_EQ(target(HorizontalScroll::RightEnd, 290), 200);
    EXPECT_EQ(target(HorizontalScroll::LeftEnd, 290), 0);
    EXPECT_EQ(target(HorizontalScroll::PageLeft, 10), 0);
    EXPECT_EQ(target(HorizontalScroll::PageRight, 100), 116);
    EXPECT_EQ(target(HorizontalScroll::Thumb, 0, 500), 200);
    // Steps may pass the bar's end, to the widest line's last column.
    EXPECT_EQ(target(HorizontalScroll::PageRight, 200), 216);
    EXPECT_EQ(target(HorizontalScroll::PageRight, 290), 299);
    EXPECT_EQ(target(HorizontalScroll::LineRight, 299), 299);
    EXPECT_EQ(HorizontalScrollBarPosition(216, extent), 200);
    // An offset left past the end (the tab size shrank) stays until moved back.
    EXPECT_EQ(target(HorizontalScroll::LineRight, 400), 400);
    EXPECT_EQ(target(HorizontalScroll::LineLeft, 400), 399);
    EXPECT_EQ(HorizontalScrollTarget(HorizontalScroll::LineRight, INT32_MAX,
                                     HorizontalExtentFor(INT64_MAX, 0)),
              INT32_MAX);
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

TEST(PaneScroll, TheWheelMovesTheDesktopsRowsPerNotch) {
    WheelAccumulator wheel;
    EXPECT_EQ(wheel.topLineChange(-120, 3), 3);
    EXPECT_EQ(wheel.topLineChange(240, 3), -6);
    EXPECT_EQ(wheel.topLineChange(-40, 3), 1); // a third of a notch is a row
    EXPECT_EQ(wheel.topLineChange(-39, 3), 0);
    EXPECT_EQ(wheel.topLineChange(-120, 0), 1); // at least a row
    // Small deltas add up: 8 x 5 units make one row at 3 rows a notch.
    std::int64_t moved = 0;
    for (int i = 0; i < 8; ++i) {
        moved += wheel.topLineChange(5, 3);
    }
    EXPECT_EQ(moved, -1);
    EXPECT_EQ(wheel.topLineChange(INT32_MIN, 100), 1'789'569'706);
}

} // namespace
} // namespace tandel
