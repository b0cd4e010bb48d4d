#include "merge/display_text.h"
#include "panes/line_expansion.h"

#include <gtest/gtest.h>

#include <string>

namespace tandel {
namespace {

std::string utf8(const std::u32string& text) {
    std::string out;
    for (const char32_t c : text) {
        AppendUtf8(out, c);
    }
    return out;
}

std::string shown(std::string_view line, std::int64_t offset = 0, std::int32_t tab = 4) {
    std::u32string out = U"stale";
    ShownText(line, tab, offset, out);
    return utf8(out);
}

TEST(LineExpansion, TabsAmpersandsAndTheTrailingControlCharacter) {
    EXPECT_EQ(shown("\tx"), "    x");
    EXPECT_EQ(shown("abc\tx"), "abc    x"); // the same count at any column
    EXPECT_EQ(shown("a&b"), "a&b");
    EXPECT_EQ(shown("text\r"), "text");
    EXPECT_EQ(shown("\r"), "");
    EXPECT_EQ(shown("end\t"), "end    "); // blanks are kept
    // Only the last character goes; controls elsewhere show as placeholders.
    EXPECT_EQ(shown(std::string("a\0b\r\r", 5)), "a\xE2\x90\x80"
                                                 "b\xE2\x90\x8D");
    EXPECT_EQ(shown("x\ty", 0, 0), "x y"); // a tab never vanishes
    EXPECT_EQ(shown("x\ty", 0, -7), "x y");
    EXPECT_EQ(utf8(ExpandedLine("a\tb\r", 2)), "a  b");
}

TEST(LineExpansion, WindowOfTheShownColumns) {
    const std::string line(300, 'x');
    EXPECT_EQ(shown(line).size(), 255u);
    EXPECT_EQ(shown(line, 100).size(), 200u);
    EXPECT_EQ(shown(line, 300), "");
    EXPECT_EQ(shown(line, 5000), "");
    // An offset inside a tab shows the rest of its blanks.
    EXPECT_EQ(shown("a\tb", 3), "  b");

    const std::string huge(1 << 20, 'y');
    EXPECT_EQ(shown(huge, (1 << 20) - 2), "yy");
    EXPECT_EQ(ExpandedWidth(huge + "\t\n", 4), (1 << 20) + 4);
}

TEST(LineExpansion, ColumnsCountCharactersInTheLinesEncoding) {
    // UTF-8: one column per character, whatever its byte count.
    EXPECT_EQ(shown("\xC3\xA9t\xC3\xA9", 1), "t\xC3\xA9");
    EXPECT_EQ(ExpandedWidth("\xE2\x82\xAC\t", 4), 5);
    // Not UTF-8: one column per byte, each byte a Windows-1252 character.
    EXPECT_EQ(shown("\xC3\xA9\xFF", 1), "\xC2\xA9\xC3\xBF");
    EXPECT_EQ(shown("\x93q\x94", 0), "\xE2\x80\x9Cq\xE2\x80\x9D");
    EXPECT_EQ(ExpandedWidth("\xC3\xA9\xFF", 4), 3);
}

TEST(LineExpansion, ColumnsMapBackToWholeCharacters) {
    const std::string line = "ab\tc\xC3\xA9"
                             "d\r"; // columns: a b [tab 2..5] c é d
    const auto bytes = [&](std::int64_t first, std::int64_t last) {
        const ByteSpan span = ColumnsToBytes(line, 4, first, last);
        return line.substr(span.begin, span.end - span.begin);
    };
    EXPECT_EQ(bytes(0, 2), "ab");
    EXPECT_EQ(bytes(3, 4), "\t"); // any blank of a tab takes the tab
    EXPECT_EQ(bytes(5, 8), "\tc\xC3\xA9");
    EXPECT_EQ(bytes(7, kToLineEnd), "\xC3\xA9"
                                    "d");
    EXPECT_EQ(bytes(0, kToLineEnd), "ab\tc\xC3\xA9"
                                    "d"); // never the hidden CR
    EXPECT_EQ(bytes(9, 50), "");
    EXPECT_EQ(bytes(4, 4), "");
}

TEST(LineExpansion, ChangedBytesShowAsColumnsOfTheWindow) {
    using Columns = std::vector<ColumnSpan>;
    const std::string line = "ab\tc\xC3\xA9"
                             "d\r"; // columns: a b [tab 2..5] c é d
    const auto columns = [&](std::int64_t offset, const std::vector<ByteSpan>& spans) {
        return ShownColumnSpans(line, 4, offset, spans);
    };
    // A tab covers its blanks; touching spans join.
    EXPECT_EQ(columns(0, {{2, 3}, {3, 4}}), (Columns{{2, 7}}));
    EXPECT_EQ(columns(0, {{0, 1}, {4, 6}}), (Columns{{0, 1}, {7, 8}}));
    // From an offset inside the tab, the rest of its blanks.
    EXPECT_EQ(columns(4, {{2, 3}, {6, 7}}), (Columns{{0, 2}, {4, 5}}));
    EXPECT_EQ(columns(0, {{7, 8}}), Columns{}); // the hidden CR
    EXPECT_EQ(columns(0, {}), Columns{});

    const std::string wide(300, 'x');
    EXPECT_EQ(ShownColumnSpans(wide, 4, 0, {{250, 300}}), (Columns{{250, 255}}));
    EXPECT_EQ(ShownColumnSpans(wide, 4, 100, {{250, 300}}), (Columns{{150, 200}}));
    EXPECT_EQ(ShownColumnSpans(wide, 4, 400, {{250, 300}}), Columns{});
    // Not UTF-8: each byte its own column.
    EXPECT_EQ(ShownColumnSpans("\xC3\xA9\xFF", 4, 0, {{1, 2}}), (Columns{{1, 2}}));
}

TEST(LineExpansion, LineNumberLabel) {
    EXPECT_EQ(LineNumberLabel(0), "1       ");
    EXPECT_EQ(LineNumberLabel(1233), "1234    ");
    EXPECT_EQ(LineNumberLabel(12345677), "12345678  ");
}

} // namespace
} // namespace tandel
