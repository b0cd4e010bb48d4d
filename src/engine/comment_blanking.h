// Overwrites comments with blanks so that the later rules do not see them.
#pragma once

#include "engine/engine.h"

#include <span>

namespace tandel {

// Blanks, in place and never touching a newline, every comment of the
// definitions (in list order) inside `region`. An end marker "$" ends the
// comment at the end of its line; other comments may span lines and nest.
void blankComments(std::span<char> region, std::span<const CommentDefinition> definitions);

} // namespace tandel
