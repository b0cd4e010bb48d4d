// Column list texts ("1, 3;5"): parsing into a column set and the add and
// remove operations of the options page.
#pragma once

#include "engine/compare_settings.h"

#include <string>
#include <string_view>

namespace tandel {

inline constexpr std::string_view kBadColumnDescription =
    "Bad column description.\nPlease correct the entry";

// Tokens are separated by ",", ";" and blanks; each must be a decimal number.
// Parsed with `set` filled, or Refused with `set` unchanged and `message`
// holding the error text for the caller to show.
enum class ColumnListParse { Parsed, Refused };
[[nodiscard]] ColumnListParse parseColumnList(std::string_view text, ColumnSet& set,
                                              std::string& message);

// Appends ", n" ("n" to an empty text) unless n is already listed.
std::string addColumnToListText(std::string_view text, long long n);

// Rewrites the list without n: the first number as "n", the others as ", n".
// Tokens that are not numbers cannot be rewritten and are dropped.
std::string removeColumnFromListText(std::string_view text, long long n);

} // namespace tandel
