#pragma once

// A settings file that was not read cleanly is kept beside itself, byte for
// byte, before anything replaces it.

#include <string>
#include <string_view>

#include "base/file_system.h"

namespace tandel {

// Writes `bytes` to PATH.bad, or to PATH.bad.1, PATH.bad.2 ... when an older
// copy with other bytes is there: no copy is ever replaced. A copy that already
// holds these bytes is taken as it is. Gives the copy's path in `copy`.
[[nodiscard]] IoStatus keepCopy(FileSystem& files, const std::string& path, std::string_view bytes,
                                std::string& copy);

} // namespace tandel
