// Line expansion: what a pane row and a printed line show of a file line.
//
// A column is one shown character. Each character of the line (decoded as
// display_text.h says) takes one column, except a tab, which takes tab-size
// columns of blanks wherever it stands. A trailing control character (a
// carriage return in particular) is not shown and takes no column. The
// horizontal offset, the 255-column window, hit testing, the selection and
// Copy all count in these columns; columnsToBytes maps them back to the bytes
// of the line. "&" is shown as it is: nothing here draws mnemonics.
#pragma once

#include "merge/byte_span.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tandel {

// A pane row shows at most this many columns, from the horizontal offset on.
inline constexpr std::int64_t kShownColumns = 255;

// The tab size actually used: "Tab size" clamped to 1..kMaxTabSize, so that a
// tab never vanishes and never explodes.
std::int32_t effectiveTabSize(std::int32_t tabSize);

// The line less its trailing control character, if it ends with one (any
// byte below 0x20 other than a tab, or DEL).
std::string_view shownPart(std::string_view line);

// Number of columns the whole line takes.
std::int64_t expandedWidth(std::string_view line, std::int32_t tabSize);

// Appends to `out` the shown characters of columns [first, first + count) of
// the line (fewer when the line ends sooner, none when it ends before first).
// Decodes the line once; cost grows with first + count, not the line's length,
// apart from one scan that decides its encoding.
void expandColumns(std::string_view line, std::int32_t tabSize, std::int64_t first,
                   std::int64_t count, std::u32string& out);

// What a pane row shows at horizontal offset `offset`: `out` is replaced by at
// most kShownColumns characters, empty when the offset is past the end.
void shownTextOf(std::string_view line, std::int32_t tabSize, std::int64_t offset,
                 std::u32string& out);

// The whole line expanded, for the printer.
std::u32string expandedLine(std::string_view line, std::int32_t tabSize);

// The bytes of the characters that overlap columns [first, last): a tab is
// taken whole when any of its columns is selected. Columns past the end count
// as the end; an empty span when no character overlaps. `last` may be
// kToLineEnd.
inline constexpr std::int64_t kToLineEnd = INT64_MAX;
ByteSpan columnsToBytes(std::string_view line, std::int32_t tabSize, std::int64_t first,
                        std::int64_t last);

// Columns [first, last) of a shown row, counted from its left edge.
struct ColumnSpan {
    std::int64_t first = 0;
    std::int64_t last = 0;

    bool operator==(const ColumnSpan&) const = default;
};
// Where the characters that start inside `spans` (bytes of the line, in
// order, not overlapping) show on the row at horizontal offset `offset`: in
// order, within the row's kShownColumns, touching spans joined. A tab covers
// all its blanks. Costs no more than showing the row when the spans end early.
std::vector<ColumnSpan> shownColumnSpans(std::string_view line, std::int32_t tabSize,
                                         std::int64_t offset, const std::vector<ByteSpan>& spans);

// "%-6ld  " of the 1-based number of 0-based file line `line`: what the line
// number box shows.
std::string lineNumberLabel(std::int64_t line);

} // namespace tandel
