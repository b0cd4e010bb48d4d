#include "engine/analyze.h"

#include "engine/analyze_stages.h"
#include "engine/run_hooks.h"

#include <algorithm>
#include <cstddef>
#include <limits>
#include <new>

namespace tandel {
namespace {

bool classesInRange(std::span<const int> classes, int classLimit) {
    return std::all_of(classes.begin(), classes.end(),
                       [classLimit](int c) { return c >= 1 && c < classLimit; });
}

// Lines between two looks at the cancel flag.
constexpr std::size_t kLinesPerCheck = std::size_t{1} << 20;

SearchInput keptLines(std::span<const int> classes, const BulkVector<char>& marks, char* changed,
                      const RunHooks& hooks) {
    SearchInput kept;
    const std::size_t keptCount =
        static_cast<std::size_t>(std::count(marks.begin(), marks.end(), 0));
    kept.classes.reserve(keptCount);
    kept.realIndex.reserve(keptCount);
    for (std::size_t i = 0; i < classes.size(); ++i) {
        if ((i + 1) % kLinesPerCheck == 0)
            hooks.checkpoint();
        if (marks[i] != kKeep) {
            changed[i] = 1;
        } else {
            kept.classes.push_back(classes[i]);
            kept.realIndex.push_back(static_cast<int>(i));
        }
    }
    return kept;
}

int pairedLines(const char* changed, int n) {
    return n - static_cast<int>(std::count(changed, changed + n, 1));
}

// Reads a changed flag, treating everything before the array as paired.
bool changedAt(const char* changed, int i) {
    return i >= 0 && changed[i] != 0;
}

// Walks back from the ends, collecting each group of changed lines that sits
// between two paired lines.
void buildScript(const char* changed0, int n0, const char* changed1, int n1, EditScript& script) {
    int i0 = n0;
    int i1 = n1;
    while (i0 >= 0 || i1 >= 0) {
        if (changedAt(changed0, i0 - 1) || changedAt(changed1, i1 - 1)) {
            const int end0 = i0;
            const int end1 = i1;
            while (changedAt(changed0, i0 - 1)) {
                --i0;
            }
            while (changedAt(changed1, i1 - 1)) {
                --i1;
            }
            script.push_back({end1 - i1, end0 - i0, i0, i1});
        }
        --i0;
        --i1;
    }
    std::reverse(script.begin(), script.end());
}

bool analyze(std::span<const int> classes0, std::span<const int> classes1, int classLimit,
             const SearchOptions& options, EditScript& script) {
    const RunHooks none;
    const RunHooks& hooks = options.hooks != nullptr ? *options.hooks : none;
    // The diagonal arrays hold n0 + n1 + 3 entries, indexed by int.
    constexpr std::size_t kMaxLines = std::numeric_limits<int>::max() / 2 - 4;
    if (classes0.size() > kMaxLines || classes1.size() > kMaxLines || classLimit < 1 ||
        !classesInRange(classes0, classLimit) || !classesInRange(classes1, classLimit)) {
        return false;
    }
    const int n0 = static_cast<int>(classes0.size());
    const int n1 = static_cast<int>(classes1.size());

    // One block, with a zero byte before each array and after each array, so
    // that the walks above may look one line past either end.
    BulkVector<char> flags(classes0.size() + classes1.size() + 4, 0);
    char* const changed0 = flags.data() + 1;
    char* const changed1 = flags.data() + n0 + 3;

    {
        hooks.checkpoint();
        const DiscardMarks marks = markDiscards(classes0, classes1, classLimit);
        hooks.checkpoint();
        hooks.advance(RunPhase::Discards, 1, 2);
        const SearchInput kept0 = keptLines(classes0, marks.marks0, changed0, hooks);
        const SearchInput kept1 = keptLines(classes1, marks.marks1, changed1, hooks);
        hooks.advance(RunPhase::Discards, 2, 2);
        if (!searchChanges(kept0, kept1, options, changed0, changed1)) {
            return false;
        }
    }
    hooks.checkpoint();
    if (pairedLines(changed0, n0) != pairedLines(changed1, n1)) {
        return false;
    }

    shiftBoundaries(classes0, changed0, changed1);
    shiftBoundaries(classes1, changed1, changed0);
    hooks.checkpoint();
    buildScript(changed0, n0, changed1, n1, script);
    return true;
}

} // namespace

bool computeEditScript(std::span<const int> classes0, std::span<const int> classes1, int classLimit,
                       const SearchOptions& options, EditScript& script) {
    script.clear();
    try {
        if (analyze(classes0, classes1, classLimit, options, script)) {
            return true;
        }
    } catch (const std::bad_alloc&) {
        // Reported to the caller like any other broken-off run.
    }
    script.clear();
    return false;
}

} // namespace tandel
