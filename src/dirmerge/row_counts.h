// How many rows of each kind the directory window holds, as one line for a
// status bar or a label.
#pragma once

#include "dirmerge/comparison_row.h"

#include <string>
#include <vector>

namespace tandel {

struct RowCounts {
    int equal = 0;
    int different = 0;
    int leftOnly = 0;
    int rightOnly = 0;
    int unreadable = 0;
    // Pairs a cancelled build never read; not among `different`.
    int notCompared = 0;
    bool operator==(const RowCounts&) const = default;
};

RowCounts countRows(const std::vector<ComparisonRow>& rows);

// "12 equal · 3 differ · 2 only left · 1 only right · 0 unreadable", with
// " · 4 not compared" after it when a cancelled build left pairs unread.
std::string countsLine(const RowCounts& counts);

} // namespace tandel
