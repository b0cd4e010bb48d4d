// Reads the engine's normal-format result back into the four range lists.
#pragma once

#include "merge/side_record.h"

#include <istream>
#include <vector>

namespace tandel {

struct ScriptLists {
    std::vector<SegmentRange> text1, gap1, text2, gap2;
};

enum class ScriptOutcome {
    Identical,        // the engine reported identical files; lists are empty
    Different,        // lists hold one entry per hunk plus the end entry
    DifferentNoLists, // directory window mode stopped at a line that is not a hunk header
};

// Malformed headers (numbers that do not parse, ranges that run backwards, or
// hunks out of order) are passed over like any other line.
ScriptOutcome readScript(std::istream& in, bool directoryWindowMode, ScriptLists& lists);

} // namespace tandel
