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

// Columns: a b [tab 2..5] c é d, and a hidden CR.
const std::string kMixed = "ab\tc\xC3\xA9"
                           "d\r";

TEST(LineExpansion, WhatARowShowsFromItsOffset) {
    const std::string wide(300, 'x');
    struct Case {
        std::string line;
        std::int64_t offset;
        std::int32_t tab;
        std::string shown;
    };
    for (const Case& c : {
             Case{"abc\tx", 0, 4, "abc    x"}, // the same count at any column
             Case{"a&b", 0, 4, "a&b"},
             Case{"end\t\r", 0, 4, "end    "}, // blanks are kept, the last control goes
             // Controls elsewhere show as placeholders.
             Case{std::string("a\0b\r\r", 5), 0, 4,
                  "a\xE2\x90\x80"
                  "b\xE2\x90\x8D"},
             Case{"x\ty", 0, 0, "x y"}, // a tab never vanishes
             Case{"x\ty", 0, -7, "x y"},
             Case{wide, 100, 4, std::string(200, 'x')},
             Case{wide, 300, 4, ""},
             Case{"a\tb", 3, 4, "  b"}, // inside a tab: the rest of its blanks
             // UTF-8: a column a character; otherwise a column a Windows-1252 byte.
             Case{"\xC3\xA9t\xC3\xA9", 1, 4, "t\xC3\xA9"},
             Case{"\xC3\xA9\xFF", 1, 4, "\xC2\xA9\xC3\xBF"},
             Case{"\x93q\x94", 0, 4, "\xE2\x80\x9Cq\xE2\x80\x9D"},
         }) {
        std::u32string out = U"stale";
        ShownText(c.line, c.tab, c.offset, out);
        EXPECT_EQ(utf8(out), c.shown) << c.line.substr(0, 10) << " @" << c.offset;
    }
    std::u32string out;
    ShownText(wide, 4, 0, out);
    EXPECT_EQ(out.size(), 255u);
    const std::string huge(1 << 20, 'y');
    ShownText(huge, 4, (1 << 20) - 2, out);
    EXPECT_EQ(utf8(out), "yy");
    EXPECT_EQ(ExpandedWidth(huge + "\t\n", 4), (1 << 20) + 4);
    EXPECT_EQ(ExpandedWidth("\xE2\x82\xAC\t", 4), 5);
    EXPECT_EQ(ExpandedWidth("\xC3\xA9\xFF", 4), 3);
    EXPECT_EQ(utf8(ExpandedLine("a\tb\r", 2)), "a  b");
    EXPECT_EQ(LineNumberLabel(1233), "1234    ");
    EXPECT_EQ(LineNumberLabel(12345677), "12345678  ");
}

TEST(LineExpansion, ColumnsMapBackToWholeCharacters) {
    const auto bytes = [&](std::int64_t first, std::int64_t last) {
        const ByteSpan span = ColumnsToBytes(kMixed, 4, first, last);
        return kMixed.substr(span.begin, span.end - span.begin);
    };
    EXPECT_EQ(bytes(0, 2), "ab");
    EXPECT_EQ(bytes(3, 4), "\t"); // any blank of a tab takes the tab
    EXPECT_EQ(bytes(5, 8), "\tc\xC3\xA9");
    EXPECT_EQ(bytes(0, kToLineEnd), "ab\tc\xC3\xA9"
                                    "d"); // never the hidden CR
    EXPECT_EQ(bytes(9, 50), "");
    EXPECT_EQ(bytes(4, 4), "");
}

TEST(LineExpansion, ChangedBytesShowAsColumnsOfTheWindow) {
    using Columns = std::vector<ColumnSpan>;
    const auto columns = [&](std::int64_t offset, const std::vector<ByteSpan>& spans) {
        return ShownColumnSpans(kMixed, 4, offset, spans);
    };
    // A tab covers its blanks; touching spans join.
    EXPECT_EQ(columns(0, {{2, 3}, {3, 4}}), (Columns{{2, 7}}));
    EXPECT_EQ(columns(0, {{0, 1}, {4, 6}}), (Columns{{0, 1}, {7, 8}}));
    EXPECT_EQ(columns(4, {{2, 3}, {6, 7}}), (Columns{{0, 2}, {4, 5}}));
    EXPECT_EQ(columns(0, {{7, 8}}), Columns{}); // the hidden CR

    const std::string wide(300, 'x');
    EXPECT_EQ(ShownColumnSpans(wide, 4, 0, {{250, 300}}), (Columns{{250, 255}}));
    EXPECT_EQ(ShownColumnSpans(wide, 4, 100, {{250, 300}}), (Columns{{150, 200}}));
    EXPECT_EQ(ShownColumnSpans(wide, 4, 400, {{250, 300}}), Columns{});
    EXPECT_EQ(ShownColumnSpans("\xC3\xA9\xFF", 4, 0, {{1, 2}}), (Columns{{1, 2}}));
}

} // namespace
} // namespace tandel
