#include "dirmerge/list_search.h"

#include "frame/frame.h"

#include <algorithm>

namespace tandel {

std::int64_t listSearch(const std::vector<ComparisonRow>& rows, const std::vector<int>& order,
                        std::int64_t after, const TextMatcher& matcher, Frame& frame) {
    const auto count = static_cast<std::int64_t>(order.size());
    for (std::int64_t r = std::max<std::int64_t>(after + 1, 0); r < count; ++r) {
        const int index = order[static_cast<std::size_t>(r)];
        if (index < 0 || static_cast<std::size_t>(index) >= rows.size()) {
            continue;
        }
        const ComparisonRow& row = rows[static_cast<std::size_t>(index)];
        for (int list = 1; list <= 2; ++list) {
            if (matcher.matches(row.half(list - 1).path)) {
                frame.showListRow(list, r);
                return r;
            }
        }
    }
    return -1;
}

} // namespace tandel
