// The lookups search prefix sums; these tests hold them against the plain walk
// from segment 0 that they replace, on results of every hunk shape and after
// splits that leave empty gaps behind.
#include "merge/decisions.h"
#include "merge/segment_map.h"
#include "model_fixture.h"
#include "settings/settings_record.h"

#include <gtest/gtest.h>

namespace tandel {
namespace {

using test::installScript;
using test::randomScript;
using test::setLines;

DisplayPosition walkDisplayToLine(const SideRecord& side, std::int64_t d) {
    std::int64_t g = 0;
    for (std::int32_t i = 0; i < side.segmentCount(); ++i) {
        const SegmentRange& gap = side.gapRanges[static_cast<std::size_t>(i)];
        if (!gap.present()) {
            continue;
        }
        if (d + 1 <= gap.last + g) {
            if (d + 1 >= gap.first + g) {
                return {-1, d - g};
            }
            return {d - g, 0};
        }
        g += gap.last - gap.first + 1;
    }
    return {d - g, 0};
}

std::int32_t walkFindSegment(const SideRecord& side, std::int64_t n, SegmentKind kind) {
    std::int64_t g = 0;
    for (std::int32_t i = 0; i < side.segmentCount(); ++i) {
        const SegmentRange& r = kind == SegmentKind::Text
                                    ? side.textRanges[static_cast<std::size_t>(i)]
                                    : side.gapRanges[static_cast<std::size_t>(i)];
        const std::int64_t shift = kind == SegmentKind::Gap ? g : 0;
        if (r.present() && r.last + shift >= n + 1) {
            return r.first + shift <= n + 1 ? i : -1;
        }
        const SegmentRange& gap = side.gapRanges[static_cast<std::size_t>(i)];
        if (gap.present()) {
            g += gap.last - gap.first + 1;
        }
    }
    return -1;
}

void expectLookupsAgree(const MergeModel& model) {
    const std::int64_t rows = DisplayLineCount(model);
    for (int s = 1; s <= 2; ++s) {
        const SideRecord& side = model.side(s);
        for (std::int64_t d = 0; d <= rows + 2; ++d) {
            const DisplayPosition fast = DisplayToLine(side, d);
            const DisplayPosition slow = walkDisplayToLine(side, d);
            ASSERT_EQ(fast.line, slow.line) << "side " << s << " row " << d;
            ASSERT_EQ(fast.gapPosition, slow.gapPosition) << "side " << s << " row " << d;
            ASSERT_EQ(FindSegment(side, d, SegmentKind::Gap),
                      walkFindSegment(side, d, SegmentKind::Gap))
                << "side " << s << " row " << d;
        }
        for (std::int64_t n = 0; n <= side.lineCount + 2; ++n) {
            ASSERT_EQ(FindSegment(side, n, SegmentKind::Text),
                      walkFindSegment(side, n, SegmentKind::Text))
                << "side " << s << " line " << n;
        }
    }
    // Every row shows a file line on at least one side.
    for (std::int64_t d = 0; d < rows; ++d) {
        ASSERT_TRUE(DisplayToLine(model.side(1), d).line >= 0 ||
                    DisplayToLine(model.side(2), d).line >= 0)
            << "row " << d;
    }
}

TEST(SegmentMap, LookupsAgreeWithTheWalkFromSegmentZero) {
    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        std::int32_t lines1 = 0;
        std::int32_t lines2 = 0;
        MergeModel model;
        const std::string script = randomScript(random, lines1, lines2);
        setLines(model.side(1), std::vector<std::string>(static_cast<std::size_t>(lines1), "l"));
        setLines(model.side(2), std::vector<std::string>(static_cast<std::size_t>(lines2), "r"));
        installScript(model, script);
        const std::int64_t rows = DisplayLineCount(model);
        ASSERT_EQ(rows, lines2 + GapLinesBefore(model.side(2), model.side(2).segmentCount()));
        expectLookupsAgree(model);

        // Splits at many rows never change the display height.
        test::FakeFrame frame;
        SettingsRecord settings;
        int splits = 0;
        for (int k = 0; k < 40; ++k) {
            splits += SplitAt(model, settings, frame, static_cast<std::int64_t>(random() % rows));
        }
        ASSERT_GT(splits, 5);
        ASSERT_EQ(model.side(1).segmentCount(), 60 + splits);
        ASSERT_EQ(DisplayLineCount(model), rows);
        expectLookupsAgree(model);
    }
}

TEST(SegmentMap, NoListsMeansPlainLines) {
    MergeModel model;
    setLines(model.side(1), {"a", "b"});
    EXPECT_EQ(DisplayToLine(model.side(1), 1).line, 1);
    EXPECT_EQ(FindSegment(model.side(1), 0, SegmentKind::Text), -1);
    EXPECT_EQ(SegmentFirstLine(model.side(1), 0), RANGE_NONE);
    EXPECT_EQ(DisplayLineCount(model), 2);
}

} // namespace
} // namespace tandel
