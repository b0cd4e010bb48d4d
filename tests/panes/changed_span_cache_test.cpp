#include "panes/changed_span_cache.h"

#include "merge/decisions.h"
#include "merge/model_fixture.h"

#include <gtest/gtest.h>

namespace tandel {
namespace {

using Spans = std::vector<ByteSpan>;

// Rows: 0 same/same, 1 old one/new one, 2 old two/filler, 3 end/end.
class ChangedSpanCacheTest : public test::ModelTest {
protected:
    ChangedSpanCacheTest() {
        build({"same", "old one", "old two", "end"}, {"same", "new one", "end"}, "2,3c2\n");
    }
    Spans side1(std::int64_t row, SpanRules rules = {}) {
        const PairSpans* spans = cache.displayRow(model, rules, row);
        return spans == nullptr ? Spans{{99, 99}} : spans->side1;
    }

    ChangedSpanCache cache;
};

TEST_F(ChangedSpanCacheTest, OnlyRowsPairingTwoLinesHaveSpans) {
    EXPECT_EQ(cache.displayRow(model, {}, 0), nullptr); // common line
    EXPECT_EQ(side1(1), (Spans{{0, 3}}));
    EXPECT_EQ(cache.displayRow(model, {}, 2), nullptr); // opposite a filler
    EXPECT_EQ(cache.displayRow(model, {}, 40), nullptr);
    EXPECT_EQ(cache.segmentRow(model, {}, 0, 0), cache.displayRow(model, {}, 1));
    EXPECT_EQ(cache.segmentRow(model, {}, 1, 0), nullptr);
    EXPECT_EQ(cache.size(), 1u);
}

TEST_F(ChangedSpanCacheTest, NewTextRulesOrPairingNeverServeOldSpans) {
    EXPECT_EQ(side1(1), (Spans{{0, 3}}));
    // The same lists over reloaded text.
    test::setLines(model.side(1), {"same", "old  one", "old two", "end"});
    test::setLines(model.side(2), {"same", "old one", "end"});
    test::installScript(model, "2,3c2\n");
    EXPECT_EQ(side1(1), (Spans{{4, 5}}));
    EXPECT_EQ(side1(1, SpanRules{true, false}), Spans{});
    // A split at row 2 pairs side 2's line with nothing and leaves row 1 as it was.
    ASSERT_TRUE(SplitAt(model, settings, frame, 2));
    EXPECT_EQ(side1(1), (Spans{{4, 5}}));
    EXPECT_EQ(cache.displayRow(model, {}, 2), nullptr);
}

} // namespace
} // namespace tandel
