// The characters the user has selected in the panes: one pane holds the
// selection at a time, from an anchor to an end. Copy takes it.
#pragma once

#include <cstdint>

namespace tandel {

struct SelectionPoint {
    std::int64_t row = 0; // 0-based display row
    std::int64_t column = 0;
    std::int64_t x = 0;
};

struct TextSelection {
    int side = 0; // 0: none, 1 or 2: the pane that holds it
    SelectionPoint anchor;
    SelectionPoint end;
    bool selecting = false; // a Shift-drag is under way

    bool active() const { return side == 1 || side == 2; }
};

} // namespace tandel
