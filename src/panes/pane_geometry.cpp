#include "panes/pane_geometry.h"

#include <algorithm>

namespace tandel {

namespace {

constexpr std::int64_t kLineNumberBoxChars = 8;
// Distance from an edge within which a held button scrolls.
constexpr std::int64_t kAutoscrollMargin = 8;

} // namespace

std::int64_t textLeftEdge(const PaneMetrics& metrics) {
    return metrics.lineNumbers ? kLineNumberBoxChars * metrics.charWidth : 0;
}

std::int32_t visibleRowsOf(std::int64_t clientHeight, std::int64_t hscrollHeight,
                           const PaneMetrics& metrics) {
    if (metrics.lineHeight <= 0) {
        return 1;
    }
    const std::int64_t rows = (clientHeight - hscrollHeight) / metrics.lineHeight + 1;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(rows, 1, INT32_MAX));
}

CharacterHit hitText(std::size_t shownCount, const PrefixWidth& prefixWidth, std::int64_t x,
                     std::int64_t offset, const PaneMetrics& metrics) {
    const std::int64_t left = textLeftEdge(metrics);
    const std::int64_t inText = std::max<std::int64_t>(x - left, 0);
    // The largest count whose prefix fits: prefix widths never decrease.
    std::size_t fits = 0;
    std::int64_t snapped = 0;
    if (inText > 0) {
        std::size_t lo = 0;
        std::size_t hi = shownCount;
        while (lo < hi) {
            const std::size_t mid = lo + (hi - lo + 1) / 2;
            if (prefixWidth(mid) <= inText) {
                lo = mid;
            } else {
                hi = mid - 1;
            }
        }
        fits = lo;
        snapped = fits == 0 ? 0 : prefixWidth(fits);
    }
    return {static_cast<std::int64_t>(fits) + offset, snapped + left + offset * metrics.charWidth};
}

CharacterHit hitOutsideText(std::int64_t x, std::int64_t offset, const PaneMetrics& metrics) {
    return {0, x + offset * metrics.charWidth};
}

AutoscrollStep autoscrollFor(std::int64_t x, std::int64_t y, std::int64_t clientWidth,
                             std::int64_t clientHeight, std::int64_t hscrollHeight) {
    AutoscrollStep step;
    if (y < kAutoscrollMargin) {
        step.rows = -1;
    } else if (y > clientHeight - hscrollHeight - kAutoscrollMargin) {
        step.rows = 1;
    }
    if (x < kAutoscrollMargin) {
        step.columns = -1;
    } else if (x > clientWidth - kAutoscrollMargin) {
        step.columns = 1;
    }
    return step;
}

} // namespace tandel
