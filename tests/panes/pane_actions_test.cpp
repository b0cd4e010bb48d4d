// What a pane shows on each row, and what clicks, drags and scrolls in it do.
#include "merge/decisions.h"
#include "merge/model_fixture.h"
#include "panes/pane_actions.h"
#include "panes/pane_rows.h"
#include "panes/position_ticks.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace tandel {
namespace {

class PaneActions : public test::ExampleTest {
protected:
    void SetUp() override {
        ExampleTest::SetUp();
        settings.autoWalk = 0;
        settings.rowCount = 6;
    }
    std::vector<Choice> marks() {
        std::vector<Choice> out;
        for (std::int32_t i = 0; i < 3; ++i) {
            out.insert(out.end(), {judgingMark(model, i, 1), judgingMark(model, i, 2)});
        }
        return out;
    }
    std::vector<RowFill> fills(int side) {
        std::vector<RowFill> out;
        for (std::int64_t row = 0; describeRow(model.side(side), row).kind != PaneRowKind::PastEnd;
             ++row) {
            out.push_back(describeRow(model.side(side), row).fill);
        }
        return out;
    }
    void click(int s, std::int64_t row, bool ctrl = false) {
        clickRow(model, settings, frame, selection, s, row, ctrl);
    }
    TextSelection selection;
};

using F = std::vector<RowFill>;
constexpr RowFill N = RowFill::None, C = RowFill::Cyan, B = RowFill::Blue, G = RowFill::Green,
                  Y = RowFill::Yellow;
constexpr Choice O = Choice::None, I = Choice::First, II = Choice::Second;

TEST_F(PaneActions, RowsShowFillersAndTheChoicesMadeByClicks) {
    const PaneRow filler = describeRow(model.side(1), 3);
    EXPECT_EQ(std::tuple(filler.kind, filler.segment), std::tuple(PaneRowKind::Filler, 1));
    const PaneRow text = describeRow(model.side(1), 4);
    EXPECT_EQ(std::tuple(text.kind, text.line, text.segment), std::tuple(PaneRowKind::Text, 3, -1));
    EXPECT_EQ(describeRow(model.side(2), -1).kind, PaneRowKind::PastEnd);
    EXPECT_EQ(fills(1), (F{N, G, N, Y, N, G}));
    EXPECT_EQ(fills(2), (F{N, G, N, G, N, Y}));

    click(2, 1);
    EXPECT_EQ(marks(), (std::vector{O, I, O, O, O, O}));
    click(1, 1, true); // the other side is chosen: both, right first
    click(1, 3);       // the filler row of the left side takes its gap
    EXPECT_EQ(marks(), (std::vector{II, I, I, O, O, O}));
    EXPECT_EQ(fills(1), (F{N, B, N, C, N, G}));
    EXPECT_EQ(fills(2), (F{N, C, N, G, N, Y}));
    // Rows are counted from the top line; common lines and rows past the end
    // choose nothing.
    settings.topLine = 4;
    click(2, 1); // display row 5: side 2's filler row of segment 2
    click(1, 0);
    click(1, 9);
    EXPECT_EQ(marks(), (std::vector{II, I, I, O, O, I}));
    EXPECT_EQ(fills(2), (F{N, C, N, G, N, C}));
    releaseLists(model); // not compared: every line is a plain row
    EXPECT_EQ(fills(1), (F{N, N, N, N, N}));
}

TEST_F(PaneActions, SegmentsTheMergeDecidedAreMarkedUntilTheUserChoosesThem) {
    // A two-line change, then a line only side 2 has (a filler on side 1).
    build({"a", "b", "c", "d"}, {"a", "B", "C", "d", "e"}, "2,3c2,3\n4a5\n");
    decideAutomatically(model, 0, 2);
    decideAutomatically(model, 1, 2);
    const auto marks = [&](int side) {
        std::vector<AutomaticMark> out;
        for (std::int64_t row = 0; row < 5; ++row) {
            out.push_back(automaticMark(model.side(side), row));
        }
        return out;
    };
    using M = std::vector<AutomaticMark>;
    constexpr AutomaticMark _ = AutomaticMark::None, A = AutomaticMark::Badge,
                            S = AutomaticMark::Stripe;
    EXPECT_EQ(marks(1), (M{_, A, S, _, A}));
    EXPECT_EQ(marks(2), (M{_, A, S, _, A}));
    EXPECT_EQ(fills(2), (F{N, C, C, N, C}));
    EXPECT_EQ(automaticMark(model.side(1), 5), _); // past the end

    // The user's own choice, even the same one, takes the mark away.
    chooseSide(model, frame, 1, 2, false);
    EXPECT_EQ(marks(1), (M{_, A, S, _, _}));
    clickRow(model, settings, frame, selection, 1, 2, false);
    EXPECT_EQ(marks(2), (M{_, _, _, _, _}));
    EXPECT_EQ(fills(2), (F{N, G, G, N, C}));
}

TEST_F(PaneActions, PositionTicksShowWhatIsLeftAndWhereTheUserIs) {
    const PositionBarMetrics bar{200, 17, 17};
    const auto undecided = [&] {
        std::vector<bool> flags;
        for (const PositionTick& tick : positionTicks(model, 6, bar)) {
            flags.push_back(tick.undecided);
        }
        return flags;
    };
    chooseSide(model, frame, 0, 2, false);
    EXPECT_EQ(undecided(), (std::vector<bool>{false, true, true}));
    EXPECT_TRUE(positionTicks(model, 6, bar)[0].current);
    EXPECT_TRUE(positionTicks(model, 0, bar).empty());

    // Far down a huge file two segments share a pixel: one tick, undecided
    // while either is.
    MergeModel huge;
    installLists(huge.side(1), {{2'000'000'000, 2'000'000'000}, {2'000'000'002, 2'000'000'002}, {}},
                 {{RANGE_NONE, RANGE_NONE}, {RANGE_NONE, RANGE_NONE}, {}});
    installLists(huge.side(2), {{1, 1}, {2, 2}, {}},
                 {{RANGE_NONE, RANGE_NONE}, {RANGE_NONE, RANGE_NONE}, {}});
    huge.side(1).textRanges[0].choice = Choice::First;
    const auto ticks = positionTicks(huge, 2'100'000'000, {1000, 17, 17});
    ASSERT_EQ(ticks.size(), 1u);
    EXPECT_TRUE(ticks[0].undecided);
}

TEST_F(PaneActions, AClickClearsTheSelectionAutoWalkMovesOnAndAReleaseEndsASplit) {
    selection.side = 2;
    frame.events.clear();
    click(1, 0); // a common line: only the selection goes
    EXPECT_FALSE(selection.active());
    EXPECT_EQ(frame.events, std::vector{ModelEvent::SelectionChanged});

    settings.autoWalk = 1;
    settings.contextLines = 0;
    click(1, 1);
    EXPECT_EQ(settings.topLine, 3); // segment 1 starts on display line 4
    click(1, 0);                    // row 3: segment 1; segment 2 starts on display line 6
    EXPECT_EQ(settings.topLine, 5);
    click(2, 0); // the last segment: nowhere further to go
    EXPECT_EQ(settings.topLine, 5);

    // The release after a split click disarms it whether or not it splits.
    bool armed = true;
    EXPECT_FALSE(releaseSplit(model, settings, frame, armed, 0)); // a common line
    EXPECT_FALSE(armed);
    build({"a", "1", "2", "3", "b"}, {"a", "x", "b"}, "2,4c2\n");
    armed = true;
    settings.topLine = 0;
    EXPECT_TRUE(releaseSplit(model, settings, frame, armed, 2));
    EXPECT_FALSE(armed);
    EXPECT_EQ(model.side(1).segmentCount(), 2);
}

TEST_F(PaneActions, ASelectionStartsOnAFileAndBecomesThePrimarySelection) {
    // Hits snap on text, with tabs expanded, and keep x elsewhere.
    const ShownWidth tenEach = [](const std::u32string&, std::size_t n) {
        return static_cast<std::int64_t>(n) * 10;
    };
    const auto hit = [&](std::int64_t row, std::int64_t x) {
        const SelectionPoint p = hitRow(model.side(1), row, x, 8, {16, 10, false}, tenEach);
        return std::tuple(p.row, p.column, p.x);
    };
    test::setLines(model.side(1), {"\tab"});
    model.side(1).firstVisibleColumn = 2; // x is stored as if the offset were 0
    EXPECT_EQ(hit(0, 27), std::tuple(0, 4, 40));
    EXPECT_EQ(hit(7, 13), std::tuple(7, 0, 33)); // below the text

    SideRecord empty;
    std::swap(model.side(1), empty);
    EXPECT_FALSE(beginSelection(model, frame, selection, 1, {0, 0, 0}));
    EXPECT_FALSE(selection.active());
    std::swap(model.side(1), empty);
    ASSERT_TRUE(beginSelection(model, frame, selection, 2, {0, 0, 0}));
    endSelection(model, settings, frame, selection); // nothing selected: nothing set
    EXPECT_TRUE(frame.primarySelection.empty());

    ASSERT_TRUE(beginSelection(model, frame, selection, 2, {0, 0, 0}));
    EXPECT_FALSE(extendSelection(selection, {0, 0, 0})); // the end did not move
    ASSERT_TRUE(extendSelection(selection, {1, 1, 0}));
    endSelection(model, settings, frame, selection);
    EXPECT_FALSE(extendSelection(selection, {5, 0, 0})); // released
    EXPECT_EQ(frame.primarySelection, std::vector<std::string>{"a\nB\n"});
    endSelection(model, settings, frame, selection); // a second release sets nothing
    EXPECT_EQ(frame.primarySelection.size(), 1u);
    EXPECT_TRUE(frame.clipboard.empty()); // the clipboard is Copy's alone
}

TEST_F(PaneActions, HorizontalOffsetsFollowSyncHScroll) {
    settings.syncHScroll = 0;
    settings.tabSize = 4;
    const std::string wide(60, 'w');
    test::setLines(model.side(1), {"a", wide + "\t", "c"});
    test::setLines(model.side(2), {"a", wide + wide, "c"});
    const auto scroll = [&](int s, HorizontalScroll code, std::int64_t thumb = 0) {
        return ScrollHorizontally(model, settings, s, code, 20, thumb);
    };
    using Moved = std::array<bool, 2>;
    // End: each side's own widest line, 64 and 120 columns, less the 20 shown.
    EXPECT_EQ(scroll(1, HorizontalScroll::RightEnd), (Moved{true, false}));
    EXPECT_EQ(scroll(2, HorizontalScroll::RightEnd), (Moved{false, true}));
    EXPECT_EQ(model.side(1).firstVisibleColumn, 44);
    EXPECT_EQ(model.side(2).firstVisibleColumn, 100);
    settings.tabSize = 8; // measured again for the new tab size
    EXPECT_EQ(paneExtent(model.side(1), settings, 20), (HorizontalExtent{48, 67}));

    settings.syncHScroll = 1; // the other pane takes the same offset
    EXPECT_EQ(scroll(2, HorizontalScroll::Thumb, 16), (Moved{true, true}));
    EXPECT_EQ(model.side(1).firstVisibleColumn, 16);
    EXPECT_EQ(scroll(1, HorizontalScroll::LineLeft), (Moved{true, true}));
    EXPECT_EQ(scroll(1, HorizontalScroll::LeftEnd), (Moved{true, true}));
    EXPECT_EQ(scroll(1, HorizontalScroll::LineLeft), (Moved{false, false}));
}

} // namespace
} // namespace tandel
