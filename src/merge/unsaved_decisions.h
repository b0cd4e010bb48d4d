// The question before the user's decisions would be dropped unsaved.
#pragma once

#include "merge/merge_model.h"

namespace tandel {

class Frame;
struct Settings;

// Before the window closes, another file is loaded or the files are compared
// again: when decisions were made since the result was last saved, asks
// whether to save the merged result (Save, Discard, Cancel). True when the
// caller may go on: nothing to save, saved, or discarded.
[[nodiscard]] bool mayDropDecisions(MergeModel& model, Settings& settings, Frame& frame);

} // namespace tandel
