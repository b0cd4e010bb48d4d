#include "merge/segment_map.h"

#include <algorithm>

namespace tandel {

namespace {

bool validSegment(const SideRecord& side, std::int32_t i) {
    return side.hasLists() && i >= 0 && i < side.segmentCount();
}

SegmentIndex buildIndex(const SideRecord& side) {
    SegmentIndex index;
    const std::int32_t n = side.segmentCount();
    index.gapBefore.assign(static_cast<std::size_t>(n) + 1, 0);
    for (std::int32_t i = 0; i < n; ++i) {
        const SegmentRange& text = side.textRanges[static_cast<std::size_t>(i)];
        const SegmentRange& gap = side.gapRanges[static_cast<std::size_t>(i)];
        const std::int64_t before = index.gapBefore[static_cast<std::size_t>(i)];
        index.gapBefore[static_cast<std::size_t>(i) + 1] = before + gap.length();
        if (text.present()) {
            index.textSegments.push_back(i);
            index.textLast.push_back(text.last);
        }
        if (gap.present()) {
            index.gapSegments.push_back(i);
            index.gapDisplayLast.push_back(gap.last + before);
        }
    }
    return index;
}

// The index is rebuilt by every operation that changes the lists' shape; a
// stale one (lists edited by hand) is not trusted but built into `scratch`.
const SegmentIndex& freshIndex(const SideRecord& side, SegmentIndex& scratch) {
    if (side.index.gapBefore.size() != static_cast<std::size_t>(side.segmentCount()) + 1) {
        scratch = buildIndex(side);
        return scratch;
    }
    return side.index;
}

} // namespace

void rebuildIndex(SideRecord& side) {
    side.index = buildIndex(side);
}

std::int32_t segmentFirstLine(const SideRecord& side, std::int32_t i) {
    if (!validSegment(side, i)) {
        return RANGE_NONE;
    }
    const SegmentRange& text = side.textRanges[static_cast<std::size_t>(i)];
    return text.present() ? text.first : side.gapRanges[static_cast<std::size_t>(i)].first;
}

std::int32_t segmentLastLine(const SideRecord& side, std::int32_t i) {
    if (!validSegment(side, i)) {
        return RANGE_NONE;
    }
    const SegmentRange& text = side.textRanges[static_cast<std::size_t>(i)];
    if (text.present()) {
        return text.last;
    }
    const SegmentRange& gap = side.gapRanges[static_cast<std::size_t>(i)];
    return gap.present() ? gap.first - 1 : RANGE_NONE;
}

std::int64_t gapLinesBefore(const SideRecord& side, std::int32_t i) {
    if (!side.hasLists()) {
        return 0;
    }
    SegmentIndex scratch;
    const SegmentIndex& index = freshIndex(side, scratch);
    const auto last = static_cast<std::int32_t>(index.gapBefore.size()) - 1;
    return index.gapBefore[static_cast<std::size_t>(std::clamp(i, 0, last))];
}

std::int64_t segmentDisplayStart(const MergeModel& model, std::int32_t i) {
    const SideRecord& side = model.side(1);
    if (!validSegment(side, i)) {
        return 0;
    }
    return segmentFirstLine(side, i) + gapLinesBefore(side, i);
}

DisplayPosition displayToLine(const SideRecord& side, std::int64_t d) {
    if (!side.hasLists()) {
        return {d, 0};
    }
    SegmentIndex scratch;
    const SegmentIndex& index = freshIndex(side, scratch);
    // The first gap that ends at or after row d + 1 is the only one that can hold it.
    const auto it =
        std::lower_bound(index.gapDisplayLast.begin(), index.gapDisplayLast.end(), d + 1);
    if (it == index.gapDisplayLast.end()) {
        return {d - index.gapBefore.back(), 0};
    }
    const std::int32_t i =
        index.gapSegments[static_cast<std::size_t>(it - index.gapDisplayLast.begin())];
    const std::int64_t g = index.gapBefore[static_cast<std::size_t>(i)];
    if (d + 1 >= side.gapRanges[static_cast<std::size_t>(i)].first + g) {
        return {-1, d - g};
    }
    return {d - g, 0};
}

std::int32_t findSegment(const SideRecord& side, std::int64_t n, SegmentKind kind) {
    if (!side.hasLists()) {
        return -1;
    }
    SegmentIndex scratch;
    const SegmentIndex& index = freshIndex(side, scratch);
    const std::vector<std::int64_t>& ends =
        kind == SegmentKind::Text ? index.textLast : index.gapDisplayLast;
    const std::vector<std::int32_t>& segments =
        kind == SegmentKind::Text ? index.textSegments : index.gapSegments;
    const auto it = std::lower_bound(ends.begin(), ends.end(), n + 1);
    if (it == ends.end()) {
        return -1;
    }
    const std::int32_t i = segments[static_cast<std::size_t>(it - ends.begin())];
    const std::int64_t begin = kind == SegmentKind::Text
                                   ? side.textRanges[static_cast<std::size_t>(i)].first
                                   : side.gapRanges[static_cast<std::size_t>(i)].first +
                                         index.gapBefore[static_cast<std::size_t>(i)];
    return begin <= n + 1 ? i : -1;
}

std::int64_t displayLineCount(const MergeModel& model) {
    const SideRecord& side = model.side(1);
    return side.lineCount + gapLinesBefore(side, side.segmentCount());
}

void releaseLists(MergeModel& model) {
    model.decisionsUnsaved = false;
    model.currentSegment = -1;
    for (SideRecord& side : model.sides) {
        side.textRanges.clear();
        side.gapRanges.clear();
        side.index = SegmentIndex{};
    }
}

void installLists(SideRecord& side, std::vector<SegmentRange> text, std::vector<SegmentRange> gap) {
    if (text.empty() && gap.empty()) {
        side.textRanges.clear();
        side.gapRanges.clear();
        side.index = SegmentIndex{};
        return;
    }
    // Keep the segments before the first end entry, and exactly one end entry.
    std::size_t n = 0;
    while (n < text.size() && !text[n].isEnd()) {
        ++n;
    }
    text.resize(n);
    gap.resize(n, SegmentRange{RANGE_NONE, RANGE_NONE, Choice::None});
    for (SegmentRange& range : gap) {
        if (range.isEnd()) {
            range = SegmentRange{RANGE_NONE, RANGE_NONE, Choice::None};
        }
    }
    text.push_back(SegmentRange{});
    gap.push_back(SegmentRange{});
    side.textRanges = std::move(text);
    side.gapRanges = std::move(gap);
    rebuildIndex(side);
}

void insertEmptyEntry(MergeModel& model, std::int32_t i) {
    if (!model.side(1).hasLists() || !model.side(2).hasLists()) {
        return;
    }
    for (SideRecord& side : model.sides) {
        for (std::vector<SegmentRange>* list : {&side.textRanges, &side.gapRanges}) {
            const auto at = static_cast<std::size_t>(
                std::clamp<std::int64_t>(i, 0, static_cast<std::int64_t>(list->size()) - 1));
            SegmentRange entry{RANGE_NONE, RANGE_NONE, (*list)[at].choice, (*list)[at].automatic};
            list->insert(list->begin() + static_cast<std::ptrdiff_t>(at), entry);
        }
    }
}

} // namespace tandel
