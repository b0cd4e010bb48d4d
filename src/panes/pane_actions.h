// What the mouse and the horizontal scroll codes do in the difference panes,
// apart from drawing: the choices, the split, the character selection and the
// horizontal offsets they change. The pane widgets turn positions into pane
// rows and characters and call these; rows here are counted from the top line.
#pragma once

#include "merge/merge_model.h"
#include "panes/pane_geometry.h"
#include "panes/pane_scroll.h"
#include "panes/pane_selection.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace tandel {

class Frame;
struct SettingsRecord;

// A left-button press without Shift on pane row `paneRow` of side s, while
// the split is not armed: any text selection goes (both panes repaint); a row
// of a segment chooses side s there (`ctrl`: as the second choice) and, with
// "Auto walk" on, the view moves to the next segment.
void clickRow(MergeModel& model, SettingsRecord& settings, Frame& frame, TextSelection& selection,
              int s, std::int64_t paneRow, bool ctrl);

// The left button released while the split is armed: splits at pane row
// `paneRow` and disarms, whether or not a split took place. True when split.
[[nodiscard]] bool releaseSplit(MergeModel& model, const SettingsRecord& settings, Frame& frame,
                                bool& splitArmed, std::int64_t paneRow);

// Width in pixels of the first `count` characters of a row's shown text
// (line_expansion.h shownTextOf), as the pane draws them.
using ShownWidth = std::function<std::int64_t(const std::u32string& shown, std::size_t count)>;

// The character under pane x on display row `row` of side s: snapped to a
// character extent on a file line, column 0 on a filler row or below the end.
SelectionPoint hitRow(const SideRecord& side, std::int64_t row, std::int64_t x,
                      std::int32_t tabSize, const PaneMetrics& metrics, const ShownWidth& measure);

// Shift+press: starts a selection in side s at `at`, when that side shows a
// file; both panes repaint. False when nothing started.
[[nodiscard]] bool beginSelection(const MergeModel& model, Frame& frame, TextSelection& selection,
                                  int s, const SelectionPoint& at);
// A move while the selection is being made: its end goes to `at`. True when
// the end moved, so that the pane holding it repaints.
[[nodiscard]] bool extendSelection(TextSelection& selection, const SelectionPoint& at);
// The left button released: the selection being made is finished, and the
// text it holds, as Copy would take it, becomes the primary selection
// (nothing when it holds none).
void endSelection(const MergeModel& model, const SettingsRecord& settings, Frame& frame,
                  TextSelection& selection);

// How far side s's pane scrolls sideways: by its widest line (measured once
// per file and tab size) and the columns it has room for.
HorizontalExtent paneExtent(SideRecord& side, const SettingsRecord& settings,
                            std::int64_t visibleColumns);

// The offsets of the two panes after horizontal scroll `code` in side s's
// pane, which has room for `visibleColumns`: that side's, and with "Sync
// hscroll" on the other side's too. Each flag tells whether that side's
// offset changed (its pane repaints).
[[nodiscard]] std::array<bool, 2>
ScrollHorizontally(MergeModel& model, const SettingsRecord& settings, int s, HorizontalScroll code,
                   std::int64_t visibleColumns, std::int64_t thumb = 0);

} // namespace tandel
