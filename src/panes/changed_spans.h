// The characters that differ between two paired lines of a change (side 1's
// k-th line against side 2's k-th line), as byte spans on each side, for the
// panes to paint in a darker shade. The spans follow the comparison's own
// white-space rules and never split a UTF-8 character.
#pragma once

#include "merge/byte_span.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace tandel {

struct EngineSwitches;

struct SpanRules {
    // Runs of white space compare equal to each other and a run that ends the
    // line takes no part: a change in the amount of white space is no change.
    bool compressSpaces = false;
    // White space takes no part at all.
    bool ignoreSpaces = false;

    bool operator==(const SpanRules&) const = default;
};

// The rules of the comparison that the switches run: white space is
// compressed with "Compress spaces", and also in table mode and when comments
// are ignored, as the engine is then told to.
[[nodiscard]] SpanRules spanRulesFor(const EngineSwitches& switches);

struct PairSpans {
    std::vector<ByteSpan> side1; // in order, neither empty nor touching
    std::vector<ByteSpan> side2;

    bool operator==(const PairSpans&) const = default;
};

// Work allowed for the character alignment of one pair: the diagonals of the
// edit graph visited, each with a few dozen character comparisons. Past it
// the pair falls back to its common head and tail, with everything between
// them changed.
inline constexpr std::size_t kSpanCostBound = std::size_t{1} << 16;

// The changed spans of a pair of lines (line feeds excluded). A pair that the
// rules make equal has none.
[[nodiscard]] PairSpans changedSpansOf(std::string_view one, std::string_view two,
                                       const SpanRules& rules,
                                       std::size_t costBound = kSpanCostBound);

} // namespace tandel
