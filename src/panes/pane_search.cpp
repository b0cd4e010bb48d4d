#include "panes/pane_search.h"

#include "frame/frame.h"
#include "merge/segment_map.h"

#include <algorithm>

namespace tandel {
namespace {

bool textFits(const SegmentRange& text, std::int32_t lineCount) {
    return !text.present() ||
           (text.first >= 1 && text.first <= text.last && text.last <= lineCount);
}

// First matching line of `side` among lines [first, last) (0-based), or -1.
std::int64_t firstHitLine(const SideRecord& side, const TextMatcher& matcher, std::int64_t first,
                          std::int64_t last) {
    if (first >= last) {
        return -1;
    }
    return matcher.firstMatchingLine(side.lineBuffer.data(), side.lineStarts, first, last);
}

// The side's row k of segment i shows its text line first - 1 + k while k is
// below the text's length; the gap's filler rows follow. Returns the first
// row in [kBegin, kEnd) whose line matches, or kEnd.
std::int64_t firstHitInSegment(const SideRecord& side, std::int32_t i, const TextMatcher& matcher,
                               std::int64_t kBegin, std::int64_t kEnd) {
    const SegmentRange& text = side.textRanges[static_cast<std::size_t>(i)];
    if (!text.present()) {
        return kEnd;
    }
    const std::int64_t base = text.first - 1;
    const std::int64_t hit = firstHitLine(side, matcher, base + kBegin,
                                          base + std::min<std::int64_t>(kEnd, text.length()));
    return hit < 0 ? kEnd : hit - base;
}

} // namespace

bool listsFitFiles(const MergeModel& model) {
    const SideRecord& one = model.side(1);
    const SideRecord& two = model.side(2);
    if (!one.hasLists() || !two.hasLists()) {
        return true;
    }
    const std::int32_t n = one.segmentCount();
    if (two.segmentCount() != n) {
        return false;
    }
    std::int64_t next = 1; // the earliest side 1 line the next segment may start at
    for (std::int32_t i = 0; i < n; ++i) {
        const std::int32_t start = segmentFirstLine(one, i);
        if (start < next || start > one.lineCount + 1 ||
            !textFits(one.textRanges[static_cast<std::size_t>(i)], one.lineCount) ||
            !textFits(two.textRanges[static_cast<std::size_t>(i)], two.lineCount)) {
            return false;
        }
        next = segmentLastLine(one, i) + 1;
    }
    return true;
}

std::int64_t firstHitRow(const MergeModel& model, const TextMatcher& matcher, std::int64_t begin,
                         std::int64_t end) {
    const SideRecord& one = model.side(1);
    const SideRecord& two = model.side(2);
    begin = std::max<std::int64_t>(begin, 0);
    if (!one.hasLists() || !two.hasLists()) {
        return firstHitLine(one, matcher, begin, std::min<std::int64_t>(end, one.lineCount));
    }
    // Common lines sit at row line + gaps, gaps counting side 1's filler rows
    // above them; `next` is the side 1 line after the previous segment.
    std::int64_t gaps = 0;
    std::int64_t next = 0;
    const auto commonHit = [&](std::int64_t upTo) -> std::int64_t {
        const std::int64_t hit =
            firstHitLine(one, matcher, std::max(next, begin - gaps), std::min(upTo, end - gaps));
        return hit < 0 ? -1 : hit + gaps;
    };
    const std::int32_t n = one.segmentCount();
    for (std::int32_t i = 0; i < n && next + gaps < end; ++i) {
        const std::int64_t start = segmentFirstLine(one, i) - 1;
        if (const std::int64_t hit = commonHit(start); hit >= 0) {
            return hit;
        }
        const std::int64_t startRow = start + gaps;
        const std::int64_t height = one.textRanges[static_cast<std::size_t>(i)].length() +
                                    one.gapRanges[static_cast<std::size_t>(i)].length();
        const std::int64_t kBegin = std::max<std::int64_t>(0, begin - startRow);
        const std::int64_t kEnd = std::min(height, end - startRow);
        if (kBegin < kEnd) {
            // Side 2 need only be searched above side 1's hit.
            const std::int64_t k1 = firstHitInSegment(one, i, matcher, kBegin, kEnd);
            const std::int64_t k = firstHitInSegment(two, i, matcher, kBegin, k1);
            if (k < kEnd) {
                return startRow + k;
            }
        }
        gaps += one.gapRanges[static_cast<std::size_t>(i)].length();
        next = segmentLastLine(one, i);
    }
    return commonHit(one.lineCount);
}

std::int64_t paneSearch(const MergeModel& model, Frame& frame, std::int64_t after,
                        const TextMatcher& matcher) {
    if (!listsFitFiles(model)) {
        frame.message(Severity::Error, kBadDifferencesMessage);
        return -1;
    }
    return firstHitRow(model, matcher, after + 1);
}

} // namespace tandel
