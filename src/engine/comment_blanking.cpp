#include "engine/comment_blanking.h"

#include <string_view>

namespace tandel {
namespace {

constexpr auto npos = std::string_view::npos;

void blankRange(std::span<char> region, std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i) {
        if (region[i] != '\n')
            region[i] = ' ';
    }
}

void blankToLineEnds(std::span<char> region, std::string_view begin) {
    const std::string_view text(region.data(), region.size());
    // A blanked marker no longer matches (markers hold no blank), so each
    // search finds a later occurrence.
    for (std::size_t at = text.find(begin); at != npos; at = text.find(begin, at)) {
        std::size_t end = text.find('\n', at);
        blankRange(region, at, end == npos ? text.size() : end);
    }
}

void blankPairs(std::span<char> region, std::string_view begin, std::string_view end) {
    const std::string_view text(region.data(), region.size());
    std::size_t first = text.find(begin);
    while (first != npos) {
        // Searching the end marker only past the begin marker keeps an
        // overlapping pair such as "/*/" from ending the comment it opens.
        const std::size_t close = text.find(end, first + begin.size());
        if (close == npos)
            return;
        // The innermost begin marker before the end marker owns it; an outer
        // one is paired with the next end marker in a later round.
        std::size_t open = first;
        for (std::size_t next = text.find(begin, open + 1);
             next != npos && next + begin.size() <= close; next = text.find(begin, next + 1))
            open = next;
        blankRange(region, open, close + end.size());
        first = text.find(begin, first);
    }
}

// Blanking makes progress only because a blanked marker cannot match again: a
// marker that is empty or holds a blank or a newline is therefore not used.
bool usableMarker(std::string_view marker) {
    return !marker.empty() && marker.find_first_of(" \n") == npos;
}

} // namespace

void blankComments(std::span<char> region, std::span<const CommentDefinition> definitions) {
    for (const CommentDefinition& definition : definitions) {
        if (!usableMarker(definition.begin) || !usableMarker(definition.end))
            continue;
        if (definition.end == "$")
            blankToLineEnds(region, definition.begin);
        else
            blankPairs(region, definition.begin, definition.end);
    }
}

} // namespace tandel
