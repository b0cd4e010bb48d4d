// Copies one regular file so that the target is either the old file or the
// complete new one, never a half-written mix.
#pragma once

#include "base/file_system.h"

#include <string>

namespace tandel {

// Reads the source through one open, writes it beside `target` with the
// source's permissions, puts it in place only once every byte is written, and
// gives it the source's access and modification times. A source that is not a
// regular file is refused. 0 on success, -1 on failure (the target untouched).
[[nodiscard]] int copyFileReplacing(FileSystem& files, const std::string& source,
                                    const std::string& target);

} // namespace tandel
