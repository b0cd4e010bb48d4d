#include "merge/display_text.h"

#include <gtest/gtest.h>

#include <string>

namespace tandel {
namespace {

TEST(LineEncoding, WellFormedUtf8OnlyElseWindows1252) {
    for (const std::string line :
         {"plain ascii past the eight-byte steps", "caf\xC3\xA9",
          "\xE2\x82\xAC and \xF0\x9F\x98\x80", "\xED\x9F\xBF\xEF\xBF\xBF\xF4\x8F\xBF\xBF"}) {
        EXPECT_EQ(lineEncodingOf(line), LineEncoding::Utf8) << line;
    }
    const std::string windows1252[] = {
        "12345678\x80",     // a stray continuation just after an ASCII word
        "\xC0\x80",         // overlong NUL
        "\xE0\x9F\xBF",     // overlong three-byte form
        "\xED\xA0\x80",     // a surrogate
        "\xF4\x90\x80\x80", // above U+10FFFF
        "\xF5\x80\x80\x80", // no such lead byte
        "ab\xE2\x82",       // a sequence cut by the end of the line
        "\xE2\x82x\xAC",    // a sequence cut by an ASCII byte
    };
    for (const std::string& line : windows1252) {
        EXPECT_EQ(lineEncodingOf(line), LineEncoding::Windows1252) << line;
    }
    // Windows-1252 punctuation is read as such; its five open bytes stay controls.
    const std::string line = "\x93q\x94 \x80\x85\x9F\xE9\x81\x8D\x8F\x90\x9D";
    CharReader reader(line, lineEncodingOf(line));
    std::u32string read;
    while (!reader.done()) {
        read.push_back(reader.next().code);
    }
    EXPECT_EQ(read, U"\u201Cq\u201D \u20AC\u2026\u0178\u00E9\u0081\u008D\u008F\u0090\u009D");
}

// The clipboard gets the file's own text, a title stand-ins for what would
// hide, reorder or break it: controls, C1 controls, bidi overrides, separators.
TEST(ClipboardText, IsTheFilesOwnTextWhereATitleShowsStandIns) {
    const auto text = [](bool clipboard, std::string_view piece, LineEncoding encoding) {
        std::string out = "=";
        (clipboard ? appendClipboardText : appendShownText)(out, piece, encoding);
        return out;
    };
    const std::string controls("a\0b\tc\x1B\x7F", 7);
    const std::string bidi = "x\xE2\x80\xAEy\xE2\x80\xA8";
    EXPECT_EQ(text(true, controls, LineEncoding::Utf8), "=" + controls);
    EXPECT_EQ(text(false, controls, LineEncoding::Utf8), "=a\xE2\x90\x80"
                                                         "b\tc\xE2\x90\x9B\xE2\x90\xA1");
    EXPECT_EQ(text(true, "\x93\xE9\x81", LineEncoding::Windows1252),
              "=\xE2\x80\x9C\xC3\xA9\xC2\x81");
    EXPECT_EQ(text(false, "\x93\xE9\x81", LineEncoding::Windows1252),
              "=\xE2\x80\x9C\xC3\xA9\xEF\xBF\xBD");
    EXPECT_EQ(text(true, bidi, LineEncoding::Utf8), "=" + bidi);
    EXPECT_EQ(text(false, bidi, LineEncoding::Utf8), "=x\xEF\xBF\xBDy\xEF\xBF\xBD");
}

} // namespace
} // namespace tandel
