// Copies one regular file so that the target is either the old file or the
// complete new one, never a half-written mix.
#pragma once

#include "base/file_system.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tandel {

// Reads the source a piece at a time, writes it beside `target`, puts it in
// place only once every byte is written, and gives it the source's access and
// modification times. The new file gets `permissions` when given (those of the
// file it replaces), else the source's. A source that is not a regular file is
// refused (EINVAL). On failure the target is untouched.
[[nodiscard]] IoStatus copyFileReplacing(FileSystem& files, const std::string& source,
                                         const std::string& target,
                                         std::optional<std::uint32_t> permissions = std::nullopt);

} // namespace tandel
