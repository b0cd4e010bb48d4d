// Randomised checks of the difference algorithm, first on class arrays, then
// through the engine on real files: every script must turn the first input
// into the second, and must be as short as possible wherever no line was
// discarded for being too frequent.
#include "engine/analyze.h"
#include "engine/analyze_stages.h"
#include "engine_harness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace tandel {
namespace {

int lcsLength(const std::vector<int>& a, const std::vector<int>& b) {
    std::vector<int> row(b.size() + 1, 0);
    for (int x : a) {
        int diagonal = 0;
        for (std::size_t j = 0; j < b.size(); ++j) {
            const int above = row[j + 1];
            row[j + 1] = x == b[j] ? diagonal + 1 : std::max(above, row[j]);
            diagonal = above;
        }
    }
    return row.back();
}

// Applies the script to `a`; returns the result, or nothing when the script
// is malformed (out of order, empty records, misplaced or unequal pairs).
std::optional<std::vector<int>> applyScript(const std::vector<int>& a, const std::vector<int>& b,
                                            const EditScript& script) {
    std::vector<int> result;
    int pos0 = 0;
    int pos1 = 0;
    for (const Change& c : script) {
        const bool first = &c == &script.front();
        if (c.inserted + c.deleted == 0 || c.line0 < pos0 + (first ? 0 : 1) ||
            c.line0 + c.deleted > static_cast<int>(a.size()) ||
            c.line1 + c.inserted > static_cast<int>(b.size()) || c.line1 - pos1 != c.line0 - pos0) {
            return std::nullopt;
        }
        result.insert(result.end(), a.begin() + pos0, a.begin() + c.line0);
        result.insert(result.end(), b.begin() + c.line1, b.begin() + c.line1 + c.inserted);
        pos0 = c.line0 + c.deleted;
        pos1 = c.line1 + c.inserted;
    }
    result.insert(result.end(), a.begin() + pos0, a.end());
    return result;
}

int changedLines(const EditScript& script) {
    int count = 0;
    for (const Change& c : script) {
        count += c.inserted + c.deleted;
    }
    return count;
}

bool hasFrequentDiscards(const std::vector<int>& a, const std::vector<int>& b, int classLimit) {
    const DiscardMarks marks = markDiscards(a, b, classLimit);
    auto frequent = [](const std::vector<char>& m) {
        return std::find(m.begin(), m.end(), kTooFrequent) != m.end();
    };
    return frequent(marks.marks0) || frequent(marks.marks1);
}

std::vector<int> randomClasses(std::mt19937& random, int maxLength, int alphabet) {
    std::vector<int> classes(std::uniform_int_distribution<int>(0, maxLength)(random));
    std::uniform_int_distribution<int> pick(1, alphabet);
    for (int& c : classes) {
        c = pick(random);
    }
    return classes;
}

// A variant of `a`: a few lines replaced, removed or added, so that long
// common stretches remain (random pairs alone rarely have them).
std::vector<int> mutate(std::mt19937& random, const std::vector<int>& a, int alphabet, int edits) {
    std::vector<int> b = a;
    std::uniform_int_distribution<int> pick(1, alphabet);
    for (int e = 0; e < edits; ++e) {
        const int where = std::uniform_int_distribution<int>(0, static_cast<int>(b.size()))(random);
        switch (random() % 3) {
        case 0:
            b.insert(b.begin() + where, pick(random));
            break;
        case 1:
            if (where < static_cast<int>(b.size()))
                b.erase(b.begin() + where);
            break;
        default:
            if (where < static_cast<int>(b.size()))
                b[static_cast<std::size_t>(where)] = pick(random);
        }
    }
    return b;
}

// Lines of class 1 are frequent in the second input, and most other lines of
// the first input have no partner: runs in which frequent lines get discarded.
void frequentPair(std::mt19937& random, std::vector<int>& a, std::vector<int>& b) {
    a.assign(std::uniform_int_distribution<std::size_t>(10, 40)(random), 1);
    b.assign(std::uniform_int_distribution<std::size_t>(10, 40)(random), 1);
    for (int& c : a) {
        if (random() % 4 != 0)
            c = 10 + static_cast<int>(random() % 20);
    }
    for (int& c : b) {
        if (random() % 2 != 0)
            c = 2 + static_cast<int>(random() % 10);
    }
}

TEST(PropertyTest, ScriptsAreValidAndMinimalUnlessFrequentLinesWereDiscarded) {
    std::mt19937 random(20240611);
    int exactCases = 0;
    int frequentCases = 0;
    for (int round = 0; round < 6000; ++round) {
        int classLimit = 30;
        std::vector<int> a;
        std::vector<int> b;
        if (round % 5 == 4) {
            frequentPair(random, a, b);
        } else {
            const int alphabet = 1 + round % 7;
            classLimit = alphabet + 3;
            a = randomClasses(random, round % 2 ? 30 : 12, alphabet);
            b = round % 3 == 0 ? mutate(random, a, alphabet + 2, 1 + round % 5)
                               : randomClasses(random, 30, alphabet);
        }
        EditScript script;
        ASSERT_TRUE(computeEditScript(a, b, classLimit, round % 4 == 0, script)) << round;
        const auto applied = applyScript(a, b, script);
        ASSERT_TRUE(applied.has_value()) << round;
        ASSERT_EQ(*applied, b) << round;
        if (hasFrequentDiscards(a, b, classLimit)) {
            ++frequentCases;
            continue;
        }
        ++exactCases;
        const int minimum = static_cast<int>(a.size() + b.size()) - 2 * lcsLength(a, b);
        ASSERT_EQ(changedLines(script), minimum) << round;
    }
    EXPECT_GT(exactCases, 4000);
    EXPECT_GT(frequentCases, 100);
}

// Long inputs with a few percent of lines changed: ranges costly enough for
// the heuristic to cut the search short from either end, with snakes long
// enough to let it; the last round is large enough that a recursive search
// would go deep. Scripts must stay valid, with or without the heuristic.
TEST(PropertyTest, LongInputsGiveValidScripts) {
    std::mt19937 random(77);
    for (int round = 0; round < 7; ++round) {
        const bool large = round == 6;
        const int alphabet = large ? 100000 : round % 2 ? 50 : 30000;
        std::vector<int> a(large ? 200000 : 30000);
        for (int& c : a) {
            c = 1 + static_cast<int>(random() % static_cast<unsigned>(alphabet));
        }
        const std::vector<int> b = mutate(random, a, alphabet, large ? 10000 : 600 + 300 * round);
        for (bool heuristic : {false, true}) {
            EditScript script;
            ASSERT_TRUE(computeEditScript(a, b, alphabet + 1, heuristic, script));
            const auto applied = applyScript(a, b, script);
            ASSERT_TRUE(applied.has_value());
            ASSERT_EQ(*applied, b);
        }
    }
}

// ---- Through the engine, on files.

struct Rules {
    bool spaceChange = false; // -b
    bool allSpace = false;    // -w
    bool ignoreCase = false;  // -i
};

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// What a line is compared as under the rules; `complete` is false for a last
// line without its newline.
std::string lineKey(const std::string& line, bool complete, const Rules& rules) {
    std::string key;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (isBlank(c) && rules.allSpace) {
            continue;
        }
        if (isBlank(c) && rules.spaceChange) {
            while (i + 1 < line.size() && isBlank(line[i + 1])) {
                ++i;
            }
            if (i + 1 < line.size()) {
                key += ' ';
            }
            continue;
        }
        key +=
            rules.ignoreCase ? static_cast<char>(std::tolower(static_cast<unsigned char>(c))) : c;
    }
    // Only the white-space rules look past the missing newline.
    if (!complete && !rules.spaceChange && !rules.allSpace) {
        key += '\n';
    }
    return key;
}

std::vector<std::string> splitLines(const std::string& text, const Rules& rules) {
    std::vector<std::string> keys;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            keys.push_back(lineKey(text.substr(start), false, rules));
            break;
        }
        keys.push_back(lineKey(text.substr(start, end - start), true, rules));
        start = end + 1;
    }
    return keys;
}

struct Command {
    int from0 = 0;
    int to0 = 0;
    char kind = 0;
    int from1 = 0;
    int to1 = 0;
};

// Parses "3a4,5", "7,8d6", "10c11"; nothing for any other line.
std::optional<Command> parseCommand(const std::string& line) {
    Command command;
    std::size_t pos = 0;
    auto number = [&](int& value) {
        const std::size_t start = pos;
        value = 0;
        while (pos < line.size() && std::isdigit(static_cast<unsigned char>(line[pos]))) {
            value = value * 10 + (line[pos++] - '0');
        }
        return pos > start;
    };
    auto range = [&](int& from, int& to) {
        if (!number(from)) {
            return false;
        }
        to = from;
        if (pos < line.size() && line[pos] == ',') {
            ++pos;
            return number(to) && to > from;
        }
        return true;
    };
    if (!range(command.from0, command.to0) || pos >= line.size()) {
        return std::nullopt;
    }
    command.kind = line[pos++];
    if (std::string("acd").find(command.kind) == std::string::npos ||
        !range(command.from1, command.to1) || pos != line.size()) {
        return std::nullopt;
    }
    return command;
}

// Applies the normal-format result to the first file's keys; nothing when a
// line is malformed or a command does not fit where it stands.
std::optional<std::vector<std::string>> applyResult(const std::string& result,
                                                    const std::vector<std::string>& first,
                                                    const std::vector<std::string>& second,
                                                    int& changed) {
    std::vector<std::string> out;
    int next0 = 1; // first line of file 1 not yet copied
    changed = 0;
    std::size_t start = 0;
    while (start < result.size()) {
        const std::size_t end = result.find('\n', start);
        if (end == std::string::npos) {
            return std::nullopt;
        }
        const auto command = parseCommand(result.substr(start, end - start));
        start = end + 1;
        if (!command) {
            return std::nullopt;
        }
        // "a" names the line after which the insertion goes; "d" the line of
        // file 2 after which the deleted lines would have stood.
        const int lastKept = command->kind == 'a' ? command->from0 : command->from0 - 1;
        if (lastKept + 1 < next0 || command->to0 > static_cast<int>(first.size()) ||
            (command->kind == 'a' && command->from0 != command->to0)) {
            return std::nullopt;
        }
        out.insert(out.end(), first.begin() + (next0 - 1), first.begin() + lastKept);
        next0 = lastKept + 1;
        if (command->kind != 'a') {
            changed += command->to0 - command->from0 + 1;
            next0 = command->to0 + 1;
        }
        if (command->kind == 'd') {
            if (command->from1 != command->to1 || command->from1 != static_cast<int>(out.size())) {
                return std::nullopt;
            }
            continue;
        }
        if (command->from1 != static_cast<int>(out.size()) + 1 ||
            command->to1 > static_cast<int>(second.size())) {
            return std::nullopt;
        }
        out.insert(out.end(), second.begin() + (command->from1 - 1), second.begin() + command->to1);
        changed += command->to1 - command->from1 + 1;
    }
    out.insert(out.end(), first.begin() + (next0 - 1), first.end());
    return out;
}

std::vector<int> numbered(const std::vector<std::string>& keys,
                          std::map<std::string, int>& numbers) {
    std::vector<int> result;
    for (const std::string& key : keys) {
        result.push_back(numbers.emplace(key, static_cast<int>(numbers.size()) + 1).first->second);
    }
    return result;
}

int mostRepeats(const std::vector<int>& classes) {
    std::map<int, int> counts;
    int most = 0;
    for (int c : classes) {
        most = std::max(most, ++counts[c]);
    }
    return most;
}

std::string randomText(std::mt19937& random, const std::vector<std::string>& pool, int maxLines) {
    const int lines = std::uniform_int_distribution<int>(0, maxLines)(random);
    const int distinct =
        std::uniform_int_distribution<int>(1, static_cast<int>(pool.size()))(random);
    std::uniform_int_distribution<int> pick(0, distinct - 1);
    std::string text;
    for (int i = 0; i < lines; ++i) {
        text += pool[static_cast<std::size_t>(pick(random))] + "\n";
    }
    if (!text.empty() && random() % 3 == 0) {
        text.pop_back();
    }
    return text;
}

TEST(PropertyTest, EngineResultsTurnTheFirstFileIntoTheSecond) {
    // Lines that differ only in case or white space, so that each rule merges
    // some of them.
    const std::vector<std::string> pool = {"a",   "b", "A", " a", "a ",    "a  b", "a b", "ab",
                                           "\tb", "",  "B", "c",  "a\t b", " A",   "C",   "b "};
    std::mt19937 random(4242);
    testing::EngineHarness harness;
    int exactChecks = 0;
    for (int round = 0; round < 1000; ++round) {
        Rules rules;
        rules.spaceChange = round % 2 == 1;
        rules.allSpace = round % 5 == 2;
        rules.ignoreCase = round % 3 == 1;
        std::vector<std::string> options;
        if (rules.spaceChange)
            options.push_back("-b");
        if (rules.allSpace)
            options.push_back("-w");
        if (rules.ignoreCase)
            options.push_back("-i");

        const std::string text0 = randomText(random, pool, 12);
        const std::string text1 = randomText(random, pool, 12);
        const std::string name0 = harness.folder.write("first", text0);
        const std::string name1 = harness.folder.write("second", text1);
        std::vector<std::string> words{"diff"};
        words.insert(words.end(), options.begin(), options.end());
        words.insert(words.end(), {"-o", harness.output, name0, name1});
        testing::CallerText caller0(text0);
        testing::CallerText caller1(text1);
        const int status = harness.runWords(words, caller0.view(), caller1.view());
        ASSERT_TRUE(status == 0 || status == 1) << round;

        const std::vector<std::string> first = splitLines(text0, rules);
        const std::vector<std::string> second = splitLines(text1, rules);
        int changed = 0;
        const auto applied = applyResult(harness.result(), first, second, changed);
        ASSERT_TRUE(applied.has_value()) << round << ": " << harness.result();
        ASSERT_EQ(*applied, second) << round << ": " << harness.result();
        EXPECT_EQ(status, changed > 0 ? 1 : 0) << round;

        // Without more than five copies of any line, nothing is discarded for
        // being frequent, and the script must be minimal.
        std::map<std::string, int> numbers;
        const std::vector<int> classes0 = numbered(first, numbers);
        const std::vector<int> classes1 = numbered(second, numbers);
        if (mostRepeats(classes0) <= 5 && mostRepeats(classes1) <= 5) {
            ++exactChecks;
            const int minimum = static_cast<int>(classes0.size() + classes1.size()) -
                                2 * lcsLength(classes0, classes1);
            ASSERT_EQ(changed, minimum) << round << ": " << harness.result();
        }
    }
    EXPECT_GT(exactChecks, 600);
}

} // namespace
} // namespace tandel
