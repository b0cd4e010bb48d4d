#include "engine/identical_ends.h"
#include "engine/input_file.h"
#include "engine/read_inputs.h"
#include "engine_harness.h"

#include <gtest/gtest.h>

namespace tandel {
namespace {

struct Pair {
    Pair(const std::string& a, const std::string& b, bool ignoreBlankLines = false)
        : textA(a), textB(b) {
        first.buffer = textA.bytes.data();
        first.length = textA.length;
        second.buffer = textB.bytes.data();
        second.length = textB.length;
        fixTextEnd(first, ignoreBlankLines);
        fixTextEnd(second, ignoreBlankLines);
        findIdenticalEnds(first, second, false);
    }
    std::string middle(const InputFile& input) const {
        return std::string(input.buffer + input.prefixEnd, input.suffixBegin - input.prefixEnd);
    }
    testing::CallerText textA;
    testing::CallerText textB;
    InputFile first;
    InputFile second;
};

TEST(IdenticalEndsTest, PrefixStopsAtALineStartAndOneSharedLineStaysInTheMiddle) {
    Pair p("one\ntwo\nthree\nfour\nfive\n", "one\ntwo\nthrEE\nfour\nfive\n");
    EXPECT_EQ(p.first.prefixLines, 2);
    EXPECT_EQ(p.middle(p.first), "three\nfour\n");
    EXPECT_EQ(p.middle(p.second), "thrEE\nfour\n");
}

TEST(IdenticalEndsTest, IncompleteLastLineNeverJoinsTheCompleteOne) {
    Pair p("a\nb\nlast", "a\nb\nlast\n");
    EXPECT_TRUE(p.first.missingNewline);
    EXPECT_FALSE(p.second.missingNewline);
    EXPECT_EQ(p.first.prefixLines, 2);
    // Different marks: no shared tail at all.
    EXPECT_EQ(p.middle(p.first), "last\n");
    EXPECT_EQ(p.middle(p.second), "last\n");

    Pair ignored("a\nb\nlast", "a\nb\nlast\n", true);
    EXPECT_FALSE(ignored.first.missingNewline);
    EXPECT_EQ(ignored.first.prefixLines, 3);
}

TEST(IdenticalEndsTest, TextsThatArePrefixesOfEachOther) {
    Pair shorter("a\nb\n", "a\nb\nc\nd\n");
    EXPECT_EQ(shorter.first.prefixLines, 2);
    EXPECT_EQ(shorter.middle(shorter.first), "");
    EXPECT_EQ(shorter.middle(shorter.second), "c\nd\n");

    Pair longer("x\ny\nz\n", "y\nz\n");
    EXPECT_EQ(longer.first.prefixLines, 0);
    EXPECT_EQ(longer.middle(longer.first), "x\ny\n");
    EXPECT_EQ(longer.middle(longer.second), "y\n");
}

TEST(IdenticalEndsTest, SuffixCutInsideALineKeepsThatLineInTheMiddle) {
    Pair p("k\nabc\nq\nr\n", "k\nxbc\nq\nr\n");
    EXPECT_EQ(p.middle(p.first), "abc\nq\n");
    EXPECT_EQ(p.middle(p.second), "xbc\nq\n");
}

TEST(IdenticalEndsTest, EqualTextsAreAllPrefixAndLongEqualRunsAreScannedByWords) {
    std::string text;
    for (int i = 0; i < 1000; ++i)
        text += "line " + std::to_string(i) + "\n";
    Pair same(text, text);
    EXPECT_EQ(same.first.prefixLines, 1000);
    EXPECT_EQ(same.middle(same.first), "");

    std::string changed = text;
    changed[text.find("line 500")] = 'L';
    Pair one(text, changed);
    EXPECT_EQ(one.first.prefixLines, 500);
    EXPECT_EQ(one.middle(one.first), "line 500\nline 501\n");
}

TEST(IdenticalEndsTest, LineNumbersAfterALongPrefix) {
    std::string head;
    for (int i = 0; i < 1000; ++i)
        head += "same\n";
    testing::EngineHarness h;
    EXPECT_EQ(h.compare(head + "a\nb\n", head + "a\nc\nd\n"), 1);
    EXPECT_EQ(h.result(), "1002c1002,1003\n");
}

TEST(IdenticalEndsTest, BucketCountIsTheFirstListedAtLeastAThirdOfTheRoom) {
    EXPECT_EQ(bucketCount(0), 509u);
    EXPECT_EQ(bucketCount(1527), 509u);
    EXPECT_EQ(bucketCount(1530), 1021u);
    EXPECT_EQ(bucketCount(std::size_t{1} << 40), 2147483647u);
}

} // namespace
} // namespace tandel
