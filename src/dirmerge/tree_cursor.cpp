#include "dirmerge/tree_cursor.h"

#include "dirmerge/names.h"

#include <cerrno>
#include <utility>

namespace tandel {

void TreeCursor::start(const std::string& left, const std::string& right,
                       const ScanFilters& filters) {
    release();
    for (const auto& [path, stack] : {std::pair{&left, &left_}, std::pair{&right, &right_}}) {
        DirListing bottom = listDirectory(*path, filters);
        const int error = bottom.problem.error();
        if (error == ENOENT || error == ENOTDIR)
            bottom.problem = IoStatus();
        stack->push_back(std::move(bottom));
    }
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

void TreeCursor::push(DirListing left, DirListing right) {
    left_.push_back(std::move(left));
    right_.push_back(std::move(right));
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
