#include "panes/text_matcher.h"

#include <algorithm>
#include <cstring>

namespace tandel {
namespace {

// Large enough that the overlap between chunks is small next to it, small
// enough to stay in the first-level cache while it is searched.
constexpr std::size_t kChunk = 32 * 1024;

inline char foldByte(char c) {
    const auto u = static_cast<unsigned char>(c);
    return static_cast<unsigned char>(u - 'A') < 26 ? static_cast<char>(u | 0x20) : c;
}

// A plain loop over bytes: the compiler turns it into vector instructions.
void foldInto(const char* from, std::size_t n, char* to) {
    for (std::size_t i = 0; i < n; ++i) {
        to[i] = foldByte(from[i]);
    }
}

const char* findBytes(const char* begin, std::size_t length, const std::string& needle) {
    return static_cast<const char*>(memmem(begin, length, needle.data(), needle.size()));
}

} // namespace

TextMatcher::TextMatcher(std::string_view text, bool ignoreCase)
    : needle_(ignoreCase ? text.substr(0, kFoldedLength) : text), ignoreCase_(ignoreCase) {
    if (ignoreCase_) {
        std::transform(needle_.begin(), needle_.end(), needle_.begin(), foldByte);
    }
    // Folding only matters when the needle has a letter to meet a capital with.
    needsFolding_ = ignoreCase_ && std::any_of(needle_.begin(), needle_.end(),
                                               [](char c) { return c >= 'a' && c <= 'z'; });
    holdsLineFeed_ = needle_.find('\n') != std::string::npos;
}

const char* TextMatcher::search(const char* begin, const char* end) const {
    if (end <= begin) {
        return nullptr;
    }
    const auto length = static_cast<std::size_t>(end - begin);
    if (!needsFolding_) {
        return findBytes(begin, length, needle_);
    }
    // A hit may straddle two chunks: each chunk after the first starts again
    // needle length - 1 bytes before the end of the one before it.
    const std::size_t overlap = needle_.size() - 1;
    scratch_.resize(kChunk);
    for (std::size_t at = 0;;) {
        const std::size_t n = std::min(kChunk, length - at);
        foldInto(begin + at, n, scratch_.data());
        if (const char* hit = findBytes(scratch_.data(), n, needle_)) {
            return begin + at + static_cast<std::size_t>(hit - scratch_.data());
        }
        if (at + n == length) {
            return nullptr;
        }
        at += n - overlap;
    }
}

bool TextMatcher::matches(std::string_view line) const {
    if (holdsLineFeed_) {
        return false;
    }
    if (needle_.empty()) {
        return true;
    }
    if (ignoreCase_) {
        line = line.substr(0, kFoldedLength);
    }
    return search(line.data(), line.data() + line.size()) != nullptr;
}

std::int64_t TextMatcher::firstMatchingLine(const char* buffer, std::span<const std::size_t> starts,
                                            std::int64_t first, std::int64_t last) const {
    const auto lineCount = static_cast<std::int64_t>(starts.size()) - 1;
    first = std::max<std::int64_t>(first, 0);
    last = std::min(last, lineCount);
    if (first >= last || holdsLineFeed_) {
        return -1;
    }
    if (needle_.empty()) {
        return first;
    }
    const auto startsBegin = starts.begin() + first;
    const auto startsEnd = starts.begin() + last + 1;
    const char* at = buffer + starts[static_cast<std::size_t>(first)];
    const char* end = buffer + starts[static_cast<std::size_t>(last)];
    while (at < end) {
        const char* hit = search(at, end);
        if (hit == nullptr) {
            return -1;
        }
        const auto offset = static_cast<std::size_t>(hit - buffer);
        const auto line = std::upper_bound(startsBegin, startsEnd, offset) - starts.begin() - 1;
        const std::size_t column = offset - starts[static_cast<std::size_t>(line)];
        if (!ignoreCase_ || column + needle_.size() <= kFoldedLength) {
            return line;
        }
        // The line's first occurrence lies past the folded part, so every
        // other one in it does too.
        at = buffer + starts[static_cast<std::size_t>(line) + 1];
    }
    return -1;
}

std::size_t TextMatcher::find(std::string_view text, std::size_t from, std::size_t to) const {
    to = std::min(to, text.size());
    if (from > to) {
        return std::string_view::npos;
    }
    if (needle_.empty()) {
        return from;
    }
    const char* hit = search(text.data() + from, text.data() + to);
    return hit == nullptr ? std::string_view::npos : static_cast<std::size_t>(hit - text.data());
}

} // namespace tandel
