// What the two directory lists show, their sort order and the search for the
// next row that is not equal. The view turns these into list items.
#pragma once

#include "dirmerge/comparison_row.h"

#include <vector>

namespace tandel {

// Row indices in list order; both lists show the same rows line for line.
// With `differencesOnly` a row whose left half is equal is left out.
std::vector<int> visibleRows(const std::vector<ComparisonRow>& rows, bool differencesOnly);

struct ListSort {
    int column = 0;    // 0 "Name", 1 "Date Modified"
    int direction = 1; // 1: names ascending, dates newest first

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

// Only a pair of regular files that differs starts a merge run when activated.
bool startsMergeRun(const ComparisonRow& row);

} // namespace tandel
