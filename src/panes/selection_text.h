// The text that Copy takes from a pane selection. Rows from the selection's
// start to its end are walked in display order: a filler row adds nothing,
// the walk stops below the side's last line, and each file line gives the
// characters of its selected columns (the whole line between the first and
// the last row) followed by a bare line feed, except on the end row when the
// selection ends inside the line. Columns are those of line_expansion.h, so a
// tab is taken whole when any of its blanks is selected, and a line's hidden
// trailing control character (a carriage return) is never taken.
#pragma once

#include "merge/side_record.h"
#include "panes/pane_selection.h"

#include <cstdint>
#include <string>

namespace tandel {

// The selected bytes as the file holds them; empty when the selection is not
// in a pane or when `side` shows nothing.
std::string selectionBytes(const SideRecord& side, const TextSelection& selection,
                           std::int32_t tabSize);

// The same text as it is put on the clipboard: UTF-8, each line's piece
// decoded in that line's own encoding (UTF-8, or Windows-1252 for a line that
// is not valid UTF-8), as the pane decodes it. Every character is the file's
// own: tabs, other control characters and the line feeds stay as they are,
// never the stand-ins the pane draws for them.
std::string selectionClipboardText(const SideRecord& side, const TextSelection& selection,
                                   std::int32_t tabSize);

} // namespace tandel
