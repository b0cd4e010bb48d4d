// Where the container puts its children in both run modes. Plain
// arithmetic, no widgets, so that the formulas are checked on their own.
#pragma once

namespace tandel::ui {

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool operator==(const Rect&) const = default;
};

// File mode: two titles split at the middle, the panes split around the
// middle strip that holds the position bar.
struct PaneLayout {
    Rect title1;
    Rect title2;
    Rect pane1;
    Rect positionBar;
    Rect scrollBar; // inside the position bar
    Rect pane2;
};
// The middle strip: an even width from the style's scroll bar extent.
int middleStripWidth(int scrollBarExtent);
PaneLayout paneLayout(int width, int height, int titleHeight, int scrollBarExtent);

// Directory window mode: two lists side by side; the third column of each
// takes what the first two leave of the half width.
struct ListLayout {
    Rect list1;
    Rect list2;
};
ListLayout listLayout(int width, int height);
int thirdColumnWidth(int width, int nameWidth, int dateWidth);

} // namespace tandel::ui
