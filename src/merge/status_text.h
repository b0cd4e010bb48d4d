// The status bar's texts, without a widget: where the user is among the
// differences, and how each file is written.
#pragma once

#include "merge/merge_model.h"

#include <string>

namespace tandel {

// "Difference 4 of 29 · 12 unresolved" with a current segment, "29
// differences · 12 unresolved" without, "No differences" for files compared
// equal; empty before a comparison. A three-way merge counts its conflicts
// instead: "· 2 conflicts left", "· No conflicts left".
std::string differenceStatusText(const MergeModel& model, bool compared);

// "UTF-8, LF", "Windows-1252, CR LF, no newline at end", "binary"; empty for an
// empty side.
std::string sideStatusText(const SideRecord& side);

} // namespace tandel
