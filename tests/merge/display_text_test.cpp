#include "merge/display_text.h"

#include <gtest/gtest.h>

#include <string>

namespace tandel {
namespace {

TEST(LineEncoding, WellFormedUtf8OnlyElseWindows1252) {
    const std::string utf8[] = {"", "plain ascii past the eight-byte steps", "caf\xC3\xA9",
                                "\xE2\x82\xAC and \xF0\x9F\x98\x80",
                                "\xED\x9F\xBF\xEF\xBF\xBF\xF4\x8F\xBF\xBF"};
    for (const std::string& line : utf8) {
        EXPECT_EQ(LineEncodingOf(line), LineEncoding::Utf8) << line;
    }
    const std::string windows1252[] = {
        "caf\xE9",          // a Windows-1252 byte
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
        EXPECT_EQ(LineEncodingOf(line), LineEncoding::Windows1252) << line;
    }
}

TEST(LineEncoding, Windows1252ReadsItsPunctuationAndKeepsTheOpenBytesAsControls) {
    const std::string line = "\x93q\x94 \x80\x85\x9F\xE9\x81\x8D\x8F\x90\x9D";
    CharReader reader(line, LineEncodingOf(line));
    std::u32string read;
    while (!reader.done()) {
        read.push_back(reader.next().code);
    }
    EXPECT_EQ(read, U"\u201Cq\u201D \u20AC\u2026\u0178\u00E9\u0081\u008D\u008F\u0090\u009D");
}

TEST(ClipboardText, IsTheFilesOwnTextWhereATitleShowsStandIns) {
    const std::string controls("a\0b\tc\x1B\x7F", 7);
    std::string out;
    AppendClipboardText(out, controls, LineEncoding::Utf8);
    EXPECT_EQ(out, controls);
    out.clear();
    AppendShownText(out, controls, LineEncoding::Utf8);
    EXPECT_EQ(out, "a\xE2\x90\x80"
                   "b\tc\xE2\x90\x9B\xE2\x90\xA1");

    // Quotes and a C1 control of a line that is not UTF-8.
    out.clear();
    AppendClipboardText(out,
                        "\x93"
                        "caf\xE9\x94\x81",
                        LineEncoding::Windows1252);
    EXPECT_EQ(out, "\xE2\x80\x9C"
                   "caf\xC3\xA9\xE2\x80\x9D\xC2\x81");
    out.clear();
    AppendShownText(out, "\x93\xE9\x81", LineEncoding::Windows1252);
    EXPECT_EQ(out, "\xE2\x80\x9C\xC3\xA9\xEF\xBF\xBD"); // the C1 control as U+FFFD

    // Right-to-left override and line separator go to the clipboard as they
    // are; a title shows stand-ins, since they would reorder or break it.
    const std::string bidi = "x\xE2\x80\xAEy\xE2\x80\xA8";
    out.clear();
    AppendClipboardText(out, bidi, LineEncoding::Utf8);
    EXPECT_EQ(out, bidi);
    out.clear();
    AppendShownText(out, bidi, LineEncoding::Utf8);
    EXPECT_EQ(out, "x\xEF\xBF\xBDy\xEF\xBF\xBD");
}

} // namespace
} // namespace tandel
