// What a row of the directory window is at a glance, beside its colour,
// which cannot tell a file found on one side only from a pair that differs.
#pragma once

#include "dirmerge/comparison_row.h"

#include <string>

namespace tandel {

enum class RowKind { Equal, Different, LeftOnly, RightOnly, Unreadable };

RowKind rowKind(const ComparisonRow& row);

// The marker column of half 0 (left) or 1 (right): "same", "differs",
// "not compared", "only here", "absent" or "unreadable"; "copied" or
// "merged" once this window did that with the half.
std::string markerText(const ComparisonRow& row, int half);

// The marker's tooltip: the whole story of the row in words.
std::string markerTip(const ComparisonRow& row, int half);

} // namespace tandel
