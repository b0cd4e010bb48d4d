// Tick marks of the position bar: one for every text range and every gap
// range of side 1, placed along the bar as the rows lie in the file.
#pragma once

#include "merge/merge_model.h"

#include <cstdint>
#include <vector>

namespace tandel {

struct PositionBarMetrics {
    std::int64_t clientHeight = 0;   // of the position bar
    std::int64_t scrollBarWidth = 0; // the desktop's vertical scroll bar width
    std::int64_t arrowHeight = 0;    // the desktop's vertical scroll arrow height
};

// Width of the scroll bar in the middle of the position bar: the desktop's
// width made even, less 2, so that a margin shows on either side.
std::int64_t middleScrollBarWidth(std::int64_t scrollBarWidth);

struct PositionTick {
    std::int64_t y = 0;
    bool undecided = false; // a segment at this pixel waits for a decision
    bool current = false;   // the current segment starts at this pixel
    // Every segment at this pixel was decided by the three-way merge, none
    // by the user.
    bool automatic = false;
    bool operator==(const PositionTick&) const = default;
};

// The ticks of side 1's ranges, top to bottom, each drawn as a line across
// the bar. With w the middle bar's width, E = w x arrow height / scroll bar
// width + 1 and K = client height - 3E, a range that starts on display line L
// (1-based) has its tick at L x K / N + E. Ranges that fall on one pixel make
// one tick, undecided when any of them is, automatic when all of them are;
// none when N is 0 or there are no lists.
std::vector<PositionTick> positionTicks(const MergeModel& model, std::int64_t rowCount,
                                        const PositionBarMetrics& metrics);

} // namespace tandel
