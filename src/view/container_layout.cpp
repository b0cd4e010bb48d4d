#include "view/container_layout.h"

#include <algorithm>

namespace tandel::ui {

int middleStripWidth(int scrollBarExtent) {
    return (scrollBarExtent / 2) * 2 + 8;
}

PaneLayout paneLayout(int width, int height, int titleHeight, int scrollBarExtent) {
    const int s = middleStripWidth(scrollBarExtent);
    const int a = titleHeight;
    const int q = (width - s) / 2;
    const int r = height - a;
    PaneLayout layout;
    layout.title1 = {0, 0, width / 2, a};
    layout.title2 = {width / 2, 0, width / 2, a};
    layout.pane1 = {0, a, q, r};
    layout.positionBar = {q, a, s, r};
    layout.scrollBar = {4, 0, s - 10, r};
    layout.pane2 = {q + s, a, q, r};
    return layout;
}

ListLayout listLayout(int width, int height) {
    return {{0, 0, width / 2, height}, {width / 2, 0, width / 2, height}};
}

int thirdColumnWidth(int width, int nameWidth, int dateWidth) {
    return std::max(0, width / 2 - (nameWidth + dateWidth) + 2);
}

} // namespace tandel::ui
