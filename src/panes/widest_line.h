// The width of a side's widest line, in columns (line_expansion.h): where the
// horizontal scroll range of its pane ends. Worked out once per loaded file
// and tab size, and cheaply: only a line whose bytes could beat the widest
// found so far, once its tabs are counted, is decoded.
#pragma once

#include "merge/side_record.h"

#include <cstdint>

namespace tandel {

// Columns of the widest shown line of `side` with tab size `tabSize`; 0 for a
// side without lines. Looks at every line.
std::int64_t measureWidestLine(const SideRecord& side, std::int32_t tabSize);

// The same, kept in the side for the next call with the same tab size; a
// reload makes a new record and so measures afresh.
std::int64_t widestLineOf(SideRecord& side, std::int32_t tabSize);

} // namespace tandel
