#include "panes/navigation.h"

#include "merge/decisions.h"
#include "frame/frame.h"
#include "panes/pane_scroll.h"
#include "merge/segment_map.h"
#include "settings/settings_record.h"

#include <algorithm>
#include <limits>

namespace tandel {

namespace {

std::int64_t startOf(const MergeModel& model, std::int32_t i) {
    return SegmentDisplayStart(model, i);
}

void setTopLine(SettingsRecord& settings, Display& display, std::int64_t top) {
    settings.topLine = static_cast<std::int32_t>(
        std::clamp<std::int64_t>(top, 0, std::numeric_limits<std::int32_t>::max()));
    display.modelChanged(ModelEvent::Scrolled);
}

} // namespace

SegmentStart NextSegmentStart(const MergeModel& model, std::int64_t line0, bool forward) {
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

void GoToSegmentStart(SettingsRecord& settings, Frame& frame, std::int64_t start) {
    setTopLine(settings, frame, std::max<std::int64_t>(0, start - settings.contextLines - 1));
}

void GoToAdjacentSegment(MergeModel& model, SettingsRecord& settings, Frame& frame, bool forward) {
    const SegmentStart found =
        NextSegmentStart(model, settings.topLine + settings.contextLines, forward);
    if (found.start >= 0) {
        model.currentSegment = found.index;
        GoToSegmentStart(settings, frame, found.start);
    }
}

void GoToNeighbour(MergeModel& model, SettingsRecord& settings, Frame& frame, std::int32_t i,
                   bool forward) {
    const std::int32_t j = forward ? i + 1 : i - 1;
    if (j < 0 || j >= model.side(1).segmentCount()) {
        return;
    }
    model.currentSegment = j;
    GoToSegmentStart(settings, frame, SegmentDisplayStart(model, j));
}

void GoToUnresolved(MergeModel& model, SettingsRecord& settings, Frame& frame, bool forward) {
    if (!model.side(1).hasLists() || !model.side(2).hasLists()) {
        return;
    }
    SegmentStart found = NextSegmentStart(model, settings.topLine + settings.contextLines, forward);
    while (found.start >= 0 && SegmentResolved(model, found.index)) {
        // Starting one line before this start steps exactly to its neighbour.
        found = NextSegmentStart(model, found.start - 1, forward);
    }
    if (found.start >= 0) {
        model.currentSegment = found.index;
        GoToSegmentStart(settings, frame, found.start);
    }
}

void GoToFirstSegment(MergeModel& model, SettingsRecord& settings, Frame& frame) {
    const SegmentStart found = NextSegmentStart(model, -1, true);
    if (found.start >= 0) {
        model.currentSegment = found.index;
        ScrollToLine(settings, frame,
                     std::max<std::int64_t>(0, found.start - settings.contextLines - 1));
    }
}

void GoToLastSegment(MergeModel& model, SettingsRecord& settings, Frame& frame) {
    const SegmentStart found = NextSegmentStart(model, DisplayLineCount(model), false);
    if (found.start >= 0) {
        model.currentSegment = found.index;
        ScrollToLine(settings, frame,
                     std::max<std::int64_t>(0, found.start - settings.contextLines - 1));
    }
}

std::int32_t SegmentInFocus(const MergeModel& model, const SettingsRecord& settings) {
    const std::int32_t n = std::min(model.side(1).segmentCount(), model.side(2).segmentCount());
    if (model.currentSegment >= 0 && model.currentSegment < n) {
        return model.currentSegment;
    }
    const SegmentStart found = NextSegmentStart(model, settings.topLine - 1, true);
    return found.index;
}

void TakeAndGoOn(MergeModel& model, SettingsRecord& settings, Frame& frame, Take take) {
    const std::int32_t i = SegmentInFocus(model, settings);
    if (i < 0) {
        return;
    }
    const int first = take == Take::Left || take == Take::LeftThenRight ? 1 : 2;
    ChooseSide(model, frame, i, first, false);
    if (take == Take::LeftThenRight || take == Take::RightThenLeft) {
        ChooseSide(model, frame, i, 3 - first, true);
    }
    model.currentSegment = i;
    GoToNeighbour(model, settings, frame, i, true);
}

void GoToFirstLine(SettingsRecord& settings, Frame& frame) {
    ScrollToLine(settings, frame, 0);
}

void GoToLastLine(SettingsRecord& settings, Frame& frame) {
    ScrollToLine(settings, frame, settings.rowCount);
}

void ScrollToLine(SettingsRecord& settings, Frame& frame, std::int64_t top) {
    setTopLine(settings, frame, ClampTopLine(top, settings.rowCount));
}

} // namespace tandel
