// Where the frame puts its windows: the container and the preview with the
// splitter strip between them, and the main window on the screens. Plain
// arithmetic, no widgets.
#pragma once

#include <optional>
#include <span>

#include "view/container_layout.h"

namespace tandel::ui {

// The strip between the container and the preview.
inline constexpr int kSplitterHeight = 4;

// The area below the toolbar, `width` by `height`: the container alone, or
// the container above a preview `previewHeight` pixels high.
struct BodyLayout {
    Rect container;
    std::optional<Rect> preview;
};
BodyLayout bodyLayout(int width, int height, std::optional<int> previewHeight);

// The preview's height when it opens: a third of the area.
int openingPreviewHeight(int height);

// True when a press at `y` grabs the splitter of a preview `previewHeight` high.
bool onSplitter(int y, int height, int previewHeight);

// The preview's height after the splitter is released at `y`: the preview
// reaches up to `y`, but neither part shrinks below `minimum` pixels (when the
// area cannot hold both, they share it).
int releasedPreviewHeight(int y, int height, int minimum);

// What the desktop draws around a window's inside: title bar and borders.
struct FrameMargins {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// A window rectangle as the settings keep it: x and y where its frame
// starts, width and height of its inside. The result lies wholly, frame
// included, on the screen most of it is on (the first screen when it is on
// none), shrunk to that screen when bigger. Screens are the available
// areas, the primary one first.
Rect placeOnScreens(const Rect& saved, std::span<const Rect> screens, FrameMargins frame = {});

// The screen most of `window` is on; the first one when it is on none.
Rect screenHolding(const Rect& window, std::span<const Rect> screens);

// How far each new window is set down and right of the newest one.
inline constexpr int kCascadeStep = 32;

// Where a new window of the size of `wanted` goes when `newest` (frame
// position, inside size) is the newest window of the program already open:
// a step down and right of it; back at the top left of `screen` when it
// would leave the screen there.
Rect cascadeFrom(const Rect& newest, const Rect& wanted, const Rect& screen,
                 FrameMargins frame = {});

} // namespace tandel::ui
