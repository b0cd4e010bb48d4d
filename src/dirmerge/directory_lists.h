// What the two directory lists show, their sort order and the search for the
// next row that is not equal. The view turns these into list items.
#pragma once

#include "dirmerge/comparison_row.h"

#include <string>
#include <vector>

namespace tandel {

// Row indices in list order; both lists show the same rows line for line.
// With `differencesOnly` a row whose left half is equal is left out.
std::vector<int> visibleRows(const std::vector<ComparisonRow>& rows, bool differencesOnly);

// The columns of each list. The untitled one fills the list's width and
// does not sort.
enum ListColumn : int {
    kNameColumn = 0,   // "Name"
    kDateColumn = 1,   // "Date Modified"
    kFillerColumn = 2, // untitled
    kSizeColumn = 3,   // "Size"
    kMarkerColumn = 4, // "State": see markerText
    kColumnsPerList = 5,
};

// The Name column: `path` below `directory`, the directory it was listed
// from; the whole path when it lies elsewhere or is that directory itself.
std::string relativeName(const std::string& path, const std::string& directory);

struct ListSort {
    int column = kNameColumn;
    // 1: names ascending, dates newest first, sizes largest first, states
    // differing first; 0 the other way round.
    int direction = 1;

    // A click on the sort column turns the direction round; another column
    // becomes the sort column with direction 1.
    void click(int clicked);
};

// True when row a goes before row b, judged on one half (0 left, 1 right).
// Equal keys give no order.
bool rowBefore(const ComparisonRow& a, const ComparisonRow& b, int half, const ListSort& sort);

// Sorts the shown rows by the half of the clicked list; stable, so equal keys
// keep their order and both lists stay aligned.
void sortRows(std::vector<int>& shown, const std::vector<ComparisonRow>& rows, int half,
              const ListSort& sort);

// The list position of the next or previous row whose left half is not equal,
// searching from the top item and wrapping round; -1 when there is none.
int findNextRow(const std::vector<int>& shown, const std::vector<ComparisonRow>& rows, int top);
int findPreviousRow(const std::vector<int>& shown, const std::vector<ComparisonRow>& rows, int top);

// Next and Previous in the directory window: the list position of the next
// or previous row that is not equal, from the current row, or with none from
// the top row (which Next may reach itself); wraps round; -1 when there is none.
int adjacentUnequalRow(const std::vector<int>& shown, const std::vector<ComparisonRow>& rows,
                       int current, int top, bool forward);

// Only a pair of regular files that differs starts a merge run when activated.
bool startsMergeRun(const ComparisonRow& row);

} // namespace tandel
