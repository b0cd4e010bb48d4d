#include "view/preview_text.h"

#include <algorithm>

namespace tandel::ui {

namespace {

constexpr char16_t kEscapeBase = 0xDC00;
constexpr char32_t kParagraphSeparator = 0x2029;

// The length of the valid UTF-8 sequence at `i` and its code point, or 0.
std::size_t decodeOne(std::string_view bytes, std::size_t i, char32_t& codePoint) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1F;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0F;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07;
        minimum = 0x10000;
    } else {
        return 0;
    }
    if (i + length > bytes.size()) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        const unsigned char next = byte(i + k);
        if ((next & 0xC0) != 0x80) {
            return 0;
        }
        value = (value << 6) | (next & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return 0;
    }
    codePoint = value;
    return length;
}

// Characters that the text document would not hand back unchanged.
bool documentAltersIt(char32_t c) {
    return c == 0 || c == '\r' || c == kParagraphSeparator || c == 0x2028 || c == 0xFDD0 ||
           c == 0xFDD1 || c == 0xFFFC;
}

void appendEscaped(QString& out, std::string_view bytes) {
    for (const char b : bytes) {
        out.append(QChar(static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(b))));
    }
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

QString previewTextFromBytes(std::string_view bytes) {
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    std::size_t i = 0;
    while (i < bytes.size()) {
        char32_t c = 0;
        const std::size_t length = decodeOne(bytes, i, c);
        if (length == 0) {
            appendEscaped(out, bytes.substr(i, 1));
            ++i;
            continue;
        }
        if (documentAltersIt(c)) {
            appendEscaped(out, bytes.substr(i, length));
        } else if (c >= 0x10000) {
            out.append(QChar(QChar::highSurrogate(c)));
            out.append(QChar(QChar::lowSurrogate(c)));
        } else {
            out.append(QChar(static_cast<char16_t>(c)));
        }
        i += length;
    }
    return out;
}

namespace {

// Appends the bytes that the character starting at text[i] stands for and
// returns the UTF-16 units it takes.
qsizetype appendCharacterBytes(const QString& text, qsizetype i, std::string& out) {
    const char16_t u = text.at(i).unicode();
    if (QChar::isHighSurrogate(u) && i + 1 < text.size() &&
        QChar::isLowSurrogate(text.at(i + 1).unicode())) {
        appendUtf8(out, QChar::surrogateToUcs4(u, text.at(i + 1).unicode()));
        return 2;
    }
    if (u >= kEscapeBase && u <= kEscapeBase + 0xFF) {
        out += static_cast<char>(u - kEscapeBase);
    } else if (u == kParagraphSeparator) {
        out += '\n';
    } else if (QChar::isSurrogate(u)) {
        appendUtf8(out, 0xFFFD);
    } else {
        appendUtf8(out, u);
    }
    return 1;
}

} // namespace

std::string previewBytesFromText(const QString& text) {
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size();) {
        i += appendCharacterBytes(text, i, out);
    }
    return out;
}

std::size_t previewByteOffset(const QString& text, qsizetype position) {
    std::string scratch;
    std::size_t bytes = 0;
    for (qsizetype i = 0; i < std::min(position, text.size());) {
        scratch.clear();
        i += appendCharacterBytes(text, i, scratch);
        bytes += scratch.size();
    }
    return bytes;
}

qsizetype previewPosition(const QString& text, std::size_t offset) {
    std::string scratch;
    std::size_t bytes = 0;
    qsizetype i = 0;
    while (i < text.size() && bytes < offset) {
        scratch.clear();
        i += appendCharacterBytes(text, i, scratch);
        bytes += scratch.size();
    }
    return i;
}

} // namespace tandel::ui
