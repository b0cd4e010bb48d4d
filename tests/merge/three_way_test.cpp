// The three-way merge in the model: with `base` the comparison of the two
// sides arrives with every one-sided change decided, marked as decided
// automatically, and only the conflicts left to the user.
#include "merge/decisions.h"
#include "merge/driver_test_support.h"
#include "merge/merged_output.h"
#include "merge/status_text.h"

namespace tandel::testing_support {
namespace {

class ThreeWay : public AppTest {};

TEST_F(ThreeWay, OneSidedChangesArriveDecidedAndOnlyConflictsWaitForTheUser) {
    // LOCAL changes 2; REMOTE deletes 4 and changes 5; both change 7 alike;
    // both add a different last line.
    const std::string base = files.write("base", "1\n2\n3\n4\n5\n6\n7\n8\n");
    const std::string local = files.write("local", "1\nL2\n3\n4\n5\n6\nS7\n8\nL9\n");
    const std::string remote = files.write("remote", "1\n2\n3\nR5\n6\nS7\n8\nR9\n");
    ASSERT_EQ(parseArguments({"-base", base, "-f1", local, "-f2", remote}, app.switches).status,
              CommandLineStatus::Parsed);
    load(local, remote);
    runPosted();

    const MergeModel& model = app.model;
    ASSERT_EQ(model.side(1).segmentCount(), 3);
    EXPECT_EQ(judgingMark(model, 0, 1), Choice::First); // L2 from LOCAL
    EXPECT_EQ(judgingMark(model, 0, 2), Choice::None);
    EXPECT_EQ(judgingMark(model, 1, 1), Choice::None); // 4 and 5 as REMOTE has them
    EXPECT_EQ(judgingMark(model, 1, 2), Choice::First);
    EXPECT_FALSE(segmentResolved(model, 2)); // the last lines conflict
    EXPECT_TRUE(decidedAutomatically(model, 0));
    EXPECT_TRUE(decidedAutomatically(model, 1));
    EXPECT_FALSE(decidedAutomatically(model, 2));
    EXPECT_EQ(unresolvedCount(model), 1);
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

} // namespace
} // namespace tandel::testing_support
