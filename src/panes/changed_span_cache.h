// The changed spans of the rows the panes paint, computed on first request
// and kept per segment row. Each entry remembers the two lines it was made
// from (where they are and a digest of their bytes) and the rules, so a new
// comparison, a reload or a split never serves spans of other text.
#pragma once

#include "merge/merge_model.h"
#include "panes/changed_spans.h"

#include <cstdint>
#include <unordered_map>

namespace tandel {

class ChangedSpanCache {
public:
    explicit ChangedSpanCache(std::size_t costBound = kSpanCostBound) : costBound_(costBound) {}

    // Row k of segment i pairs side 1's k-th line of the segment with side
    // 2's k-th line. nullptr when either side shows a filler there, or there
    // is no such row.
    const PairSpans* segmentRow(const MergeModel& model, const SpanRules& rules,
                                std::int32_t segment, std::int64_t k);
    // The same for 0-based display row d; nullptr on common lines.
    const PairSpans* displayRow(const MergeModel& model, const SpanRules& rules, std::int64_t d);

    void clear() { entries_.clear(); }
    std::size_t size() const { return entries_.size(); }

private:
    struct Entry {
        std::int64_t line1 = 0;
        std::int64_t line2 = 0;
        std::size_t digest1 = 0;
        std::size_t digest2 = 0;
        SpanRules rules;
        PairSpans spans;
    };

    std::size_t costBound_;
    std::unordered_map<std::uint64_t, Entry> entries_; // by segment and row
};

} // namespace tandel
