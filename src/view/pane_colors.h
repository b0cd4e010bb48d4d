// The colours of a pane row: the four choice fills, a darker shade of each
// behind the characters that differ from the other side, and a text colour
// that stays readable on both. A row outside every segment keeps the pane's
// own palette, light or dark.
#pragma once

#include <QColor>

#include "panes/pane_rows.h"

class QPalette;

namespace tandel::ui {

struct RowColors {
    QColor background; // invalid: the pane's own background shows
    QColor text;
    QColor changed; // invalid: the row never shows changed characters
};

RowColors rowColors(RowFill fill, const QPalette& palette);

} // namespace tandel::ui
