// What one row of a pane is: a file line, a filler row or past the end of the
// file, its segment, and the colour its background is filled with.
#pragma once

#include "merge/side_record.h"

#include <cstdint>

namespace tandel {

enum class PaneRowKind { Text, Filler, PastEnd };

// The background of a row. Text on Cyan, Green and Yellow reads in black, on
// Blue in white; None keeps the pane's own background and text colours.
enum class RowFill { None, Cyan, Blue, Green, Yellow };

struct PaneRow {
    PaneRowKind kind = PaneRowKind::PastEnd;
    std::int64_t line = -1;    // 0-based file line of a Text row, else -1
    std::int32_t segment = -1; // the segment holding the row, -1 for a common line
    RowFill fill = RowFill::None;
    // The segment's choice was made by the three-way merge, not by the user.
    bool automatic = false;
};

// How a row shows that its segment was decided by the three-way merge: a
// badge on the segment's first row, a stripe under it on the others.
enum class AutomaticMark { None, Badge, Stripe };

// Row `row` (0-based display row) of this side's pane. A row in a segment is
// filled by the choice mark of the side's range that holds it: Cyan for
// Choice::First, Blue for Choice::Second, otherwise Green for a text line and
// Yellow for a filler row. Painting stops at the first PastEnd row.
PaneRow describeRow(const SideRecord& side, std::int64_t row);

AutomaticMark automaticMark(const SideRecord& side, std::int64_t row);

} // namespace tandel
