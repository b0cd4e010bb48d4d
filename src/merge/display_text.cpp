#include "merge/display_text.h"

#include <cstring>

namespace tandel {

namespace {

constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;

bool continuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

// Length of the well-formed sequence at text[i] (whose first byte is not
// ASCII), or 0 when there is none.
std::size_t sequenceLength(std::string_view text, std::size_t i) {
    const auto at = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
    const std::size_t left = text.size() - i;
    const unsigned char b0 = at(0);
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        return left >= 2 && continuation(at(1)) ? 2 : 0;
    }
    if (b0 >= 0xE0 && b0 <= 0xEF) {
        if (left < 3 || !continuation(at(1)) || !continuation(at(2))) {
            return 0;
        }
        // E0 would allow overlong forms below A0, ED the surrogates from A0.
        if ((b0 == 0xE0 && at(1) < 0xA0) || (b0 == 0xED && at(1) > 0x9F)) {
            return 0;
        }
        return 3;
    }
    if (b0 >= 0xF0 && b0 <= 0xF4) {
        if (left < 4 || !continuation(at(1)) || !continuation(at(2)) || !continuation(at(3))) {
            return 0;
        }
        // F0 below 90 is overlong, F4 from 90 is past U+10FFFF.
        if ((b0 == 0xF0 && at(1) < 0x90) || (b0 == 0xF4 && at(1) > 0x8F)) {
            return 0;
        }
        return 4;
    }
    return 0;
}

// Bytes 0x80 to 0x9F in Windows-1252; the five it leaves open stay the C1
// controls of the same number, as Latin-1 reads them.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

std::size_t utf8SequenceLength(std::string_view text, std::size_t i) {
    return static_cast<unsigned char>(text[i]) < 0x80 ? 1 : sequenceLength(text, i);
}

LineEncoding lineEncodingOf(std::string_view line) {
    std::size_t i = 0;
    const std::size_t n = line.size();
    while (i < n) {
        // Most lines are ASCII: test eight bytes at a time.
        if (i + 8 <= n) {
            std::uint64_t word = 0;
            std::memcpy(&word, line.data() + i, 8);
            if ((word & kHighBits) == 0) {
                i += 8;
                continue;
            }
        }
        if (static_cast<unsigned char>(line[i]) < 0x80) {
            ++i;
            continue;
        }
        const std::size_t length = sequenceLength(line, i);
        if (length == 0) {
            return LineEncoding::Windows1252;
        }
        i += length;
    }
    return LineEncoding::Utf8;
}

DecodedChar CharReader::next() {
    const auto byte = [&](std::size_t k) {
        return static_cast<char32_t>(static_cast<unsigned char>(text_[position_ + k]));
    };
    const char32_t b0 = byte(0);
    DecodedChar c{b0, 1};
    const std::size_t left = text_.size() - position_;
    // Checks the length left only, so that a piece cut at a character
    // boundary is all a Utf8 reader needs to stay inside its text.
    if (encoding_ == LineEncoding::Utf8 && b0 >= 0xC0) {
        if (b0 < 0xE0 && left >= 2) {
            c = {((b0 & 0x1F) << 6) | (byte(1) & 0x3F), 2};
        } else if (b0 < 0xF0 && left >= 3) {
            c = {((b0 & 0x0F) << 12) | ((byte(1) & 0x3F) << 6) | (byte(2) & 0x3F), 3};
        } else if (left >= 4) {
            c = {((b0 & 0x07) << 18) | ((byte(1) & 0x3F) << 12) | ((byte(2) & 0x3F) << 6) |
                     (byte(3) & 0x3F),
                 4};
        }
    } else if (encoding_ == LineEncoding::Windows1252 && b0 >= 0x80 && b0 <= 0x9F) {
        c.code = kWindows1252High[b0 - 0x80];
    }
    position_ += c.size;
    return c;
}

char32_t shownCharacter(char32_t c) {
    constexpr char32_t kControlPictures = 0x2400;
    constexpr char32_t kReplacement = 0xFFFD;
    if (c < 0x20) {
        return kControlPictures + c;
    }
    if (c < 0x7F) {
        return c;
    }
    if (c == 0x7F) {
        return kControlPictures + 0x21;
    }
    if (c <= 0x9F) {
        return kReplacement;
    }
    const bool bidiControl = c == 0x061C || c == 0x200E || c == 0x200F ||
                             (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
    const bool breaksLine = c == 0x2028 || c == 0x2029;
    return bidiControl || breaksLine ? kReplacement : c;
}

void appendUtf8Text(std::string& out, char32_t c) {
    const auto put = [&](char32_t b) { out.push_back(static_cast<char>(b)); };
    if (c < 0x80) {
        put(c);
    } else if (c < 0x800) {
        put(0xC0 | (c >> 6));
        put(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        put(0xE0 | (c >> 12));
        put(0x80 | ((c >> 6) & 0x3F));
        put(0x80 | (c & 0x3F));
    } else {
        put(0xF0 | (c >> 18));
        put(0x80 | ((c >> 12) & 0x3F));
        put(0x80 | ((c >> 6) & 0x3F));
        put(0x80 | (c & 0x3F));
    }
}

void appendClipboardText(std::string& out, std::string_view piece, LineEncoding encoding) {
    CharReader reader(piece, encoding);
    while (!reader.done()) {
        appendUtf8Text(out, reader.next().code);
    }
}

void appendShownText(std::string& out, std::string_view piece, LineEncoding encoding) {
    CharReader reader(piece, encoding);
    while (!reader.done()) {
        const char32_t c = reader.next().code;
        appendUtf8Text(out, c == '\t' ? c : shownCharacter(c));
    }
}

} // namespace tandel
