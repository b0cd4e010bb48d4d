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

TEST(IdenticalEndsTest, SharedEndsStopAtLineBoundaries) {
    const struct {
        std::string first, second;
        bool ignoreBlankLines;
        int prefixLines;
        std::string middle0, middle1;
    } cases[] = {
        // One shared line stays in the middle after the prefix.
        {"one\ntwo\nthree\nfour\nfive\n", "one\ntwo\nthrEE\nfour\nfive\n", false, 2,
         "three\nfour\n", "thrEE\nfour\n"},
        // An incomplete last line never joins the complete one, unless blank
        // line changes are ignored.
        {"a\nb\nlast", "a\nb\nlast\n", false, 2, "last\n", "last\n"},
        {"a\nb\nlast", "a\nb\nlast\n", true, 3, "", ""},
        // Texts that are prefixes or suffixes of each other.
        {"a\nb\n", "a\nb\nc\nd\n", false, 2, "", "c\nd\n"},
        {"x\ny\nz\n", "y\nz\n", false, 0, "x\ny\n", "y\n"},
        // A suffix cut inside a line keeps that line in the middle.
        {"k\nabc\nq\nr\n", "k\nxbc\nq\nr\n", false, 1, "abc\nq\n", "xbc\nq\n"},
    };
    for (const auto& c : cases) {
        Pair p(c.first, c.second, c.ignoreBlankLines);
        EXPECT_EQ(p.first.prefixLines, c.prefixLines) << c.first;
        EXPECT_EQ(p.middle(p.first), c.middle0) << c.first;
        EXPECT_EQ(p.middle(p.second), c.middle1) << c.first;
        EXPECT_EQ(p.first.missingNewline, c.first.back() != '\n' && !c.ignoreBlankLines);
        EXPECT_FALSE(p.second.missingNewline);
    }
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

} // namespace
} // namespace tandel
