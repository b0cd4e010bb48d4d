#include "merge/decisions.h"
#include "merge/segment_map.h"
#include "model_fixture.h"

#include <gtest/gtest.h>

namespace tandel {
namespace {

using Decisions = test::ExampleTest;

TEST_F(Decisions, PlainClicksPickOneSideAndCtrlClicksBothInTheOrderChosen) {
    EXPECT_TRUE(anyUnresolved(model));
    chooseSide(model, frame, 0, 2, false);
    chooseSide(model, frame, 1, 1, false); // the side that has only a gap: the addition is dropped
    chooseSide(model, frame, 2, 2, false); // likewise: the deletion is carried out
    EXPECT_FALSE(anyUnresolved(model));
    EXPECT_EQ(merged(), "a\nB\nc\nd\n");
    EXPECT_EQ(frame.events.back(), ModelEvent::SegmentsChanged);

    unselectAll(model, frame);
    chooseSide(model, frame, 0, 2, false);
    chooseSide(model, frame, 0, 1, true);
    EXPECT_EQ(judgingMark(model, 0, 1), Choice::Second);
    EXPECT_EQ(judgingMark(model, 0, 2), Choice::First);
    chooseSide(model, frame, 1, 2, true); // Ctrl with nothing chosen opposite is a plain click
    EXPECT_EQ(judgingMark(model, 1, 1), Choice::None);
    chooseSide(model, frame, 2, 1, false);
    EXPECT_EQ(merged(), "a\nB\nb\nc\nx\nd\ne\n");
    chooseSide(model, frame, 0, 1, false); // a plain click makes it one-sided again
    chooseSide(model, frame, 0, 2, true);
    EXPECT_EQ(merged(), "a\nb\nB\nc\nx\nd\ne\n");
}

TEST_F(Decisions, SelectAllPutsRightBeforeLeftAndSelectFromKeepsDecisions) {
    selectAll(model, frame);
    EXPECT_EQ(merged(), "a\nB\nb\nc\nx\nd\ne\n");
    selectFrom(model, frame, 1);
    EXPECT_EQ(merged(), "a\nB\nb\nc\nx\nd\ne\n");
    unselectAll(model, frame);
    EXPECT_FALSE(segmentResolved(model, 0) || segmentResolved(model, 2));
    selectFrom(model, frame, 2);
    EXPECT_EQ(merged(), "a\nB\nc\nx\nd\n");

    // Without a comparison nothing happens.
    releaseLists(model);
    frame.events.clear();
    chooseSide(model, frame, 0, 1, false);
    selectAll(model, frame);
    EXPECT_FALSE(splitAt(model, settings, frame, 1));
    EXPECT_TRUE(frame.events.empty());
    EXPECT_EQ(merged(), "a\nb\nc\nd\ne\n");
}

// Four lines of side 1 against two of side 2.
TEST_F(Decisions, ASplitDividesASegmentAtARowAndKeepsItsDecision) {
    build({"top", "l1", "l2", "l3", "l4", "end"}, {"top", "r1", "r2", "end"}, "2,5c2,3\n");
    chooseSide(model, frame, 0, 1, false);
    // The segment's first row, the common lines around it, below the last line.
    for (std::int64_t row : {1, 0, 5, 40}) {
        EXPECT_FALSE(splitAt(model, settings, frame, row)) << row;
    }
    ASSERT_TRUE(splitAt(model, settings, frame, 3)); // the hunk's third row
    const SideRecord& s1 = model.side(1);
    const SideRecord& s2 = model.side(2);
    ASSERT_EQ(s1.segmentCount(), 2);
    EXPECT_EQ(s1.textRanges[1].first, 4);
    EXPECT_EQ(s2.textRanges[0].last, 3);
    EXPECT_TRUE(s2.gapRanges[0].present()); // present but empty
    EXPECT_EQ(s2.gapRanges[0].length(), 0);
    EXPECT_FALSE(s2.textRanges[1].present());
    EXPECT_EQ(s2.gapRanges[1].length(), 2);
    EXPECT_EQ(displayLineCount(model), 6);
    EXPECT_EQ(merged(), "top\nl1\nl2\nl3\nl4\nend\n");
    chooseSide(model, frame, 0, 2, false); // the parts are decided apart
    EXPECT_EQ(merged(), "top\nr1\nr2\nl3\nl4\nend\n");

    // On a filler row the fillers above stay with the upper part; rows count
    // from the top line.
    settings.topLine = 2;
    ASSERT_TRUE(splitAt(model, settings, frame, 2)); // side 2's second filler row
    EXPECT_EQ(s2.gapRanges[1].length(), 1);
    EXPECT_EQ(s2.gapRanges[2].length(), 1);
    EXPECT_EQ(findSegment(s2, 4, SegmentKind::Gap), 2);
}

} // namespace
} // namespace tandel
