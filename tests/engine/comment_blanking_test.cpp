#include "engine/comment_blanking.h"
#include "engine_harness.h"

#include <gtest/gtest.h>

namespace tandel {
namespace {

const CommentDefinition kBlock{"/*", "*/"};

TEST(CommentBlankingTest, CommentsBecomeBlanksButKeepTheirNewlines) {
    const struct {
        std::string text;
        std::vector<CommentDefinition> definitions;
        std::string expected;
    } cases[] = {
        {"a /* x */ b\n", {kBlock}, "a         b\n"},
        {"1\n/* x\ny\nz */\n", {kBlock}, "1\n    \n \n    \n"},
        {"a /* open only\nb\n", {kBlock}, "a /* open only\nb\n"},
        {"end */ only\n", {kBlock}, "end */ only\n"},
        // Nested comments go whole; an outer begin without a second end stays.
        {"a /* o /* i */ t */ b\n", {kBlock}, "a                   b\n"},
        {"/* o /* i */ t\n", {kBlock}, "/* o         t\n"},
        // Overlapping markers still make progress.
        {"a /*/ b */ c\n", {kBlock}, "a          c\n"},
        {"/*/\n", {kBlock}, "/*/\n"},
        {"aaaa\n", {{"aa", "a"}}, "   a\n"},
        {"x // one\ny\nz //two // three", {{"//", "$"}}, "x       \ny\nz               "},
        // Definitions apply in list order: the line comment hides the block's
        // begin marker. Definitions with an empty or blank marker are skipped.
        {"a # /* \nb */ c\n", {{"#", "$"}, kBlock}, "a      \nb */ c\n"},
        {"a # /* \nb */ c\n", {kBlock, {"#", "$"}}, "a      \n     c\n"},
        {"a  b\n", {{" ", "$"}, {"", "b"}, {"a", ""}}, "a  b\n"},
    };
    for (auto c : cases) {
        blankComments(std::span<char>(c.text.data(), c.text.size()), c.definitions);
        EXPECT_EQ(c.text, c.expected);
    }
}

TEST(CommentBlankingTest, EngineIgnoresCommentsOnlyInTheMiddleAndOnlyWhenAsked) {
    testing::EngineHarness h;
    h.context.comments = {kBlock};
    const std::string first = "int a; /* short */\nint b;\n/* three\nline\ncomment */\nend\n";
    const std::string second = "int a; /* a much longer comment */\nint b;\n\n\n\nend\n";
    EXPECT_EQ(h.compare(first, second, {"-b"}), 1);
    h.context.ignoreComments = true;
    EXPECT_EQ(h.compare(first, second, {"-b"}), 0);
    // Without -b the blanks left by comments of different lengths differ.
    EXPECT_EQ(h.compare("a /* x */\n", "a /* xy */\n"), 1);
    // A begin marker in the shared prefix is not seen from the middle.
    EXPECT_EQ(h.compare("/* start\nx */ 1\n", "/* start\nx */ 2\n", {"-b"}), 1);
}

} // namespace
} // namespace tandel
