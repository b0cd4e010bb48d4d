// Scrolling arithmetic of the difference panes: the shared top line T over N
// display rows, each pane's horizontal offset, the strip a scroll uncovers,
// and the wheel.
#pragma once

#include "panes/pane_geometry.h"

#include <cstdint>
#include <optional>

namespace tandel {

// The top line for a wish t: below 0 is 0, N or more is N - 1; 0 when N = 0.
std::int32_t clampTopLine(std::int64_t t, std::int64_t rowCount);

// Vertical scroll codes, from the middle scroll bar, the keys and autoscroll.
enum class VerticalScroll { LineUp, LineDown, PageUp, PageDown, Thumb, Top, Bottom };

// The new top line (clamped) for a code at top line `topLine` with V visible
// rows of N. The middle scroll bar's range is 1..N, so `thumb` is 1-based.
std::int32_t verticalScrollTarget(VerticalScroll code, std::int64_t topLine,
                                  std::int64_t visibleRows, std::int64_t rowCount,
                                  std::int64_t thumb = 0);

// Horizontal scroll codes of one pane's scroll bar and keys.
enum class HorizontalScroll { LineLeft, LineRight, PageLeft, PageRight, Thumb, LeftEnd, RightEnd };

// How far a pane scrolls sideways. The bar's range is 0..barEnd: at barEnd
// the widest line's last column meets the right edge of what the pane shows,
// its visible columns or the kShownColumns a row shows at most, whichever is
// fewer. Line and page steps may go on to stepEnd, where that column is the
// first shown, so that glyphs wider than the average character never hide a
// line's end; the bar then stays at its end.
struct HorizontalExtent {
    std::int64_t barEnd = 0;
    std::int64_t stepEnd = 0;

    bool operator==(const HorizontalExtent&) const = default;
};
HorizontalExtent horizontalExtentFor(std::int64_t widestColumns, std::int64_t visibleColumns);

// Columns of `columnWidth` pixels that fit in a pane `clientWidth` pixels
// wide, right of the line numbers; 0 when none does or the width is unknown.
std::int64_t visibleColumnsOf(std::int64_t clientWidth, double columnWidth,
                              const PaneMetrics& metrics);

// The new offset for a code: never below 0. End goes to the bar's end, a
// thumb stays within the bar, steps stop at stepEnd (or where they are, when
// the offset is past it already).
std::int32_t horizontalScrollTarget(HorizontalScroll code, std::int64_t offset,
                                    const HorizontalExtent& extent, std::int64_t thumb = 0);
// Where the bar's thumb stands for an offset.
std::int32_t horizontalScrollBarPosition(std::int64_t offset, const HorizontalExtent& extent);

// The keys that scroll: the first four move both panes, the others the pane
// under the mouse.
enum class PaneKey { Up, Down, PageUp, PageDown, Left, Right, Home, End };
std::optional<VerticalScroll> verticalScrollForKey(PaneKey key);
std::optional<HorizontalScroll> horizontalScrollForKey(PaneKey key);

// Pixel rows [top, bottom) of a pane to repaint after its pixels moved by
// d x H (d = old top line - new top line, positive when the view moved up),
// within `textHeight`, the pane less its horizontal scroll bar. When |d| is a
// page or more, the whole text area. Empty (top = bottom) for d = 0.
struct PixelStrip {
    std::int64_t top = 0;
    std::int64_t bottom = 0;
};
PixelStrip uncoveredStrip(std::int64_t d, std::int64_t lineHeight, std::int64_t visibleRows,
                          std::int64_t textHeight);

// Turns wheel deltas into top-line changes: `rowsPerNotch` rows (the
// desktop's setting, at least 1) per notch of 120 units, toward the user is
// down. A delta is scaled on its own, truncating toward zero, so that a delta
// worth less than a row moves nothing; but small deltas (kSmallWheelDelta or
// less, as fine wheels and touchpads send) are summed until they make whole
// rows.
class WheelAccumulator {
public:
    static constexpr int kUnitsPerNotch = 120;
    static constexpr int kSmallWheelDelta = 15;

    // The change of the top line for this delta (positive scrolls down).
    std::int64_t topLineChange(int delta, int rowsPerNotch = 1);
    void reset() { pending_ = 0; }

private:
    // Units times rows per notch, not yet a whole row.
    std::int64_t pending_ = 0;
};

} // namespace tandel
