// The difference algorithm: from the classes of the middle lines of both
// inputs to the list of changes.
#pragma once

#include <span>
#include <vector>

namespace tandel {

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

// `classes0` and `classes1` hold the class (1 .. classLimit-1) of every middle
// line. Returns false after an internal error or when memory runs out,
// leaving `script` empty.
bool computeEditScript(std::span<const int> classes0, std::span<const int> classes1, int classLimit,
                       bool heuristic, EditScript& script);

} // namespace tandel
