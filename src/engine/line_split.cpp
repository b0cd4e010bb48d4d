#include "engine/line_split.h"

#include "engine/comment_blanking.h"
#include "engine/engine.h"
#include "engine/input_file.h"
#include "engine/run_hooks.h"

#include <cstring>

namespace tandel {
namespace {

// Lines between two looks at the cancel flag: a few milliseconds of work.
constexpr std::size_t kLinesPerSplitCheck = 1 << 16;

} // namespace

void splitMiddle(InputFile& input, const LineRules& rules,
                 std::span<const CommentDefinition> comments, std::size_t capacity,
                 const SplitProgress& progress) {
    char* const buffer = input.buffer;
    if (!comments.empty())
        blankComments(
            std::span<char>(buffer + input.prefixEnd, input.suffixBegin - input.prefixEnd),
            comments);
    input.lineStarts.clear();
    input.classes.clear();
    input.lineStarts.reserve(capacity);
    input.classes.reserve(capacity);
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
        input.lineStarts.push_back(position);
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
    input.lineStarts.push_back(input.suffixBegin);
    progress.done.fetch_add(position - reported, std::memory_order_relaxed);
}

} // namespace tandel
