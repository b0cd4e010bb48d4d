// The outcome of one Compare Files of the two loaded sides.
#pragma once

namespace tandel {

enum class [[nodiscard]] CompareResult{
    Failed,    // a message has been shown; lists and flags unchanged
    Different, // at least one segment
    Identical, // identical under the current settings
};

} // namespace tandel
