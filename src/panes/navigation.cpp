#include "panes/navigation.h"

#include "frame/frame.h"
#include "merge/decisions.h"
#include "merge/segment_map.h"
#include "panes/pane_scroll.h"
#include "settings/settings_record.h"

#include <algorithm>
#include <limits>

namespace tandel {

namespace {

std::int64_t startOf(const MergeModel& model, std::int32_t i) {
    return segmentDisplayStart(model, i);
}

void setTopLine(SettingsRecord& settings, Display& display, std::int64_t top) {
    settings.topLine = static_cast<std::int32_t>(
        std::clamp<std::int64_t>(top, 0, std::numeric_limits<std::int32_t>::max()));
    display.modelChanged(ModelEvent::Scrolled);
}

} // namespace

SegmentStart nextSegmentStart(const MergeModel& model, std::int64_t line0, bool forward) {
    const std::int32_t n = model.side(1).segmentCount();
    if (n == 0) {
        return {};
    }
    // Segment starts grow with the index, so the boundary is a binary search.
    std::int32_t lo = 0;
    std::int32_t hi = n;
    const std::int64_t current = line0 + 1;
    while (lo < hi) {
        const std::int32_t mid = lo + (hi - lo) / 2;
        const bool before =
            forward ? startOf(model, mid) <= current : startOf(model, mid) < current;
        if (before) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    // lo: the first segment starting after (forward) or at or after (backward) the line.
    const std::int32_t i = forward ? lo : lo - 1;
    if (i < 0 || i >= n) {
        return {};
    }
    return {startOf(model, i), i};
}

void goToSegmentStart(SettingsRecord& settings, Frame& frame, std::int64_t start) {
    setTopLine(settings, frame, std::max<std::int64_t>(0, start - settings.contextLines - 1));
}

void goToAdjacentSegment(MergeModel& model, SettingsRecord& settings, Frame& frame, bool forward) {
    const SegmentStart found =
        nextSegmentStart(model, settings.topLine + settings.contextLines, forward);
    if (found.start >= 0) {
        model.currentSegment = found.index;
        goToSegmentStart(settings, frame, found.start);
    }
}

void goToNeighbour(MergeModel& model, SettingsRecord& settings, Frame& frame, std::int32_t i,
                   bool forward) {
    const std::int32_t j = forward ? i + 1 : i - 1;
    if (j < 0 || j >= model.side(1).segmentCount()) {
        return;
    }
    model.currentSegment = j;
    goToSegmentStart(settings, frame, segmentDisplayStart(model, j));
}

void goToUnresolved(MergeModel& model, SettingsRecord& settings, Frame& frame, bool forward) {
    if (!model.side(1).hasLists() || !model.side(2).hasLists()) {
        return;
    }
    SegmentStart found = nextSegmentStart(model, settings.topLine + settings.contextLines, forward);
    while (found.start >= 0 && segmentResolved(model, found.index)) {
        // Starting one line before this start steps exactly to its neighbour.
        found = nextSegmentStart(model, found.start - 1, forward);
    }
    if (found.start >= 0) {
        model.currentSegment = found.index;
        goToSegmentStart(settings, frame, found.start);
    }
}

void goToFirstSegment(MergeModel& model, SettingsRecord& settings, Frame& frame) {
    const SegmentStart found = nextSegmentStart(model, -1, true);
    if (found.start >= 0) {
        model.currentSegment = found.index;
        scrollPanesToLine(settings, frame,
                          std::max<std::int64_t>(0, found.start - settings.contextLines - 1));
    }
}

void goToLastSegment(MergeModel& model, SettingsRecord& settings, Frame& frame) {
    const SegmentStart found = nextSegmentStart(model, displayLineCount(model), false);
    if (found.start >= 0) {
        model.currentSegment = found.index;
        scrollPanesToLine(settings, frame,
                          std::max<std::int64_t>(0, found.start - settings.contextLines - 1));
    }
}

std::int32_t segmentInFocus(const MergeModel& model, const SettingsRecord& settings) {
    const std::int32_t n = std::min(model.side(1).segmentCount(), model.side(2).segmentCount());
    if (model.currentSegment >= 0 && model.currentSegment < n) {
        return model.currentSegment;
    }
    const SegmentStart found = nextSegmentStart(model, settings.topLine - 1, true);
    return found.index;
}

void takeAndGoOn(MergeModel& model, SettingsRecord& settings, Frame& frame, Take take) {
    const std::int32_t i = segmentInFocus(model, settings);
    if (i < 0) {
        return;
    }
    const int first = take == Take::Left || take == Take::LeftThenRight ? 1 : 2;
    chooseSide(model, frame, i, first, false);
    if (take == Take::LeftThenRight || take == Take::RightThenLeft) {
        chooseSide(model, frame, i, 3 - first, true);
    }
    model.currentSegment = i;
    goToNeighbour(model, settings, frame, i, true);
}

void goToFirstLine(SettingsRecord& settings, Frame& frame) {
    scrollPanesToLine(settings, frame, 0);
}

void goToLastLine(SettingsRecord& settings, Frame& frame) {
    scrollPanesToLine(settings, frame, settings.rowCount);
}

void scrollPanesToLine(SettingsRecord& settings, Frame& frame, std::int64_t top) {
    setTopLine(settings, frame, clampTopLine(top, settings.rowCount));
}

} // namespace tandel
