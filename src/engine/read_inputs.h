// Turns the two input texts into sequences of line classes: two middle lines
// share a class exactly when the equality rules call them equal.
#pragma once

#include "engine/line_rules.h"

namespace tandel {

class RunHooks;
struct EngineContext;
struct InputFile;

// Both records hold their text (buffer, length, three spare bytes). Fixes the
// ends, finds the identical head and tail, blanks comments, classifies the
// middle lines. When `shared` both records hold the same text.
void readInputs(InputFile& first, InputFile& second, bool shared, const LineRules& rules,
                bool ignoreBlankLines, const EngineContext& context, const RunHooks& hooks);

} // namespace tandel
