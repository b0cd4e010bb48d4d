// Saving one result file, whatever its contents: the questions before an
// existing file is replaced, its backup, the mode of a new file, and the
// messages when something fails.
#pragma once

#include "merge/merge_model.h"
#include "merge/replacing_file.h"

#include <functional>
#include <string>
#include <string_view>

namespace tandel {

class Frame;

// Whether the result went to its file; when not, the target is as it was and
// the reason has been said (or the user declined).
enum class WriteResult { Written, NotWritten };

// Asks before `target` is replaced (changed on disk since it was loaded,
// read-only, or simply there), then writes it through `fill` and commits it
// with a backup of the old file. A backup that cannot be made is asked about.
// `fill` returns false after it has reported a failure. `failure` is said
// after a write error ("Unable to merge files"), unless empty. When nothing
// was saved the target is as it was, and so is the folder, unless a warning
// says where an older backup is left.
[[nodiscard]] WriteResult writeResultFile(MergeModel& model, Frame& frame,
                                          const std::string& target,
                                          const std::function<bool(ReplacingFile&)>& fill,
                                          std::string_view failure);

} // namespace tandel
