#include "engine/line_rules.h"
#include "engine_harness.h"

#include <gtest/gtest.h>

#include <cstring>

namespace tandel {
namespace {

// Equal under the rules exactly when the engine puts both lines in one class:
// the hash must agree as well as the comparison.
bool sameClass(std::string x, std::string y, LineRules rules) {
    x += '\n';
    y += '\n';
    const char* end;
    if (hashLine(x.c_str(), rules, &end) != hashLine(y.c_str(), rules, &end))
        return false;
    if (x.size() != y.size() && !rules.ignoreSomeChanges)
        return false;
    return linesEqual(x.data(), x.size(), y.data(), y.size(), rules);
}

LineRules spaceChange() {
    LineRules rules;
    rules.spaceChange = rules.ignoreSomeChanges = true;
    return rules;
}

TEST(LineEquivalenceTest, CompressedWhiteSpace) {
    const LineRules b = spaceChange();
    EXPECT_TRUE(sameClass("a  b", "a b", b));
    EXPECT_TRUE(sameClass("a\t \fb", "a b", b));
    EXPECT_TRUE(sameClass("ab ", "ab", b));
    EXPECT_TRUE(sameClass("ab \r", "ab", b)); // a carriage return is white space
    EXPECT_TRUE(sameClass(" ab", "  ab", b));
    EXPECT_FALSE(sameClass(" ab", "ab", b));
    EXPECT_FALSE(sameClass("ab", "a b", b));
    EXPECT_FALSE(sameClass("a b", "a c", b));
}

TEST(LineEquivalenceTest, IgnoredWhiteSpaceAndCase) {
    LineRules w;
    w.allSpace = w.ignoreSomeChanges = true;
    EXPECT_TRUE(sameClass(" a b\t c ", "abc", w));
    EXPECT_TRUE(sameClass("a\xa0"
                          "b",
                          "ab", w));
    EXPECT_FALSE(sameClass("abc", "abd", w));

    LineRules i;
    i.ignoreCase = true;
    EXPECT_TRUE(sameClass("HELLO World 1", "hello world 1", i));
    EXPECT_FALSE(sameClass("hello", "hello ", i));
    EXPECT_FALSE(sameClass("\xc4", "\xe4", i)); // only ASCII letters fold
}

TEST(LineEquivalenceTest, IgnoreCaseKeepsEveryWhiteSpaceRule) {
    LineRules rules = spaceChange();
    rules.ignoreCase = true;
    EXPECT_TRUE(sameClass("A\tb", "a B", rules));
    EXPECT_TRUE(sameClass("a\fb", "a b", rules));
    EXPECT_TRUE(sameClass("Line\r", "line", rules)); // CR LF against LF
}

TEST(LineEquivalenceTest, LeadingWhiteSpaceSkippedForColumnPositions) {
    LineRules rules;
    rules.skipLeadingWhiteSpace = true;
    EXPECT_TRUE(linesEqual("  ab\n", 5, "ab\n", 3, rules));
    EXPECT_FALSE(linesEqual("  ab\n", 5, "ac\n", 3, rules));
}

using testing::EngineHarness;

TEST(LineEquivalenceTest, MissingFinalNewlineDiffersUnlessIgnored) {
    EngineHarness h;
    EXPECT_EQ(h.compare("a\nb\nc", "a\nb\nc\n"), 1);
    EXPECT_EQ(h.result(), "3c3\n");
    EXPECT_EQ(h.compare("a\nb\nc", "a\nb\nc\n", {"-B"}), 0);
    EXPECT_EQ(h.compare("a\nb\nc", "a\nb\nc\n", {"-b"}), 0);
    EXPECT_EQ(h.compare("a\nb\nc", "a\nb\nc\n", {"-w"}), 0);
    EXPECT_EQ(h.compare("a\nb\nc", "a\nb\nx", {}), 1);
    EXPECT_EQ(h.result(), "3c3\n");
}

TEST(LineEquivalenceTest, AwkwardBytesAreOrdinaryLineContent) {
    EngineHarness h;
    const std::string nul("a\0b\n\x01\x02\n", 7);
    const std::string otherNul("a\0c\n\x01\x02\n", 7);
    EXPECT_EQ(h.compare(nul, otherNul), 1);
    EXPECT_EQ(h.result(), "1c1\n");
    EXPECT_EQ(h.compare("x\r\ny\r\n", "x\r\nz\r\n"), 1);
    EXPECT_EQ(h.result(), "2c2\n");
    EXPECT_EQ(h.compare("x\r\ny\r\n", "x\ny\n", {"-b"}), 0);
    EXPECT_EQ(h.compare("", ""), 0);
    EXPECT_EQ(h.compare("", "a\nb"), 1);
    EXPECT_EQ(h.result(), "0a1,2\n");
    EXPECT_EQ(h.compare("\xff\xfe\xc3(\n", "\xff\xfe\xc3)\n", {"-i", "-w"}), 1);
}

TEST(LineEquivalenceTest, MegabyteLinesCompareWhole) {
    EngineHarness h;
    std::string line(5 << 20, 'x');
    std::string other = line;
    other[other.size() - 1] = 'y';
    EXPECT_EQ(h.compare("head\n" + line + "\ntail\n", "head\n" + other + "\ntail\n"), 1);
    EXPECT_EQ(h.result(), "2c2\n");
    EXPECT_EQ(h.compare(line, line + " ", {"-b"}), 0);
}

TEST(LineEquivalenceTest, TableReducerReplacesTheHash) {
    // Hashes only the first character and blanks the rest of the line, so
    // that under -b lines agreeing in their first character are equal.
    struct FirstCharacter : LineReducer {
        std::uint32_t reduceAndHash(char* line, std::size_t length, bool) override {
            if (length > 1)
                std::memset(line + 1, ' ', length - 1);
            ++calls;
            return length == 0 ? 0 : static_cast<unsigned char>(line[0]);
        }
        int calls = 0;
    } reducer;
    EngineHarness h;
    h.context.table = &reducer;
    EXPECT_EQ(h.compare("k\nax1\nbx\n", "k\nay2\nc\n", {"-b"}), 1);
    EXPECT_EQ(h.result(), "3c3\n");
    EXPECT_EQ(reducer.calls, 4); // only the middle lines
}

} // namespace
} // namespace tandel
