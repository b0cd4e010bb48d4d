#include "dirmerge/directory_lists.h"

#include "dirmerge/destination_copy.h"
#include "dirmerge/names.h"
#include "dirmerge/row_kind.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace tandel {

std::vector<int> visibleRows(const std::vector<ComparisonRow>& rows, bool differencesOnly) {
    std::vector<int> shown;
    shown.reserve(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (!differencesOnly || rows[i].left.state != RowState::Same)
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

namespace {

// The key a column sorts on, larger first with direction 1. An absent half
// has no size and sorts after every empty file.
std::int64_t sizeKey(const RowHalf& h) {
    return h.sizeKnown ? static_cast<std::int64_t>(std::min<std::uint64_t>(h.size, INT64_MAX)) : -1;
}

// What needs the user most comes first.
int markerRank(const ComparisonRow& row) {
    if (!row.compared)
        return 4;
    switch (rowKind(row)) {
    case RowKind::Different:
        return 5;
    case RowKind::LeftOnly:
    case RowKind::RightOnly:
        return 3;
    case RowKind::Unreadable:
        return 2;
    case RowKind::Equal:
        break;
    }
    return 1;
}

} // namespace

std::string relativeName(const std::string& path, const std::string& directory) {
    std::string relative;
    if (!directory.empty() && relativeTo(path, directory, relative) && !relative.empty())
        return relative;
    return path;
}

bool rowBefore(const ComparisonRow& a, const ComparisonRow& b, int half, const ListSort& sort) {
    const RowHalf& x = a.half(half);
    const RowHalf& y = b.half(half);
    const bool up = sort.direction == 1;
    switch (sort.column) {
    case kNameColumn: {
        const int c = compareNames(x.path, y.path);
        return up ? c < 0 : c > 0;
    }
    case kSizeColumn:
        return up ? sizeKey(x) > sizeKey(y) : sizeKey(x) < sizeKey(y);
    case kMarkerColumn:
        return up ? markerRank(a) > markerRank(b) : markerRank(a) < markerRank(b);
    default:
        return up ? x.modificationTime > y.modificationTime
                  : x.modificationTime < y.modificationTime;
    }
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
    return s != RowState::Same;
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

int adjacentUnequalRow(const std::vector<int>& shown, const std::vector<ComparisonRow>& rows,
                       int current, int top, bool forward) {
    if (forward)
        return findNextRow(shown, rows, current >= 0 ? current : top - 1);
    // The backward search starts two rows above its argument.
    return findPreviousRow(shown, rows, (current >= 0 ? current : top) + 1);
}

bool startsMergeRun(const ComparisonRow& row) {
    // A link, a pipe or a device is never loaded as text.
    return row.left.state == RowState::Different && row.right.state == RowState::Different &&
           row.left.regularFile && row.right.regularFile;
}

} // namespace tandel
