#include "engine/line_rules.h"

#include <array>
#include <bit>
#include <cstring>

namespace tandel {
namespace {

constexpr std::array<bool, 256> makeWhiteSpaceTable() {
    std::array<bool, 256> table{};
    for (std::size_t c : {8u, 9u, 11u, 12u, 13u, 32u, 160u})
        table[c] = true;
    return table;
}
constexpr std::array<bool, 256> kWhiteSpace = makeWhiteSpaceTable();

inline std::uint32_t include(std::uint32_t h, unsigned char c) {
    return ((h << 7) | (h >> 25)) + c;
}

inline unsigned char lower(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

inline unsigned char upper(unsigned char c) {
    return c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

std::uint32_t hashAllSpace(const unsigned char* p, bool fold, const char** newline) {
    std::uint32_t h = 0;
    for (unsigned char c; (c = *p) != '\n'; ++p) {
        if (!kWhiteSpace[c])
            h = include(h, fold ? lower(c) : c);
    }
    *newline = reinterpret_cast<const char*>(p);
    return h;
}

// The same white space as the line comparison, with or without ignore-case:
// a hash that knew fewer white-space bytes would keep lines apart that the
// comparison calls equal (a carriage return before the newline, say).
std::uint32_t hashSpaceChange(const unsigned char* p, bool fold, const char** newline) {
    std::uint32_t h = 0;
    for (unsigned char c; (c = *p) != '\n'; ++p) {
        if (!kWhiteSpace[c]) {
            h = include(h, fold ? lower(c) : c);
            continue;
        }
        while (kWhiteSpace[p[1]])
            ++p;
        if (p[1] != '\n')
            h = include(h, ' ');
    }
    *newline = reinterpret_cast<const char*>(p);
    return h;
}

std::uint32_t hashPlain(const unsigned char* p, bool fold, const char** newline) {
    std::uint32_t h = 0;
    if (fold) {
        for (unsigned char c; (c = *p) != '\n'; ++p)
            h = include(h, lower(c));
    } else {
        for (unsigned char c; (c = *p) != '\n'; ++p)
            h = include(h, c);
    }
    *newline = reinterpret_cast<const char*>(p);
    return h;
}

// Takes the next byte of a line under the white-space switches and moves past it.
inline unsigned char takeByte(const unsigned char*& p, const LineRules& rules) {
    unsigned char c = *p++;
    if (rules.allSpace) {
        while (kWhiteSpace[c])
            c = *p++;
    } else if (rules.spaceChange && kWhiteSpace[c]) {
        while (kWhiteSpace[*p])
            ++p;
        if (*p == '\n')
            c = *p++;
        else
            c = ' ';
    }
    return rules.ignoreCase ? upper(c) : c;
}

} // namespace

bool isWhiteSpace(unsigned char c) {
    return kWhiteSpace[c];
}

namespace {

inline std::uint64_t mixWord(std::uint64_t h, std::uint64_t word) {
    h = (h ^ word) * 0x9E3779B97F4A7C15ull;
    return h ^ (h >> 29);
}

inline std::uint32_t finishHash(std::uint64_t h, std::uint64_t rest, std::size_t length) {
    h = mixWord(mixWord(h, rest), length);
    return static_cast<std::uint32_t>(h ^ (h >> 32));
}

// The position of the first byte of `word` (as it lay in memory) whose high
// bit is set in `found`.
inline int firstMarkedByte(std::uint64_t found) {
    if constexpr (std::endian::native == std::endian::little)
        return std::countr_zero(found) / 8;
    else
        return std::countl_zero(found) / 8;
}

} // namespace

std::uint32_t hashPlainLine(const char* line, const char* end, const char** newline) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ull;
    constexpr std::uint64_t kHighs = 0x8080808080808080ull;
    constexpr std::uint64_t kNewlines = 0x0A0A0A0A0A0A0A0Aull;
    std::uint64_t h = 0;
    const char* p = line;
    for (; end - p >= 8; p += 8) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        const std::uint64_t x = word ^ kNewlines;
        // The first zero byte of x, the first newline, sets the lowest
        // marked bit exactly; bytes after it may be marked falsely.
        const std::uint64_t found = (x - kOnes) & ~x & kHighs;
        if (found != 0) {
            const int at = firstMarkedByte(found);
            std::uint64_t rest = 0;
            std::memcpy(&rest, p, static_cast<std::size_t>(at));
            *newline = p + at;
            return finishHash(h, rest, static_cast<std::size_t>(p + at - line));
        }
        h = mixWord(h, word);
    }
    // The same words, gathered a byte at a time where a whole word would
    // read past the buffer.
    char gathered[8] = {};
    std::size_t count = 0;
    for (; *p != '\n'; ++p) {
        gathered[count++] = *p;
        if (count == 8) {
            std::uint64_t word;
            std::memcpy(&word, gathered, 8);
            h = mixWord(h, word);
            std::memset(gathered, 0, sizeof gathered);
            count = 0;
        }
    }
    std::uint64_t rest;
    std::memcpy(&rest, gathered, 8);
    *newline = p;
    return finishHash(h, rest, static_cast<std::size_t>(p - line));
}

std::uint32_t hashLine(const char* line, const LineRules& rules, const char** newline) {
    const auto* p = reinterpret_cast<const unsigned char*>(line);
    if (rules.allSpace)
        return hashAllSpace(p, rules.ignoreCase, newline);
    if (rules.spaceChange)
        return hashSpaceChange(p, rules.ignoreCase, newline);
    return hashPlain(p, rules.ignoreCase, newline);
}

bool linesEqual(const char* x, std::size_t xLength, const char* y, std::size_t yLength,
                const LineRules& rules) {
    if (rules.skipLeadingWhiteSpace) {
        // Never past the newline: it is not white space.
        while (xLength > 0 && kWhiteSpace[static_cast<unsigned char>(*x)])
            ++x, --xLength;
        while (yLength > 0 && kWhiteSpace[static_cast<unsigned char>(*y)])
            ++y, --yLength;
    }
    if (xLength == yLength && std::memcmp(x, y, xLength) == 0)
        return true;
    if (!rules.ignoreCase && !rules.spaceChange && !rules.allSpace)
        return false;
    const auto* p = reinterpret_cast<const unsigned char*>(x);
    const auto* q = reinterpret_cast<const unsigned char*>(y);
    for (;;) {
        const unsigned char a = takeByte(p, rules);
        const unsigned char b = takeByte(q, rules);
        if (a != b)
            return false;
        if (a == '\n')
            return true;
    }
}

} // namespace tandel
