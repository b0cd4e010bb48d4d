#pragma once

#include "merge/frame.h"

#include <string>

namespace tandel {

// Makes `path` an existing directory, creating every missing level outermost
// first. 0 on success; -1 after an error message.
int ensureDirectory(Frame& frame, const std::string& path);

} // namespace tandel
