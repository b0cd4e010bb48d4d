// Mapping between file lines, display rows and segments. Every other part of
// the program goes through these; all of them answer "not found" when the side
// has no lists.
#pragma once

#include "merge/merge_model.h"
#include "merge/side_record.h"

#include <cstdint>
#include <vector>

namespace tandel {

// Recomputes the side's prefix sums; call after its lists changed shape.
void rebuildIndex(SideRecord& side);

// Text first when present, else gap first: the file line before which segment
// i starts on this side. RANGE_NONE when there is no such segment.
std::int32_t segmentFirstLine(const SideRecord& side, std::int32_t i);
// Text last when present, else gap first - 1; the next common line is this + 1.
std::int32_t segmentLastLine(const SideRecord& side, std::int32_t i);
// Total filler lines of this side in segments 0..i-1.
std::int64_t gapLinesBefore(const SideRecord& side, std::int32_t i);
// The 1-based display line at which segment i begins in both panes; 0 without lists.
std::int64_t segmentDisplayStart(const MergeModel& model, std::int32_t i);

struct DisplayPosition {
    std::int64_t line = 0;        // 0-based file line, or -1 for a filler row
    std::int64_t gapPosition = 0; // for a filler row: d - G, the row in gap numbering (0-based)
};
// The file line shown at 0-based display row d. Rows below the last line map
// past the line count; callers test that.
DisplayPosition displayToLine(const SideRecord& side, std::int64_t d);

enum class SegmentKind { Text, Gap };
// Text: n is a 0-based file line. Gap: n is a 0-based display row. Returns the
// segment containing it, or -1 (a common line, or no lists).
std::int32_t findSegment(const SideRecord& side, std::int64_t n, SegmentKind kind);

// Side 1's line count plus all of side 1's filler lines.
std::int64_t displayLineCount(const MergeModel& model);

// Releases all four lists of both sides.
void releaseLists(MergeModel& model);
// Hands a side its new lists (each ending with an end entry, or both empty).
void installLists(SideRecord& side, std::vector<SegmentRange> text, std::vector<SegmentRange> gap);
// Grows all four lists by one entry in front of entry i; the new entry holds
// RANGE_NONE ranges with the choice marks of the entry it was copied from.
// Indexes are not rebuilt here: the caller finishes its edit first.
void insertEmptyEntry(MergeModel& model, std::int32_t i);

} // namespace tandel
