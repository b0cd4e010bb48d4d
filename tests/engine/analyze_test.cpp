#include "engine/analyze.h"
#include "engine/analyze_stages.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tandel {
namespace {

using ::testing::ElementsAre;

// Lines written as letters: each letter is its own class.
std::vector<int> lines(const std::string& letters) {
    std::vector<int> classes;
    for (char c : letters) {
        classes.push_back(c - 'a' + 1);
    }
    return classes;
}

constexpr int kLetterLimit = 27;

EditScript diff(const std::string& first, const std::string& second, bool heuristic = false) {
    EditScript script;
    const std::vector<int> a = lines(first);
    const std::vector<int> b = lines(second);
    EXPECT_TRUE(computeEditScript(a, b, kLetterLimit, heuristic, script));
    return script;
}

Change change(int inserted, int deleted, int line0, int line1) {
    return Change{inserted, deleted, line0, line1};
}

TEST(AnalyzeTest, IdenticalAndEmptyRegionsGiveEmptyScript) {
    EXPECT_TRUE(diff("abcabc", "abcabc").empty());
    EXPECT_TRUE(diff("", "").empty());
}

TEST(AnalyzeTest, OneEmptySideChangesEveryLineOfTheOther) {
    EXPECT_THAT(diff("", "abca"), ElementsAre(change(4, 0, 0, 0)));
    EXPECT_THAT(diff("aab", ""), ElementsAre(change(0, 3, 0, 0)));
}

TEST(AnalyzeTest, ReplacedMiddleLineIsOneChange) {
    EXPECT_THAT(diff("abc", "axc"), ElementsAre(change(1, 1, 1, 1)));
}

TEST(AnalyzeTest, RepeatedLineIsReportedAfterItsFirstCopy) {
    EXPECT_THAT(diff("abc", "abbc"), ElementsAre(change(1, 0, 2, 2)));
    EXPECT_THAT(diff("xaaay", "xaay"), ElementsAre(change(0, 1, 3, 3)));
}

TEST(AnalyzeTest, SeparateChangesStayInLineOrder) {
    EXPECT_THAT(diff("abcdefg", "xbcdfgy"),
                ElementsAre(change(1, 1, 0, 0), change(0, 1, 4, 4), change(1, 0, 7, 6)));
}

// Flags as written: '1' changed, '0' paired; a zero byte follows each array.
std::vector<char> flags(const std::string& text) {
    std::vector<char> result;
    for (char c : text) {
        result.push_back(c == '1' ? 1 : 0);
    }
    result.push_back(0);
    return result;
}

std::string shifted(const std::string& classes, const std::string& changed,
                    const std::string& otherChanged) {
    std::vector<char> mine = flags(changed);
    const std::vector<char> other = flags(otherChanged);
    shiftBoundaries(lines(classes), mine.data(), other.data());
    std::string result;
    for (std::size_t i = 0; i + 1 < mine.size(); ++i) {
        result += mine[i] ? '1' : '0';
    }
    return result;
}

TEST(AnalyzeTest, RunsSlideDownOverEqualLines) {
    EXPECT_EQ(shifted("xaaay", "01000", "0000"), "00010");
    // Sliding stops at a different line and never moves up.
    EXPECT_EQ(shifted("xabay", "01000", "0000"), "01000");
    EXPECT_EQ(shifted("xaaay", "00010", "0000"), "00010");
    // A run that slides into the next one carries on as one run.
    EXPECT_EQ(shifted("xaacay", "010100", "0000"), "000110");
    EXPECT_EQ(shifted("xababy", "011000", "0000"), "000110");
}

TEST(AnalyzeTest, RunsDoNotSlideOverChangesOfTheOtherInput) {
    EXPECT_EQ(shifted("xaay", "0100", "0100"), "0100");
    EXPECT_EQ(shifted("xaay", "0100", "0010"), "0010");
}

TEST(AnalyzeTest, ClassMissingFromTheOtherInputIsAlwaysChanged) {
    const DiscardMarks marks = markDiscards(lines("abzc"), lines("abc"), kLetterLimit);
    EXPECT_THAT(marks.marks0, ElementsAre(kKeep, kKeep, kNoPartner, kKeep));
    EXPECT_THAT(marks.marks1, ElementsAre(kKeep, kKeep, kKeep));
    EXPECT_THAT(diff("abzc", "abc"), ElementsAre(change(0, 1, 2, 2)));
}

// "f" occurs six times in the other input, more than the five allowed for
// short inputs; the letters u..z never occur there.
TEST(AnalyzeTest, FrequentLinesSurviveOnlyDeepInsideRunsOfUnpairedLines) {
    const std::vector<int> other = lines("ffffffa");
    auto marksOf = [&](const std::string& text) {
        return markDiscards(lines(text), other, kLetterLimit).marks0;
    };
    // Three unpaired lines on each side shield a lone frequent line.
    EXPECT_THAT(marksOf("uvwfxyz"), ElementsAre(1, 1, 1, 2, 1, 1, 1));
    // Two adjacent frequent lines form a stretch that is kept.
    EXPECT_THAT(marksOf("uvwffxyz"), ElementsAre(1, 1, 1, 0, 0, 1, 1, 1));
    // Near the edge of a run, or outside any run, they are kept.
    EXPECT_THAT(marksOf("uvfwxyz"), ElementsAre(1, 1, 0, 1, 1, 1, 1));
    EXPECT_THAT(marksOf("fuvw"), ElementsAre(0, 1, 1, 1));
    // Trailing frequent lines end the run; too many frequent lines cancel all.
    EXPECT_THAT(marksOf("uvwfxyzf"), ElementsAre(1, 1, 1, 2, 1, 1, 1, 0));
    EXPECT_THAT(marksOf("ufvf"), ElementsAre(1, 0, 1, 0));
    // The edge scan stops at the first unpaired line eight lines in.
    EXPECT_THAT(marksOf("ufvfwfxfyfzuvwxyzuvw"),
                ElementsAre(1, 0, 1, 0, 1, 0, 1, 0, 1, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1));
}

TEST(AnalyzeTest, DiscardedFrequentLineIsReportedChangedThoughItCouldPair) {
    EXPECT_THAT(diff("uvwfxyz", "ffffffa"), ElementsAre(change(7, 7, 0, 0)));
}

TEST(AnalyzeTest, FrequencyLimitGrowsWithTheInput) {
    // A line of class 1 deep inside a run of unpaired lines of class 2.
    auto markInRun = [](int length, int repeats) {
        std::vector<int> run(static_cast<std::size_t>(length), 2);
        run[3] = 1;
        return markDiscards(run, std::vector<int>(static_cast<std::size_t>(repeats), 1), 3)
            .marks0[3];
    };
    EXPECT_EQ(markInRun(255, 6), kTooFrequent);
    EXPECT_EQ(markInRun(256, 10), kKeep);
    EXPECT_EQ(markInRun(256, 11), kTooFrequent);
}

TEST(AnalyzeTest, BadClassesAreRefused) {
    EditScript script{change(1, 0, 0, 0)};
    const std::vector<int> good = lines("ab");
    const std::vector<int> zero = {1, 0};
    const std::vector<int> tooBig = {1, kLetterLimit};
    EXPECT_FALSE(computeEditScript(zero, good, kLetterLimit, false, script));
    EXPECT_TRUE(script.empty());
    EXPECT_FALSE(computeEditScript(good, tooBig, kLetterLimit, false, script));
}

} // namespace
} // namespace tandel
