// The file-type filter patterns: "*", "?", character sets and a leading "^"
// that inverts the answer.
#pragma once

#include <string_view>

namespace tandel {

// True when `pattern` matches the whole of `name`.
bool matchPattern(std::string_view name, std::string_view pattern);

} // namespace tandel
