// Merge decisions: the choice marks of the range lists. Every operation does
// nothing unless both sides hold a comparison result, and repaints the panes.
#pragma once

#include "merge/merge_model.h"

#include <cstdint>

namespace tandel {

class Frame;
struct SettingsRecord;

// The judging mark of side s (1 or 2) in segment i: the text mark when the
// text range is present, otherwise the gap mark.
Choice judgingMark(const MergeModel& model, std::int32_t i, int s);
bool segmentResolved(const MergeModel& model, std::int32_t i);
bool anyUnresolved(const MergeModel& model);

// A click on side s of segment i; extend = the Ctrl key was held.
void chooseSide(MergeModel& model, Frame& frame, std::int32_t i, int s, bool extend);
// Select From Left (s = 1) / Right (s = 2): every segment not decided for the
// other side gets side s.
void selectFrom(MergeModel& model, Frame& frame, int s);
void selectAll(MergeModel& model, Frame& frame);
// Segment i taken from side s by the three-way merge, marked as decided
// automatically until the user changes it; nothing is repainted.
void decideAutomatically(MergeModel& model, std::int32_t i, int s);
bool decidedAutomatically(const MergeModel& model, std::int32_t i);
// Segments that both sides still disagree on with no choice made.
std::int32_t unresolvedCount(const MergeModel& model);
void unselectAll(MergeModel& model, Frame& frame);
// Split at the pane row under the mouse (0-based, relative to the top line).
// Returns true when a split took place.
bool splitAt(MergeModel& model, const SettingsRecord& settings, Frame& frame, std::int64_t row);

} // namespace tandel
