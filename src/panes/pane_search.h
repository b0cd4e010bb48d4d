// The search of the two panes, display line by display line: common lines
// are tested with side 1's text, the rows of a segment with side 1's line and
// then side 2's (filler rows never), so a hit is the row the user sees it on.
#pragma once

#include "merge/merge_model.h"
#include "panes/text_matcher.h"

#include <cstdint>
#include <limits>

namespace tandel {

class Frame;

inline constexpr const char* kBadDifferencesMessage =
    "There was an error in file differences.\nPlease check the output file";

// True when every segment lies inside the files it indexes, in order. A
// result that does not fit the loaded files must not be searched.
[[nodiscard]] bool listsFitFiles(const MergeModel& model);

// The first 0-based display row in [begin, end) with a hit, or -1. The lists
// must fit the files (listsFitFiles). Without lists the rows are file 1's lines.
[[nodiscard]] std::int64_t firstHitRow(const MergeModel& model, const TextMatcher& matcher,
                                       std::int64_t begin,
                                       std::int64_t end = std::numeric_limits<std::int64_t>::max());

// The 0-based display line of the first hit below display line `after`, or
// -1; after = -1 searches from the first line. Lists that do not fit the files
// show kBadDifferencesMessage and give -1.
[[nodiscard]] std::int64_t paneSearch(const MergeModel& model, Frame& frame, std::int64_t after,
                                      const TextMatcher& matcher);

} // namespace tandel
