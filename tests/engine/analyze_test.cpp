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
    for (char c : letters)
        classes.push_back(c - 'a' + 1);
    return classes;
}

constexpr int kLetterLimit = 27;

// Where the scripts place their changes; the property tests check the rest.
TEST(AnalyzeTest, ScriptsForSmallInputs) {
    const struct {
        const char* first;
        const char* second;
        EditScript expected;
    } cases[] = {
        {"", "", {}},
        // A repeated line is reported after its first copy.
        {"abc", "abbc", {Change{1, 0, 2, 2}}},
        {"xaaay", "xaay", {Change{0, 1, 3, 3}}},
        // A class missing from the other input is always changed.
        {"abzc", "abc", {Change{0, 1, 2, 2}}},
        // A discarded frequent line is changed though it could pair.
        {"uvwfxyz", "ffffffa", {Change{7, 7, 0, 0}}},
    };
    for (const auto& c : cases) {
        EditScript script;
        EXPECT_TRUE(computeEditScript(lines(c.first), lines(c.second), kLetterLimit, {}, script));
        EXPECT_EQ(script, c.expected) << c.first << " / " << c.second;
    }
}

// Flags as written: '1' changed, '0' paired; a zero byte follows each array.
std::string shifted(const std::string& classes, std::string changed, std::string otherChanged) {
    for (std::string* flags : {&changed, &otherChanged})
        for (char& c : *flags)
            c = c == '1' ? 1 : 0;
    shiftBoundaries(lines(classes), changed.data(), otherChanged.data());
    for (char& c : changed)
        c = c ? '1' : '0';
    return changed;
}

TEST(AnalyzeTest, RunsSlideDownOverEqualLinesButNotOverChangesOfTheOtherInput) {
    const struct {
        const char *classes, *changed, *otherChanged, *expected;
    } cases[] = {
        {"xaaay", "01000", "0000", "00010"},
        // Sliding stops at a different line and never moves up.
        {"xabay", "01000", "0000", "01000"},
        {"xaaay", "00010", "0000", "00010"},
        // A run that slides into the next one carries on as one run.
        {"xaacay", "010100", "0000", "000110"},
        {"xababy", "011000", "0000", "000110"},
        {"xaay", "0100", "0100", "0100"},
        {"xaay", "0100", "0010", "0010"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(shifted(c.classes, c.changed, c.otherChanged), c.expected) << c.classes;
}

// "f" occurs six times in the other input, more than the five allowed for
// short inputs; the letters u..z never occur there.
TEST(AnalyzeTest, FrequentLinesSurviveOnlyDeepInsideRunsOfUnpairedLines) {
    const std::vector<int> other = lines("ffffffa");
    auto marksOf = [&](const std::string& text) {
        return markDiscards(lines(text), other, kLetterLimit).marks0;
    };
    const DiscardMarks missing = markDiscards(lines("abzc"), lines("abc"), kLetterLimit);
    EXPECT_THAT(missing.marks0, ElementsAre(kKeep, kKeep, kNoPartner, kKeep));
    EXPECT_THAT(missing.marks1, ElementsAre(kKeep, kKeep, kKeep));
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

    // The limit of five grows with the input.
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
    EditScript script{Change{1, 0, 0, 0}};
    EXPECT_FALSE(computeEditScript(std::vector<int>{1, 0}, lines("ab"), kLetterLimit, {}, script));
    EXPECT_TRUE(script.empty());
    EXPECT_FALSE(computeEditScript(lines("ab"), std::vector<int>{1, kLetterLimit}, kLetterLimit, {},
                                   script));
}

} // namespace
} // namespace tandel
