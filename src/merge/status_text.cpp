#include "merge/status_text.h"

#include "merge/decisions.h"
#include "merge/file_format_label.h"

#include <algorithm>

namespace tandel {

std::string differenceStatusText(const MergeModel& model, bool compared) {
    if (!compared) {
        return {};
    }
    const std::int32_t n = std::min(model.side(1).segmentCount(), model.side(2).segmentCount());
    if (n == 0) {
        return "No differences";
    }
    const std::int32_t unresolved = unresolvedCount(model);
    std::string left = " \xC2\xB7 ";
    if (!model.threeWay) {
        left += std::to_string(unresolved) + " unresolved";
    } else if (unresolved == 0) {
        left += "No conflicts left";
    } else {
        left +=
            std::to_string(unresolved) + (unresolved == 1 ? " conflict left" : " conflicts left");
    }
    if (model.currentSegment >= 0 && model.currentSegment < n) {
        return "Difference " + std::to_string(model.currentSegment + 1) + " of " +
               std::to_string(n) + left;
    }
    return std::to_string(n) + (n == 1 ? " difference" : " differences") + left;
}

std::string sideStatusText(const SideRecord& side) {
    const std::string format = fileFormatLabel(side);
    if (format.empty() || side.binary || side.lineCount == 0) {
        return format;
    }
    return std::string(side.encoding == LineEncoding::Utf8 ? "UTF-8" : "Windows-1252") + ", " +
           format;
}

} // namespace tandel
