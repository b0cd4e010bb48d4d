#include "merge/decisions.h"
#include "merge/model_fixture.h"
#include "panes/pane_rows.h"
#include "panes/position_ticks.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace tandel {
namespace {

// a b c d e against a B c x d: side 1 shows a filler row at row 3, side 2 at row 5.
class PaneRows : public test::ModelTest {
protected:
    void SetUp() override {
        build({"a", "b", "c", "d", "e"}, {"a", "B", "c", "x", "d"}, "2c2\n3a4\n5d5\n");
    }
    std::vector<RowFill> fills(int side) {
        std::vector<RowFill> out;
        for (std::int64_t row = 0; DescribeRow(model.side(side), row).kind != RowKind::PastEnd;
             ++row) {
            out.push_back(DescribeRow(model.side(side), row).fill);
        }
        return out;
    }
    using F = std::vector<RowFill>;
    static constexpr RowFill N = RowFill::None, C = RowFill::Cyan, B = RowFill::Blue,
                             G = RowFill::Green, Y = RowFill::Yellow;
};

TEST_F(PaneRows, KindsLinesSegmentsAndFillsFollowingTheChoices) {
    const PaneRow filler = DescribeRow(model.side(1), 3);
    EXPECT_EQ(std::tuple(filler.kind, filler.segment), std::tuple(RowKind::Filler, 1));
    const PaneRow text = DescribeRow(model.side(1), 4);
    EXPECT_EQ(std::tuple(text.kind, text.line, text.segment), std::tuple(RowKind::Text, 3, -1));
    EXPECT_EQ(DescribeRow(model.side(2), -1).kind, RowKind::PastEnd);

    EXPECT_EQ(fills(1), (F{N, G, N, Y, N, G}));
    EXPECT_EQ(fills(2), (F{N, G, N, G, N, Y}));
    ChooseSide(model, frame, 0, 1, false);
    ChooseSide(model, frame, 1, 1, false);
    EXPECT_EQ(fills(1), (F{N, C, N, C, N, G}));
    EXPECT_EQ(fills(2), (F{N, G, N, G, N, Y}));
    ChooseSide(model, frame, 0, 2, true);
    SelectFrom(model, frame, 2);
    EXPECT_EQ(fills(1), (F{N, C, N, C, N, G}));
    EXPECT_EQ(fills(2), (F{N, B, N, G, N, C}));
    ReleaseLists(model); // not compared: every line is a plain row
    EXPECT_EQ(fills(1), (F{N, N, N, N, N}));
}

TEST_F(PaneRows, PositionTicksShowWhatIsLeftAndWhereTheUserIs) {
    const PositionBarMetrics bar{200, 17, 17};
    const auto undecided = [&] {
        std::vector<bool> flags;
        for (const PositionTick& tick : PositionTicks(model, 6, bar)) {
            flags.push_back(tick.undecided);
        }
        return flags;
    };
    ASSERT_EQ(PositionTicks(model, 6, bar).size(), 3u);
    EXPECT_EQ(undecided(), (std::vector<bool>{true, true, true}));
    ChooseSide(model, frame, 0, 2, false);
    EXPECT_EQ(undecided(), (std::vector<bool>{false, true, true}));
    EXPECT_TRUE(PositionTicks(model, 6, bar)[0].current);
    EXPECT_TRUE(PositionTicks(model, 0, bar).empty());

    // Far down a huge file two segments share a pixel: one tick, undecided
    // while either is.
    MergeModel huge;
    InstallLists(huge.side(1),
                 {{2'000'000'000, 2'000'000'000, 0}, {2'000'000'002, 2'000'000'002, 0}, {}},
                 {{RANGE_NONE, RANGE_NONE, 0}, {RANGE_NONE, RANGE_NONE, 0}, {}});
    InstallLists(huge.side(2), {{1, 1, 0}, {2, 2, 0}, {}},
                 {{RANGE_NONE, RANGE_NONE, 0}, {RANGE_NONE, RANGE_NONE, 0}, {}});
    huge.side(1).textRanges[0].choice = CHOICE_FIRST;
    const auto ticks = PositionTicks(huge, 2'100'000'000, {1000, 17, 17});
    ASSERT_EQ(ticks.size(), 1u);
    EXPECT_TRUE(ticks[0].undecided);
}

} // namespace
} // namespace tandel
