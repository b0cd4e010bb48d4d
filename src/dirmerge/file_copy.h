// Copies one regular file so that the target is either the old file or the
// complete new one, never a half-written mix.
#pragma once

#include <string>

namespace tandel {

// Writes a temporary file beside `target`, gives it the source's permissions
// and access and modification times, and renames it over `target` only once
// every byte is written. 0 on success, -1 on failure (the target untouched).
int copyFileReplacing(const std::string& source, const std::string& target);

} // namespace tandel
