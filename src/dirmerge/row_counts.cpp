#include "dirmerge/row_counts.h"

#include "dirmerge/row_kind.h"

namespace tandel {

RowCounts countRows(const std::vector<ComparisonRow>& rows) {
    RowCounts counts;
    for (const ComparisonRow& row : rows) {
        switch (rowKind(row)) {
        case RowKind::Equal:
            ++counts.equal;
            break;
        case RowKind::Different:
            ++(row.compared ? counts.different : counts.notCompared);
            break;
        case RowKind::LeftOnly:
            ++counts.leftOnly;
            break;
        case RowKind::RightOnly:
            ++counts.rightOnly;
            break;
        case RowKind::Unreadable:
            ++counts.unreadable;
            break;
        }
    }
    return counts;
}

std::string countsLine(const RowCounts& counts) {
    static constexpr const char* kDot = " \u00b7 ";
    std::string line = std::to_string(counts.equal) + " equal" + kDot +
                       std::to_string(counts.different) + " differ" + kDot +
                       std::to_string(counts.leftOnly) + " only left" + kDot +
                       std::to_string(counts.rightOnly) + " only right" + kDot +
                       std::to_string(counts.unreadable) + " unreadable";
    if (counts.notCompared > 0)
        line += kDot + std::to_string(counts.notCompared) + " not compared";
    return line;
}

} // namespace tandel
