#include "dirmerge/directory_lists.h"

#include "dirmerge/names.h"

#include <algorithm>

namespace tandel {

std::vector<int> visibleRows(const std::vector<ComparisonRow>& rows, bool differencesOnly) {
    std::vector<int> shown;
    shown.reserve(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (!differencesOnly || rows[i].left.state != ROW_SAME)
            shown.push_back(static_cast<int>(i));
    return shown;
}

void ListSort::click(int clicked) {
    if (clicked == column) {
        direction = direction == 1 ? 0 : 1;
    } else {
        column = clicked;
        direction = 1;
    }
}

bool rowBefore(const ComparisonRow& a, const ComparisonRow& b, int half, const ListSort& sort) {
    const RowHalf& x = a.half(half);
    const RowHalf& y = b.half(half);
    if (sort.column == 0) {
        const int c = compareNames(x.path, y.path);
        return sort.direction == 1 ? c < 0 : c > 0;
    }
    return sort.direction == 1 ? x.modificationTime > y.modificationTime
                               : x.modificationTime < y.modificationTime;
}

void sortRows(std::vector<int>& shown, const std::vector<ComparisonRow>& rows, int half,
              const ListSort& sort) {
    std::stable_sort(shown.begin(), shown.end(), [&](int a, int b) {
        return rowBefore(rows[static_cast<std::size_t>(a)], rows[static_cast<std::size_t>(b)], half,
                         sort);
    });
}

namespace {
bool notEqual(const std::vector<int>& shown, const std::vector<ComparisonRow>& rows, int item) {
    const RowState s =
        rows[static_cast<std::size_t>(shown[static_cast<std::size_t>(item)])].left.state;
    return s != ROW_SAME;
}
} // namespace

int findNextRow(const std::vector<int>& shown, const std::vector<ComparisonRow>& rows, int top) {
    const int n = static_cast<int>(shown.size());
    for (int i = top + 1; i < n; ++i)
        if (notEqual(shown, rows, i))
            return i;
    for (int i = 0; i <= top && i < n; ++i)
        if (notEqual(shown, rows, i))
            return i;
    return -1;
}

// The backward search begins two rows above the top item.
int findPreviousRow(const std::vector<int>& shown, const std::vector<ComparisonRow>& rows,
                    int top) {
    const int n = static_cast<int>(shown.size());
    for (int i = std::min(top - 2, n - 1); i >= 0; --i)
        if (notEqual(shown, rows, i))
            return i;
    for (int i = n - 1; i >= std::max(top - 1, 0); --i)
        if (notEqual(shown, rows, i))
            return i;
    return -1;
}

bool startsMergeRun(const ComparisonRow& row) {
    // A link, a pipe or a device is never loaded as text.
    return row.left.state == ROW_DIFFERENT && row.right.state == ROW_DIFFERENT &&
           row.left.regularFile && row.right.regularFile;
}

} // namespace tandel
