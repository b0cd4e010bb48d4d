#include "panes/changed_spans.h"

#include "merge/comparison_driver.h"
#include "merge/decisions.h"
#include "merge/model_fixture.h"
#include "panes/changed_span_cache.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace tandel {
namespace {

using Spans = std::vector<ByteSpan>;

const SpanRules kExact{};
const SpanRules kCompress{true, false};
const SpanRules kIgnore{false, true};

TEST(ChangedSpansTest, ChangesUnderTheComparisonsWhiteSpaceRules) {
    struct Case {
        SpanRules rules;
        std::string one, two;
        Spans side1, side2;
    };
    for (const Case& c : {
             Case{kExact, "abc", "abXc", {}, {{2, 3}}}, Case{kExact, "abXc", "abc", {{2, 3}}, {}},
             Case{kExact, "", "new", {}, {{0, 3}}},
             Case{kExact, "x = 1; y = 2;", "x = 7; y = 8;", {{4, 5}, {11, 12}}, {{4, 5}, {11, 12}}},
             // The "l" both words hold is chance: the words differ as a whole.
             Case{kExact, "int value = 1;", "int result = 1;", {{4, 9}}, {{4, 10}}},
             Case{kExact, "a b", "a  b", {}, {{2, 3}}}, Case{kCompress, "a b", "a \t b", {}, {}},
             Case{kCompress, "a b", "ab", {{1, 2}}, {}}, // a run against none is a change
             Case{kCompress, "a b  ", "a c\t", {{2, 3}}, {{2, 3}}}, // trailing runs take no part
             Case{kCompress, "  a", "a", {{0, 2}}, {}}, Case{kIgnore, "a b", "ab", {}, {}},
             Case{kIgnore, "foo bar", "xxx yyy", {{0, 3}, {4, 7}}, {{0, 3}, {4, 7}}},
             Case{kIgnore, "a\r", "a", {}, {}},
             // UTF-8 characters are never split, even when they share leading bytes.
             Case{kExact, "na\xC3\xAFve", "naive", {{2, 4}}, {{2, 3}}},
             Case{kExact, "\u65E5\u672C", "\u65E5\u6728", {{3, 6}}, {{3, 6}}},
             Case{kExact, "a\xFF\xC3", "a\xFE\xC3", {{1, 2}}, {{1, 2}}}, // invalid bytes alone
         }) {
        const PairSpans spans = changedSpansOf(c.one, c.two, c.rules);
        EXPECT_EQ(spans.side1, c.side1) << c.one << " | " << c.two;
        EXPECT_EQ(spans.side2, c.side2) << c.one << " | " << c.two;
    }
    // Table mode and ignored comments compress too.
    EngineSwitches switches;
    switches.tableMode = true;
    EXPECT_EQ(spanRulesFor(switches), kCompress);
    switches = {};
    switches.ignoreAllSpaces = true;
    EXPECT_EQ(spanRulesFor(switches), kIgnore);
}

// Random lines of multi-byte characters: every span edge is a character edge,
// and what no span covers is what the two lines have in common.
TEST(ChangedSpansTest, SpansCoverExactlyTheDifferenceOnCharacterEdges) {
    std::mt19937 random(5);
    const std::vector<std::string> pieces = {
        "a", "b", " ", "\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80", "\xC3\xA0"};
    const auto randomLine = [&] {
        std::string line;
        for (auto i = random() % 30; i > 0; --i) {
            line += pieces[random() % pieces.size()];
        }
        return line;
    };
    const auto onEdges = [](const std::string& line, const Spans& spans) {
        for (const ByteSpan& span : spans) {
            for (std::size_t edge : {span.begin, span.end}) {
                if (edge < line.size() && (static_cast<unsigned char>(line[edge]) & 0xC0) == 0x80) {
                    return false;
                }
            }
        }
        return true;
    };
    const auto unchanged = [](const std::string& line, const Spans& spans) {
        std::string kept;
        std::size_t at = 0;
        for (const ByteSpan& span : spans) {
            kept += line.substr(at, span.begin - at);
            at = span.end;
        }
        return kept + line.substr(at);
    };
    for (int round = 0; round < 500; ++round) {
        const std::string one = randomLine();
        const std::string two = randomLine();
        for (const SpanRules& rules : {kExact, kCompress, kIgnore}) {
            const PairSpans spans = changedSpansOf(one, two, rules);
            ASSERT_TRUE(onEdges(one, spans.side1) && onEdges(two, spans.side2))
                << one << "|" << two;
            if (rules == kExact) {
                ASSERT_EQ(spans.side1.empty() && spans.side2.empty(), one == two);
                ASSERT_EQ(unchanged(one, spans.side1), unchanged(two, spans.side2));
            }
        }
    }
}

TEST(ChangedSpansTest, LongLinesAlignPreciselyUntilTheCostBoundThenKeepHeadAndTail) {
    std::mt19937 random(9);
    const auto randomText = [&](std::size_t n) {
        std::string text;
        for (std::size_t i = 0; i < n; ++i) {
            text += static_cast<char>('!' + random() % 90);
        }
        return text;
    };
    // A long line with three scattered one-character changes.
    const std::string base = randomText(20000);
    std::string edited = base;
    for (std::size_t at : {100u, 9000u, 19000u}) {
        edited[at] = '~';
    }
    EXPECT_EQ(changedSpansOf(base, edited, kExact).side1,
              (Spans{{100, 101}, {9000, 9001}, {19000, 19001}}));

    // Unrelated middles: far too much work, so the middle differs as a whole.
    const std::string one = "head " + randomText(20000) + " tail";
    const std::string two = "head " + randomText(30000) + " tail";
    const PairSpans spans = changedSpansOf(one, two, kExact);
    EXPECT_EQ(spans.side1, (Spans{{5, 20005}}));
    EXPECT_EQ(spans.side2, (Spans{{5, 30005}}));
    // A tight bound falls back on pairs that would align.
    EXPECT_EQ(changedSpansOf("a1b2c3d", "aXbYcZd", kExact, 4).side1, (Spans{{1, 6}}));
}

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

TEST_F(ChangedSpanCacheTest, OnlyRowsPairingTwoLinesHaveSpansAndNewTextRulesOrSplitsRenewThem) {
    EXPECT_EQ(cache.displayRow(model, {}, 0), nullptr); // common line
    EXPECT_EQ(cache.displayRow(model, {}, 2), nullptr); // opposite a filler
    EXPECT_EQ(side1(1), (Spans{{0, 3}}));
    EXPECT_EQ(cache.segmentRow(model, {}, 0, 0), cache.displayRow(model, {}, 1));
    EXPECT_EQ(cache.size(), 1u);
    // The same lists over reloaded text.
    test::setLines(model.side(1), {"same", "old  one", "old two", "end"});
    test::setLines(model.side(2), {"same", "old one", "end"});
    test::installScript(model, "2,3c2\n");
    EXPECT_EQ(side1(1), (Spans{{4, 5}}));
    EXPECT_EQ(side1(1, kCompress), Spans{});
    // A split at row 2 pairs side 2's line with nothing and leaves row 1 as it was.
    ASSERT_TRUE(splitAt(model, settings, frame, 2));
    EXPECT_EQ(side1(1), (Spans{{4, 5}}));
    EXPECT_EQ(cache.displayRow(model, {}, 2), nullptr);
}

} // namespace
} // namespace tandel
