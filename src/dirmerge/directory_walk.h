// The directory walk: the in-process merge of two trees, one step per posted
// command, copying what needs no merge and loading each differing pair.
#pragma once

#include "dirmerge/dirmerge_context.h"
#include "frame/command_ids.h"

#include <string>

namespace tandel {

// The answers of the directory selection dialog.
struct DirectorySelection {
    std::string dir1;
    std::string dir2;
    std::string destination;
    bool showDirectories = false;
};

// Command 314 once the dialog was accepted: starts a directory window
// instance, or starts the walk here. Refused, and ignored, while a directory
// operation runs; Refused also, after a message, for a destination inside
// Directory 1 or 2.
enum class WalkStart { Started, Refused };
[[nodiscard]] WalkStart startDirectoryMerge(DirMergeContext& ctx,
                                            const DirectorySelection& selection,
                                            const ScanFilters& filters);

// Command 315: one step. Ignored when no walk runs. The merge posts it after
// it saved a loaded pair, which the step then counts as merged. The last step
// gives the account: "Directories compared: N copied, N merged, N skipped,
// N failed".
void walkStep(DirMergeContext& ctx);

// Command 312: drop the loaded pair and go on.
void walkSkip(DirMergeContext& ctx);

// Command 313: says what the walk did so far, then ends it.
void cancelWalk(DirMergeContext& ctx);

// Leaves directory mode (Cancel and the natural end, once their account is
// given). Nothing copied or saved is undone.
void endWalk(DirMergeContext& ctx);

// After the user compared the loaded pair again (command 305) with `result`
// from the driver: a pair now found identical is copied and the walk goes on.
void walkCompared(DirMergeContext& ctx, CompareResult result);

// Commands 312, 313 and 315. Returns true when `id` is one of them (whether
// or not a walk was running to act on it).
bool handleWalkCommand(DirMergeContext& ctx, int id);

} // namespace tandel
