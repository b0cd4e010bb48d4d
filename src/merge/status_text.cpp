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
    std::int32_t unresolved = 0;
    for (std::int32_t i = 0; i < n; ++i) {
        unresolved += segmentResolved(model, i) ? 0 : 1;
    }
    const std::string left = " \xC2\xB7 " + std::to_string(unresolved) + " unresolved";
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
