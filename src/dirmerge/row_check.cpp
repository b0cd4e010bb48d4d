#include "dirmerge/row_check.h"

#include "dirmerge/destination_copy.h"
#include "dirmerge/file_equality.h"
#include "dirmerge/names.h"

namespace tandel {

RowHalf presentHalf(const std::string& path, const DirEntry& entry, RowState state) {
    RowHalf half;
    half.path = path;
    // An entry whose status could not be read is listed with an empty date.
    half.modificationTime = entry.statusKnown ? entry.writeTime.seconds : 0;
    half.dateText = entry.statusKnown ? formatDate(entry.writeTime.seconds) : std::string();
    half.state = state;
    half.regularFile = entry.isRegular();
    half.isLink = entry.isLink();
    half.linkTarget = entry.linkTarget;
    half.size = entry.size;
    half.sizeKnown = entry.statusKnown && !entry.isDirectory();
    return half;
}

void markUnreadable(RowHalf& half, const IoStatus& why) {
    half.state = RowState::Unreadable;
    if (!why.ok()) {
        half.problem = why.reason();
        half.dateText = unreadableText(half.problem);
    }
}

namespace {

// The row's path below its own directory, from whichever half is present.
bool rowRelative(const ComparisonRow& row, const std::string& dir1, const std::string& dir2,
                 std::string& relative) {
    if (!row.left.path.empty())
        return relativeTo(row.left.path, dir1, relative) && !relative.empty();
    return !row.right.path.empty() && relativeTo(row.right.path, dir2, relative) &&
           !relative.empty();
}

} // namespace

bool recheckRow(ComparisonRow& row, const std::string& dir1, const std::string& dir2,
                FileSystem& files, bool trustTimeStamps) {
    std::string relative;
    if (!rowRelative(row, dir1, dir2, relative))
        return false;
    const std::string lp = joinPath(dir1, relative);
    const std::string rp = joinPath(dir2, relative);
    DirEntry le;
    DirEntry re;
    const bool hasLeft = entryAt(files, lp, le);
    const bool hasRight = entryAt(files, rp, re);
    if ((!hasLeft && !hasRight) || (hasLeft && le.isDirectory()) || (hasRight && re.isDirectory()))
        return false;
    const RowMark leftMark = row.left.mark;
    const RowMark rightMark = row.right.mark;
    ComparisonRow fresh;
    if (hasLeft && hasRight) {
        PairVerdict verdict{Sameness::Unreadable, le.problem, re.problem};
        if (!le.unreadable() && !re.unreadable())
            verdict = comparePair(files, le, lp, re, rp, trustTimeStamps);
        const RowState s =
            verdict.sameness == Sameness::Equal ? RowState::Same : RowState::Different;
        fresh = {presentHalf(lp, le, s), presentHalf(rp, re, s)};
        if (verdict.sameness == Sameness::Unreadable) {
            markUnreadable(fresh.left, verdict.left);
            markUnreadable(fresh.right, verdict.right);
        }
    } else if (hasLeft) {
        fresh.left = presentHalf(lp, le, RowState::Different);
        if (le.unreadable())
            markUnreadable(fresh.left, le.problem);
    } else {
        fresh.right = presentHalf(rp, re, RowState::Different);
        if (re.unreadable())
            markUnreadable(fresh.right, re.problem);
    }
    fresh.left.mark = leftMark;
    fresh.right.mark = rightMark;
    row = std::move(fresh);
    return true;
}

} // namespace tandel
