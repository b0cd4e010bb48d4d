#include "merge/side_record.h"

#include <algorithm>

namespace tandel {

std::int32_t SideRecord::segmentCount() const {
    // installLists keeps exactly one end entry, at the back of both lists.
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

std::string_view SideRecord::lineEnd(std::int64_t i) const {
    if (i < 0 || i >= lineCount) {
        return {};
    }
    if (i == lineCount - 1 && ends.lastUnterminated) {
        return {};
    }
    const auto at = static_cast<std::size_t>(i);
    return at < ends.crLf.size() && ends.crLf[at] ? std::string_view("\r\n")
                                                  : std::string_view("\n");
}

LineEndStyle SideRecord::lineEndStyle() const {
    const std::size_t terminated =
        static_cast<std::size_t>(lineCount) - (ends.lastUnterminated ? 1 : 0);
    if (terminated == 0) {
        return LineEndStyle::NoLines;
    }
    if (ends.crLfCount == 0) {
        return LineEndStyle::Lf;
    }
    return ends.crLfCount == terminated ? LineEndStyle::CrLf : LineEndStyle::Mixed;
}

EngineText SideRecord::engineText(bool runRewritesText, bool exactLineEnds) {
    const bool ownEnds = exactLineEnds && (ends.crLfCount > 0 || ends.lastUnterminated);
    if (ownEnds) {
        // The engine sees the bytes as the file has them: a CR before a line
        // feed, and no line feed after an unterminated last line.
        std::vector<char> copy;
        copy.reserve(engineSize + ends.crLfCount + kEngineSpareBytes);
        for (std::int32_t i = 0; i < lineCount; ++i) {
            const std::string_view text = line(i);
            const std::string_view end = lineEnd(i);
            copy.insert(copy.end(), text.begin(), text.end());
            copy.insert(copy.end(), end.begin(), end.end());
        }
        const std::size_t size = copy.size();
        copy.resize(size + kEngineSpareBytes, '\0');
        engineCopy = std::move(copy);
        return EngineText{engineCopy.data(), size};
    }
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
        lineBuffer.resize(needed);
    }
    return EngineText{lineBuffer.data(), engineSize, lineStarts};
}

} // namespace tandel
