#include "panes/text_matcher.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace tandel {
namespace {

// Lines laid out as a side holds them: back to back, each ended by a line feed.
struct Lines {
    explicit Lines(const std::vector<std::string>& lines) : starts{0} {
        for (const std::string& line : lines) {
            buffer += line;
            buffer += '\n';
            starts.push_back(buffer.size());
        }
    }
    std::int64_t firstHit(const TextMatcher& matcher, std::int64_t first = 0,
                          std::int64_t last = 1 << 30) const {
        return matcher.firstMatchingLine(buffer.data(), starts, first, last);
    }
    std::string buffer;
    std::vector<std::size_t> starts;
};

TEST(TextMatcherTest, IgnoreCaseFoldsAsciiLettersAndTestsOnlyTheFirst255Bytes) {
    const std::string pad(250, '.');
    struct Case {
        std::string line;
        std::string text;
        bool ignoreCase;
        bool hit;
    };
    for (const Case& c : {
             Case{"Hello World", "O w", true, true},
             Case{"Hello World", "o W", false, true},
             Case{"[at]", "{AT}", true, false}, // only letters fold
             Case{"\xC3\x84rger", "\xC3\xA4rger", true, false},
             Case{pad + "abcde", "ABCDE", true, true}, // ends on byte 255
             Case{pad + ".abcde", "ABCDE", true, false},
             Case{std::string("a\0b", 3), std::string("\0B", 2), true, true},
             Case{"one", "one\ntwo", false, false},
         }) {
        const TextMatcher matcher(c.text, c.ignoreCase);
        EXPECT_EQ(matcher.matches(c.line), c.hit) << c.line.size() << " " << c.text;
        EXPECT_EQ(Lines({"x", c.line}).firstHit(matcher), c.hit ? 1 : -1) << c.text;
    }
    // The text itself is cut to 255 bytes under ignore case.
    EXPECT_EQ(TextMatcher(std::string(300, 'Q'), true).needle(), std::string(255, 'q'));
}

// The buffer search folds a chunk at a time, yet finds what a line-by-line test finds.
TEST(TextMatcherTest, BufferSearchAgreesWithTheLineByLineTest) {
    std::mt19937 random(7);
    const std::string alphabet = "aAbB \t\xC3\xA4";
    for (int round = 0; round < 60; ++round) {
        std::vector<std::string> lines(1 + random() % 400);
        for (std::string& line : lines) {
            const std::size_t length = random() % 10 == 0 ? 200 + random() % 2000 : random() % 40;
            for (std::size_t i = 0; i < length; ++i) {
                line += alphabet[random() % alphabet.size()];
            }
        }
        const Lines laid(lines);
        std::string text;
        for (std::size_t i = 1 + random() % 5; i > 0; --i) {
            text += alphabet[random() % 5];
        }
        for (bool ignoreCase : {false, true}) {
            const TextMatcher matcher(text, ignoreCase);
            const auto first = static_cast<std::int64_t>(random() % lines.size());
            std::int64_t expected = -1;
            for (std::size_t i = static_cast<std::size_t>(first); i < lines.size(); ++i) {
                if (matcher.matches(lines[i])) {
                    expected = static_cast<std::int64_t>(i);
                    break;
                }
            }
            ASSERT_EQ(laid.firstHit(matcher, first), expected) << round << " " << text;
        }
    }
}

TEST(TextMatcherTest, SearchesStayWithinTheirRange) {
    const TextMatcher matcher("Two", true);
    const std::string text = "one\ntwo\nTWO";
    EXPECT_EQ(matcher.find(text, 0, text.size()), 4u);
    EXPECT_EQ(matcher.find(text, 5, text.size()), 8u);
    EXPECT_EQ(matcher.find(text, 0, 6), std::string::npos); // the range holds the whole hit
    // Lines from first up to last, never a hit across two of them.
    const Lines lines({"ab", "cd", "ke", "y", "ab"});
    EXPECT_EQ(lines.firstHit(TextMatcher("ab", false), 1, 4), -1);
    EXPECT_EQ(lines.firstHit(TextMatcher("ab", false), 1, 5), 4);
    EXPECT_EQ(lines.firstHit(TextMatcher("key", false)), -1);
}

} // namespace
} // namespace tandel
