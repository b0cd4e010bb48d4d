// Puts a widget on a rectangle that a Qt-free layout computed; a negative size
// (a window smaller than its parts) becomes an empty one.
#pragma once

#include <QWidget>

#include <algorithm>

#include "view/container_layout.h"

namespace tandel::ui {

inline void place(QWidget* widget, const Rect& r) {
    widget->setGeometry(r.x, r.y, std::max(0, r.width), std::max(0, r.height));
}

} // namespace tandel::ui
