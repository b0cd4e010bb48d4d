#include "merge/display_text.h"

#include <gtest/gtest.h>

#include <string>

namespace tandel {
namespace {

TEST(LineEncoding, WellFormedUtf8OnlyElseLatin1) {
    const std::string utf8[] = {"", "plain ascii past the eight-byte steps", "caf\xC3\xA9",
                                "\xE2\x82\xAC and \xF0\x9F\x98\x80",
                                "\xED\x9F\xBF\xEF\xBF\xBF\xF4\x8F\xBF\xBF"};
    for (const std::string& line : utf8) {
        EXPECT_EQ(LineEncodingOf(line), LineEncoding::Utf8) << line;
    }
    const std::string latin1[] = {
        "caf\xE9",          // a Latin-1 byte
        "12345678\x80",     // a stray continuation just after an ASCII word
        "\xC0\x80",         // overlong NUL
        "\xE0\x9F\xBF",     // overlong three-byte form
        "\xED\xA0\x80",     // a surrogate
        "\xF4\x90\x80\x80", // above U+10FFFF
        "\xF5\x80\x80\x80", // no such lead byte
        "ab\xE2\x82",       // a sequence cut by the end of the line
        "\xE2\x82x\xAC",    // a sequence cut by an ASCII byte
    };
    for (const std::string& line : latin1) {
        EXPECT_EQ(LineEncodingOf(line), LineEncoding::Latin1) << line;
    }
}

TEST(ClipboardText, ShowsWhatThePaneShows) {
    std::string out;
    AppendClipboardText(out, std::string("a\0b\tc\x1B\x7F", 7), LineEncoding::Utf8);
    EXPECT_EQ(out, "a\xE2\x90\x80"
                   "b\tc\xE2\x90\x9B\xE2\x90\xA1");

    out.clear();
    AppendClipboardText(out, "caf\xE9\x85", LineEncoding::Latin1);
    EXPECT_EQ(out, "caf\xC3\xA9\xEF\xBF\xBD"); // the C1 control as U+FFFD

    out.clear();
    // Right-to-left override and line separator would reorder or break the text.
    AppendClipboardText(out, "x\xE2\x80\xAEy\xE2\x80\xA8", LineEncoding::Utf8);
    EXPECT_EQ(out, "x\xEF\xBF\xBDy\xEF\xBF\xBD");
}

} // namespace
} // namespace tandel
