#include "panes/widest_line.h"

#include "panes/line_expansion.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace tandel {

namespace {

std::int64_t tabsIn(std::string_view line) {
    std::int64_t tabs = 0;
    const char* at = line.data();
    const char* const end = at + line.size();
    while (at < end) {
        const void* found = std::memchr(at, '\t', static_cast<std::size_t>(end - at));
        if (found == nullptr) {
            break;
        }
        ++tabs;
        at = static_cast<const char*>(found) + 1;
    }
    return tabs;
}

} // namespace

std::int64_t measureWidestLine(const SideRecord& side, std::int32_t tabSize) {
    if (side.lineCount <= 0) {
        return 0;
    }
    if (side.binary) {
        return expandedWidth(side.shownLine(0), tabSize);
    }
    const std::int64_t tab = effectiveTabSize(tabSize);
    const auto bytes = [&](std::int64_t i) {
        const auto at = static_cast<std::size_t>(i);
        return static_cast<std::int64_t>(side.lineStarts[at + 1] - side.lineStarts[at] - 1);
    };
    // The longest line in bytes is usually near the widest: measured first,
    // it rules out most lines by their length alone.
    std::int64_t longest = 0;
    for (std::int64_t i = 1; i < side.lineCount; ++i) {
        if (bytes(i) > bytes(longest)) {
            longest = i;
        }
    }
    std::int64_t widest = expandedWidth(side.line(longest), tabSize);
    for (std::int64_t i = 0; i < side.lineCount; ++i) {
        const std::int64_t size = bytes(i);
        if (size * tab <= widest) {
            continue;
        }
        // A character takes a byte or more and one column, a tab tab-size
        // columns: a bound that is exact for a line of ASCII.
        const std::string_view line = side.line(i);
        if (size + tabsIn(line) * (tab - 1) <= widest) {
            continue;
        }
        widest = std::max(widest, expandedWidth(line, tabSize));
    }
    return widest;
}

std::int64_t widestLineOf(SideRecord& side, std::int32_t tabSize) {
    // A binary side's row changes with the comparison; it is one short row.
    if (side.binary) {
        return measureWidestLine(side, tabSize);
    }
    SideRecord::WidestLineCache& kept = side.widestLine;
    if (kept.columns < 0 || kept.tabSize != tabSize || kept.lineCount != side.lineCount) {
        kept = {tabSize, side.lineCount, measureWidestLine(side, tabSize)};
    }
    return kept.columns;
}

} // namespace tandel
