// The second pass over the middle lines: from hashes to classes. Two lines
// share a class exactly when the equality rules call them equal.
#pragma once

#include "engine/line_rules.h"

namespace tandel {

class RunHooks;
struct InputFile;

// Both records hold the line starts and hashes of splitMiddle; afterwards
// `classes` holds classes, numbered from 1 in order of first appearance (the
// first input's lines before the second's), and classLimit is one past the
// largest.
void classifyLines(InputFile& first, InputFile& second, const LineRules& rules,
                   const RunHooks& hooks);

} // namespace tandel
