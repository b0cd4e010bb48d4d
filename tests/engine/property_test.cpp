// Randomised checks of the difference algorithm, on class arrays and through the
// engine: every script turns the first input into the second, minimally unless
// frequent lines were discarded or the cost limit cut the search short.
#include "engine/analyze.h"
#include "engine/analyze_stages.h"
#include "engine_harness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <numeric>
#include <optional>
#include <random>
#include <regex>
#include <string>
#include <vector>

namespace tandel {
namespace {

template <typename Line> int lcsLength(const std::vector<Line>& a, const std::vector<Line>& b) {
    std::vector<int> row(b.size() + 1, 0);
    for (const Line& x : a) {
        int diagonal = 0;
        for (std::size_t j = 0; j < b.size(); ++j) {
            const int above = row[j + 1];
            row[j + 1] = x == b[j] ? diagonal + 1 : std::max(above, row[j]);
            diagonal = above;
        }
    }
    return row.back();
}

// Empty when the script turns `a` into `b` and, if `minimal`, changes no more
// lines than it must; otherwise what is wrong with it.
template <typename Line>
std::string checkScript(const std::vector<Line>& a, const std::vector<Line>& b,
                        const EditScript& script, bool minimal) {
    std::vector<Line> result;
    int pos0 = 0;
    int pos1 = 0;
    int changed = 0;
    for (const Change& c : script) {
        const bool first = &c == &script.front();
        if (c.inserted + c.deleted == 0 || c.line0 < pos0 + (first ? 0 : 1) ||
            c.line0 + c.deleted > static_cast<int>(a.size()) ||
            c.line1 + c.inserted > static_cast<int>(b.size()) || c.line1 - pos1 != c.line0 - pos0)
            return "malformed record at line " + std::to_string(c.line0);
        result.insert(result.end(), a.begin() + pos0, a.begin() + c.line0);
        result.insert(result.end(), b.begin() + c.line1, b.begin() + c.line1 + c.inserted);
        pos0 = c.line0 + c.deleted;
        pos1 = c.line1 + c.inserted;
        changed += c.inserted + c.deleted;
    }
    result.insert(result.end(), a.begin() + pos0, a.end());
    if (result != b)
        return "the script does not give the second input";
    if (!minimal)
        return "";
    const int minimum = static_cast<int>(a.size() + b.size()) - 2 * lcsLength(a, b);
    if (changed != minimum)
        return std::to_string(changed) + " lines changed, " + std::to_string(minimum) + " needed";
    return "";
}

bool hasFrequentDiscards(const std::vector<int>& a, const std::vector<int>& b, int classLimit) {
    const DiscardMarks marks = markDiscards(a, b, classLimit);
    return std::ranges::find(marks.marks0, kTooFrequent) != marks.marks0.end() ||
           std::ranges::find(marks.marks1, kTooFrequent) != marks.marks1.end();
}

std::vector<int> randomClassRun(std::mt19937& random, int maxLength, int alphabet) {
    std::vector<int> classes(
        std::uniform_int_distribution<std::size_t>(0, static_cast<std::size_t>(maxLength))(random));
    std::uniform_int_distribution<int> pick(1, alphabet);
    for (int& c : classes)
        c = pick(random);
    return classes;
}

// A variant of `a`: a few lines replaced, removed or added, so that long
// common stretches remain (random pairs alone rarely have them).
std::vector<int> mutate(std::mt19937& random, const std::vector<int>& a, int alphabet, int edits) {
    std::vector<int> b = a;
    std::uniform_int_distribution<int> pick(1, alphabet);
    for (int e = 0; e < edits; ++e) {
        const int where = std::uniform_int_distribution<int>(0, static_cast<int>(b.size()))(random);
        const auto kind = random() % 3;
        if (kind == 0)
            b.insert(b.begin() + where, pick(random));
        else if (kind == 1 && where < static_cast<int>(b.size()))
            b.erase(b.begin() + where);
        else if (kind == 2 && where < static_cast<int>(b.size()))
            b[static_cast<std::size_t>(where)] = pick(random);
    }
    return b;
}

// Lines of class 1 are frequent in the second input, and most other lines of
// the first input have no partner: runs in which frequent lines get discarded.
void frequentPair(std::mt19937& random, std::vector<int>& a, std::vector<int>& b) {
    a.assign(std::uniform_int_distribution<std::size_t>(10, 40)(random), 1);
    b.assign(std::uniform_int_distribution<std::size_t>(10, 40)(random), 1);
    for (int& c : a)
        if (random() % 4 != 0)
            c = 10 + static_cast<int>(random() % 20);
    for (int& c : b)
        if (random() % 2 != 0)
            c = 2 + static_cast<int>(random() % 10);
}

TEST(PropertyTest, ScriptsAreValidAndMinimalUnlessFrequentLinesWereDiscarded) {
    std::mt19937 random(20240611);
    int exactCases = 0;
    int frequentCases = 0;
    int longerWhenBounded = 0;
    for (int round = 0; round < 6000; ++round) {
        int classLimit = 30;
        std::vector<int> a;
        std::vector<int> b;
        if (round % 5 == 4) {
            frequentPair(random, a, b);
        } else {
            const int alphabet = 1 + round % 7;
            classLimit = alphabet + 3;
            a = randomClassRun(random, round % 2 ? 30 : 12, alphabet);
            b = round % 3 == 0 ? mutate(random, a, alphabet + 2, 1 + round % 5)
                               : randomClassRun(random, 30, alphabet);
        }
        const bool heuristic = round % 4 == 0;
        EditScript script;
        ASSERT_TRUE(computeEditScript(a, b, classLimit, {.heuristic = heuristic}, script)) << round;
        const bool frequent = hasFrequentDiscards(a, b, classLimit);
        ++(frequent ? frequentCases : exactCases);
        ASSERT_EQ(checkScript(a, b, script, !frequent), "") << round;

        // A limit this low cuts nearly every search short.
        EditScript bounded;
        const int costLimit = 1 + round % 4;
        ASSERT_TRUE(computeEditScript(a, b, classLimit,
                                      {.heuristic = heuristic, .costLimit = costLimit}, bounded))
            << round;
        ASSERT_EQ(checkScript(a, b, bounded, false), "") << round << " limit " << costLimit;
        const auto changedLines = [](const EditScript& s) {
            int lines = 0;
            for (const Change& c : s)
                lines += c.inserted + c.deleted;
            return lines;
        };
        longerWhenBounded += changedLines(bounded) > changedLines(script) ? 1 : 0;
    }
    EXPECT_GT(exactCases, 4000);
    EXPECT_GT(frequentCases, 100);
    // The limit did take effect.
    EXPECT_GT(longerWhenBounded, 100);
}

// Long inputs, a few percent changed: the search is cut short from either end,
// and the last round would take a recursive search deep.
TEST(PropertyTest, LongInputsGiveValidScripts) {
    std::mt19937 random(77);
    for (int round = 0; round < 7; ++round) {
        const bool large = round == 6;
        const int alphabet = large ? 100000 : round % 2 ? 50 : 30000;
        std::vector<int> a(large ? 200000 : 30000);
        for (int& c : a)
            c = 1 + static_cast<int>(random() % static_cast<unsigned>(alphabet));
        const std::vector<int> b = mutate(random, a, alphabet, large ? 10000 : 600 + 300 * round);
        for (const SearchOptions options :
             {SearchOptions{.heuristic = false}, SearchOptions{.heuristic = true},
              SearchOptions{.costLimit = 64}, SearchOptions{.heuristic = true, .costLimit = 16},
              SearchOptions{.costLimit = kExactSearch}}) {
            EditScript script;
            ASSERT_TRUE(computeEditScript(a, b, alphabet + 1, options, script));
            ASSERT_EQ(checkScript(a, b, script, false), "")
                << round << " limit " << options.costLimit;
        }
    }
}

TEST(PropertyTest, TheCostLimitBindsOnlyOnCostlyInputs) {
    std::mt19937 random(5);
    std::vector<int> large(300000);
    std::iota(large.begin(), large.end(), 1);
    std::vector<int> small(6000);
    std::iota(small.begin(), small.end(), 1);
    for (const auto& [a, edits] : {std::pair{&large, 300}, std::pair{&small, 2000}}) {
        const int alphabet = static_cast<int>(a->size()) + 1000;
        const std::vector<int> b = mutate(random, *a, alphabet, edits);
        EditScript bounded;
        EditScript exact;
        ASSERT_TRUE(computeEditScript(*a, b, alphabet + 1, {}, bounded));
        ASSERT_TRUE(computeEditScript(*a, b, alphabet + 1, {.costLimit = kExactSearch}, exact));
        EXPECT_EQ(bounded, exact) << a->size();
    }

    std::vector<int> shuffled = small;
    std::shuffle(shuffled.begin(), shuffled.end(), random);
    EditScript script;
    ASSERT_TRUE(computeEditScript(small, shuffled, 6001, {.costLimit = 100}, script));
    EXPECT_EQ(checkScript(small, shuffled, script, false), "");
    EXPECT_EQ(derivedCostLimit(1000), 4096);
    EXPECT_EQ(derivedCostLimit(100000000), 10000);
}

// ---- Through the engine, on files.

struct Rules {
    bool spaceChange = false; // -b
    bool allSpace = false;    // -w
    bool ignoreCase = false;  // -i
};

// What a line is compared as under the rules; `complete` is false for a last
// line without its newline. Under -b a run of blanks counts as one blank, and
// not at all at the end of the line.
std::string lineKey(const std::string& line, bool complete, const Rules& rules) {
    auto blank = [&](std::size_t i) { return line[i] == ' ' || line[i] == '\t'; };
    std::string key;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (!blank(i))
            key += rules.ignoreCase
                       ? static_cast<char>(std::tolower(static_cast<unsigned char>(line[i])))
                       : line[i];
        else if (!rules.allSpace && !rules.spaceChange)
            key += line[i];
        else if (!rules.allSpace && i + 1 < line.size() && !blank(i + 1))
            key += ' ';
    }
    // Only the white-space rules look past the missing newline.
    if (!complete && !rules.spaceChange && !rules.allSpace)
        key += '\n';
    return key;
}

std::vector<std::string> splitLines(const std::string& text, const Rules& rules) {
    std::vector<std::string> keys;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        keys.push_back(lineKey(text.substr(start, end - start), end < text.size(), rules));
        start = end + 1;
    }
    return keys;
}

// Reads a normal-format result ("3a4,5", "7,8d6", "10c11" lines) back into
// change records; nothing when a line is malformed.
std::optional<EditScript> readResult(const std::string& result) {
    static const std::regex pattern(R"((\d+)(,(\d+))?([acd])(\d+)(,(\d+))?\n)");
    EditScript script;
    std::smatch m;
    for (auto at = result.cbegin(); at != result.cend(); at = m[0].second) {
        if (!std::regex_search(at, result.cend(), m, pattern,
                               std::regex_constants::match_continuous))
            return std::nullopt;
        const char kind = *m[4].first;
        const int from0 = std::stoi(m[1]);
        const int to0 = m[2].matched ? std::stoi(m[3]) : from0;
        const int from1 = std::stoi(m[5]);
        const int to1 = m[6].matched ? std::stoi(m[7]) : from1;
        if ((m[2].matched && (to0 <= from0 || kind == 'a')) ||
            (m[6].matched && (to1 <= from1 || kind == 'd')))
            return std::nullopt;
        // "a" names the line of file 1 after which the insertion goes, "d"
        // the line of file 2 after which the deleted lines would have stood.
        script.push_back(Change{kind == 'd' ? 0 : to1 - from1 + 1,
                                kind == 'a' ? 0 : to0 - from0 + 1, kind == 'a' ? from0 : from0 - 1,
                                kind == 'd' ? from1 : from1 - 1});
    }
    return script;
}

std::string randomText(std::mt19937& random, const std::vector<std::string>& pool, int maxLines) {
    const int lines = std::uniform_int_distribution<int>(0, maxLines)(random);
    const int distinct =
        std::uniform_int_distribution<int>(1, static_cast<int>(pool.size()))(random);
    std::uniform_int_distribution<int> pick(0, distinct - 1);
    std::string text;
    for (int i = 0; i < lines; ++i)
        text += pool[static_cast<std::size_t>(pick(random))] + "\n";
    if (!text.empty() && random() % 3 == 0)
        text.pop_back();
    return text;
}

TEST(PropertyTest, EngineResultsTurnTheFirstFileIntoTheSecond) {
    // Lines that differ only in case or white space, so that each rule merges
    // some of them.
    const std::vector<std::string> pool = {"a",   "b", "A", " a", "a ",    "a  b", "a b", "ab",
                                           "\tb", "",  "B", "c",  "a\t b", " A",   "C",   "b "};
    std::mt19937 random(4242);
    testing::EngineHarness harness;
    // The same comparisons on two threads, watched by the hooks, with -d and
    // the lines' starts lent: the same bytes.
    testing::EngineHarness hooked;
    std::atomic<bool> never{false};
    std::atomic<std::uint32_t> progress{0};
    hooked.context.parallelFrom = 0;
    hooked.context.cancel = &never;
    hooked.context.progress = &progress;
    int exactChecks = 0;
    for (int round = 0; round < 1000; ++round) {
        const Rules rules{round % 2 == 1, round % 5 == 2, round % 3 == 1};
        std::vector<std::string> options;
        for (auto [on, option] :
             {std::pair{rules.spaceChange, "-b"}, {rules.allSpace, "-w"}, {rules.ignoreCase, "-i"}})
            if (on)
                options.push_back(option);
        const std::string text0 = randomText(random, pool, 12);
        const std::string text1 = randomText(random, pool, 12);
        const int status = harness.compare(text0, text1, options);
        ASSERT_TRUE(status == 0 || status == 1) << round;
        std::vector<std::string> exact = options;
        exact.push_back("-d");
        testing::CallerText copy0(text0);
        testing::CallerText copy1(text1);
        const auto words =
            hooked.command(exact, harness.folder.file("first"), harness.folder.file("second"));
        ASSERT_EQ(hooked.runWords(words, copy0.view(true), copy1.view(true)), status) << round;
        ASSERT_EQ(hooked.result(), harness.result()) << round;
        ASSERT_EQ(progress.load(), 1000u) << round;

        const std::vector<std::string> first = splitLines(text0, rules);
        const std::vector<std::string> second = splitLines(text1, rules);
        const auto script = readResult(harness.result());
        ASSERT_TRUE(script.has_value()) << round << ": " << harness.result();
        EXPECT_EQ(status, script->empty() ? 0 : 1) << round;
        // Without more than five copies of any line, nothing is discarded for
        // being frequent, and the script must be minimal.
        auto fewRepeats = [](const std::vector<std::string>& keys) {
            return std::ranges::all_of(
                keys, [&](const std::string& key) { return std::ranges::count(keys, key) <= 5; });
        };
        const bool minimal = fewRepeats(first) && fewRepeats(second);
        exactChecks += minimal ? 1 : 0;
        ASSERT_EQ(checkScript(first, second, *script, minimal), "")
            << round << ": " << harness.result();
    }
    EXPECT_GT(exactChecks, 600);
}

} // namespace
} // namespace tandel
