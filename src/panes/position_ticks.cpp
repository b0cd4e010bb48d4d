#include "panes/position_ticks.h"

#include "merge/decisions.h"

namespace tandel {

std::int64_t middleScrollBarWidth(std::int64_t scrollBarWidth) {
    return scrollBarWidth / 2 * 2 - 2;
}

std::vector<PositionTick> positionTicks(const MergeModel& model, std::int64_t rowCount,
                                        const PositionBarMetrics& metrics) {
    std::vector<PositionTick> ticks;
    const SideRecord& side1 = model.side(1);
    if (rowCount <= 0 || !side1.hasLists()) {
        return ticks;
    }
    const std::int64_t w = middleScrollBarWidth(metrics.scrollBarWidth);
    const std::int64_t arrow =
        metrics.scrollBarWidth > 0 ? w * metrics.arrowHeight / metrics.scrollBarWidth : 0;
    const std::int64_t e = arrow + 1;
    const std::int64_t k = metrics.clientHeight - 3 * e;
    const auto tick = [&](std::int64_t displayLine, bool undecided, bool current, bool automatic) {
        const std::int64_t y = displayLine * k / rowCount + e;
        if (ticks.empty() || ticks.back().y != y) {
            ticks.push_back({y, undecided, current, automatic});
        } else {
            ticks.back().undecided = ticks.back().undecided || undecided;
            ticks.back().current = ticks.back().current || current;
            ticks.back().automatic = ticks.back().automatic && automatic;
        }
    };
    std::int64_t gapsBefore = 0;
    const std::int32_t n = side1.segmentCount();
    for (std::int32_t i = 0; i < n; ++i) {
        const SegmentRange& text = side1.textRanges[static_cast<std::size_t>(i)];
        const SegmentRange& gap = side1.gapRanges[static_cast<std::size_t>(i)];
        const bool undecided = !segmentResolved(model, i);
        const bool current = i == model.currentSegment;
        const bool automatic = !undecided && decidedAutomatically(model, i);
        if (text.present()) {
            tick(text.first + gapsBefore, undecided, current, automatic);
        }
        if (gap.present()) {
            tick(gap.first + gapsBefore, undecided, current, automatic);
            gapsBefore += gap.length();
        }
    }
    return ticks;
}

} // namespace tandel
