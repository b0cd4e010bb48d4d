// The walk's step on a name present on both sides: two folders are entered,
// two equal entries copied, a differing pair of files loaded into the panes,
// and whatever cannot be read or merged is left out with a word why.
#pragma once

#include "dirmerge/dirmerge_context.h"

namespace tandel {

// Acts on the pair the cursor stands on and moves past it (or into it, for
// two folders). Posts the next step unless the walk must wait: for the user
// on a loaded pair, or for Skip after a folder that could not be made.
void walkPair(DirMergeContext& ctx);

// The loaded pair turned out identical: its left file goes to its place.
// Done also when nothing was needed; a failure has been reported and counted.
[[nodiscard]] CopyResult copyLoadedPair(DirMergeContext& ctx);

} // namespace tandel
