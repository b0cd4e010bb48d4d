// The printed directory lists: two half-width columns, one row per line, a
// light grey cell under a half whose pair differs. The printing code draws
// what these describe.
#pragma once

#include "dirmerge/comparison_row.h"
#include "panes/print_layout.h"

#include <cstdint>
#include <string>

namespace tandel {

// Red, green and blue of a cell whose half is RowState::Different.
inline constexpr int kDifferentCellGrey = 192;

// Each column is half the usable width: the physical page width less the
// physical left offset on both sides. Never negative.
[[nodiscard]] std::int32_t listPrintColumnWidth(std::int32_t physicalWidth,
                                                std::int32_t physicalLeftOffset);

struct ListPrintCell {
    std::string text; // the half's path, clipped to the cell when drawn
    bool grey = false;
    std::int64_t x = 0;
    std::int64_t y = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;
};

struct ListPrintRow {
    bool newPage = false; // end the page and start another before this row
    ListPrintCell left;
    ListPrintCell right;
};

// Printed row i (0-based in list order) showing `row`.
[[nodiscard]] ListPrintRow layOutListPrintRow(const ComparisonRow& row, std::int64_t i,
                                              const PageLayout& page, std::int32_t columnWidth);

} // namespace tandel
