#include "engine/comment_blanking.h"
#include "engine/line_rules.h"
#include "engine_harness.h"

#include <gtest/gtest.h>

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

// Rules named by their switches: "b" compressed white space, "w" none at
// all, "i" case ignored.
LineRules rules(std::string_view switches) {
    LineRules rules;
    rules.spaceChange = switches.find('b') != std::string_view::npos;
    rules.allSpace = switches.find('w') != std::string_view::npos;
    rules.ignoreCase = switches.find('i') != std::string_view::npos;
    rules.ignoreSomeChanges = rules.spaceChange || rules.allSpace;
    return rules;
}

// Beside the random comparisons of property_test.cpp: form feeds, carriage
// returns, no-break spaces, bytes above ASCII and rules together.
TEST(LineEquivalenceTest, WhiteSpaceAndCaseRules) {
    const struct {
        std::string x, y;
        const char* switches;
        bool same;
    } cases[] = {
        {"a\t \fb", "a b", "b", true},
        {"ab ", "ab", "b", true},
        {"ab \r", "ab", "b", true}, // a carriage return is white space
        {" ab", "  ab", "b", true},
        {" a b\t c ", "abc", "w", true},
        {"a\240b", "ab", "w", true}, // a no-break space too
        {"HELLO World 1", "hello world 1", "i", true},
        {"\xc4", "\xe4", "i", false}, // only ASCII letters fold
        // Ignoring case keeps every white-space rule.
        {"A\tb", "a B", "bi", true},
        {"a\fb", "a b", "bi", true},
        {"Line\r", "line", "bi", true}, // CR LF against LF
    };
    for (const auto& c : cases)
        EXPECT_EQ(sameClass(c.x, c.y, rules(c.switches)), c.same) << c.x << " / " << c.switches;

    // Column positions skip leading white space.
    LineRules skip;
    skip.skipLeadingWhiteSpace = true;
    EXPECT_TRUE(linesEqual("  ab\n", 5, "ab\n", 3, skip));
    EXPECT_FALSE(linesEqual("  ab\n", 5, "ac\n", 3, skip));
}

// Whole words or single bytes near the buffer's end: the same hash, the same newline.
TEST(LineEquivalenceTest, PlainHashIsTheSameWhereverTheBufferEnds) {
    const std::string lines[] = {"",
                                 "a",
                                 "1234567",
                                 "12345678",
                                 "123456789",
                                 std::string("\0\x0b\x8a\xff\x09", 5),
                                 std::string(40, '\x0b')};
    for (const std::string& line : lines) {
        const std::string roomy = line + "\n" + std::string(16, '\n');
        const char* newline = nullptr;
        const std::uint32_t expected =
            hashPlainLine(roomy.data(), roomy.data() + roomy.size(), &newline);
        EXPECT_EQ(newline - roomy.data(), static_cast<std::ptrdiff_t>(line.size()));
        for (std::size_t spare = 0; spare < 8; ++spare) {
            const std::string tight = line + "\n" + std::string(spare, 'z');
            EXPECT_EQ(hashPlainLine(tight.data(), tight.data() + tight.size(), &newline), expected)
                << line.size() << " " << spare;
            EXPECT_EQ(newline - tight.data(), static_cast<std::ptrdiff_t>(line.size()));
        }
    }
    const char* newline = nullptr;
    const std::string ab = "ab\n";
    const std::string abz("ab\0\n", 4);
    EXPECT_NE(hashPlainLine(ab.data(), ab.data() + ab.size(), &newline),
              hashPlainLine(abz.data(), abz.data() + abz.size(), &newline));
}

using testing::EngineHarness;

TEST(LineEquivalenceTest, AwkwardBytesAndEndsAreOrdinaryLineContent) {
    EngineHarness h;
    // A missing final newline differs unless white space or blank lines are ignored.
    EXPECT_EQ(h.outcome("a\nb\nc", "a\nb\nc\n"), "1:3c3\n");
    for (const char* option : {"-B", "-b", "-w"})
        EXPECT_EQ(h.compare("a\nb\nc", "a\nb\nc\n", {option}), 0) << option;
    EXPECT_EQ(h.outcome(std::string("a\0b\n\x01\x02\n", 7), std::string("a\0c\n\x01\x02\n", 7)),
              "1:1c1\n");
    EXPECT_EQ(h.outcome("x\r\ny\r\n", "x\r\nz\r\n"), "1:2c2\n");
    EXPECT_EQ(h.compare("x\r\ny\r\n", "x\ny\n", {"-b"}), 0);
    EXPECT_EQ(h.compare("\xff\xfe\xc3(\n", "\xff\xfe\xc3)\n", {"-i", "-w"}), 1);
    // Megabyte lines compare whole.
    const std::string line(5 << 20, 'x');
    std::string other = line;
    other.back() = 'y';
    EXPECT_EQ(h.outcome("head\n" + line + "\ntail\n", "head\n" + other + "\ntail\n"), "1:2c2\n");
    EXPECT_EQ(h.compare(line, line + " ", {"-b"}), 0);
}

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
