// One line of the directory window: the left and the right half of a name.
#pragma once

#include <cstdint>
#include <string>

namespace tandel {

enum RowState : int { ROW_SAME = 0, ROW_DIFFERENT = 100, ROW_ABSENT = 8 };

struct RowHalf {
    std::string path;     // empty when the file is absent on this side
    std::string dateText; // local modification date and time; empty when absent or unreadable
    std::int64_t modificationTime = 0;
    RowState state = ROW_ABSENT;
};

struct ComparisonRow {
    RowHalf left;
    RowHalf right;

    const RowHalf& half(int side) const { return side == 0 ? left : right; }
};

// The local date and time of a time, as the lists show it.
std::string formatDate(std::int64_t seconds);

} // namespace tandel
