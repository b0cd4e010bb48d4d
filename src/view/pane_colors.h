// The colours of a pane row: the four choice fills and a text colour that
// stays readable on each. A row outside every segment keeps the pane's own
// palette, light or dark.
#pragma once

#include <QColor>

#include "merge/pane_rows.h"

class QPalette;

namespace tandel::ui {

struct RowColors {
    QColor background; // invalid: the pane's own background shows
    QColor text;
};

RowColors rowColors(RowFill fill, const QPalette& palette);

} // namespace tandel::ui
