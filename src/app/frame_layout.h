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

// The saved window rectangle, no bigger than the screen it shows on; when too
// little of it would show on any screen to grab it, it is moved onto the
// first one. Screens are the available areas, the primary one first.
Rect placeOnScreens(const Rect& saved, std::span<const Rect> screens);

} // namespace tandel::ui
