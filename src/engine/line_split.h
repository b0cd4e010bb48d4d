// The first pass over one input's middle lines: where each line starts and
// its hash. It reads every byte, so both inputs take it at once when large.
#pragma once

#include "engine/line_rules.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <span>

namespace tandel {

class RunHooks;
struct CommentDefinition;
struct InputFile;

// Bytes split so far, by both inputs together, out of `total`.
struct SplitProgress {
    const RunHooks& hooks;
    std::atomic<std::uint64_t>& done;
    std::uint64_t total;
};

// Blanks the comments of the middle region when `comments` is not empty, then
// fills lineStarts (every middle line's start and the end of the region) and
// classes (each line's hash for now), with room reserved for `capacity` lines.
void splitMiddle(InputFile& input, const LineRules& rules,
                 std::span<const CommentDefinition> comments, std::size_t capacity,
                 const SplitProgress& progress);

} // namespace tandel
