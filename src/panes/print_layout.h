// Where printed lines go on paper: the printer font's height, the line
// height, lines per page and the page breaks. Plain arithmetic, so that the
// printing code only measures its device and draws.
#pragma once

#include <cstdint>

namespace tandel {

// The text font's height (negative: character height in pixels, as stored)
// scaled from the screen's vertical dots per inch to the printer's: multiplied
// first, then divided, rounded to the nearest with halves away from zero.
// -13 at 96 dpi gives -81 at 600 dpi. A resolution that is not positive leaves
// the height unscaled.
[[nodiscard]] std::int32_t printerFontHeight(std::int32_t fontHeight, std::int32_t screenDpi,
                                             std::int32_t printerDpi);

struct PageLayout {
    std::int32_t lineHeight = 1; // from one line's top to the next, in printer pixels
    std::int32_t linesPerPage = 1;

    // Output line n (0-based across the whole job) starts a new page.
    bool breaksBefore(std::int64_t n) const { return n > 0 && n % linesPerPage == 0; }
    // The top of line n on its page.
    std::int64_t lineY(std::int64_t n) const;
    // The 0-based page that line n is printed on.
    std::int64_t pageOf(std::int64_t n) const;
    // Pages that a job of `lines` lines fills: a job always has its first page.
    std::int64_t pageCount(std::int64_t lines) const;
};

// Lines are set two pixels closer than the printer font's character height
// (ascent plus descent). A font of two pixels or less gets its own height, at
// least one pixel, and a page shorter than a line still holds one line, so
// that no layout divides by zero or never ends a page.
[[nodiscard]] PageLayout makePageLayout(std::int32_t characterHeight, std::int32_t pageHeight);

} // namespace tandel
