// Scrolling arithmetic of the difference panes: the shared top line T over N
// display rows, each pane's horizontal offset, the strip a scroll uncovers,
// and the wheel.
#pragma once

#include <cstdint>
#include <optional>

namespace tandel {

// The top line for a wish t: below 0 is 0, N or more is N - 1; 0 when N = 0.
std::int32_t ClampTopLine(std::int64_t t, std::int64_t rowCount);

// Vertical scroll codes, from the middle scroll bar, the keys and autoscroll.
enum class VerticalScroll { LineUp, LineDown, PageUp, PageDown, Thumb, Top, Bottom };

// The new top line (clamped) for a code at top line `topLine` with V visible
// rows of N. The middle scroll bar's range is 1..N, so `thumb` is 1-based.
std::int32_t VerticalScrollTarget(VerticalScroll code, std::int64_t topLine,
                                  std::int64_t visibleRows, std::int64_t rowCount,
                                  std::int64_t thumb = 0);

// Horizontal scroll codes of one pane's scroll bar and keys.
enum class HorizontalScroll { LineLeft, LineRight, PageLeft, PageRight, Thumb, LeftEnd, RightEnd };

// The horizontal scroll bar's range is 0..kHorizontalScrollMax. Line and page
// steps may take the offset further, to read long lines; the bar then stays
// at its end.
inline constexpr std::int32_t kHorizontalScrollMax = 79;

// The new offset for a code: never below 0, not capped at the bar's end.
std::int32_t HorizontalScrollTarget(HorizontalScroll code, std::int64_t offset,
                                    std::int64_t thumb = 0);
// Where the bar's thumb stands for an offset.
std::int32_t HorizontalScrollBarPosition(std::int64_t offset);

// The keys that scroll: the first four move both panes, the others the pane
// under the mouse.
enum class PaneKey { Up, Down, PageUp, PageDown, Left, Right, Home, End };
std::optional<VerticalScroll> VerticalScrollForKey(PaneKey key);
std::optional<HorizontalScroll> HorizontalScrollForKey(PaneKey key);

// Pixel rows [top, bottom) of a pane to repaint after its pixels moved by
// d x H (d = old top line - new top line, positive when the view moved up),
// within `textHeight`, the pane less its horizontal scroll bar. When |d| is a
// page or more, the whole text area. Empty (top = bottom) for d = 0.
struct PixelStrip {
    std::int64_t top = 0;
    std::int64_t bottom = 0;
};
PixelStrip UncoveredStrip(std::int64_t d, std::int64_t lineHeight, std::int64_t visibleRows,
                          std::int64_t textHeight);

// Turns wheel deltas into top-line changes: one row per 120 units, toward
// the user is down. A delta is divided on its own, truncating toward zero, so
// 119 moves nothing; but small deltas (kSmallWheelDelta or less, as fine
// wheels and touchpads send) are summed until they make whole rows.
class WheelAccumulator {
public:
    static constexpr int kUnitsPerRow = 120;
    static constexpr int kSmallWheelDelta = 15;

    // The change of the top line for this delta (positive scrolls down).
    std::int64_t topLineChange(int delta);
    void reset() { pending_ = 0; }

private:
    int pending_ = 0;
};

} // namespace tandel
