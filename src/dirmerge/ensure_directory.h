#pragma once

#include "base/file_system.h"
#include "frame/frame.h"

#include <string>

namespace tandel {

// Makes `path` an existing directory, creating every missing level outermost
// first. False after an error message that names the folder and the reason.
[[nodiscard]] bool ensureDirectory(FileSystem& files, Frame& frame, const std::string& path);

// The same for a folder the user named: one that does not exist may be a
// mistyped name, so it is made only after a Yes to "Directory PATH does not
// exist.\nCreate it?". False after an error message, or silently on No.
[[nodiscard]] bool ensureNamedDirectory(FileSystem& files, Frame& frame, const std::string& path);

// The destination of the directory window's copies and merge runs, made as
// ensureNamedDirectory makes it; an empty one is refused with a message.
[[nodiscard]] bool ensureDestination(FileSystem& files, Frame& frame,
                                     const std::string& destination);

} // namespace tandel
