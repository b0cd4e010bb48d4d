#include "dirmerge/tree_cursor.h"

#include "dirmerge/names.h"

namespace tandel {

int TreeCursor::start(const std::string& left, const std::string& right,
                      const ScanFilters& filters) {
    release();
    left_.push_back(listDirectory(left, filters));
    right_.push_back(listDirectory(right, filters));
    return 0;
}

void TreeCursor::release() {
    left_.clear();
    right_.clear();
}

void TreeCursor::advance(Side side) {
    auto& s = stack(side);
    if (!s.empty() && !s.back().exhausted())
        ++s.back().current;
}

void TreeCursor::pop(Side side) {
    auto& s = stack(side);
    if (s.empty())
        return;
    s.pop_back();
    advance(side);
}

void TreeCursor::push(const std::string& leftDir, const std::string& rightDir,
                      const ScanFilters& filters) {
    left_.push_back(listDirectory(leftDir, filters));
    right_.push_back(listDirectory(rightDir, filters));
}

CursorStep TreeCursor::step() {
    CursorStep result;
    while (!left_.empty() && !right_.empty() && left_.back().exhausted() &&
           right_.back().exhausted()) {
        pop(Side::Left);
        pop(Side::Right);
        ++result.popped;
    }
    if (left_.empty() || right_.empty()) {
        result.kind = StepKind::Done;
        return result;
    }
    const DirListing& l = left_.back();
    const DirListing& r = right_.back();
    if (l.exhausted())
        result.kind = StepKind::RightOnly;
    else if (r.exhausted())
        result.kind = StepKind::LeftOnly;
    else {
        const int c = compareNames(l.entry().name, r.entry().name);
        result.kind = c < 0 ? StepKind::LeftOnly : c > 0 ? StepKind::RightOnly : StepKind::Pair;
    }
    return result;
}

} // namespace tandel
