// Putting entries into the destination without merging them: the walk's
// current entries and the rows selected in the directory window.
#pragma once

#include "dirmerge/dir_listing.h"
#include "dirmerge/dirmerge_context.h"

#include <string>
#include <vector>

namespace tandel {

// `path` without its leading `base` and one following "/"; false when `path`
// does not start with `base`.
bool relativeTo(const std::string& path, const std::string& base, std::string& relative);

// A path that could not be read and why.
struct Unreadable {
    std::string path;
    IoStatus why;
};

// Says which entries could not be read and why, and counts them as one skip:
// the walk leaves them out and goes on.
void leaveOutUnreadable(DirMergeContext& ctx, const std::vector<Unreadable>& entries);

// Copies the listing's current entry into the walk's destination directory,
// counting what it copied, declined or failed.
// Failed when the listing has no entry left.
[[nodiscard]] CopyResult copyCursorEntry(DirMergeContext& ctx, const DirListing& listing);

// Offers an entry present on one side only; copies it when the user agrees
// (or agreed for all). Nothing is asked when the listing is the walk's
// destination directory itself, nor about an entry that cannot be read or
// is neither a file, a link nor a directory. Returns true when it copied.
bool askPresentOnly(DirMergeContext& ctx, const DirListing& listing);

// A file on one side, a directory of that name on the other: copies the
// chosen one. Returns the answer (File, Directory, None, counted as a skip,
// or Cancel, which posts the Cancel request).
Answer askFileOrDirectory(DirMergeContext& ctx, const DirListing& fileSide,
                          const DirListing& directorySide);

enum class CopyOutcome { Copied, Skipped, Failed };

// "Copy to Destination": copies the selected halves (full paths below
// `sideDirectory`; an empty path is an absent half) to the same relative
// paths below `destination`. A destination that does not exist is made only
// after the user agreed; without it nothing is copied. One outcome per path,
// each also counted in `count`.
std::vector<CopyOutcome> copySelectedRows(DirMergeContext& ctx,
                                          const std::vector<std::string>& paths,
                                          const std::string& sideDirectory,
                                          const std::string& destination, OperationCount& count);

} // namespace tandel
