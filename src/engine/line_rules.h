// Line equality under the white-space and case switches: the hash of a line
// and the full comparison of two lines whose hashes agree.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tandel {

class LineReducer;

struct LineRules {
    bool ignoreCase = false;
    bool spaceChange = false;
    bool allSpace = false;
    bool ignoreSomeChanges = false;     // lines of different lengths may still be equal
    bool skipLeadingWhiteSpace = false; // column positions in table mode
    LineReducer* table = nullptr;       // non-null: the reducer hashes the lines
};

// Backspace, tab, vertical tab, form feed, carriage return, blank, no-break space.
bool isWhiteSpace(unsigned char c);

// Hashes the line that starts at `line` (the newline ending it is excluded) and
// stores where that newline is. The line must end with a newline.
std::uint32_t hashLine(const char* line, const LineRules& rules, const char** newline);

// Hash for the rule without any switch: there two lines share a class exactly
// when their bytes agree, so any function of the bytes does. This one reads
// eight bytes at a time, each word hashed and searched for the newline at
// once, so that the first pass reads every byte once. Words are read from
// `line` on while they start no later than `lastWord`; the rest goes a byte
// at a time. Stores where the newline is.
std::uint32_t hashPlainLine(const char* line, const char* lastWord, const char** newline);

// Two lines given with their lengths (newline included, or not for a last line
// that lacks it); both are followed by a newline in memory.
bool linesEqual(const char* x, std::size_t xLength, const char* y, std::size_t yLength,
                const LineRules& rules);

} // namespace tandel
