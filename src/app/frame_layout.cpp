#include "app/frame_layout.h"

#include <algorithm>

namespace tandel::ui {

BodyLayout bodyLayout(int width, int height, std::optional<int> previewHeight) {
    BodyLayout layout;
    if (!previewHeight) {
        layout.container = {0, 0, width, height};
        return layout;
    }
    const int p = *previewHeight;
    layout.container = {0, 0, width, std::max(0, height - p - kSplitterHeight)};
    layout.preview = Rect{0, height - p, width, p};
    return layout;
}

int openingPreviewHeight(int height) { return height / 3; }

bool onSplitter(int y, int height, int previewHeight) {
    return y >= height - previewHeight - 5 && y <= height - previewHeight + 1;
}

int releasedPreviewHeight(int y, int height, int minimum) {
    const int room = height - kSplitterHeight;
    if (room < 2 * minimum) {
        return std::max(0, room / 2);
    }
    return std::clamp(height - y, minimum, room - minimum);
}

namespace {

// Enough of the window to grab its title bar and drag it back.
constexpr int kVisibleWidth = 100;
constexpr int kVisibleHeight = 50;

int overlap(int a, int aLength, int b, int bLength) {
    return std::max(0, std::min(a + aLength, b + bLength) - std::max(a, b));
}

bool showsEnough(const Rect& window, const Rect& screen) {
    return overlap(window.x, window.width, screen.x, screen.width) >=
               std::min(kVisibleWidth, window.width) &&
           overlap(window.y, window.height, screen.y, screen.height) >=
               std::min(kVisibleHeight, window.height);
}

} // namespace

Rect placeOnScreens(const Rect& saved, std::span<const Rect> screens) {
    if (screens.empty()) {
        return saved;
    }
    const Rect* home = &screens.front();
    bool visible = false;
    for (const Rect& screen : screens) {
        if (showsEnough(saved, screen)) {
            home = &screen;
            visible = true;
            break;
        }
    }
    Rect placed = saved;
    placed.width = std::min(saved.width, home->width);
    placed.height = std::min(saved.height, home->height);
    if (!visible) {
        placed.x = std::clamp(saved.x, home->x, home->x + home->width - placed.width);
        placed.y = std::clamp(saved.y, home->y, home->y + home->height - placed.height);
    }
    return placed;
}

} // namespace tandel::ui
