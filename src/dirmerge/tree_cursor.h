// Walks two directory trees in step, in name order, level by level.
#pragma once

#include "dirmerge/dir_listing.h"

#include <cstddef>
#include <string>
#include <vector>

namespace tandel {

enum class Side { Left = 0, Right = 1 };

enum class StepKind { Done, LeftOnly, RightOnly, Pair };

struct CursorStep {
    StepKind kind = StepKind::Done;
    std::size_t popped = 0; // levels both sides left to reach this step
};

// One stack of listings per side; the back is the innermost directory. Both
// stacks are pushed and popped together, so they always have the same depth.
class TreeCursor {
public:
    // Lists both directories as the stack bottoms. A missing directory (or a
    // file where one was named) lists as empty; any other failure to list
    // stays in that bottom's `problem`.
    void start(const std::string& left, const std::string& right, const ScanFilters& filters);
    void release();

    bool empty(Side side) const { return stack(side).empty(); }
    std::size_t depth() const { return left_.size(); }
    DirListing& top(Side side) { return stack(side).back(); }
    const DirListing& top(Side side) const { return stack(side).back(); }

    void advance(Side side);
    // Drops the top listing and moves its parent past the finished subdirectory.
    void pop(Side side);
    // The listings of the subdirectory of each side's current entry become
    // the new tops. The caller lists them first, so that a folder that cannot
    // be read is never entered.
    void push(DirListing left, DirListing right);

    // Pops finished levels, then says what the current entries are, judged
    // by compareNames, the order the listings are sorted in. It never
    // advances past an entry: the consumer does that.
    CursorStep step();

private:
    std::vector<DirListing>& stack(Side s) { return s == Side::Left ? left_ : right_; }
    const std::vector<DirListing>& stack(Side s) const { return s == Side::Left ? left_ : right_; }

    std::vector<DirListing> left_;
    std::vector<DirListing> right_;
};

} // namespace tandel
