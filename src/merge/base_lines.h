// Where the common ancestor of a three-way merge lies beside the panes: the
// BASE lines a side's lines came from, through the hunks of the comparison of
// BASE with that side, and from there the BASE lines of a segment and of a
// pane row.
#pragma once

#include "merge/merge_model.h"
#include "merge/three_way.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace tandel {

// BASE lines [first, end), 0-based; empty (first == end) at the place
// between two lines.
struct BaseLines {
    std::int64_t first = 0;
    std::int64_t end = 0;

    bool empty() const { return first == end; }
    bool operator==(const BaseLines&) const = default;
};

// The BASE lines a side's lines [first, end) stand for, by `hunks` (BASE to
// that side, in order): a line no hunk touches maps one to one, a hunk the
// range overlaps adds the whole of its BASE lines. An empty range at the
// place of lines the side deleted stands for those lines.
BaseLines baseLinesOf(const std::vector<EditHunk>& hunks, std::int64_t first, std::int64_t end);

// The BASE lines of segment i: those of the lines both sides hold in it. None
// without a three-way result or for a segment out of range.
std::optional<BaseLines> segmentBaseLines(const MergeModel& model, std::int32_t i);

// The BASE line beside 0-based pane row `row`: the line of its file line on
// side 1, or for a row in a segment, the row's place in the segment's BASE
// lines. Past the end of BASE for rows below the files.
std::int64_t baseLineAtRow(const MergeModel& model, std::int64_t row);

// The segments whose BASE lines meet [first, end), or are an empty place
// within it or at its ends; in order.
struct BaseSegment {
    std::int32_t segment = -1;
    BaseLines lines;
    bool operator==(const BaseSegment&) const = default;
};
std::vector<BaseSegment> baseSegmentsIn(const MergeModel& model, std::int64_t first,
                                        std::int64_t end);

} // namespace tandel
