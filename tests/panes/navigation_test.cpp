#include "merge/decisions.h"
#include "merge/model_fixture.h"
#include "merge/segment_map.h"
#include "panes/navigation.h"

#include <gtest/gtest.h>

namespace tandel {
namespace {

// 40 lines each; single-line changes at lines 2, 10, 20 and 30; three lines
// of context above the segment gone to.
class Navigation : public test::ModelTest {
protected:
    void SetUp() override {
        const std::vector<std::string> lines(40, "same");
        build(lines, lines, "2c2\n10c10\n20c20\n30c30\n");
        settings.contextLines = 3;
        settings.rowCount = static_cast<std::int32_t>(displayLineCount(model));
    }
};

TEST_F(Navigation, NextAndPreviousGoFromTheCurrentLine) {
    EXPECT_EQ(nextSegmentStart(model, 9, true).start, 20); // strictly after line 10
    EXPECT_EQ(nextSegmentStart(model, 40, false).index, 3);
    EXPECT_EQ(nextSegmentStart(model, 1, false).start, -1);
    // At the top the current line is 4: the segment at 2 is already in view.
    goToAdjacentSegment(model, settings, frame, false);
    EXPECT_EQ(settings.topLine, 0);
    goToAdjacentSegment(model, settings, frame, true);
    EXPECT_EQ(settings.topLine, 10 - 3 - 1);
    goToNeighbour(model, settings, frame, 3, true); // no segment after the last
    EXPECT_EQ(settings.topLine, 6);
    goToNeighbour(model, settings, frame, 1, true);
    EXPECT_EQ(settings.topLine, 16);
    goToAdjacentSegment(model, settings, frame, false);
    EXPECT_EQ(settings.topLine, 6);
    goToLastLine(settings, frame);
    EXPECT_EQ(settings.topLine, 39);
}

TEST_F(Navigation, UnresolvedSkipsDecidedSegmentsWithoutWrapping) {
    chooseSide(model, frame, 1, 1, false);
    chooseSide(model, frame, 2, 2, false);
    goToUnresolved(model, settings, frame, true);
    goToUnresolved(model, settings, frame, true);
    EXPECT_EQ(settings.topLine, 30 - 4);
    goToUnresolved(model, settings, frame, false);
    EXPECT_EQ(settings.topLine, 0); // segment 0 at line 2

    // Without a comparison nothing moves.
    releaseLists(model);
    settings.topLine = 5;
    goToAdjacentSegment(model, settings, frame, true);
    goToUnresolved(model, settings, frame, true);
    goToFirstSegment(model, settings, frame);
    EXPECT_EQ(settings.topLine, 5);
}

} // namespace
} // namespace tandel
