#include "merge/decisions.h"

#include "frame/frame.h"
#include "merge/segment_map.h"
#include "settings/settings_record.h"

#include <algorithm>

namespace tandel {

namespace {

bool compared(const MergeModel& model) {
    return model.side(1).hasLists() && model.side(2).hasLists();
}

std::int32_t segmentCount(const MergeModel& model) {
    return std::min(model.side(1).segmentCount(), model.side(2).segmentCount());
}

SegmentRange& textOf(MergeModel& model, int s, std::int32_t i) {
    return model.side(s).textRanges[static_cast<std::size_t>(i)];
}
SegmentRange& gapOf(MergeModel& model, int s, std::int32_t i) {
    return model.side(s).gapRanges[static_cast<std::size_t>(i)];
}

void markPresent(MergeModel& model, int s, std::int32_t i, Choice choice) {
    for (SegmentRange* range : {&textOf(model, s, i), &gapOf(model, s, i)}) {
        if (range->present()) {
            range->choice = choice;
        }
    }
}

// The user's own choice replaces the three-way merge's.
void clearAutomatic(MergeModel& model, std::int32_t i) {
    for (int s = 1; s <= 2; ++s) {
        textOf(model, s, i).automatic = false;
        gapOf(model, s, i).automatic = false;
    }
}

int other(int s) {
    return s == 1 ? 2 : 1;
}

} // namespace

Choice judgingMark(const MergeModel& model, std::int32_t i, int s) {
    const SideRecord& side = model.side(s);
    if (i < 0 || i >= side.segmentCount()) {
        return Choice::None;
    }
    const SegmentRange& text = side.textRanges[static_cast<std::size_t>(i)];
    const SegmentRange& gap = side.gapRanges[static_cast<std::size_t>(i)];
    if (text.present()) {
        return text.choice;
    }
    return gap.present() ? gap.choice : Choice::None;
}

bool segmentResolved(const MergeModel& model, std::int32_t i) {
    return judgingMark(model, i, 1) != Choice::None || judgingMark(model, i, 2) != Choice::None;
}

std::int32_t unresolvedCount(const MergeModel& model) {
    if (!compared(model)) {
        return 0;
    }
    const std::int32_t n = segmentCount(model);
    std::int32_t count = 0;
    for (std::int32_t i = 0; i < n; ++i) {
        count += segmentResolved(model, i) ? 0 : 1;
    }
    return count;
}

bool anyUnresolved(const MergeModel& model) {
    if (!compared(model)) {
        return false;
    }
    const std::int32_t n = segmentCount(model);
    for (std::int32_t i = 0; i < n; ++i) {
        if (!segmentResolved(model, i)) {
            return true;
        }
    }
    return false;
}

void chooseSide(MergeModel& model, Frame& frame, std::int32_t i, int s, bool extend) {
    if (!compared(model) || i < 0 || i >= segmentCount(model)) {
        return;
    }
    model.decisionsUnsaved = true;
    model.currentSegment = i;
    clearAutomatic(model, i);
    // Two binary files are never put one after the other.
    extend = extend && !model.side(1).binary && !model.side(2).binary;
    const int y = other(s);
    const SegmentRange& yText = textOf(model, y, i);
    const SegmentRange& yGap = gapOf(model, y, i);
    const bool yChosen = (yText.present() && yText.choice != Choice::None) ||
                         (yGap.present() && yGap.choice != Choice::None);
    if (extend && yChosen) {
        // Both sides, the one chosen earlier first.
        markPresent(model, s, i, Choice::Second);
        markPresent(model, y, i, Choice::First);
    } else {
        markPresent(model, s, i, Choice::First);
        markPresent(model, y, i, Choice::None);
    }
    frame.modelChanged(ModelEvent::SegmentsChanged);
}

void selectFrom(MergeModel& model, Frame& frame, int s) {
    if (!compared(model)) {
        return;
    }
    model.decisionsUnsaved = true;
    const int y = other(s);
    const std::int32_t n = segmentCount(model);
    for (std::int32_t i = 0; i < n; ++i) {
        const SegmentRange& yText = textOf(model, y, i);
        const SegmentRange& yGap = gapOf(model, y, i);
        if (yText.choice == Choice::None && (yText.present() || yGap.choice == Choice::None)) {
            textOf(model, s, i).choice = Choice::First;
        }
        if (yGap.choice == Choice::None && (yGap.present() || yText.choice == Choice::None)) {
            gapOf(model, s, i).choice = Choice::First;
        }
    }
    frame.modelChanged(ModelEvent::SegmentsChanged);
}

void selectAll(MergeModel& model, Frame& frame) {
    if (!compared(model)) {
        return;
    }
    model.decisionsUnsaved = true;
    const std::int32_t n = segmentCount(model);
    for (std::int32_t i = 0; i < n; ++i) {
        markPresent(model, 1, i, Choice::First);
        markPresent(model, 2, i, Choice::First);
        clearAutomatic(model, i);
    }
    frame.modelChanged(ModelEvent::SegmentsChanged);
}

void decideAutomatically(MergeModel& model, std::int32_t i, int s) {
    if (!compared(model) || i < 0 || i >= segmentCount(model)) {
        return;
    }
    markPresent(model, s, i, Choice::First);
    markPresent(model, other(s), i, Choice::None);
    for (int side = 1; side <= 2; ++side) {
        textOf(model, side, i).automatic = true;
        gapOf(model, side, i).automatic = true;
    }
}

bool decidedAutomatically(const MergeModel& model, std::int32_t i) {
    return compared(model) && i >= 0 && i < segmentCount(model) &&
           model.side(1).textRanges[static_cast<std::size_t>(i)].automatic;
}

void unselectAll(MergeModel& model, Frame& frame) {
    if (!compared(model)) {
        return;
    }
    model.decisionsUnsaved = true;
    for (SideRecord& side : model.sides) {
        for (SegmentRange& range : side.textRanges) {
            range.choice = Choice::None;
            range.automatic = false;
        }
        for (SegmentRange& range : side.gapRanges) {
            range.choice = Choice::None;
            range.automatic = false;
        }
    }
    frame.modelChanged(ModelEvent::SegmentsChanged);
}

bool splitAt(MergeModel& model, const SettingsRecord& settings, Frame& frame, std::int64_t row) {
    // A binary file has no lines to split it at.
    if (!compared(model) || model.side(1).binary || model.side(2).binary) {
        return false;
    }
    const std::int64_t d = settings.topLine + row;
    if (d < 0) {
        return false;
    }
    const DisplayPosition r1 = displayToLine(model.side(1), d);
    const DisplayPosition r2 = displayToLine(model.side(2), d);
    if (r1.line >= model.side(1).lineCount || r2.line >= model.side(2).lineCount) {
        return false;
    }

    std::int32_t i = -1;
    if (r1.line < 0) {
        i = findSegment(model.side(1), d, SegmentKind::Gap);
        if (i < 0 || r2.line + 1 == textOf(model, 2, i).first) {
            return false;
        }
    } else {
        i = findSegment(model.side(1), r1.line, SegmentKind::Text);
        if (i < 0 || r1.line + 1 == textOf(model, 1, i).first) {
            return false;
        }
    }

    // Both sides must agree that the row lies strictly inside segment i; lists
    // read from a damaged result may not, and then nothing is split.
    const DisplayPosition positions[2] = {r1, r2};
    for (int s = 1; s <= 2; ++s) {
        const DisplayPosition& r = positions[s - 1];
        const SegmentRange& text = textOf(model, s, i);
        const SegmentRange& gap = gapOf(model, s, i);
        const bool inside =
            r.line >= 0
                ? text.present() && text.first <= r.line && r.line < text.last
                : gap.present() && gap.first <= r.gapPosition + 1 && r.gapPosition + 1 <= gap.last;
        if (!inside) {
            return false;
        }
    }

    insertEmptyEntry(model, i);
    for (int s = 1; s <= 2; ++s) {
        const DisplayPosition& r = positions[s - 1];
        SegmentRange& upperText = textOf(model, s, i);
        SegmentRange& upperGap = gapOf(model, s, i);
        SegmentRange& lowerText = textOf(model, s, i + 1);
        SegmentRange& lowerGap = gapOf(model, s, i + 1);
        if (r.line >= 0) {
            // The clicked line opens the lower part, which keeps the whole gap.
            upperText.first = lowerText.first;
            upperText.last = static_cast<std::int32_t>(r.line);
            lowerText.first = static_cast<std::int32_t>(r.line + 1);
            upperGap.first = RANGE_NONE;
            upperGap.last = RANGE_NONE;
        } else {
            // The upper part keeps the side's text and the filler rows above the click.
            const auto g = static_cast<std::int32_t>(r.gapPosition);
            upperText = lowerText;
            lowerText.first = RANGE_NONE;
            lowerText.last = RANGE_NONE;
            upperGap.first = lowerGap.first;
            upperGap.last = g;
            lowerGap.last -= g - lowerGap.first + 1;
        }
    }
    rebuildIndex(model.side(1));
    rebuildIndex(model.side(2));
    frame.modelChanged(ModelEvent::SegmentsChanged);
    return true;
}

} // namespace tandel
