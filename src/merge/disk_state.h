// What the files on disk did while they were loaded: changed by someone else,
// or written by this program.
#pragma once

#include "merge/merge_model.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tandel {

class Frame;

// The regular file side s was loaded from now differs (size, modification
// time, identity) from what was loaded. A pipe or a device is never "changed":
// it cannot be read again.
bool changedSinceLoad(FileSystem& files, const SideRecord& side);
// As changedSinceLoad, but a file that still is what this program last wrote
// there counts as unchanged.
bool changedByOthers(FileSystem& files, const SideRecord& side);

// After a save to `target`: a side loaded from that file now knows it.
void noteWritten(MergeModel& model, const std::string& target);

// The questions before `target` is replaced: when it is a loaded file that
// was changed on disk meanwhile, "File %s has changed on disk since it was
// loaded.\nSave anyway ?"; then, for a read-only file, "File %s is
// read-only.\nReplace it anyway ?", else "File %s already exists.\nSave
// anyway ?". True when the save may go on (also when nothing is there).
[[nodiscard]] bool confirmReplace(const MergeModel& model, Frame& frame, const std::string& target);

// The permission bits a new result file gets: those of the file it came from
// (side 1, else side 2), or none known.
std::optional<std::uint32_t> resultPermissions(const MergeModel& model);

} // namespace tandel
