// The stages behind computeEditScript, exposed so that tests can look at the
// decisions each one takes.
#pragma once

#include "engine/bulk_vector.h"

#include <span>
#include <vector>

namespace tandel {

struct SearchOptions;

// Discard marks of one input's middle lines.
enum DiscardMark : char {
    kKeep = 0,
    kNoPartner = 1,   // the class does not occur in the other input
    kTooFrequent = 2, // the class occurs very often in the other input
};

struct DiscardMarks {
    BulkVector<char> marks0;
    BulkVector<char> marks1;
};

// Final marks of both inputs; every class must lie in 1 .. classLimit-1.
// A line with a non-zero mark stays out of the search and is reported changed.
DiscardMarks markDiscards(std::span<const int> classes0, std::span<const int> classes1,
                          int classLimit);

// The lines that take part in the search, in order, with their index among the
// middle lines.
struct SearchInput {
    BulkVector<int> classes;
    BulkVector<int> realIndex;
};

// Shortest edit script between the two searched sequences: sets the changed
// flag (through realIndex) of every line left unpaired. The heuristic and the
// cost limit trade exactness for speed on large, densely changed inputs.
// Returns false after an internal error (a split that cannot make progress);
// flags are then partial.
bool searchChanges(const SearchInput& input0, const SearchInput& input1,
                   const SearchOptions& options, char* changed0, char* changed1);

// Slides runs of changed lines of `changed` (the flags of one input, `classes`
// its classes) towards the end as far as equal lines allow, without crossing
// changed lines of `otherChanged`. Both flag arrays must be followed by a zero
// byte and describe the same number of paired lines.
void shiftBoundaries(std::span<const int> classes, char* changed, const char* otherChanged);

} // namespace tandel
