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
    return std::string_view(lineBuffer.data() + begin, end - begin);
}

EngineText SideRecord::engineText(bool runRewritesText) {
    const std::size_t needed = engineSize + kEngineSpareBytes;
    if (runRewritesText) {
        const std::size_t kept = std::min(engineSize, lineBuffer.size());
        std::vector<char> copy;
        copy.reserve(needed);
        copy.insert(copy.end(), lineBuffer.data(), lineBuffer.data() + kept);
        copy.resize(needed, '\0');
        engineCopy = std::move(copy);
        return EngineText{engineCopy.data(), engineSize};
    }
    // A copy from an earlier rewriting run is of no further use.
    std::vector<char>().swap(engineCopy);
    if (lineBuffer.size() < needed) {
        lineBuffer.resize(needed, '\0');
    }
    return EngineText{lineBuffer.data(), engineSize};
}

} // namespace tandel
