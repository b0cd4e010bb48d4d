// Drawing the rows of one pane: each row's fill by its choice, the darker
// shade behind its changed characters, its line number and its shown text,
// then the inverted selection. Only the rows asked for are turned from bytes
// into characters.
#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "merge/byte_span.h"
#include "merge/side_record.h"
#include "panes/pane_geometry.h"
#include "panes/pane_selection.h"

class QPainter;
class QPalette;
class QRect;

namespace tandel::ui {

// What one paint of a pane reads.
struct PaneScene {
    const SideRecord* side = nullptr;
    std::int64_t topLine = 0;
    std::int32_t tabSize = 8;
    PaneMetrics metrics;
    int width = 0;
    int ascent = 0; // of the text font, from the top of a row to its base line
    // The bytes of a changed row's line (by display row) that differ from the
    // other side's; none or no function when nothing is marked.
    std::function<const std::vector<ByteSpan>*(std::int64_t row)> changedBytes;
    // The segment outlined as the current one; -1 for none.
    std::int32_t currentSegment = -1;
};

class RowLayout;

// Pane rows firstRow..lastRow (counted from the top line), stopping below the
// end of the file; `layout` is of the painter's font.
void paintRows(QPainter& painter, RowLayout& layout, const PaneScene& scene,
               const QPalette& palette, int firstRow, int lastRow);

// What to do in an empty window, drawn in the middle of the pane.
void paintHint(QPainter& painter, const QRect& area, const QPalette& palette);

// Inverts the pixels of each rectangle (the selection).
void invertRects(QPainter& painter, const std::vector<PixelRect>& rects);

// The first `count` shown characters as drawn and measured: laid out left to
// right in their order, whatever their writing direction, so that the n-th
// character is always the n-th from the left.
QString rowString(const std::u32string& shown, std::size_t count);

} // namespace tandel::ui
