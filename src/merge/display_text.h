// Turning a line's bytes into the characters a pane shows. Files are bytes;
// each line is read as UTF-8 when the whole line is well-formed UTF-8 and as
// Windows-1252 (one byte, one character; the five bytes that code page leaves
// open read as the C1 controls of the same number) otherwise, so every byte
// of every line is some character. The decision is made per line, never per piece of a
// line, so that a piece copied from a line reads exactly as the line did.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tandel {

enum class LineEncoding { Utf8, Windows1252 };

// Length of the well-formed UTF-8 sequence that starts at text[i]: 1 for
// ASCII, 2 to 4 for a longer character, 0 when none starts there.
std::size_t utf8SequenceLength(std::string_view text, std::size_t i);

// Utf8 when the line is well-formed UTF-8 (no overlong forms, no surrogates,
// nothing above U+10FFFF, no cut sequence), Windows1252 otherwise.
LineEncoding lineEncodingOf(std::string_view line);

struct DecodedChar {
    char32_t code = 0;
    std::uint32_t size = 0; // bytes the character takes in the line
};

// Reads a line character by character in a given encoding. A Utf8 reader must
// be given text that lineEncodingOf calls Utf8, or a piece of it cut at
// character boundaries.
class CharReader {
public:
    CharReader(std::string_view text, LineEncoding encoding) : text_(text), encoding_(encoding) {}

    bool done() const { return position_ >= text_.size(); }
    // Byte offset of the next character.
    std::size_t position() const { return position_; }
    // The next character; call only while !done().
    DecodedChar next();

private:
    std::string_view text_;
    LineEncoding encoding_;
    std::size_t position_ = 0;
};

// The character a pane draws for c. Characters that would draw as nothing or
// move other text around get a visible stand-in, so that what is drawn is one
// glyph per character, left to right: C0 controls and DEL become their
// Control Pictures (NUL as U+2400), C1 controls, the bidirectional formatting
// controls and the line and paragraph separators become U+FFFD. A tab is the
// caller's business (expanded on screen, kept on the clipboard).
char32_t shownCharacter(char32_t c);

void appendUtf8Text(std::string& out, char32_t c);

// Appends a piece of a line as clipboard text (UTF-8): decoded in the line's
// encoding, every character as the file holds it, control characters and
// tabs included; none of the stand-ins the pane draws.
void appendClipboardText(std::string& out, std::string_view piece, LineEncoding encoding);

// Appends a piece of text as a title shows it (UTF-8): decoded in `encoding`,
// each character as the pane would draw it, tabs kept as tabs.
void appendShownText(std::string& out, std::string_view piece, LineEncoding encoding);

} // namespace tandel
