// The segment lists read from a result, and their lookups held against the plain
// walk from segment 0, on every hunk shape and after splits.
#include "merge/decisions.h"
#include "merge/script_reader.h"
#include "merge/segment_map.h"
#include "model_fixture.h"
#include "settings/settings_record.h"

#include <gtest/gtest.h>

#include <sstream>

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
    const std::int64_t rows = displayLineCount(model);
    for (int s = 1; s <= 2; ++s) {
        const SideRecord& side = model.side(s);
        for (std::int64_t d = 0; d <= rows + 2; ++d) {
            const DisplayPosition fast = displayToLine(side, d);
            const DisplayPosition slow = walkDisplayToLine(side, d);
            ASSERT_EQ(fast.line, slow.line) << "side " << s << " row " << d;
            ASSERT_EQ(fast.gapPosition, slow.gapPosition) << "side " << s << " row " << d;
            ASSERT_EQ(findSegment(side, d, SegmentKind::Gap),
                      walkFindSegment(side, d, SegmentKind::Gap))
                << "side " << s << " row " << d;
        }
        for (std::int64_t n = 0; n <= side.lineCount + 2; ++n) {
            ASSERT_EQ(findSegment(side, n, SegmentKind::Text),
                      walkFindSegment(side, n, SegmentKind::Text))
                << "side " << s << " line " << n;
        }
    }
    // Every row shows a file line on at least one side.
    for (std::int64_t d = 0; d < rows; ++d) {
        ASSERT_TRUE(displayToLine(model.side(1), d).line >= 0 ||
                    displayToLine(model.side(2), d).line >= 0)
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
        const std::int64_t rows = displayLineCount(model);
        ASSERT_EQ(rows, lines2 + gapLinesBefore(model.side(2), model.side(2).segmentCount()));
        expectLookupsAgree(model);

        // Splits at many rows never change the display height.
        test::FakeFrame frame;
        SettingsRecord settings;
        int splits = 0;
        for (int k = 0; k < 40; ++k) {
            splits +=
                splitAt(model, settings, frame,
                        static_cast<std::int64_t>(random() % static_cast<std::uint64_t>(rows)));
        }
        ASSERT_GT(splits, 5);
        ASSERT_EQ(model.side(1).segmentCount(), 60 + splits);
        ASSERT_EQ(displayLineCount(model), rows);
        expectLookupsAgree(model);
    }
}

bool same(const SegmentRange& r, std::int32_t first, std::int32_t last) {
    return r.first == first && r.last == last && r.choice == Choice::None;
}
constexpr std::int32_t N = RANGE_NONE;

ScriptOutcome read(const std::string& script, ScriptLists& lists, bool directoryWindow = false) {
    std::istringstream in(script);
    return readScript(in, directoryWindow, lists);
}

using ScriptReaderExample = test::ExampleTest;

TEST_F(ScriptReaderExample, SegmentsHoldTextAndGapRanges) {
    const SideRecord& s1 = model.side(1);
    const SideRecord& s2 = model.side(2);
    ASSERT_EQ(s1.segmentCount(), 3);
    EXPECT_TRUE(same(s1.textRanges[0], 2, 2) && same(s2.textRanges[0], 2, 2));
    EXPECT_TRUE(same(s1.gapRanges[1], 4, 4) && same(s2.textRanges[1], 4, 4));
    EXPECT_TRUE(same(s1.textRanges[2], 5, 5) && same(s2.gapRanges[2], 6, 6));
    EXPECT_TRUE(s1.textRanges[3].isEnd() && s2.gapRanges[3].isEnd());
}

TEST(ScriptReader, HeaderShapes) {
    struct Case {
        std::string script;
        SegmentRange text1, gap1, text2, gap2;
    };
    for (const Case& c : {Case{"2,3c2\n", {2, 3}, {N, N}, {2, 2}, {3, 3}},
                          Case{"2c2,4\n", {2, 2}, {3, 4}, {2, 4}, {N, N}},
                          Case{"0a1,2\n", {N, N}, {1, 2}, {1, 2}, {N, N}}}) {
        ScriptLists l;
        ASSERT_EQ(read(c.script, l), ScriptOutcome::Different) << c.script;
        EXPECT_TRUE(same(l.text1[0], c.text1.first, c.text1.last)) << c.script;
        EXPECT_TRUE(same(l.gap1[0], c.gap1.first, c.gap1.last)) << c.script;
        EXPECT_TRUE(same(l.text2[0], c.text2.first, c.text2.last)) << c.script;
        EXPECT_TRUE(same(l.gap2[0], c.gap2.first, c.gap2.last)) << c.script;
    }
}

TEST(ScriptReader, IdenticalReportsEmptyResultsAndMalformedLines) {
    ScriptLists l;
    // Hunks before the report are dropped with it.
    EXPECT_EQ(read("1c1\nFiles a and b are identical\n", l), ScriptOutcome::Identical);
    EXPECT_TRUE(l.text1.empty() && l.gap2.empty());
    EXPECT_EQ(read("", l), ScriptOutcome::Different);
    ASSERT_EQ(l.text1.size(), 1u);
    EXPECT_TRUE(l.text1[0].isEnd());

    const std::string script = "diff output follows\n" + std::string(100000, 'z') + // one long line
                               "\n1c1\n"
                               "3x4\n"           // no kind letter
                               "5,3c5\n"         // range runs backwards
                               "6c\n"            // missing right part
                               "7c7junk\n"       // trailing garbage
                               "99999999999c1\n" // beyond any file
                               "1c1\n"           // out of order
                               "8d7\r\n"         // CR LF result lines are fine
                               "< old line\n"
                               "> new line\n";
    ASSERT_EQ(read(script, l), ScriptOutcome::Different);
    ASSERT_EQ(l.text1.size(), 3u);
    EXPECT_TRUE(same(l.text1[0], 1, 1));
    EXPECT_TRUE(same(l.text1[1], 8, 8) && same(l.gap2[1], 8, 8));

    // The directory window's mode stops at the first other line.
    EXPECT_EQ(read("1c1\n3d2\n", l, true), ScriptOutcome::Different);
    EXPECT_EQ(l.text1.size(), 3u);
    EXPECT_EQ(read("1c1\n< a\n---\n> b\n", l, true), ScriptOutcome::DifferentNoLists);
    EXPECT_TRUE(l.text1.empty());
    EXPECT_EQ(read("Files x and y are identical\n", l, true), ScriptOutcome::Identical);
}

} // namespace
} // namespace tandel
