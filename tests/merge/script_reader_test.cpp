#include "merge/script_reader.h"
#include "merge/segment_map.h"
#include "model_fixture.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tandel {
namespace {

using test::installScript;
using test::setLines;

bool same(const SegmentRange& r, std::int32_t first, std::int32_t last) {
    return r.first == first && r.last == last && r.choice == CHOICE_NONE;
}
constexpr std::int32_t N = RANGE_NONE;

ScriptOutcome read(const std::string& script, ScriptLists& lists, bool directoryWindow = false) {
    std::istringstream in(script);
    return ReadScript(in, directoryWindow, lists);
}

// a b c d e against a B c x d: one change, one addition, one deletion.
TEST(ScriptReader, SegmentsHoldTextAndGapRangesThatAlignBothSides) {
    MergeModel model;
    setLines(model.side(1), {"a", "b", "c", "d", "e"});
    setLines(model.side(2), {"a", "B", "c", "x", "d"});
    ASSERT_EQ(installScript(model, "2c2\n3a4\n5d5\n"), ScriptOutcome::Different);
    const SideRecord& s1 = model.side(1);
    const SideRecord& s2 = model.side(2);
    ASSERT_EQ(s1.segmentCount(), 3);
    EXPECT_TRUE(same(s1.textRanges[0], 2, 2) && same(s2.textRanges[0], 2, 2));
    EXPECT_TRUE(same(s1.gapRanges[1], 4, 4) && same(s2.textRanges[1], 4, 4));
    EXPECT_TRUE(same(s1.textRanges[2], 5, 5) && same(s2.gapRanges[2], 6, 6));
    EXPECT_TRUE(s1.textRanges[3].isEnd() && s2.gapRanges[3].isEnd());

    // Side 1: a b c <filler> d e; side 2: a B c x d <filler>.
    EXPECT_EQ(DisplayLineCount(model), 6);
    EXPECT_EQ(SegmentDisplayStart(model, 1), 4);
    const std::int64_t side1[] = {0, 1, 2, -1, 3, 4};
    const std::int64_t side2[] = {0, 1, 2, 3, 4, -1};
    for (int d = 0; d < 6; ++d) {
        EXPECT_EQ(DisplayToLine(s1, d).line, side1[d]) << "row " << d;
        EXPECT_EQ(DisplayToLine(s2, d).line, side2[d]) << "row " << d;
    }
    EXPECT_EQ(DisplayToLine(s1, 3).gapPosition, 3); // filler in front of line 4
    EXPECT_EQ(FindSegment(s1, 2, SegmentKind::Text), -1); // common line c
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
