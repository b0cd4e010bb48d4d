#include "dirmerge/list_geometry.h"

#include <algorithm>

namespace tandel {

namespace {

// Far wider than any screen, small enough that five columns and a
// container's width still add up inside an int.
constexpr int kWidestColumn = 100000;

int heldWidth(int width) {
    return std::clamp(width, 0, kWidestColumn);
}

int lastTop(int page, int count) {
    return std::max(0, count - std::max(page, 1));
}

} // namespace

ListColumnWidths startColumnWidths(const Geometry& geometry, int side, int containerWidth) {
    const bool right = side == 2;
    const int storedName = right ? geometry.pathSize2 : geometry.pathSize1;
    ListColumnWidths widths;
    widths.date = heldWidth(right ? geometry.timeSize2 : geometry.timeSize1);
    widths.size = heldWidth(right ? geometry.sizeSize2 : geometry.sizeSize1);
    widths.marker = heldWidth(right ? geometry.stateSize2 : geometry.stateSize1);
    const int others = widths.date + widths.size + widths.marker;
    widths.name = storedName < 0 ? std::max(kDefaultNameMinimum,
                                            heldWidth(heldWidth(containerWidth) / 2 - others))
                                 : heldWidth(storedName);
    return widths;
}

int fillerWidth(int containerWidth, const ListColumnWidths& widths) {
    // Each term is held, so the sum stays far inside an int.
    const int used = widths.name + widths.date + widths.size + widths.marker;
    return std::max(0, heldWidth(containerWidth) / 2 - used + 2);
}

void recordColumnWidths(Geometry& geometry, int side, const ListColumnWidths& widths) {
    const bool right = side == 2;
    (right ? geometry.pathSize2 : geometry.pathSize1) = widths.name;
    (right ? geometry.timeSize2 : geometry.timeSize1) = widths.date;
    (right ? geometry.sizeSize2 : geometry.sizeSize1) = widths.size;
    (right ? geometry.stateSize2 : geometry.stateSize1) = widths.marker;
}

int topAfterEnsureVisible(int top, int row, int page, int count) {
    if (count <= 0)
        return 0;
    page = std::max(page, 1);
    row = std::clamp(row, 0, count - 1);
    if (row < top)
        top = row;
    else if (row >= top + page)
        top = row - page + 1;
    return std::clamp(top, 0, lastTop(page, count));
}

int topRevealing(int top, int row, int page, int count) {
    if (count <= 0)
        return 0;
    top = topAfterEnsureVisible(top, row, page, count);
    const int below = std::min(row + std::max(page, 1) - 1, count - 1);
    return topAfterEnsureVisible(top, below, page, count);
}

int topAfterKey(PaneKey key, int top, int page, int count) {
    if (count <= 0)
        return 0;
    page = std::max(page, 1);
    int wanted = top;
    switch (key) {
    case PaneKey::PageUp:
        wanted = top - page;
        break;
    case PaneKey::PageDown:
        wanted = top + page;
        break;
    case PaneKey::Up:
        wanted = top - 1;
        break;
    case PaneKey::Down:
        wanted = top + 1;
        break;
    case PaneKey::Home:
        wanted = 0;
        break;
    case PaneKey::End:
        wanted = count - 1;
        break;
    case PaneKey::Left:
    case PaneKey::Right:
        return top;
    }
    return topRevealing(top, std::clamp(wanted, 0, count - 1), page, count);
}

} // namespace tandel
