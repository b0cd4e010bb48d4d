// The keys that scroll what the window shows (the panes, or the directory
// window's first list), in the core's terms.
#pragma once

#include <optional>

#include "merge/pane_scroll.h"

namespace tandel::ui {

// Up, Down, Page Up, Page Down, Left, Right, Home and End; nothing for other keys.
std::optional<PaneKey> paneKeyOf(int qtKey);

} // namespace tandel::ui
