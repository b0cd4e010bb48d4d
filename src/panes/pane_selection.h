// The character selection of a pane: one pane holds it at a time, from an
// anchor to an end, each a display row, a column and an x (see CharacterHit
// in pane_geometry.h), and it is shown by inverting rectangles.
#pragma once

#include "merge/text_selection.h"
#include "panes/pane_geometry.h"

#include <cstdint>
#include <vector>

namespace tandel {

struct OrderedSelection {
    SelectionPoint start;
    SelectionPoint end;
};
// Anchor and end with the start first: by row, then column, then x.
OrderedSelection ordered(const TextSelection& selection);

struct PixelRect {
    std::int64_t left = 0;
    std::int64_t top = 0;
    std::int64_t right = 0;
    std::int64_t bottom = 0;
};

// What to invert in a pane `width` pixels wide with top line `topLine`,
// `visibleRows` rows and horizontal offset `offset`: on the first row from
// its x to the end's x (one row) or the right edge; the rows between at full
// width (one rectangle); on the last row from the left edge to the end's x.
// Only rows on screen count; x values are clipped to the pane.
std::vector<PixelRect> selectionRects(const TextSelection& selection, std::int64_t topLine,
                                      std::int64_t visibleRows, std::int64_t offset,
                                      std::int64_t width, const PaneMetrics& metrics);

} // namespace tandel
