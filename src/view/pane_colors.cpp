#include "view/pane_colors.h"

#include <QPalette>

namespace tandel::ui {

RowColors rowColors(RowFill fill, const QPalette& palette) {
    // The fills are bright or deep whatever the desktop's palette, so their
    // text colour is fixed too: black on the bright ones, white on blue. The
    // darker shades keep that text readable (a contrast of 6:1 or more), and
    // a yellow row, a filler, has no characters to mark.
    switch (fill) {
    case RowFill::Cyan:
        return {QColor(0, 255, 255), Qt::black, QColor(0, 170, 170)};
    case RowFill::Blue:
        return {QColor(0, 0, 255), Qt::white, QColor(0, 0, 150)};
    case RowFill::Green:
        return {QColor(0, 255, 0), Qt::black, QColor(0, 170, 0)};
    case RowFill::Yellow:
        return {QColor(255, 255, 0), Qt::black, QColor()};
    case RowFill::None:
        break;
    }
    return {QColor(), palette.color(QPalette::Text), QColor()};
}

} // namespace tandel::ui
