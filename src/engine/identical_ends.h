// The byte-identical head and tail that two inputs share; only the lines in
// between are classified and searched.
#pragma once

#include "engine/run_hooks.h"

namespace tandel {

struct InputFile;

// Appends a missing final newline (marking it unless blank lines are ignored)
// and two zero bytes; needs three bytes of spare room after the text.
void fixTextEnd(InputFile& input, bool ignoreBlankLines);

// Sets prefix end, prefix line count and suffix begin of both inputs. When
// `shared`, both records hold the same text and all of it is prefix.
void findIdenticalEnds(InputFile& first, InputFile& second, bool shared,
                       const RunHooks& hooks = RunHooks());

} // namespace tandel
