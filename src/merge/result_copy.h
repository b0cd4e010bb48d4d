// After "Files are identical" the merged result is file 1 itself: saving copies it.
#pragma once

#include "base/file_system.h"

#include <string>
#include <vector>

namespace tandel {

class Frame;

enum class [[nodiscard]] CopyOutcome{
    Copied,  // the target holds the source's bytes (or already was the source)
    Skipped, // the user (or an unattended run) declined; the target is untouched
    Failed,  // an error message has been shown; the target is untouched
};

// Copies source to target (into it, when target is a folder), asking before it
// replaces an existing file and backing that file up first; when the backup
// cannot be made it asks again before overwriting. A device or a pipe is
// written in place, never backed up. `keep`: names an old backup never replaces.
CopyOutcome CopyResultFile(FileSystem& files, Frame& frame, const std::string& source,
                           const std::string& target, const std::vector<std::string>& keep);

} // namespace tandel
