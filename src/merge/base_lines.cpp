#include "merge/base_lines.h"

#include <algorithm>

#include "merge/segment_map.h"

namespace tandel {

namespace {

// The place in BASE of the place before side line p. Lines the side deleted
// right there lie before it when `afterDeletions`, else after it.
std::int64_t basePlaceOf(const std::vector<EditHunk>& hunks, std::int64_t p, bool afterDeletions) {
    const auto next = std::partition_point(hunks.begin(), hunks.end(), [&](const EditHunk& h) {
        return h.sideFirst < p || (afterDeletions && h.sideFirst == p && h.sideCount == 0);
    });
    if (next == hunks.begin()) {
        return p;
    }
    const EditHunk& h = *(next - 1);
    if (p < h.sideEnd()) {
        return h.baseFirst + std::min<std::int64_t>(p - h.sideFirst, h.baseCount);
    }
    return h.baseEnd() + (p - h.sideEnd());
}

// A side's lines in segment i, 0-based [first, end); an empty range at the
// place of its filler rows. None when the side has neither.
std::optional<std::pair<std::int64_t, std::int64_t>> sideLinesIn(const SideRecord& side,
                                                                 std::int32_t i) {
    const SegmentRange& text = side.textRanges[static_cast<std::size_t>(i)];
    if (text.present()) {
        return std::pair<std::int64_t, std::int64_t>{text.first - 1,
                                                     text.first - 1 + text.length()};
    }
    const SegmentRange& gap = side.gapRanges[static_cast<std::size_t>(i)];
    if (gap.present()) {
        return std::pair<std::int64_t, std::int64_t>{gap.first - 1, gap.first - 1};
    }
    return std::nullopt;
}

bool placesBaseLines(const MergeModel& model) {
    return model.threeWay && !model.base.binary && !model.side(1).binary && !model.side(2).binary &&
           model.side(1).hasLists() && model.side(2).hasLists();
}

} // namespace

BaseLines baseLinesOf(const std::vector<EditHunk>& hunks, std::int64_t first, std::int64_t end) {
    BaseLines lines{basePlaceOf(hunks, first, first < end), basePlaceOf(hunks, end, false)};
    auto h = std::partition_point(hunks.begin(), hunks.end(),
                                  [&](const EditHunk& k) { return k.sideEnd() < first; });
    for (; h != hunks.end() && h->sideFirst <= end; ++h) {
        // Lines the side deleted count when they were within the range, or
        // where an empty range is.
        const bool meets = h->sideCount > 0 ? h->sideFirst < end && h->sideEnd() > first
                           : first == end   ? h->sideFirst == first
                                            : first < h->sideFirst && h->sideFirst < end;
        if (meets) {
            lines.first = std::min<std::int64_t>(lines.first, h->baseFirst);
            lines.end = std::max<std::int64_t>(lines.end, h->baseEnd());
        }
    }
    return lines;
}

std::optional<BaseLines> segmentBaseLines(const MergeModel& model, std::int32_t i) {
    if (!placesBaseLines(model) || i < 0 || i >= model.side(1).segmentCount()) {
        return std::nullopt;
    }
    std::optional<BaseLines> found;
    for (int s = 1; s <= 2; ++s) {
        const auto lines = sideLinesIn(model.side(s), i);
        if (!lines) {
            continue;
        }
        const BaseLines here = baseLinesOf(model.baseHunks[static_cast<std::size_t>(s - 1)],
                                           lines->first, lines->second);
        // An empty place says nothing the other side's lines do not.
        if (!found || (found->empty() && !here.empty())) {
            found = here;
        } else if (!here.empty()) {
            found = BaseLines{std::min(found->first, here.first), std::max(found->end, here.end)};
        }
    }
    return found;
}

std::int64_t baseLineAtRow(const MergeModel& model, std::int64_t row) {
    row = std::max<std::int64_t>(row, 0);
    if (!placesBaseLines(model)) {
        return row;
    }
    const SideRecord& side1 = model.side(1);
    const DisplayPosition at = displayToLine(side1, row);
    const std::int32_t segment = at.line < 0 ? findSegment(side1, row, SegmentKind::Gap)
                                             : findSegment(side1, at.line, SegmentKind::Text);
    if (const std::optional<BaseLines> lines = segmentBaseLines(model, segment)) {
        const std::int64_t offset = row - (segmentDisplayStart(model, segment) - 1);
        const std::int64_t last = std::max<std::int64_t>(lines->end - lines->first - 1, 0);
        return lines->first + std::clamp<std::int64_t>(offset, 0, last);
    }
    // A line outside the segments both sides hold alike: changed the same way
    // on both, it stands at its place in the change.
    const std::int64_t line = std::max<std::int64_t>(at.line, 0);
    const std::vector<EditHunk>& hunks = model.baseHunks[0];
    const auto next = std::partition_point(hunks.begin(), hunks.end(),
                                           [&](const EditHunk& h) { return h.sideEnd() <= line; });
    if (next != hunks.end() && next->sideFirst <= line && next->baseCount > 0) {
        return next->baseFirst +
               std::min<std::int64_t>(line - next->sideFirst, next->baseCount - 1);
    }
    return basePlaceOf(hunks, line, true);
}

std::vector<BaseSegment> baseSegmentsIn(const MergeModel& model, std::int64_t first,
                                        std::int64_t end) {
    std::vector<BaseSegment> found;
    if (!placesBaseLines(model)) {
        return found;
    }
    // The segments' BASE lines go down the file as the segments do.
    std::int32_t low = 0;
    std::int32_t high = model.side(1).segmentCount();
    while (low < high) {
        const std::int32_t middle = low + (high - low) / 2;
        const std::optional<BaseLines> lines = segmentBaseLines(model, middle);
        if (!lines || lines->end < first) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    for (std::int32_t i = low; i < model.side(1).segmentCount(); ++i) {
        const std::optional<BaseLines> lines = segmentBaseLines(model, i);
        if (!lines) {
            continue;
        }
        if (lines->first > end || (!lines->empty() && lines->first == end)) {
            break;
        }
        if (lines->empty() ? lines->first >= first : lines->end > first) {
            found.push_back({i, *lines});
        }
    }
    return found;
}

} // namespace tandel
