// The three-way merge in the model: with `base` the comparison of the two
// sides arrives with every one-sided change decided, marked as decided
// automatically, and only the conflicts left to the user.
#include "merge/base_lines.h"
#include "merge/decisions.h"
#include "merge/driver_test_support.h"
#include "merge/merged_output.h"
#include "merge/status_text.h"
#include "panes/position_ticks.h"

#include <random>

namespace tandel::testing_support {
namespace {

class ThreeWay : public AppTest {
protected:
    // LOCAL changes 2; REMOTE deletes 4 and changes 5; both change 7 alike;
    // both add a different last line: segments L2 | 2, 4 5 | R5 and L9 | R9.
    void mergeSample() {
        const std::string base = files.write("base", "1\n2\n3\n4\n5\n6\n7\n8\n");
        const std::string local = files.write("local", "1\nL2\n3\n4\n5\n6\nS7\n8\nL9\n");
        const std::string remote = files.write("remote", "1\n2\n3\nR5\n6\nS7\n8\nR9\n");
        ASSERT_EQ(parseArguments({"-base", base, "-f1", local, "-f2", remote}, app.switches).status,
                  CommandLineStatus::Parsed);
        load(local, remote);
        runPosted();
        ASSERT_EQ(app.model.side(1).segmentCount(), 3);
    }
};

TEST_F(ThreeWay, OneSidedChangesArriveDecidedAndOnlyConflictsWaitForTheUser) {
    ASSERT_NO_FATAL_FAILURE(mergeSample());
    const MergeModel& model = app.model;
    EXPECT_EQ(judgingMark(model, 0, 1), Choice::First); // L2 from LOCAL
    EXPECT_EQ(judgingMark(model, 0, 2), Choice::None);
    EXPECT_EQ(judgingMark(model, 1, 1), Choice::None); // 4 and 5 as REMOTE has them
    EXPECT_EQ(judgingMark(model, 1, 2), Choice::First);
    EXPECT_FALSE(segmentResolved(model, 2)); // the last lines conflict
    EXPECT_TRUE(decidedAutomatically(model, 0));
    EXPECT_TRUE(decidedAutomatically(model, 1));
    EXPECT_FALSE(decidedAutomatically(model, 2));
    EXPECT_EQ(unresolvedCount(model), 1);
    const auto automaticTicks = [&model] {
        std::vector<bool> automatic;
        for (const PositionTick& tick : positionTicks(model, 9, {1000, 17, 17})) {
            automatic.push_back(tick.automatic);
        }
        return automatic;
    };
    EXPECT_EQ(automaticTicks(), (std::vector<bool>{true, true, false}));
    EXPECT_FALSE(readyToProduce(model, app.settings.record, frame, false));
    app.model.currentSegment = -1;
    EXPECT_EQ(differenceStatusText(model, true), "3 differences \u00b7 1 conflict left");

    // The user's own choices: the conflict, and one automatic choice changed.
    chooseSide(app.model, frame, 2, 2, false);
    EXPECT_EQ(differenceStatusText(model, true), "Difference 3 of 3 \u00b7 No conflicts left");
    EXPECT_EQ(mergedText(model, frame, false), "1\nL2\n3\nR5\n6\nS7\n8\nR9\n");
    chooseSide(app.model, frame, 1, 1, false);
    EXPECT_FALSE(decidedAutomatically(model, 1));
    EXPECT_TRUE(decidedAutomatically(model, 0));
    EXPECT_EQ(automaticTicks(), (std::vector<bool>{true, false, false}));
    EXPECT_FALSE(anyUnresolved(model));
    EXPECT_EQ(mergedText(model, frame, false), "1\nL2\n3\n4\n5\n6\nS7\n8\nR9\n");

    // An empty ancestor: everything both sides hold apart is a conflict.
    ASSERT_EQ(parseArguments({"-base", "/dev/null"}, app.switches).status,
              CommandLineStatus::Parsed);
    app.model.decisionsUnsaved = false;
    dispatchCommand(app, cmd::kCompareFiles);
    runPosted();
    ASSERT_EQ(model.side(1).segmentCount(), 1);
    EXPECT_EQ(unresolvedCount(model), 1);
    app.model.currentSegment = -1;
    EXPECT_EQ(differenceStatusText(model, true), "1 difference \u00b7 1 conflict left");
}

TEST_F(ThreeWay, EachRowAndSegmentHasItsPlaceInTheAncestor) {
    ASSERT_NO_FATAL_FAILURE(mergeSample());
    const MergeModel& model = app.model;
    EXPECT_EQ(segmentBaseLines(model, 0), (BaseLines{1, 2}));
    EXPECT_EQ(segmentBaseLines(model, 1), (BaseLines{3, 5}));
    EXPECT_EQ(segmentBaseLines(model, 2), (BaseLines{8, 8})); // both added here
    for (std::int64_t row = 0; row < 9; ++row) {
        EXPECT_EQ(baseLineAtRow(model, row), row);
    }
    EXPECT_EQ(baseSegmentsIn(model, 2, 3), std::vector<BaseSegment>{});
    EXPECT_EQ(baseSegmentsIn(model, 4, 8),
              (std::vector<BaseSegment>{{1, BaseLines{3, 5}}, {2, BaseLines{8, 8}}}));
}

// Random edit scripts from a BASE of numbered lines: a side's line no hunk
// touches maps to the BASE line it is, a hunk's lines to exactly its BASE
// lines, and adjoining ranges map to adjoining BASE lines.
TEST(BaseLinesOf, FollowsRandomEditScripts) {
    std::mt19937 random(23);
    for (int round = 0; round < 200; ++round) {
        std::vector<EditHunk> hunks;
        std::vector<std::int64_t> fromBase; // per side line: its BASE line, or -1
        std::int32_t base = 0;
        for (int k = static_cast<int>(random() % 6); k >= 0; --k) {
            for (auto common = random() % 3 + (hunks.empty() ? 0 : 1); common > 0; --common) {
                fromBase.push_back(base++);
            }
            EditHunk h{base, static_cast<std::int32_t>(random() % 3),
                       static_cast<std::int32_t>(fromBase.size()),
                       static_cast<std::int32_t>(random() % 3)};
            h.sideCount += h.baseCount == 0 && h.sideCount == 0 ? 1 : 0;
            base += h.baseCount;
            fromBase.insert(fromBase.end(), static_cast<std::size_t>(h.sideCount), -1);
            hunks.push_back(h);
        }
        fromBase.push_back(base);
        const auto lines = static_cast<std::int64_t>(fromBase.size());
        for (std::int64_t l = 0; l < lines; ++l) {
            if (fromBase[static_cast<std::size_t>(l)] >= 0) {
                const std::int64_t b = fromBase[static_cast<std::size_t>(l)];
                EXPECT_EQ(baseLinesOf(hunks, l, l + 1), (BaseLines{b, b + 1}));
            }
        }
        for (const EditHunk& h : hunks) {
            EXPECT_EQ(baseLinesOf(hunks, h.sideFirst, h.sideEnd()),
                      (BaseLines{h.baseFirst, h.baseEnd()}));
        }
        for (int k = 0; k < 20; ++k) {
            std::array<std::int64_t, 3> at{};
            for (std::int64_t& a : at) {
                a = static_cast<std::int64_t>(random() % static_cast<std::uint32_t>(lines + 1));
            }
            std::sort(at.begin(), at.end());
            const BaseLines whole = baseLinesOf(hunks, at[0], at[2]);
            const BaseLines before = baseLinesOf(hunks, at[0], at[1]);
            const BaseLines after = baseLinesOf(hunks, at[1], at[2]);
            EXPECT_LE(before.first, before.end);
            EXPECT_LE(before.end, after.end);
            if (at[0] < at[1] && at[1] < at[2]) {
                EXPECT_EQ(whole, (BaseLines{before.first, after.end}));
            }
        }
    }
}

} // namespace
} // namespace tandel::testing_support
