#include "merge/decisions.h"
#include "merge/segment_map.h"
#include "model_fixture.h"

#include <gtest/gtest.h>

namespace tandel {
namespace {

// a b c d e against a B c x d: 0 change, 1 addition, 2 deletion.
class Decisions : public test::ModelTest {
protected:
    void SetUp() override {
        build({"a", "b", "c", "d", "e"}, {"a", "B", "c", "x", "d"}, "2c2\n3a4\n5d5\n");
    }
};

TEST_F(Decisions, PlainClicksPickOneSide) {
    EXPECT_TRUE(AnyUnresolved(model));
    ChooseSide(model, frame, 0, 2, false);
    ChooseSide(model, frame, 1, 1, false); // the side that has only a gap: the addition is dropped
    ChooseSide(model, frame, 2, 2, false); // likewise: the deletion is carried out
    EXPECT_FALSE(AnyUnresolved(model));
    EXPECT_EQ(merged(), "a\nB\nc\nd\n");
    ChooseSide(model, frame, 1, 2, false);
    ChooseSide(model, frame, 2, 1, false);
    EXPECT_EQ(merged(), "a\nB\nc\nx\nd\ne\n");
    EXPECT_GT(frame.paneRepaints, 0);
}

TEST_F(Decisions, CtrlClickTakesBothSidesInTheOrderChosen) {
    ChooseSide(model, frame, 0, 2, false);
    ChooseSide(model, frame, 0, 1, true);
    EXPECT_EQ(JudgingMark(model, 0, 1), CHOICE_SECOND);
    EXPECT_EQ(JudgingMark(model, 0, 2), CHOICE_FIRST);

    // Ctrl with nothing chosen on the other side is a plain click.
    ChooseSide(model, frame, 1, 2, true);
    EXPECT_EQ(JudgingMark(model, 1, 2), CHOICE_FIRST);
    EXPECT_EQ(JudgingMark(model, 1, 1), CHOICE_NONE);
    ChooseSide(model, frame, 2, 1, false);
    EXPECT_EQ(merged(), "a\nB\nb\nc\nx\nd\ne\n");

    // Left first when the left was chosen first.
    ChooseSide(model, frame, 0, 1, false);
    ChooseSide(model, frame, 0, 2, true);
    EXPECT_EQ(merged(), "a\nb\nB\nc\nx\nd\ne\n");

    // A further plain click makes the segment one-sided again.
    ChooseSide(model, frame, 0, 1, false);
    EXPECT_EQ(merged(), "a\nb\nc\nx\nd\ne\n");
}

TEST_F(Decisions, SelectAllPutsRightBeforeLeftAndSelectFromKeepsDecisions) {
    SelectAll(model, frame);
    const std::string all = merged();
    EXPECT_EQ(all, "a\nB\nb\nc\nx\nd\ne\n");
    SelectFrom(model, frame, 1);
    SelectFrom(model, frame, 2);
    EXPECT_EQ(merged(), all);

    UnselectAll(model, frame);
    for (std::int32_t i = 0; i < 3; ++i) {
        EXPECT_FALSE(SegmentResolved(model, i));
    }
    SelectFrom(model, frame, 2);
    EXPECT_EQ(merged(), "a\nB\nc\nx\nd\n");
}

TEST_F(Decisions, NothingHappensWithoutAComparison) {
    ReleaseLists(model);
    ChooseSide(model, frame, 0, 1, false);
    SelectAll(model, frame);
    EXPECT_FALSE(SplitAt(model, settings, frame, 1));
    EXPECT_EQ(frame.paneRepaints, 0);
    EXPECT_EQ(merged(), "a\nb\nc\nd\ne\n");
}

// Four lines of side 1 against two of side 2.
class Split : public test::ModelTest {
protected:
    void SetUp() override {
        build({"top", "l1", "l2", "l3", "l4", "end"}, {"top", "r1", "r2", "end"}, "2,5c2,3\n");
        ChooseSide(model, frame, 0, 1, false);
    }
};

TEST_F(Split, ThirdRowOfAnUnevenChange) {
    ASSERT_TRUE(SplitAt(model, settings, frame, 3)); // display row 3 = the hunk's third row
    const SideRecord& s1 = model.side(1);
    const SideRecord& s2 = model.side(2);
    ASSERT_EQ(s1.segmentCount(), 2);
    EXPECT_EQ(s1.textRanges[0].first, 2);
    EXPECT_EQ(s1.textRanges[0].last, 3);
    EXPECT_EQ(s1.textRanges[1].first, 4);
    EXPECT_EQ(s1.textRanges[1].last, 5);
    EXPECT_EQ(s2.textRanges[0].first, 2);
    EXPECT_EQ(s2.textRanges[0].last, 3);
    EXPECT_EQ(s2.gapRanges[0].length(), 0); // present but empty
    EXPECT_TRUE(s2.gapRanges[0].present());
    EXPECT_FALSE(s2.textRanges[1].present());
    EXPECT_EQ(s2.gapRanges[1].length(), 2);
    EXPECT_EQ(DisplayLineCount(model), 6);
    // Both parts kept the decision.
    EXPECT_EQ(merged(), "top\nl1\nl2\nl3\nl4\nend\n");
    // The parts can now be decided apart.
    ChooseSide(model, frame, 0, 2, false);
    EXPECT_EQ(merged(), "top\nr1\nr2\nl3\nl4\nend\n");
}

TEST_F(Split, OnAFillerRowKeepsTheFillersAboveWithTheUpperPart) {
    ASSERT_TRUE(SplitAt(model, settings, frame, 4)); // side 2's second filler row
    const SideRecord& s2 = model.side(2);
    EXPECT_EQ(s2.gapRanges[0].length(), 1);
    EXPECT_EQ(s2.gapRanges[1].length(), 1);
    EXPECT_EQ(FindSegment(s2, 3, SegmentKind::Gap), 0);
    EXPECT_EQ(FindSegment(s2, 4, SegmentKind::Gap), 1);
    EXPECT_EQ(DisplayLineCount(model), 6);
}

TEST_F(Split, FirstRowOrCommonLineChangesNothing) {
    // The segment's first row, the common lines around it, below the last line.
    for (std::int64_t row : {1, 0, 5, 40}) {
        EXPECT_FALSE(SplitAt(model, settings, frame, row)) << row;
    }
    EXPECT_EQ(model.side(1).segmentCount(), 1);
    settings.topLine = 2; // rows count from the top line
    EXPECT_TRUE(SplitAt(model, settings, frame, 0));
    EXPECT_EQ(model.side(1).textRanges[1].first, 3);
}

TEST_F(Split, AdditionSplitOnItsSecondRow) {
    build({"a", "b"}, {"a", "n1", "n2", "n3", "b"}, "1a2,4\n");
    ASSERT_TRUE(SplitAt(model, settings, frame, 2));
    EXPECT_EQ(model.side(1).gapRanges[0].length(), 1);
    EXPECT_EQ(model.side(1).gapRanges[1].length(), 2);
    EXPECT_EQ(model.side(2).textRanges[0].last, 2);
    EXPECT_EQ(model.side(2).textRanges[1].first, 3);
    ChooseSide(model, frame, 0, 2, false);
    ChooseSide(model, frame, 1, 1, false);
    EXPECT_EQ(merged(), "a\nn1\nb\n");
}

} // namespace
} // namespace tandel
