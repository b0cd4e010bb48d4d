// The state of directory merging that lives as long as the application: the
// directory comparison flag, the walk, the comparison rows and the to-all answers.
#pragma once

#include "dirmerge/comparison_row.h"
#include "dirmerge/dir_listing.h"
#include "dirmerge/operation_count.h"
#include "dirmerge/to_all_answers.h"
#include "dirmerge/tree_cursor.h"

#include <string>
#include <vector>

namespace tandel {

struct DirectoryOperationState {
    // Set while a list build or a walk runs.
    bool comparing = false;
    // Set by the progress dialog's Cancel; the build stops before its next step.
    bool cancelRequested = false;
    // A walk (rather than a list build) owns the cursor.
    bool walking = false;

    ScanFilters filters;
    TreeCursor cursor;
    ToAllAnswers answers;

    // The walk: its current destination directory, one component per entered
    // level, and the pair it has loaded and waits on (empty when none).
    std::string walkDestination;
    std::string pairOutputPath;
    std::string pairLeftPath;
    void forgetPair() {
        pairOutputPath.clear();
        pairLeftPath.clear();
    }
    // Set while the walk itself loads and compares a pair, so that the
    // comparison's own report of the result is not acted on twice.
    bool pairLoading = false;
    // What the current walk did so far.
    OperationCount tally;

    // The directory window's rows, in the order they were found.
    std::vector<ComparisonRow> rows;
    // The directories the rows were listed from: each half's path lies below its own.
    std::string listedDir1;
    std::string listedDir2;
    // A Cancel stopped the last build: what it had not reached is missing.
    bool listIncomplete = false;
};

// Resets the replace and present-only answers and the tally, lists both
// directories as the cursor's bottoms, drops one trailing "/" from
// `destination` (never a lone "/") and forgets a waiting pair.
void startTreeCursor(DirectoryOperationState& state, const std::string& dir1,
                     const std::string& dir2, std::string& destination);

} // namespace tandel
