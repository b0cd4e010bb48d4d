#include "engine/line_rules.h"

#include <array>
#include <cstring>

namespace tandel {
namespace {

constexpr std::array<bool, 256> makeWhiteSpaceTable() {
    std::array<bool, 256> table{};
    for (unsigned char c : {8, 9, 11, 12, 13, 32, 160})
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

std::uint32_t hashBytes(const char* line, std::size_t length) {
    constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;
    std::uint64_t h = length;
    for (; length >= 8; line += 8, length -= 8) {
        std::uint64_t word;
        std::memcpy(&word, line, 8);
        h = (h ^ word) * kMultiplier;
        h ^= h >> 29;
    }
    if (length > 0) {
        std::uint64_t word = 0;
        std::memcpy(&word, line, length);
        h = (h ^ word) * kMultiplier;
        h ^= h >> 29;
    }
    return static_cast<std::uint32_t>(h ^ (h >> 32));
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
