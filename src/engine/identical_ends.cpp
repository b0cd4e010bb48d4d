#include "engine/identical_ends.h"

#include "engine/engine.h"
#include "engine/input_file.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace tandel {
namespace {

// Bytes scanned between two looks at the cancel flag: a few milliseconds.
constexpr std::size_t kBytesPerEndsCheck = std::size_t{1} << 23;

inline std::uint64_t loadWord(const char* p) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

long countLines(const char* text, std::size_t length, const RunHooks& hooks) {
    long lines = 0;
    for (std::size_t from = 0; from < length; from += kBytesPerEndsCheck) {
        hooks.checkpoint();
        const char* end = text + std::min(length, from + kBytesPerEndsCheck);
        for (const char* p = text + from; (p = static_cast<const char*>(std::memchr(
                                               p, '\n', static_cast<std::size_t>(end - p))));
             ++p)
            ++lines;
    }
    return lines;
}

// The first position where the texts differ, at most the shorter length.
// The texts are only read: two comparisons may share one of them.
std::size_t commonHead(const char* a, std::size_t lengthA, const char* b, std::size_t lengthB,
                       const RunHooks& hooks) {
    const std::size_t shorter = std::min(lengthA, lengthB);
    constexpr std::size_t word = sizeof(std::uint64_t);
    std::size_t i = 0;
    for (;;) {
        const std::size_t stop = std::min(shorter, i + kBytesPerEndsCheck);
        while (i + word <= stop && loadWord(a + i) == loadWord(b + i))
            i += word;
        if (i + word <= stop || stop == shorter)
            break;
        hooks.checkpoint();
    }
    while (i < shorter && a[i] == b[i])
        ++i;
    return i;
}

// Scans backwards while the texts agree, not below `limitA` in the first text.
void commonTail(const char* a, std::size_t& endA, const char* b, std::size_t& endB,
                std::size_t limitA, const RunHooks& hooks) {
    constexpr std::size_t word = sizeof(std::uint64_t);
    for (std::size_t untilCheck = kBytesPerEndsCheck / word;
         endA >= limitA + word && endB >= word &&
         loadWord(a + endA - word) == loadWord(b + endB - word);
         --untilCheck) {
        endA -= word;
        endB -= word;
        if (untilCheck == 0) {
            untilCheck = kBytesPerEndsCheck / word;
            hooks.checkpoint();
        }
    }
    while (endA > limitA && a[endA - 1] == b[endB - 1]) {
        --endA;
        --endB;
    }
}

std::size_t pastNewline(const char* text, std::size_t from, std::size_t length) {
    if (from >= length)
        return length;
    const void* newline = std::memchr(text + from, '\n', length - from);
    return newline ? static_cast<std::size_t>(static_cast<const char*>(newline) - text) + 1
                   : length;
}

} // namespace

void fixTextEnd(InputFile& input, bool ignoreBlankLines) {
    input.room = input.length + kEngineSpareBytes;
    input.missingNewline = false;
    if (input.length > 0 && input.buffer[input.length - 1] != '\n') {
        input.buffer[input.length++] = '\n';
        input.missingNewline = !ignoreBlankLines;
    }
    // Written only where needed: a text that already ends so may be read by
    // two comparisons at once.
    for (std::size_t i = input.length; i < input.length + 2; ++i) {
        if (input.buffer[i] != 0) {
            input.buffer[i] = 0;
        }
    }
}

void findIdenticalEnds(InputFile& first, InputFile& second, bool shared, const RunHooks& hooks) {
    const char* a = first.buffer;
    const char* b = second.buffer;
    const std::size_t lengthA = first.length;
    const std::size_t lengthB = second.length;

    std::size_t head = lengthA;
    if (!shared) {
        head = commonHead(a, lengthA, b, lengthB, hooks);
        // An incomplete last line never joins the prefix when the other
        // input's last line is complete.
        const bool beyondA = head > lengthA - (first.missingNewline ? 1 : 0);
        const bool beyondB = head > lengthB - (second.missingNewline ? 1 : 0);
        if (beyondA != beyondB)
            --head;
        while (head > 0 && a[head - 1] != '\n')
            --head;
    }
    first.prefixEnd = second.prefixEnd = head;
    first.prefixLines = second.prefixLines = countLines(a, head, hooks);

    first.suffixBegin = lengthA;
    second.suffixBegin = lengthB;
    if (shared || first.missingNewline != second.missingNewline)
        return;
    std::size_t endA = lengthA;
    std::size_t endB = lengthB;
    commonTail(a, endA, b, endB, head + (lengthA > lengthB ? lengthA - lengthB : 0), hooks);
    const bool lineStartA = endA == 0 || a[endA - 1] == '\n';
    const bool lineStartB = endB == 0 || b[endB - 1] == '\n';
    std::size_t begin = endA;
    if (!(lineStartA && lineStartB))
        begin = pastNewline(a, begin, lengthA);
    // One shared line stays in the middle so that changes can slide onto it.
    begin = pastNewline(a, begin, lengthA);
    first.suffixBegin = begin;
    second.suffixBegin = endB + (begin - endA);
}

} // namespace tandel
