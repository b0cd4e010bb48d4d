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

int openingPreviewHeight(int height) {
    return height / 3;
}

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

long long overlapArea(const Rect& a, const Rect& b) {
    const long long w = std::max(0, std::min(a.x + a.width, b.x + b.width) - std::max(a.x, b.x));
    const long long h = std::max(0, std::min(a.y + a.height, b.y + b.height) - std::max(a.y, b.y));
    return w * h;
}

Rect outer(const Rect& r, const FrameMargins& f) {
    return {r.x, r.y, r.width + f.left + f.right, r.height + f.top + f.bottom};
}

Rect inner(const Rect& r, const FrameMargins& f) {
    return {r.x, r.y, std::max(1, r.width - f.left - f.right),
            std::max(1, r.height - f.top - f.bottom)};
}

const Rect* mostlyOn(const Rect& window, std::span<const Rect> screens) {
    const Rect* home = &screens.front();
    long long most = 0;
    for (const Rect& screen : screens) {
        const long long area = overlapArea(window, screen);
        if (area > most) {
            most = area;
            home = &screen;
        }
    }
    return home;
}

} // namespace

Rect screenHolding(const Rect& window, std::span<const Rect> screens) {
    return screens.empty() ? window : *mostlyOn(window, screens);
}

Rect placeOnScreens(const Rect& saved, std::span<const Rect> screens, FrameMargins frame) {
    if (screens.empty()) {
        return saved;
    }
    const Rect whole = outer(saved, frame);
    const Rect* home = mostlyOn(whole, screens);
    Rect placed = whole;
    placed.width = std::min(whole.width, home->width);
    placed.height = std::min(whole.height, home->height);
    placed.x = std::clamp(whole.x, home->x, home->x + home->width - placed.width);
    placed.y = std::clamp(whole.y, home->y, home->y + home->height - placed.height);
    return inner(placed, frame);
}

Rect cascadeFrom(const Rect& newest, const Rect& wanted, const Rect& screen, FrameMargins frame) {
    const Rect size = outer(wanted, frame);
    Rect next{newest.x + kCascadeStep, newest.y + kCascadeStep, size.width, size.height};
    const bool fits = next.x + next.width <= screen.x + screen.width &&
                      next.y + next.height <= screen.y + screen.height;
    if (!fits) {
        next.x = screen.x;
        next.y = screen.y;
        // A window as big as the screen would land exactly on the newest.
        if (next.x == newest.x && next.y == newest.y) {
            next.x += kCascadeStep;
            next.y += kCascadeStep;
            next.width = std::min(next.width, screen.width - kCascadeStep);
            next.height = std::min(next.height, screen.height - kCascadeStep);
        }
    }
    return placeOnScreens(inner(next, frame), std::span<const Rect>(&screen, 1), frame);
}

} // namespace tandel::ui
