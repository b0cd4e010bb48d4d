#include "merge/position_ticks.h"

namespace tandel {

std::int64_t MiddleScrollBarWidth(std::int64_t scrollBarWidth) {
    return scrollBarWidth / 2 * 2 - 2;
}

std::vector<std::int64_t> PositionTicks(const SideRecord& side1, std::int64_t rowCount,
                                        const PositionBarMetrics& metrics) {
    std::vector<std::int64_t> ticks;
    if (rowCount <= 0 || !side1.hasLists()) {
        return ticks;
    }
    const std::int64_t w = MiddleScrollBarWidth(metrics.scrollBarWidth);
    const std::int64_t arrow =
        metrics.scrollBarWidth > 0 ? w * metrics.arrowHeight / metrics.scrollBarWidth : 0;
    const std::int64_t e = arrow + 1;
    const std::int64_t k = metrics.clientHeight - 3 * e;
    const auto tick = [&](std::int64_t displayLine) {
        const std::int64_t y = displayLine * k / rowCount + e;
        if (ticks.empty() || ticks.back() != y) {
            ticks.push_back(y);
        }
    };
    std::int64_t gapsBefore = 0;
    const std::int32_t n = side1.segmentCount();
    for (std::int32_t i = 0; i < n; ++i) {
        const SegmentRange& text = side1.textRanges[static_cast<std::size_t>(i)];
        const SegmentRange& gap = side1.gapRanges[static_cast<std::size_t>(i)];
        if (text.present()) {
            tick(text.first + gapsBefore);
        }
        if (gap.present()) {
            tick(gap.first + gapsBefore);
            gapsBefore += gap.length();
        }
    }
    return ticks;
}

} // namespace tandel
