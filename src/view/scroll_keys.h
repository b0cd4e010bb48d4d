// The keys that scroll what the window shows (the panes, or the directory
// window's first list), in the core's terms.
#pragma once

#include <optional>

#include "panes/pane_scroll.h"

class QKeyEvent;

namespace tandel::ui {

// Up, Down, Page Up, Page Down, Left, Right, Home and End without Ctrl, Alt
// or Meta (those chords belong to the accelerators); nothing for other keys.
std::optional<PaneKey> scrollKeyOf(const QKeyEvent& event);

} // namespace tandel::ui
