#include "panes/pane_rows.h"

#include "merge/segment_map.h"

namespace tandel {

namespace {

RowFill fillFor(Choice choice, RowFill undecided) {
    switch (choice) {
    case Choice::First:
        return RowFill::Cyan;
    case Choice::Second:
        return RowFill::Blue;
    default:
        return undecided;
    }
}

} // namespace

PaneRow describeRow(const SideRecord& side, std::int64_t row) {
    PaneRow result;
    if (row < 0) {
        return result;
    }
    const DisplayPosition at = displayToLine(side, row);
    if (at.line >= side.lineCount) {
        return result;
    }
    if (at.line < 0) {
        result.kind = PaneRowKind::Filler;
        result.segment = findSegment(side, row, SegmentKind::Gap);
        if (result.segment >= 0) {
            result.fill = fillFor(side.gapRanges[static_cast<std::size_t>(result.segment)].choice,
                                  RowFill::Yellow);
        }
        return result;
    }
    result.kind = PaneRowKind::Text;
    result.line = at.line;
    result.segment = findSegment(side, at.line, SegmentKind::Text);
    if (result.segment >= 0) {
        result.fill = fillFor(side.textRanges[static_cast<std::size_t>(result.segment)].choice,
                              RowFill::Green);
    }
    return result;
}

} // namespace tandel
