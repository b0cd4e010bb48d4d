// Whether a destination may receive a directory operation's results. One
// that lies below Directory 1 or 2 would be scanned as part of the tree it
// is filled from, so its own output would be listed, compared and copied
// into itself again.
#pragma once

#include "base/file_system.h"

#include <string>

namespace tandel {

enum class Placement { Apart, Same, Below };

// Where `destination` lies against `directory`, judged by file identity
// along the destination's real parents, so that links, "..", doubled
// separators and other spellings change nothing. A destination that does not
// exist yet is judged by its nearest existing parent; a directory that does
// not exist holds nothing.
Placement placementOf(FileSystem& files, const std::string& destination,
                      const std::string& directory);

// The message that refuses the destination, or empty when it may be used.
// The same folder as Directory 1 or 2 is allowed: that is the merge in place
// that the selection dialog's "Directory 1" and "Directory 2" choices ask for.
std::string destinationRefusal(FileSystem& files, const std::string& dir1, const std::string& dir2,
                               const std::string& destination);

} // namespace tandel
