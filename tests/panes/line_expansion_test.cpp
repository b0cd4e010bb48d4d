// What a pane row shows of a file line, column by column.
#include "merge/display_text.h"
#include "merge/model_fixture.h"
#include "panes/line_expansion.h"
#include "panes/widest_line.h"

#include <gtest/gtest.h>

#include <string>

namespace tandel {
namespace {

std::string utf8(const std::u32string& text) {
    std::string out;
    for (const char32_t c : text) {
        appendUtf8Text(out, c);
    }
    return out;
}

// Columns: a b [tab 2..5] c é d, and a hidden CR.
const std::string kMixed = "ab\tc\u00E9d\r";

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
             Case{std::string("a\0b\r\r", 5), 0, 4, "a\u2400b\u240D"},
             Case{"x\ty", 0, 0, "x y"}, // a tab never vanishes
             Case{wide, 100, 4, std::string(200, 'x')},
             Case{wide, 300, 4, ""},
             Case{"a\tb", 3, 4, "  b"}, // inside a tab: the rest of its blanks
             // UTF-8: a column a character; otherwise a column a Windows-1252 byte.
             Case{"\u00E9t\u00E9", 1, 4, "t\u00E9"},
             Case{"\xC3\xA9\xFF", 1, 4, "\u00A9\u00FF"},
             Case{"\x93q\x94", 0, 4, "\u201Cq\u201D"},
         }) {
        std::u32string out = U"stale";
        shownTextOf(c.line, c.tab, c.offset, out);
        EXPECT_EQ(utf8(out), c.shown) << c.line.substr(0, 10) << " @" << c.offset;
    }
    std::u32string out;
    shownTextOf(wide, 4, 0, out);
    EXPECT_EQ(out.size(), 255u);
    const std::string huge(1 << 20, 'y');
    shownTextOf(huge, 4, (1 << 20) - 2, out);
    EXPECT_EQ(utf8(out), "yy");
    EXPECT_EQ(expandedWidth(huge + "\t\n", 4), (1 << 20) + 4);
    EXPECT_EQ(utf8(expandedLine("a\tb\r", 2)), "a  b");
    EXPECT_EQ(lineNumberLabel(1233), "1234    ");
    EXPECT_EQ(lineNumberLabel(12345677), "12345678  ");
}

TEST(LineExpansion, ColumnsMapBackToWholeCharacters) {
    const auto bytes = [&](std::int64_t first, std::int64_t last) {
        const ByteSpan span = columnsToBytes(kMixed, 4, first, last);
        return kMixed.substr(span.begin, span.end - span.begin);
    };
    EXPECT_EQ(bytes(0, 2), "ab");
    EXPECT_EQ(bytes(3, 4), "\t"); // any blank of a tab takes the tab
    EXPECT_EQ(bytes(5, 8), "\tc\u00E9");
    EXPECT_EQ(bytes(0, kToLineEnd), "ab\tc\u00E9d"); // never the hidden CR
    EXPECT_EQ(bytes(9, 50), "");
    EXPECT_EQ(bytes(4, 4), "");

    // Changed bytes as columns of the window: a tab covers its blanks;
    // touching spans join.
    using Columns = std::vector<ColumnSpan>;
    const auto columns = [&](std::int64_t offset, const std::vector<ByteSpan>& spans) {
        return shownColumnSpans(kMixed, 4, offset, spans);
    };
    EXPECT_EQ(columns(0, {{2, 3}, {3, 4}}), (Columns{{2, 7}}));
    EXPECT_EQ(columns(0, {{0, 1}, {4, 6}}), (Columns{{0, 1}, {7, 8}}));
    EXPECT_EQ(columns(4, {{2, 3}, {6, 7}}), (Columns{{0, 2}, {4, 5}}));
    EXPECT_EQ(columns(0, {{7, 8}}), Columns{}); // the hidden CR
    const std::string wide(300, 'x');
    EXPECT_EQ(shownColumnSpans(wide, 4, 100, {{250, 300}}), (Columns{{150, 200}}));
    EXPECT_EQ(shownColumnSpans(wide, 4, 400, {{250, 300}}), Columns{});
    EXPECT_EQ(shownColumnSpans("\xC3\xA9\xFF", 4, 0, {{1, 2}}), (Columns{{1, 2}}));
}

TEST(widestLineOf, CountsShownColumnsOncePerTabSize) {
    SideRecord side;
    // Bytes do not decide: three UTF-8 characters in six bytes, a line whose
    // tabs make it the widest, and a carriage return that takes no column.
    test::setLines(side, {"\u00E9\u00E9\u00E9", "abcdefgh\r", "\t\tx", "", "abcde"});
    EXPECT_EQ(measureWidestLine(side, 4), 9);
    EXPECT_EQ(measureWidestLine(side, 1), 8);
    test::setLines(side, {"\x93q\x94\t", "ab"}); // not UTF-8: a column a byte
    EXPECT_EQ(measureWidestLine(side, 4), 7);

    test::setLines(side, {"\tab", "abcd"});
    EXPECT_EQ(widestLineOf(side, 4), 6);
    // The kept width is used while the tab size stays: changing a line in
    // place shows that nothing was measured again.
    side.lineBuffer.data()[1] = '\t';
    EXPECT_EQ(widestLineOf(side, 4), 6);
    EXPECT_EQ(widestLineOf(side, 8), 17);
    test::setLines(side, {"x"}); // a new file is a new record
    EXPECT_EQ(widestLineOf(side, 8), 1);
}

} // namespace
} // namespace tandel
