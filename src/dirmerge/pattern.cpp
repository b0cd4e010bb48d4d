#include "dirmerge/pattern.h"

#include <cstddef>

namespace tandel {

namespace {

unsigned char fold(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c;
}

// Position just past the "]" that closes the set opened at `open`, or npos.
// A "]" right after "[" or "[^" closes an empty set.
std::size_t setEnd(std::string_view p, std::size_t open) {
    std::size_t i = open + 1;
    if (i < p.size() && p[i] == '^')
        ++i;
    const std::size_t close = p.find(']', i);
    return close == std::string_view::npos ? close : close + 1;
}

// Set members compare exactly, as signed bytes, so ranges follow signed order.
bool inSet(std::string_view p, std::size_t open, std::size_t end, char c) {
    std::size_t i = open + 1;
    bool negated = false;
    if (i < p.size() && p[i] == '^') {
        negated = true;
        ++i;
    }
    const std::size_t last = end - 1; // the closing "]"
    const auto value = static_cast<signed char>(c);
    bool found = false;
    while (i < last) {
        const auto low = static_cast<signed char>(p[i]);
        if (i + 2 < last && p[i + 1] == '-') {
            const auto high = static_cast<signed char>(p[i + 2]);
            if (value >= low && value <= high)
                found = true;
            i += 3;
        } else {
            if (value == low)
                found = true;
            ++i;
        }
    }
    return found != negated;
}

bool hasUnclosedSet(std::string_view p) {
    for (std::size_t i = 0; i < p.size();) {
        if (p[i] != '[') {
            ++i;
            continue;
        }
        const std::size_t end = setEnd(p, i);
        if (end == std::string_view::npos)
            return true;
        i = end;
    }
    return false;
}

// Every token but "*" consumes exactly one character, so remembering only the
// latest "*" is enough: a later star can absorb whatever an earlier one would.
bool matchWhole(std::string_view name, std::string_view p) {
    std::size_t n = 0;
    std::size_t i = 0;
    std::size_t starPattern = std::string_view::npos;
    std::size_t starName = 0;
    while (n < name.size()) {
        bool advanced = false;
        if (i < p.size()) {
            const char t = p[i];
            if (t == '*') {
                starPattern = ++i;
                starName = n;
                if (i == p.size())
                    return true;
                continue;
            }
            if (t == '?') {
                ++i;
                ++n;
                advanced = true;
            } else if (t == '[') {
                const std::size_t end = setEnd(p, i);
                if (inSet(p, i, end, name[n])) {
                    i = end;
                    ++n;
                    advanced = true;
                }
            } else if (fold(static_cast<unsigned char>(t)) ==
                       fold(static_cast<unsigned char>(name[n]))) {
                ++i;
                ++n;
                advanced = true;
            }
        }
        if (advanced)
            continue;
        if (starPattern == std::string_view::npos)
            return false;
        i = starPattern;
        n = ++starName;
    }
    while (i < p.size() && p[i] == '*')
        ++i;
    return i == p.size();
}

} // namespace

bool matchPattern(std::string_view name, std::string_view pattern) {
    bool negated = false;
    if (!pattern.empty() && pattern.front() == '^') {
        negated = true;
        pattern.remove_prefix(1);
    }
    const bool matched = !hasUnclosedSet(pattern) && matchWhole(name, pattern);
    return matched != negated;
}

} // namespace tandel
