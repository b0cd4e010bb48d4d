#include "engine/line_split.h"

#include "engine/comment_blanking.h"
#include "engine/engine.h"
#include "engine/input_file.h"
#include "engine/run_hooks.h"

#include <algorithm>
#include <cstring>

namespace tandel {
namespace {

// Lines between two looks at the cancel flag: a few milliseconds of work.
constexpr std::size_t kLinesPerSplitCheck = 1 << 16;

// The middle lines' starts in the caller's list, when it lent one that
// matches the middle region; empty otherwise.
std::span<const std::size_t> lentMiddle(const InputFile& input) {
    const std::span<const std::size_t> all = input.lentStarts;
    const auto first = static_cast<std::size_t>(input.prefixLines);
    if (first >= all.size() || all[first] != input.prefixEnd)
        return {};
    const auto last = std::lower_bound(all.begin() + static_cast<std::ptrdiff_t>(first), all.end(),
                                       input.suffixBegin);
    if (last == all.end() || *last != input.suffixBegin)
        return {};
    return all.subspan(first, static_cast<std::size_t>(last - all.begin()) - first + 1);
}

} // namespace

void splitMiddle(InputFile& input, const LineRules& rules,
                 std::span<const CommentDefinition> comments, std::size_t capacity,
                 const SplitProgress& progress) {
    char* const buffer = input.buffer;
    if (!comments.empty())
        blankComments(
            std::span<char>(buffer + input.prefixEnd, input.suffixBegin - input.prefixEnd),
            comments);
    // Lines lent by the caller need no list of their own; a text rewritten
    // above may no longer match it.
    const std::span<const std::size_t> lent =
        comments.empty() ? lentMiddle(input) : std::span<const std::size_t>();
    const bool own = lent.empty();
    input.ownStarts.clear();
    input.classes.clear();
    if (own)
        input.ownStarts.reserve(capacity);
    input.classes.reserve(own ? capacity : lent.size() - 1);
    const bool plain =
        !rules.ignoreCase && !rules.spaceChange && !rules.allSpace && !rules.skipLeadingWhiteSpace;
    // Whole words may be read up to the end of the spare bytes.
    const char* const end = buffer + input.room;
    std::size_t position = input.prefixEnd;
    std::size_t reported = position;
    std::size_t untilCheck = kLinesPerSplitCheck;
    while (position < input.suffixBegin) {
        char* line = buffer + position;
        const char* newline;
        std::uint32_t hash;
        if (rules.table) {
            newline = static_cast<const char*>(std::memchr(line, '\n', input.length - position));
            hash = rules.table->reduceAndHash(line, static_cast<std::size_t>(newline - line),
                                              rules.ignoreCase);
        } else if (plain) {
            hash = hashPlainLine(line, end, &newline);
        } else {
            hash = hashLine(line, rules, &newline);
        }
        if (own)
            input.ownStarts.push_back(position);
        input.classes.push_back(static_cast<int>(hash));
        position = static_cast<std::size_t>(newline - buffer) + 1;
        if (--untilCheck == 0) {
            untilCheck = kLinesPerSplitCheck;
            progress.hooks.checkpoint();
            const std::uint64_t done =
                progress.done.fetch_add(position - reported, std::memory_order_relaxed) +
                (position - reported);
            reported = position;
            progress.hooks.advance(RunPhase::Lines, done, progress.total);
        }
    }
    if (!own && input.classes.size() + 1 != lent.size()) {
        // The caller's lines are not the ones found here: its list is not used.
        progress.done.fetch_sub(reported - input.prefixEnd, std::memory_order_relaxed);
        input.lentStarts = {};
        splitMiddle(input, rules, comments, capacity, progress);
        return;
    }
    progress.done.fetch_add(position - reported, std::memory_order_relaxed);
    if (own) {
        input.ownStarts.push_back(input.suffixBegin);
        input.lineStarts = input.ownStarts;
    } else {
        input.lineStarts = lent;
    }
}

} // namespace tandel
