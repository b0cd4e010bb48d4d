// The pixel and scrolling arithmetic of the difference panes, and of printed pages.
#include "panes/pane_geometry.h"
#include "panes/pane_scroll.h"
#include "panes/pane_selection.h"
#include "panes/print_layout.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace tandel {
namespace {

using Pair = std::pair<std::int64_t, std::int64_t>;
const PaneMetrics kPlain{16, 7, false};

TEST(PaneGeometry, HitsSnapToCharacterExtentsWithAndWithoutTheNumberBox) {
    // Characters 3, 5, 9 and 4 pixels wide: a proportional font.
    const PrefixWidth proportional = [](std::size_t n) {
        static const std::int64_t prefix[] = {0, 3, 8, 17, 21};
        return prefix[n];
    };
    const auto hit = [&](std::int64_t x, std::int64_t offset, bool numbers = false) {
        const CharacterHit h = hitText(4, proportional, x, offset, {16, 7, numbers});
        return Pair{h.column, h.x};
    };
    EXPECT_EQ(hit(8, 0), Pair(2, 8));
    EXPECT_EQ(hit(500, 0), Pair(4, 21));
    EXPECT_EQ(hit(8, 10), Pair(12, 8 + 70));  // the stored x is as if the offset were 0
    EXPECT_EQ(hit(30, 0, true), Pair(0, 56)); // text starts at 56
    EXPECT_EQ(hit(56 + 9, 1, true), Pair(3, 56 + 8 + 7));
    EXPECT_EQ(hitOutsideText(33, 2, kPlain).x, 33 + 14);

    EXPECT_EQ(visibleRowsOf(417, 17, kPlain), 26);
    EXPECT_EQ(visibleRowsOf(400, 17, {0, 0, false}), 1); // no font yet
    const auto step = [](std::int64_t x, std::int64_t y) {
        const AutoscrollStep s = autoscrollFor(x, y, 300, 200, 17);
        return std::pair{s.rows, s.columns};
    };
    EXPECT_EQ(step(100, 7), std::pair(-1, 0));
    EXPECT_EQ(step(100, 176), std::pair(1, 0));
    EXPECT_EQ(step(7, 100), std::pair(0, -1));
    EXPECT_EQ(step(292, 100), std::pair(0, 0));
    EXPECT_EQ(step(293, -40), std::pair(-1, 1));
}

TEST(PaneGeometry, SelectionInvertsTheFirstRowMiddleRowsAndLastRowAsFarAsShown) {
    const auto rects = [&](SelectionPoint anchor, SelectionPoint end, std::int64_t top = 0,
                           std::int64_t offset = 0) {
        std::vector<std::int64_t> out;
        for (const PixelRect& r :
             selectionRects({1, anchor, end, false}, top, 10, offset, 300, kPlain)) {
            out.insert(out.end(), {r.left, r.top, r.right, r.bottom});
        }
        return out;
    };
    using V = std::vector<std::int64_t>;
    EXPECT_EQ(rects({2, 3, 21}, {2, 1, 7}), (V{7, 32, 21, 48}));
    EXPECT_EQ(rects({5, 1, 7}, {2, 3, 21}), (V{21, 32, 300, 48, 0, 48, 300, 80, 0, 80, 7, 96}));
    // Rows 0..1000 with top line 500: only the ten rows shown, as one block.
    EXPECT_EQ(rects({0, 0, 0}, {1000, 2, 14}, 500), (V{0, 0, 300, 160}));
    // Scrolled right by 2 columns: x moves left by 2 x C and stops at the edge.
    EXPECT_EQ(rects({1, 1, 7}, {1, 5, 35}, 0, 2), (V{0, 16, 21, 32}));
    EXPECT_TRUE(rects({1, 1, 7}, {1, 1, 7}).empty());
}

TEST(PaneScroll, MovesStayInTheRowsAndStepsStopAtTheWidestLinesLastColumn) {
    EXPECT_EQ(clampTopLine(40, 40), 39);
    EXPECT_EQ(clampTopLine(INT64_MAX, 3'000'000'000LL), INT32_MAX);
    EXPECT_EQ(verticalScrollTarget(VerticalScroll::Thumb, 3, 25, 100, 42), 41); // 1-based bar

    // 300 columns in a pane with room for 100: the bar ends at 200; a row
    // shows 255 columns at most, however wide the pane.
    EXPECT_EQ(horizontalExtentFor(300, 100), (HorizontalExtent{200, 299}));
    EXPECT_EQ(horizontalExtentFor(1000, 400), (HorizontalExtent{745, 999}));
    EXPECT_EQ(visibleColumnsOf(805, 8, PaneMetrics{16, 9, true}), 91); // right of the numbers
    EXPECT_EQ(visibleColumnsOf(313, 7.2, kPlain), 43);                 // not 313 / 7

    const HorizontalExtent extent{200, 299};
    const auto target = [&](HorizontalScroll code, std::int64_t offset, std::int64_t thumb = 0) {
        return horizontalScrollTarget(code, offset, extent, thumb);
    };
    EXPECT_EQ(target(HorizontalScroll::RightEnd, 290), 200);
    EXPECT_EQ(target(HorizontalScroll::PageRight, 100), 116);
    EXPECT_EQ(target(HorizontalScroll::Thumb, 0, 500), 200);
    EXPECT_EQ(target(HorizontalScroll::PageRight, 290), 299);
    EXPECT_EQ(horizontalScrollBarPosition(216, extent), 200);
    // An offset left past the end (the tab size shrank) stays until moved back.
    EXPECT_EQ(target(HorizontalScroll::LineRight, 400), 400);
    EXPECT_EQ(target(HorizontalScroll::LineLeft, 400), 399);

    const auto strip = [](std::int64_t d) {
        const PixelStrip s = uncoveredStrip(d, 16, 26, 400);
        return Pair{s.top, s.bottom};
    };
    EXPECT_EQ(strip(-3), Pair((26 - 3 - 2) * 16 - 1, 400));
    EXPECT_EQ(strip(-2'000'000'000), Pair(0, 400));
}

TEST(PaneScroll, TheWheelMovesTheDesktopsRowsPerNotchAndSumsSmallDeltas) {
    WheelAccumulator wheel;
    EXPECT_EQ(wheel.topLineChange(-120), 1); // toward the user: down
    EXPECT_EQ(wheel.topLineChange(119), 0);
    EXPECT_EQ(wheel.topLineChange(119), 0); // a coarse delta is not kept
    EXPECT_EQ(wheel.topLineChange(240, 3), -6);
    EXPECT_EQ(wheel.topLineChange(-40, 3), 1);  // a third of a notch is a row
    EXPECT_EQ(wheel.topLineChange(-120, 0), 1); // at least a row
    const auto repeat = [&](int times, int delta) {
        std::int64_t moved = 0;
        for (int i = 0; i < times; ++i) {
            moved += wheel.topLineChange(delta);
        }
        return moved;
    };
    EXPECT_EQ(repeat(7, 15), 0);
    EXPECT_EQ(repeat(1, 15), -1); // small deltas add up
    EXPECT_EQ(repeat(8, -15), 1); // a turn of direction starts afresh
    EXPECT_EQ(wheel.topLineChange(INT32_MIN, 100), 1'789'569'706);
}

TEST(PrintLayoutTest, FontHeightIsScaledToThePrinterAndRoundedHalfAwayFromZero) {
    EXPECT_EQ(printerFontHeight(-13, 96, 600), -81);
    EXPECT_EQ(printerFontHeight(-10, 4, 3), -8); // -7.5
    EXPECT_EQ(printerFontHeight(-13, 0, 600), -13);
    const std::int32_t most = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(printerFontHeight(most, 1, 2400), most);
}

TEST(PrintLayoutTest, SixtyLinesPerPageAndTinyFontsStillAdvance) {
    const PageLayout page = makePageLayout(14, 725);
    EXPECT_EQ(page.lineHeight, 12);
    ASSERT_EQ(page.linesPerPage, 60);
    EXPECT_FALSE(page.breaksBefore(0) || page.breaksBefore(59));
    EXPECT_TRUE(page.breaksBefore(60));
    EXPECT_EQ(page.lineY(61), 12);
    EXPECT_EQ(page.pageCount(60), 1);
    EXPECT_EQ(page.pageCount(61), 2);
    std::vector<std::int32_t> heights;
    for (std::int32_t height : {2, 1, 0, -5}) {
        heights.push_back(makePageLayout(height, 100).lineHeight);
    }
    EXPECT_EQ(heights, (std::vector<std::int32_t>{2, 1, 1, 1}));
    EXPECT_EQ(makePageLayout(40, 10).pageCount(3), 3); // a page shorter than a line
}

} // namespace
} // namespace tandel
