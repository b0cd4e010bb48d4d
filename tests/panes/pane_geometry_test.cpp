#include "panes/pane_geometry.h"
#include "panes/pane_selection.h"

#include <gtest/gtest.h>

#include <vector>

namespace tandel {
namespace {

using Pair = std::pair<std::int64_t, std::int64_t>;

// Characters 3, 5, 9 and 4 pixels wide: a proportional font.
const PrefixWidth kProportional = [](std::size_t n) {
    static const std::int64_t prefix[] = {0, 3, 8, 17, 21};
    return prefix[n];
};

TEST(HitTest, SnapsToCharacterExtentsWithAndWithoutTheNumberBox) {
    const PaneMetrics plain{16, 7, false};
    const auto hit = [](std::int64_t x, std::int64_t offset, const PaneMetrics& m) {
        const CharacterHit h = HitText(4, kProportional, x, offset, m);
        return std::pair{h.column, h.x};
    };
    EXPECT_EQ(hit(0, 0, plain), Pair(0, 0));
    EXPECT_EQ(hit(2, 0, plain), Pair(0, 0));
    EXPECT_EQ(hit(8, 0, plain), Pair(2, 8));
    EXPECT_EQ(hit(16, 0, plain), Pair(2, 8));
    EXPECT_EQ(hit(500, 0, plain), Pair(4, 21));
    // The stored x does not move with the offset: add offset x C.
    EXPECT_EQ(hit(8, 10, plain), Pair(12, 8 + 70));

    const PaneMetrics numbered{16, 7, true}; // text starts at 56
    EXPECT_EQ(hit(30, 0, numbered), Pair(0, 56));
    EXPECT_EQ(hit(56 + 9, 1, numbered), Pair(3, 56 + 8 + 7));

    EXPECT_EQ(HitOutsideText(33, 2, plain).column, 0);
    EXPECT_EQ(HitOutsideText(33, 2, plain).x, 33 + 14);
}

TEST(PaneGeometry, VisibleRowsAndAutoscrollEdges) {
    EXPECT_EQ(VisibleRows(417, 17, {16, 7, false}), 26);
    EXPECT_EQ(VisibleRows(10, 17, {16, 7, false}), 1);
    EXPECT_EQ(VisibleRows(400, 17, {0, 0, false}), 1); // no font yet

    const auto step = [](std::int64_t x, std::int64_t y) {
        const AutoscrollStep s = AutoscrollFor(x, y, 300, 200, 17);
        return std::pair{s.rows, s.columns};
    };
    EXPECT_EQ(step(100, 100), std::pair(0, 0));
    EXPECT_EQ(step(100, 7), std::pair(-1, 0));
    EXPECT_EQ(step(100, 8), std::pair(0, 0));
    EXPECT_EQ(step(100, 175), std::pair(0, 0));
    EXPECT_EQ(step(100, 176), std::pair(1, 0));
    EXPECT_EQ(step(7, 100), std::pair(0, -1));
    EXPECT_EQ(step(293, -40), std::pair(-1, 1));
}

TEST(Inversion, FirstRowMiddleRowsAndLastRowAsFarAsShown) {
    const PaneMetrics metrics{16, 7, false};
    const auto rects = [&](SelectionPoint anchor, SelectionPoint end, std::int64_t top = 0,
                           std::int64_t offset = 0) {
        std::vector<std::int64_t> out;
        for (const PixelRect& r :
             SelectionRects({1, anchor, end, false}, top, 10, offset, 300, metrics)) {
            out.insert(out.end(), {r.left, r.top, r.right, r.bottom});
        }
        return out;
    };
    using V = std::vector<std::int64_t>;
    EXPECT_EQ(rects({2, 3, 21}, {2, 1, 7}), (V{7, 32, 21, 48}));
    EXPECT_EQ(rects({5, 1, 7}, {2, 3, 21}), (V{21, 32, 300, 48, 0, 48, 300, 80, 0, 80, 7, 96}));
    EXPECT_EQ(rects({2, 3, 21}, {3, 1, 7}), (V{21, 32, 300, 48, 0, 48, 7, 64}));
    // Rows 0..1000 with top line 500: only the ten rows shown, as one block.
    EXPECT_EQ(rects({0, 0, 0}, {1000, 2, 14}, 500), (V{0, 0, 300, 160}));
    // Scrolled right by 2 columns: x moves left by 2 x C and stops at the edge.
    EXPECT_EQ(rects({1, 1, 7}, {1, 5, 35}, 0, 2), (V{0, 16, 21, 32}));
    EXPECT_TRUE(rects({1, 1, 7}, {1, 1, 7}).empty());
    EXPECT_TRUE(SelectionRects({}, 0, 10, 0, 300, metrics).empty());
}

} // namespace
} // namespace tandel
