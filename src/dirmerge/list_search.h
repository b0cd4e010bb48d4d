// The search of the directory window's two lists.
#pragma once

#include "dirmerge/comparison_row.h"
#include "panes/text_matcher.h"

#include <cstdint>
#include <vector>

namespace tandel {

class Frame;

// The row of the first hit below row `after` (-1: from the top), or -1. Row r
// of both lists shows rows[order[r]]; its name in the left list is tested
// before its name in the right list. At a hit the list that holds it selects
// that row alone, shows it and takes the focus (Frame::showListRow).
[[nodiscard]] std::int64_t listSearch(const std::vector<ComparisonRow>& rows,
                                      const std::vector<int>& order, std::int64_t after,
                                      const TextMatcher& matcher, Frame& frame);

} // namespace tandel
