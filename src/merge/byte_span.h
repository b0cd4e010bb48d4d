// A run of bytes of one line, as the changed-character spans and the
// selection's bytes are given.
#pragma once

#include <cstddef>

namespace tandel {

struct ByteSpan {
    std::size_t begin = 0; // first byte
    std::size_t end = 0;   // one past the last byte

    bool operator==(const ByteSpan&) const = default;
};

} // namespace tandel
