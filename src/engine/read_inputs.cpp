#include "engine/read_inputs.h"

#include "engine/both_sides.h"
#include "engine/engine.h"
#include "engine/identical_ends.h"
#include "engine/input_file.h"
#include "engine/line_classes.h"
#include "engine/line_split.h"
#include "engine/run_hooks.h"

#include <span>

namespace tandel {
namespace {

std::size_t middleBytes(const InputFile& input) {
    return input.suffixBegin - input.prefixEnd;
}

// Room for the line table of the first input: one line per 32 bytes.
std::size_t firstCapacity(const InputFile& input) {
    return middleBytes(input) / 32 + 5 + 1;
}

// The second input guesses its line length from the shared prefix when that
// is long enough to tell.
std::size_t secondCapacity(const InputFile& input) {
    std::size_t average = 32;
    if (input.prefixLines >= 10)
        average = input.prefixEnd / static_cast<std::size_t>(input.prefixLines - 1);
    return middleBytes(input) / average + 5;
}

} // namespace

void readInputs(InputFile& first, InputFile& second, bool shared, const LineRules& rules,
                bool ignoreBlankLines, const EngineContext& context, const RunHooks& hooks) {
    fixTextEnd(first, ignoreBlankLines);
    if (shared) {
        second.buffer = first.buffer;
        second.length = first.length;
        second.room = first.room;
        second.missingNewline = first.missingNewline;
    } else {
        fixTextEnd(second, ignoreBlankLines);
    }
    findIdenticalEnds(first, second, shared, hooks);

    std::span<const CommentDefinition> comments;
    if (context.ignoreComments)
        comments = context.comments;
    const std::size_t capacities[2] = {firstCapacity(first), secondCapacity(second)};
    InputFile* const inputs[2] = {&first, &second};
    const std::uint64_t total = middleBytes(first) + middleBytes(second);
    std::atomic<std::uint64_t> done{0};
    const SplitProgress progress{hooks, done, total};
    // One text shared by both records is split once, by one thread.
    const bool parallel = !shared && total >= context.parallelFrom && middleBytes(first) > 0 &&
                          middleBytes(second) > 0;
    forBothSides(parallel, [&](int side) {
        splitMiddle(*inputs[side], rules, comments, capacities[side], progress);
    });
    hooks.checkpoint();
    classifyLines(first, second, rules, hooks);
}

} // namespace tandel
