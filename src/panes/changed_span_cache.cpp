#include "panes/changed_span_cache.h"

#include "merge/segment_map.h"

#include <functional>
#include <string_view>

namespace tandel {
namespace {

// Far more rows than any screen shows; past it the cache starts afresh
// rather than holding every row ever painted.
constexpr std::size_t kMaxEntries = 8192;

// The 0-based file line that `side` shows on row k of segment i, or -1.
std::int64_t lineOfRow(const SideRecord& side, std::int32_t i, std::int64_t k) {
    const SegmentRange& text = side.textRanges[static_cast<std::size_t>(i)];
    if (k < 0 || k >= text.length()) {
        return -1;
    }
    const std::int64_t line = text.first - 1 + k;
    return line < side.lineCount ? line : -1;
}

} // namespace

const PairSpans* ChangedSpanCache::segmentRow(const MergeModel& model, const SpanRules& rules,
                                              std::int32_t segment, std::int64_t k) {
    const SideRecord& one = model.side(1);
    const SideRecord& two = model.side(2);
    // A binary file's row is a description: no characters of it changed.
    if (!one.hasLists() || !two.hasLists() || segment < 0 || segment >= one.segmentCount() ||
        segment >= two.segmentCount() || one.binary || two.binary) {
        return nullptr;
    }
    const std::int64_t line1 = lineOfRow(one, segment, k);
    const std::int64_t line2 = lineOfRow(two, segment, k);
    if (line1 < 0 || line2 < 0) {
        return nullptr;
    }
    const std::string_view text1 = one.line(line1);
    const std::string_view text2 = two.line(line2);
    const std::hash<std::string_view> digest;
    const std::size_t digest1 = digest(text1);
    const std::size_t digest2 = digest(text2);
    const std::uint64_t key =
        static_cast<std::uint64_t>(segment) << 32 | static_cast<std::uint32_t>(k);
    if (const auto found = entries_.find(key); found != entries_.end()) {
        const Entry& entry = found->second;
        if (entry.line1 == line1 && entry.line2 == line2 && entry.digest1 == digest1 &&
            entry.digest2 == digest2 && entry.rules == rules) {
            return &entry.spans;
        }
    }
    if (entries_.size() >= kMaxEntries) {
        entries_.clear();
    }
    Entry& entry = entries_[key];
    entry = Entry{line1,   line2, digest1,
                  digest2, rules, changedSpansOf(text1, text2, rules, costBound_)};
    return &entry.spans;
}

const PairSpans* ChangedSpanCache::displayRow(const MergeModel& model, const SpanRules& rules,
                                              std::int64_t d) {
    const SideRecord& one = model.side(1);
    const std::int64_t line = displayToLine(one, d).line;
    const std::int32_t segment = line < 0 ? -1 : findSegment(one, line, SegmentKind::Text);
    if (segment < 0) {
        return nullptr;
    }
    const SegmentRange& text = one.textRanges[static_cast<std::size_t>(segment)];
    return segmentRow(model, rules, segment, line - (text.first - 1));
}

} // namespace tandel
