// The two lists of the directory window.
#pragma once

#include <cstdint>

namespace tandel {

class DirectoryLists {
public:
    virtual ~DirectoryLists() = default;

    // In list 1 (left) or 2 (right), selects row `row` alone, makes it
    // visible and gives that list the focus.
    virtual void showListRow(int list, std::int64_t row) = 0;
    // Directory window mode prints the two lists instead of a result.
    virtual void printDirectoryLists() = 0;
};

} // namespace tandel
