#pragma once

#include "merge/frame.h"

#include <string>

namespace tandel {

// Makes `path` an existing directory, creating every missing level outermost
// first. 0 on success; -1 after an error message.
int ensureDirectory(Frame& frame, const std::string& path);

// The same for a folder the user named: one that does not exist may be a
// mistyped name, so it is made only after a Yes to "Directory PATH does not
// exist.\nCreate it?". -1 after an error message, or silently on No.
int ensureNamedDirectory(Frame& frame, const std::string& path);

// The destination of the directory window's copies and merge runs, made as
// ensureNamedDirectory makes it; an empty one is refused with a message.
int ensureDestination(Frame& frame, const std::string& destination);

} // namespace tandel
