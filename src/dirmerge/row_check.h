// How a row's halves are filled from what the disk says: during the build,
// and again for one row after a copy or a merge run changed its files.
#pragma once

#include "dirmerge/comparison_row.h"
#include "dirmerge/dir_listing.h"

#include <string>

namespace tandel {

RowHalf presentHalf(const std::string& path, const DirEntry& entry, RowState state);

// The row is unreadable on both halves, so that both lists mark it; the half
// that failed says why in its date column.
void markUnreadable(RowHalf& half, const IoStatus& why);

// Reads the row's file again on both sides, at its path below `dir1` and
// `dir2`, and judges the pair afresh: a half that appeared, vanished or
// changed shows as it is now. Marks are kept. A row of folders, or one whose
// path lies below neither directory, is left as it was. False when nothing
// could be judged.
bool recheckRow(ComparisonRow& row, const std::string& dir1, const std::string& dir2,
                FileSystem& files, bool trustTimeStamps);

} // namespace tandel
