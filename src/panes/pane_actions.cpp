#include "panes/pane_actions.h"

#include "frame/frame.h"
#include "merge/decisions.h"
#include "panes/line_expansion.h"
#include "panes/navigation.h"
#include "panes/pane_rows.h"
#include "panes/selection_text.h"
#include "panes/widest_line.h"
#include "settings/settings_record.h"

#include <tuple>

namespace tandel {

namespace {

bool samePoint(const SelectionPoint& a, const SelectionPoint& b) {
    return std::tie(a.row, a.column, a.x) == std::tie(b.row, b.column, b.x);
}

} // namespace

void clickRow(MergeModel& model, SettingsRecord& settings, Frame& frame, TextSelection& selection,
              int s, std::int64_t paneRow, bool ctrl) {
    if (selection.active()) {
        selection = {};
        frame.modelChanged(ModelEvent::SelectionChanged);
    }
    const PaneRow row = describeRow(model.side(s), settings.topLine + paneRow);
    if (row.segment < 0) {
        return;
    }
    chooseSide(model, frame, row.segment, s, ctrl);
    if (settings.autoWalk != 0) {
        goToNeighbour(model, settings, frame, row.segment, true);
    }
}

bool releaseSplit(MergeModel& model, const SettingsRecord& settings, Frame& frame, bool& splitArmed,
                  std::int64_t paneRow) {
    splitArmed = false;
    return splitAt(model, settings, frame, paneRow);
}

SelectionPoint hitRow(const SideRecord& side, std::int64_t row, std::int64_t x,
                      std::int32_t tabSize, const PaneMetrics& metrics, const ShownWidth& measure) {
    const std::int64_t offset = side.firstVisibleColumn;
    const PaneRow described = describeRow(side, row);
    CharacterHit hit;
    if (described.kind != PaneRowKind::Text) {
        hit = hitOutsideText(x, offset, metrics);
    } else {
        std::u32string shown;
        shownTextOf(side.shownLine(described.line), tabSize, offset, shown);
        hit = hitText(
            shown.size(), [&](std::size_t count) { return measure(shown, count); }, x, offset,
            metrics);
    }
    return {row, hit.column, hit.x};
}

bool beginSelection(const MergeModel& model, Frame& frame, TextSelection& selection, int s,
                    const SelectionPoint& at) {
    if (model.side(s).lineCount <= 0) {
        return false;
    }
    selection.side = s;
    selection.anchor = at;
    selection.end = at;
    selection.selecting = true;
    frame.modelChanged(ModelEvent::SelectionChanged);
    return true;
}

void endSelection(const MergeModel& model, const SettingsRecord& settings, Frame& frame,
                  TextSelection& selection) {
    if (!selection.selecting) {
        return;
    }
    selection.selecting = false;
    if (!selection.active()) {
        return;
    }
    const std::string text =
        selectionClipboardText(model.side(selection.side), selection, settings.tabSize);
    if (!text.empty()) {
        frame.setSelectionText(text);
    }
}

bool extendSelection(TextSelection& selection, const SelectionPoint& at) {
    if (!selection.selecting || samePoint(selection.end, at)) {
        return false;
    }
    selection.end = at;
    return true;
}

HorizontalExtent paneExtent(SideRecord& side, const SettingsRecord& settings,
                            std::int64_t visibleColumns) {
    return horizontalExtentFor(widestLineOf(side, settings.tabSize), visibleColumns);
}

std::array<bool, 2> ScrollHorizontally(MergeModel& model, const SettingsRecord& settings, int s,
                                       HorizontalScroll code, std::int64_t visibleColumns,
                                       std::int64_t thumb) {
    std::array<bool, 2> changed{};
    SideRecord& scrolled = model.side(s);
    const std::int32_t offset = horizontalScrollTarget(
        code, scrolled.firstVisibleColumn, paneExtent(scrolled, settings, visibleColumns), thumb);
    for (int side = 1; side <= 2; ++side) {
        if (side != s && settings.syncHScroll == 0) {
            continue;
        }
        std::int32_t& column = model.side(side).firstVisibleColumn;
        changed[static_cast<std::size_t>(side - 1)] = column != offset;
        column = offset;
    }
    return changed;
}

} // namespace tandel
