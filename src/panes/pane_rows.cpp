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
            const SegmentRange& gap = side.gapRanges[static_cast<std::size_t>(result.segment)];
            result.fill = fillFor(gap.choice, RowFill::Yellow);
            result.automatic = gap.automatic;
        }
        return result;
    }
    result.kind = PaneRowKind::Text;
    result.line = at.line;
    result.segment = findSegment(side, at.line, SegmentKind::Text);
    if (result.segment >= 0) {
        const SegmentRange& text = side.textRanges[static_cast<std::size_t>(result.segment)];
        result.fill = fillFor(text.choice, RowFill::Green);
        result.automatic = text.automatic;
    }
    return result;
}

AutomaticMark automaticMark(const SideRecord& side, std::int64_t row) {
    const PaneRow here = describeRow(side, row);
    if (here.segment < 0 || !here.automatic) {
        return AutomaticMark::None;
    }
    return describeRow(side, row - 1).segment == here.segment ? AutomaticMark::Stripe
                                                              : AutomaticMark::Badge;
}

} // namespace tandel
