// Pixel geometry of a difference pane that needs no widget: where text
// starts, which character is under the mouse, how many rows fit, and when a
// drag near an edge scrolls. All pixel values are in pane coordinates.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace tandel {

struct PaneMetrics {
    std::int32_t lineHeight = 0; // H, from the text font
    std::int32_t charWidth = 0;  // C, the font's average character width
    bool lineNumbers = false;    // "Line numbers"
};

// Left edge of the text: after the line number box of 8 average character
// widths when line numbers are on, else 0.
std::int64_t textLeftEdge(const PaneMetrics& metrics);

// V: rows that fit above the horizontal scroll bar, counting a partly shown
// last row; at least 1, so that paging always moves.
std::int32_t visibleRowsOf(std::int64_t clientHeight, std::int64_t hscrollHeight,
                           const PaneMetrics& metrics);

// Width in pixels of the first `count` shown characters of a row, drawn from
// the text's left edge with the text font; 0 for count 0, never decreasing.
using PrefixWidth = std::function<std::int64_t(std::size_t count)>;

// The character under the mouse, as a selection end stores it.
struct CharacterHit {
    std::int64_t column = 0; // column in the expanded line (line_expansion.h)
    std::int64_t x = 0;      // snapped pane x plus offset x C: independent of the offset
};

// On a text row showing `shownCount` characters at horizontal offset `offset`:
// the number of characters whose extent fits left of x (the text box starts
// at textLeftEdge), x snapped to their extent.
CharacterHit hitText(std::size_t shownCount, const PrefixWidth& prefixWidth, std::int64_t x,
                     std::int64_t offset, const PaneMetrics& metrics);
// On a filler row or below the end of the file: column 0, x as it is.
CharacterHit hitOutsideText(std::int64_t x, std::int64_t offset, const PaneMetrics& metrics);

// One autoscroll step while the left button is held: rows -1 (up), 0 or +1
// (down), and columns -1 (left), 0 or +1 (right) for this pane.
struct AutoscrollStep {
    int rows = 0;
    int columns = 0;
};
AutoscrollStep autoscrollFor(std::int64_t x, std::int64_t y, std::int64_t clientWidth,
                             std::int64_t clientHeight, std::int64_t hscrollHeight);

} // namespace tandel
