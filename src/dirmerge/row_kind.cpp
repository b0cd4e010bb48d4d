#include "dirmerge/row_kind.h"

namespace tandel {

RowKind rowKind(const ComparisonRow& row) {
    if (row.left.state == RowState::Unreadable || row.right.state == RowState::Unreadable)
        return RowKind::Unreadable;
    if (row.right.path.empty())
        return RowKind::LeftOnly;
    if (row.left.path.empty())
        return RowKind::RightOnly;
    return row.left.state == RowState::Same && row.right.state == RowState::Same
               ? RowKind::Equal
               : RowKind::Different;
}

std::string markerText(const ComparisonRow& row, int half) {
    const RowHalf& h = row.half(half);
    if (h.mark == RowMark::Copied)
        return "copied";
    if (h.mark == RowMark::Merged)
        return "merged";
    switch (rowKind(row)) {
    case RowKind::Equal:
        return "same";
    case RowKind::Different:
        return row.compared ? "differs" : "not compared";
    case RowKind::LeftOnly:
        return half == 0 ? "only here" : "absent";
    case RowKind::RightOnly:
        return half == 1 ? "only here" : "absent";
    case RowKind::Unreadable:
        break;
    }
    return "unreadable";
}

std::string markerTip(const ComparisonRow& row, int half) {
    std::string tip;
    switch (rowKind(row)) {
    case RowKind::Equal:
        tip = "The same in both directories";
        break;
    case RowKind::Different:
        tip = row.compared ? "Differs between the directories"
                           : "Not compared: the scan was cancelled";
        break;
    case RowKind::LeftOnly:
        tip = "Only in Directory 1";
        break;
    case RowKind::RightOnly:
        tip = "Only in Directory 2";
        break;
    case RowKind::Unreadable:
        tip = "Cannot be read";
        break;
    }
    const RowMark mark = row.half(half).mark;
    if (mark == RowMark::Copied)
        tip += "; copied to the destination";
    else if (mark == RowMark::Merged)
        tip += "; merged into the destination";
    return tip;
}

} // namespace tandel
