#include "panes/changed_spans.h"

#include "engine/line_rules.h"
#include "merge/comparison_driver.h"
#include "merge/display_text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace tandel {
namespace {

// One character of a line as the alignment sees it: a UTF-8 character, a
// byte that starts no valid sequence, or a run of white space that the rules
// compress.
struct Unit {
    std::uint32_t key; // equal keys are equal characters under the rules
    std::uint32_t begin;
    std::uint32_t end;
};

// The comparison's white space as a table, so that the scan of a long line
// makes no call per byte.
const std::array<bool, 256> kWhiteSpace = [] {
    std::array<bool, 256> table{};
    for (int c = 0; c < 256; ++c) {
        table[static_cast<std::size_t>(c)] = isWhiteSpace(static_cast<unsigned char>(c));
    }
    return table;
}();

// A character's key is its bytes, packed: below 0xE000 for one or two bytes,
// from 0xE0A080 for three or four. Stray bytes and white-space runs lie between.
constexpr std::uint32_t kStrayByteKey = 0x110000; // + the byte
constexpr std::uint32_t kSpaceRunKey = 0x110100;

// The units of line[from, to). A compressed run of white space that ends the
// line takes no part.
std::vector<Unit> unitsOf(std::string_view line, std::size_t from, std::size_t to,
                          const SpanRules& rules) {
    std::vector<Unit> units;
    units.reserve(to - from);
    const auto* p = reinterpret_cast<const unsigned char*>(line.data());
    const auto unit = [](std::uint32_t key, std::size_t begin, std::size_t end) {
        return Unit{key, static_cast<std::uint32_t>(begin), static_cast<std::uint32_t>(end)};
    };
    const std::string_view piece = line.substr(0, to);
    for (std::size_t i = from; i < to;) {
        const std::size_t length = utf8SequenceLength(piece, i);
        if (length > 1) {
            std::uint32_t key = 0;
            for (std::size_t k = 0; k < length; ++k) {
                key = key << 8 | p[i + k];
            }
            units.push_back(unit(key, i, i + length));
            i += length;
            continue;
        }
        // The comparison's white space is a set of single bytes.
        if (!kWhiteSpace[p[i]] || (!rules.ignoreSpaces && !rules.compressSpaces)) {
            units.push_back(unit(length == 1 ? p[i] : kStrayByteKey + p[i], i, i + 1));
            ++i;
            continue;
        }
        std::size_t end = i + 1;
        while (end < to && kWhiteSpace[p[end]]) {
            ++end;
        }
        if (!rules.ignoreSpaces && end < line.size()) {
            units.push_back(unit(kSpaceRunKey, i, end));
        }
        i = end;
    }
    return units;
}

// A place where a line may be cut without splitting a character or a run of
// white space: the pieces on either side then hold the same units as in the
// whole line.
bool cleanCut(std::string_view line, std::size_t at) {
    if (at == 0 || at >= line.size()) {
        return true;
    }
    const auto c = static_cast<unsigned char>(line[at]);
    return (c & 0xC0) != 0x80 && !kWhiteSpace[c] &&
           !kWhiteSpace[static_cast<unsigned char>(line[at - 1])];
}

// The shortest edit script between a and b (the greedy forward search over
// the diagonals of the edit graph), marking deleted units of a and inserted
// units of b. False when it would visit more than `bound` diagonals, or
// compare more than kComparesPerDiagonal times as many units along them.
constexpr std::size_t kComparesPerDiagonal = 64;

bool align(const Unit* a, std::ptrdiff_t n, const Unit* b, std::ptrdiff_t m, std::size_t bound,
           char* deleted, char* inserted) {
    // Round d visits d + 1 diagonals, so about sqrt(2 bound) rounds fit.
    const auto maxRounds = std::min<std::ptrdiff_t>(
        n + m, static_cast<std::ptrdiff_t>(std::sqrt(2.0 * static_cast<double>(bound))) + 1);
    const std::ptrdiff_t offset = maxRounds + 1;
    std::vector<std::ptrdiff_t> v(static_cast<std::size_t>(2 * offset + 1), 0);
    // The furthest x on each diagonal k = -d, -d + 2, ..., d after round d;
    // round d starts at d (d + 1) / 2.
    std::vector<std::uint32_t> trace;
    trace.reserve(static_cast<std::size_t>((maxRounds + 1) * (maxRounds + 2) / 2));
    const auto at = [&](std::ptrdiff_t d, std::ptrdiff_t k) -> std::ptrdiff_t {
        return trace[static_cast<std::size_t>(d * (d + 1) / 2 + (k + d) / 2)];
    };
    const auto goesDown = [](std::ptrdiff_t k, std::ptrdiff_t d, std::ptrdiff_t left,
                             std::ptrdiff_t right) { return k == -d || (k != d && left < right); };
    std::size_t diagonals = 0;
    std::size_t compares = 0;
    for (std::ptrdiff_t d = 0; d <= maxRounds; ++d) {
        bool reached = false;
        for (std::ptrdiff_t k = -d; k <= d; k += 2) {
            std::ptrdiff_t* cell = &v[static_cast<std::size_t>(offset + k)];
            std::ptrdiff_t x = goesDown(k, d, cell[-1], cell[1]) ? cell[1] : cell[-1] + 1;
            std::ptrdiff_t y = x - k;
            const std::ptrdiff_t start = x;
            while (x < n && y < m && a[x].key == b[y].key) {
                ++x;
                ++y;
            }
            compares += static_cast<std::size_t>(x - start);
            *cell = x;
            trace.push_back(static_cast<std::uint32_t>(x));
            reached = reached || (x >= n && y >= m);
        }
        if (reached) {
            // Walk back from the end, one edit per round.
            std::ptrdiff_t x = n;
            std::ptrdiff_t y = m;
            for (std::ptrdiff_t e = d; e > 0; --e) {
                const std::ptrdiff_t k = x - y;
                const bool down = goesDown(k, e, k - 1 >= -(e - 1) ? at(e - 1, k - 1) : 0,
                                           k + 1 <= e - 1 ? at(e - 1, k + 1) : 0);
                const std::ptrdiff_t previousK = down ? k + 1 : k - 1;
                const std::ptrdiff_t previousX = at(e - 1, previousK);
                const std::ptrdiff_t previousY = previousX - previousK;
                if (down) {
                    inserted[previousY] = 1;
                } else {
                    deleted[previousX] = 1;
                }
                x = previousX;
                y = previousY;
            }
            return true;
        }
        diagonals += static_cast<std::size_t>(d) + 1;
        if (diagonals > bound || compares > kComparesPerDiagonal * bound) {
            return false;
        }
    }
    return false;
}

// A stretch of the alignment: equal units, or changed units on either side.
struct Run {
    bool equal;
    std::size_t a0, a1, b0, b1;
    std::size_t width() const { return std::max(a1 - a0, b1 - b0); }
};

std::vector<Run> runsOf(const std::vector<char>& deleted, const std::vector<char>& inserted) {
    std::vector<Run> runs;
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < deleted.size() || j < inserted.size()) {
        const std::size_t i0 = i;
        const std::size_t j0 = j;
        const bool equal = i < deleted.size() && j < inserted.size() && !deleted[i] && !inserted[j];
        if (equal) {
            ++i;
            ++j;
        } else {
            while (i < deleted.size() && deleted[i]) {
                ++i;
            }
            while (j < inserted.size() && inserted[j]) {
                ++j;
            }
        }
        if (!runs.empty() && runs.back().equal == equal) {
            runs.back().a1 = i;
            runs.back().b1 = j;
        } else {
            runs.push_back({equal, i0, i, j0, j});
        }
    }
    return runs;
}

// A short match between two changes is mostly chance (the "l" that "value"
// and "result" share): it joins the changes when it is no longer than
// either of them, so that the eye sees one changed word, not confetti.
void absorbChanceMatches(std::vector<Run>& runs) {
    for (bool merged = true; merged;) {
        merged = false;
        for (std::size_t r = 1; r + 1 < runs.size(); ++r) {
            const Run& match = runs[r];
            if (!match.equal || runs[r - 1].equal || runs[r + 1].equal) {
                continue;
            }
            const std::size_t length = match.a1 - match.a0;
            if (length <= runs[r - 1].width() && length <= runs[r + 1].width()) {
                runs[r - 1].a1 = runs[r + 1].a1;
                runs[r - 1].b1 = runs[r + 1].b1;
                runs.erase(runs.begin() + static_cast<std::ptrdiff_t>(r),
                           runs.begin() + static_cast<std::ptrdiff_t>(r) + 2);
                merged = true;
            }
        }
    }
}

// Byte spans of units [from, to), joining units that touch.
void addSpans(const std::vector<Unit>& units, std::size_t from, std::size_t to,
              std::vector<ByteSpan>& spans) {
    for (std::size_t u = from; u < to; ++u) {
        if (!spans.empty() && spans.back().end == units[u].begin) {
            spans.back().end = units[u].end;
        } else {
            spans.push_back({units[u].begin, units[u].end});
        }
    }
}

bool equalUnderRules(std::string_view one, std::string_view two, const SpanRules& rules) {
    LineRules lineRules;
    lineRules.spaceChange = rules.compressSpaces;
    lineRules.allSpace = rules.ignoreSpaces;
    // The comparison reads each line up to a line feed that follows it in memory.
    const std::string x = std::string(one) + '\n';
    const std::string y = std::string(two) + '\n';
    return linesEqual(x.data(), x.size(), y.data(), y.size(), lineRules);
}

} // namespace

SpanRules spanRulesFor(const EngineSwitches& switches) {
    SpanRules rules;
    rules.compressSpaces = switches.compressSpaces || switches.tableMode || switches.ignoreComments;
    rules.ignoreSpaces = switches.ignoreAllSpaces;
    return rules;
}

PairSpans changedSpansOf(std::string_view one, std::string_view two, const SpanRules& rules,
                         std::size_t costBound) {
    PairSpans spans;
    if (equalUnderRules(one, two, rules)) {
        return spans;
    }
    constexpr std::size_t kMaxUnitOffset = std::numeric_limits<std::uint32_t>::max();
    if (one.size() > kMaxUnitOffset || two.size() > kMaxUnitOffset) {
        spans.side1.push_back({0, one.size()});
        spans.side2.push_back({0, two.size()});
        return spans;
    }
    // The common head and tail are found on the bytes first: a long line
    // with a few changes turns only its middle into units.
    std::size_t head = static_cast<std::size_t>(
        std::mismatch(one.begin(),
                      one.begin() + static_cast<std::ptrdiff_t>(std::min(one.size(), two.size())),
                      two.begin())
            .first -
        one.begin());
    while (!cleanCut(one, head) || !cleanCut(two, head)) {
        --head;
    }
    std::size_t tail = 0;
    while (tail < one.size() - head && tail < two.size() - head &&
           one[one.size() - 1 - tail] == two[two.size() - 1 - tail]) {
        ++tail;
    }
    while (!cleanCut(one, one.size() - tail) || !cleanCut(two, two.size() - tail)) {
        --tail;
    }
    const std::vector<Unit> a = unitsOf(one, head, one.size() - tail, rules);
    const std::vector<Unit> b = unitsOf(two, head, two.size() - tail, rules);
    std::size_t first = 0;
    while (first < a.size() && first < b.size() && a[first].key == b[first].key) {
        ++first;
    }
    std::size_t last = 0;
    while (last < a.size() - first && last < b.size() - first &&
           a[a.size() - 1 - last].key == b[b.size() - 1 - last].key) {
        ++last;
    }
    std::vector<char> deleted(a.size(), 0);
    std::vector<char> inserted(b.size(), 0);
    const auto n = static_cast<std::ptrdiff_t>(a.size() - first - last);
    const auto m = static_cast<std::ptrdiff_t>(b.size() - first - last);
    // Where one side has nothing left between head and tail, all the other's is new.
    if (n == 0 || m == 0 ||
        !align(a.data() + first, n, b.data() + first, m, costBound, deleted.data() + first,
               inserted.data() + first)) {
        std::fill(deleted.begin() + static_cast<std::ptrdiff_t>(first),
                  deleted.end() - static_cast<std::ptrdiff_t>(last), 1);
        std::fill(inserted.begin() + static_cast<std::ptrdiff_t>(first),
                  inserted.end() - static_cast<std::ptrdiff_t>(last), 1);
    }
    std::vector<Run> runs = runsOf(deleted, inserted);
    absorbChanceMatches(runs);
    for (const Run& run : runs) {
        if (!run.equal) {
            addSpans(a, run.a0, run.a1, spans.side1);
            addSpans(b, run.b0, run.b1, spans.side2);
        }
    }
    return spans;
}

} // namespace tandel
