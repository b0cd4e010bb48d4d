// The difference algorithm: from the classes of the middle lines of both
// inputs to the list of changes.
#pragma once

#include <climits>
#include <span>
#include <vector>

namespace tandel {

class RunHooks;

// One change: `deleted` lines of input 0 starting at middle line `line0` are
// replaced by `inserted` lines of input 1 starting at middle line `line1`.
// When nothing is deleted (inserted), line0 (line1) is the line before which
// the change applies. Lines count from 0 within the middle regions.
struct Change {
    int inserted = 0;
    int deleted = 0;
    int line0 = 0;
    int line1 = 0;
    bool operator==(const Change&) const = default;
};

// Changes in increasing line order; consecutive changes are separated by at
// least one paired line.
using EditScript = std::vector<Change>;

// How hard the search tries for the shortest script.
struct SearchOptions {
    // -H: cuts costly ranges short where long runs of paired lines suggest a
    // good split.
    bool heuristic = false;
    // How many edits from either end of one range the search explores before
    // it settles for the point that got furthest: 0 derives the limit from the
    // size of the input, kExactSearch (-d) never settles.
    int costLimit = 0;
    // Cancel and progress; null: neither.
    const RunHooks* hooks = nullptr;
};
inline constexpr int kExactSearch = INT_MAX;

// The cost limit that costLimit 0 stands for, for `lines` searched lines of
// both inputs together: it grows with the square root of the size, so a
// dissimilar pair costs about lines * limit instead of lines squared, and it
// never drops below a bound that ordinary edits stay under.
int derivedCostLimit(long long lines);

// `classes0` and `classes1` hold the class (1 .. classLimit-1) of every middle
// line. Returns false after an internal error or when memory runs out,
// leaving `script` empty. Throws RunCancelled when the hooks ask it to stop.
bool computeEditScript(std::span<const int> classes0, std::span<const int> classes1, int classLimit,
                       const SearchOptions& options, EditScript& script);

} // namespace tandel
