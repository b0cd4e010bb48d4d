// The two walks that turn the segment lists into output lines.
#pragma once

#include "merge/merge_model.h"
#include "merge/output_sinks.h"

namespace tandel {

class Frame;

// File 1 with every segment replaced by the chosen lines. False after a write
// failure.
bool mergeWalk(const MergeModel& model, Frame& frame, LineSink& sink);
// Every segment with both versions, numbered and marked by side.
bool differencesWalk(const MergeModel& model, Frame& frame, LineSink& sink);

} // namespace tandel
