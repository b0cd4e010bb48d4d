#include "engine/table_definition.h"

#include <initializer_list>
#include <optional>

namespace tandel {
namespace {

int hexDigit(unsigned char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

class DefinitionReader {
public:
    DefinitionReader(std::array<unsigned char, 256>& table, std::string_view text, int mode)
        : table_(table), text_(text), listedValue_(mode == kDefinitionCharset ? 1 : 0) {
        table_.fill(mode == kDefinitionCharset ? 0 : 1);
    }

    void run() {
        while (pos_ < text_.size()) {
            const unsigned char c = byteAt(pos_++);
            if (c == ' ') {
                last_.reset();
            } else if (c == '-') {
                readRange();
            } else if (c == '\\') {
                readEscape();
            } else {
                listAndRemember(c);
            }
        }
    }

private:
    unsigned char byteAt(std::size_t i) const { return static_cast<unsigned char>(text_[i]); }

    void list(unsigned char c) { table_[c] = listedValue_; }

    void listAndRemember(unsigned char c) {
        list(c);
        last_ = c;
    }

    // The last byte deliberately stays the range's start, so "a-c-e" reads
    // as a to e.
    void readRange() {
        if (!last_ || pos_ >= text_.size()) {
            list('-');
            return;
        }
        const unsigned char to = byteAt(pos_++);
        for (unsigned value = *last_; value <= to; ++value) {
            list(static_cast<unsigned char>(value));
        }
    }

    void readEscape() {
        if (pos_ >= text_.size()) {
            listAndRemember('\\');
            return;
        }
        const unsigned char c = byteAt(pos_++);
        switch (c) {
        case 'n':
            listAndRemember('\n');
            break;
        case 'r':
            listAndRemember('\r');
            break;
        case 't':
            listAndRemember('\t');
            break;
        case 'v':
            listAndRemember('\v');
            break;
        case 's':
            listAndRemember(' ');
            break;
        case 'w':
            for (const unsigned char space :
                 std::initializer_list<unsigned char>{'\t', '\n', '\v', '\f', '\r', ' '}) {
                list(space);
            }
            last_.reset();
            break;
        case 'x':
        case 'X':
            readHexEscape();
            break;
        default:
            listAndRemember(c);
            break;
        }
    }

    // Two characters that do not read as hexadecimal are left to be read as
    // ordinary text.
    void readHexEscape() {
        if (pos_ + 2 <= text_.size()) {
            const int high = hexDigit(byteAt(pos_));
            const int low = hexDigit(byteAt(pos_ + 1));
            if (high >= 0 && low >= 0) {
                pos_ += 2;
                listAndRemember(static_cast<unsigned char>(high * 16 + low));
                return;
            }
        }
        last_.reset();
    }

    std::array<unsigned char, 256>& table_;
    std::string_view text_;
    unsigned char listedValue_;
    std::size_t pos_ = 0;
    std::optional<unsigned char> last_;
};

} // namespace

void parseDefinitionText(std::array<unsigned char, 256>& table, std::string_view text, int mode) {
    DefinitionReader(table, text, mode).run();
}

} // namespace tandel
