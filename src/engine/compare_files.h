// Comparing two files: the opaque byte comparison of -q, or reading the
// texts into line classes, the difference search and the normal output.
#pragma once

namespace tandel {

struct EngineRun;
struct InputFile;

// Both records are examined and, when present, open. Returns 0 (same),
// 1 (different) or 2 (an input could not be read, or the search failed).
int compareFiles(EngineRun& run, InputFile& first, InputFile& second, int depth);

} // namespace tandel
