// Moving the view from segment to segment. The view state (top line, display
// line count, context lines) is in the settings record.
#pragma once

#include "merge/merge_model.h"

#include <cstdint>

namespace tandel {

class Frame;
struct SettingsRecord;

struct SegmentStart {
    std::int64_t start = -1; // 1-based display line, -1 when none
    std::int32_t index = -1;
};
// Forward: the first segment starting after display line line0 + 1;
// backward: the last one starting before it. Uses side 1's lists.
SegmentStart nextSegmentStart(const MergeModel& model, std::int64_t line0, bool forward);

// top line := max(0, start - context lines - 1); repaints.
void goToSegmentStart(SettingsRecord& settings, Frame& frame, std::int64_t start);
// Each Go To below makes the segment it reaches the current one
// (MergeModel::currentSegment).
// Next Segment (forward) and Previous Segment.
void goToAdjacentSegment(MergeModel& model, SettingsRecord& settings, Frame& frame, bool forward);
// The segment after (or before) segment i; used after a click with auto walk on.
void goToNeighbour(MergeModel& model, SettingsRecord& settings, Frame& frame, std::int32_t i,
                   bool forward);
// Next Unresolved (forward) and Previous Unresolved; no wrap-around.
void goToUnresolved(MergeModel& model, SettingsRecord& settings, Frame& frame, bool forward);
// First Segment and Last Segment.
void goToFirstSegment(MergeModel& model, SettingsRecord& settings, Frame& frame);
void goToLastSegment(MergeModel& model, SettingsRecord& settings, Frame& frame);

// The current segment, or else the first one that starts in view; -1 when
// there is none.
std::int32_t segmentInFocus(const MergeModel& model, const SettingsRecord& settings);

// What a take key does with the segment in focus, then goes on to the next.
enum class Take { Left, Right, LeftThenRight, RightThenLeft };
void takeAndGoOn(MergeModel& model, SettingsRecord& settings, Frame& frame, Take take);
// First Line and Last Line.
void goToFirstLine(SettingsRecord& settings, Frame& frame);
void goToLastLine(SettingsRecord& settings, Frame& frame);
// Scrolls so that the top line is `top`, clamped to the display lines.
void scrollPanesToLine(SettingsRecord& settings, Frame& frame, std::int64_t top);

} // namespace tandel
