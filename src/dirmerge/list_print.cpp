#include "dirmerge/list_print.h"

#include <algorithm>

namespace tandel {

std::int32_t listPrintColumnWidth(std::int32_t physicalWidth, std::int32_t physicalLeftOffset) {
    const std::int64_t usable = std::int64_t{physicalWidth} - 2 * std::int64_t{physicalLeftOffset};
    return static_cast<std::int32_t>(std::max<std::int64_t>(usable / 2, 0));
}

ListPrintRow layOutListPrintRow(const ComparisonRow& row, std::int64_t i, const PageLayout& page,
                                std::int32_t columnWidth) {
    ListPrintRow printed;
    printed.newPage = page.breaksBefore(i);
    const std::int64_t y = page.lineY(i);
    const auto cell = [&](const RowHalf& half, std::int64_t x) {
        return ListPrintCell{half.path,      half.state == RowState::Different, x, y, columnWidth,
                             page.lineHeight};
    };
    printed.left = cell(row.left, 0);
    printed.right = cell(row.right, columnWidth);
    return printed;
}

} // namespace tandel
