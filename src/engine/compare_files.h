// Comparing two files: the opaque byte comparison of -q, or reading the
// texts into line classes, the difference search and the normal output.
#pragma once

#include "engine/verdict.h"

namespace tandel {

struct EngineRun;
struct InputFile;

// Both records are examined and, when present, open. Trouble when an input
// could not be read, or the search failed.
Verdict compareFiles(EngineRun& run, InputFile& first, InputFile& second, int depth);

} // namespace tandel
