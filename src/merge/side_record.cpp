#include "merge/side_record.h"

#include <algorithm>

namespace tandel {

std::int32_t SideRecord::segmentCount() const {
    // InstallLists keeps exactly one end entry, at the back of both lists.
    if (!hasLists()) {
        return 0;
    }
    return static_cast<std::int32_t>(std::min(textRanges.size(), gapRanges.size()) - 1);
}

std::string_view SideRecord::line(std::int64_t i) const {
    if (i < 0 || i >= lineCount || static_cast<std::size_t>(i) + 1 >= lineStarts.size()) {
        return {};
    }
    const std::size_t begin = lineStarts[static_cast<std::size_t>(i)];
    const std::size_t end = lineStarts[static_cast<std::size_t>(i) + 1] - 1; // drop the '\n'
    return std::string_view(lineBuffer).substr(begin, end - begin);
}

EngineText SideRecord::engineText() {
    if (engineCopy.size() < engineSize + kEngineSpareBytes) {
        engineCopy.resize(engineSize + kEngineSpareBytes, '\0');
    }
    return EngineText{engineCopy.data(), engineSize};
}

} // namespace tandel
