#include "panes/pane_selection.h"

#include <algorithm>
#include <tuple>

namespace tandel {

OrderedSelection ordered(const TextSelection& selection) {
    const auto key = [](const SelectionPoint& p) { return std::tie(p.row, p.column, p.x); };
    if (key(selection.end) < key(selection.anchor)) {
        return {selection.end, selection.anchor};
    }
    return {selection.anchor, selection.end};
}

std::vector<PixelRect> selectionRects(const TextSelection& selection, std::int64_t topLine,
                                      std::int64_t visibleRows, std::int64_t offset,
                                      std::int64_t width, const PaneMetrics& metrics) {
    std::vector<PixelRect> rects;
    if (!selection.active()) {
        return rects;
    }
    const OrderedSelection s = ordered(selection);
    const std::int64_t h = metrics.lineHeight;
    const std::int64_t o = offset * metrics.charWidth;
    const std::int64_t lastShown = topLine + visibleRows - 1;
    const auto clipX = [&](std::int64_t x) { return std::clamp<std::int64_t>(x, 0, width); };
    // Rows first..last, each from `left` to `right`, as far as they are on screen.
    const auto add = [&](std::int64_t first, std::int64_t last, std::int64_t left,
                         std::int64_t right) {
        first = std::max(first, topLine);
        last = std::min(last, lastShown);
        left = clipX(left);
        right = clipX(right);
        if (first <= last && left < right) {
            rects.push_back({left, (first - topLine) * h, right, (last - topLine + 1) * h});
        }
    };
    if (s.start.row == s.end.row) {
        add(s.start.row, s.start.row, s.start.x - o, s.end.x - o);
        return rects;
    }
    add(s.start.row, s.start.row, s.start.x - o, width);
    add(s.start.row + 1, s.end.row - 1, 0, width);
    add(s.end.row, s.end.row, 0, s.end.x - o);
    return rects;
}

} // namespace tandel
