// The directory window's comparison list: one complete pass of the tree
// cursor, a row per file found.
#pragma once

#include "dirmerge/directory_state.h"

#include <functional>
#include <string>

namespace tandel {

// Called before every step after the first with the left side's current path
// (empty when there is none); returns false to cancel the build.
using BuildProgress = std::function<bool(const std::string& currentPath)>;

enum class BuildResult { Failed, Finished, Cancelled };

// Replaces state.rows. A pair is equal only when its bytes are (see
// comparePair). A folder that cannot be read on either side is one
// unreadable row, and nothing below it is listed on the other side. The
// directory comparison flag is set for the duration. A cancelled build keeps
// the rows found so far and sets state.listIncomplete; pairs it found but
// never read are marked as not compared.
[[nodiscard]] BuildResult buildComparisonList(DirectoryOperationState& state,
                                              const std::string& dir1, const std::string& dir2,
                                              std::string destination, const ScanFilters& filters,
                                              const BuildProgress& progress);

} // namespace tandel
