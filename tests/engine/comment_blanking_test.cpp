#include "engine/comment_blanking.h"
#include "engine_harness.h"

#include <gtest/gtest.h>

namespace tandel {
namespace {

std::string blanked(std::string text, std::vector<CommentDefinition> definitions) {
    blankComments(std::span<char>(text.data(), text.size()), definitions);
    return text;
}

const CommentDefinition kBlock{"/*", "*/"};

TEST(CommentBlankingTest, BlockCommentsAreBlankedButKeepTheirNewlines) {
    EXPECT_EQ(blanked("a /* x */ b\n", {kBlock}), "a         b\n");
    EXPECT_EQ(blanked("1\n/* x\ny\nz */\n", {kBlock}), "1\n    \n \n    \n");
    EXPECT_EQ(blanked("a /* open only\nb\n", {kBlock}), "a /* open only\nb\n");
    EXPECT_EQ(blanked("end */ only\n", {kBlock}), "end */ only\n");
}

TEST(CommentBlankingTest, NestedCommentsAreBlankedWhole) {
    EXPECT_EQ(blanked("a /* o /* i */ t */ b\n", {kBlock}), "a                   b\n");
    // An outer begin marker without a second end marker stays.
    EXPECT_EQ(blanked("/* o /* i */ t\n", {kBlock}), "/* o         t\n");
}

TEST(CommentBlankingTest, OverlappingMarkersStillMakeProgress) {
    EXPECT_EQ(blanked("a /*/ b */ c\n", {kBlock}), "a          c\n");
    EXPECT_EQ(blanked("/*/\n", {kBlock}), "/*/\n");
    EXPECT_EQ(blanked("aaaa\n", {{"aa", "a"}}), "   a\n");
}

TEST(CommentBlankingTest, EndOfLineCommentsOnEveryLine) {
    EXPECT_EQ(blanked("x // one\ny\nz //two // three", {{"//", "$"}}),
              "x       \ny\nz               ");
}

TEST(CommentBlankingTest, DefinitionsApplyInListOrderAndUnusableOnesAreSkipped) {
    // The line comment hides the block comment's begin marker.
    EXPECT_EQ(blanked("a # /* \nb */ c\n", {{"#", "$"}, kBlock}), "a      \nb */ c\n");
    EXPECT_EQ(blanked("a # /* \nb */ c\n", {kBlock, {"#", "$"}}), "a      \n     c\n");
    EXPECT_EQ(blanked("a  b\n", {{" ", "$"}, {"", "b"}, {"a", ""}}), "a  b\n");
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
