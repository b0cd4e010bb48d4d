#include "view/pane_colors.h"

#include <QPalette>

namespace tandel::ui {

RowColors rowColors(RowFill fill, const QPalette& palette) {
    // The fills are bright or deep whatever the desktop's palette, so their
    // text colour is fixed too: black on the bright ones, white on blue.
    switch (fill) {
    case RowFill::Cyan:
        return {QColor(0, 255, 255), Qt::black};
    case RowFill::Blue:
        return {QColor(0, 0, 255), Qt::white};
    case RowFill::Green:
        return {QColor(0, 255, 0), Qt::black};
    case RowFill::Yellow:
        return {QColor(255, 255, 0), Qt::black};
    case RowFill::None:
        break;
    }
    return {QColor(), palette.color(QPalette::Text)};
}

} // namespace tandel::ui
