// The directory lists' geometry that needs no widget: the stored column
// widths, and where a list's top row goes when the program scrolls it.
#pragma once

#include "panes/pane_scroll.h"
#include "settings/settings_record.h"

namespace tandel {

// Widths of a list's "Name", "Date Modified", "Size" and "State" columns,
// in pixels.
struct ListColumnWidths {
    int name = 0;
    int date = 0;
    int size = 0;
    int marker = 0;
    bool operator==(const ListColumnWidths&) const = default;
};

// The narrowest "Name" column a stored -1 gives: room for a file name
// below its directory, even in a narrow window.
inline constexpr int kDefaultNameMinimum = 150;

// The widths list `side` (1 left, 2 right) starts with in a container
// `containerWidth` wide. A stored name width of -1 (any negative value, as
// a damaged file may hold) means half the container less the other columns,
// but never less than kDefaultNameMinimum. Widths are held to what a header
// can add up without overflowing.
ListColumnWidths startColumnWidths(const Geometry& geometry, int side, int containerWidth);

// The untitled last column: the rest of a list half the container wide.
int fillerWidth(int containerWidth, const ListColumnWidths& widths);

// Records the widths the user left list `side` with, for the next run.
void recordColumnWidths(Geometry& geometry, int side, const ListColumnWidths& widths);

// The top row of a list of `count` rows that shows `page` rows at once after
// `row` was made visible: a row above the view becomes the top row, a row
// below it the bottom row, a row in view moves nothing.
int topAfterEnsureVisible(int top, int row, int page, int count);

// Makes `row` visible, then the row a page below it (at most the last row):
// `row` ends up as the top row where the list is long enough. Used by Next,
// Previous, the keys and the scrolling of one list after the other.
int topRevealing(int top, int row, int page, int count);

// The keys of the directory window scroll the first list: a page or a row
// at a time, or to either end; Left and Right leave it.
int topAfterKey(PaneKey key, int top, int page, int count);

} // namespace tandel
