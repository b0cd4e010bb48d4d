#include "merge/display_text.h"
#include "merge/model_fixture.h"
#include "panes/line_expansion.h"
#include "panes/pane_geometry.h"
#include "panes/selection_text.h"

#include <gtest/gtest.h>

namespace tandel {
namespace {

constexpr std::int32_t kTab = 4;

// Side 1 lacks the line "inserted": its pane shows a filler row at row 3.
class Copy : public test::ModelTest {
protected:
    void SetUp() override {
        build({"line 1", "line 2", "line three", "line 4", "line five", "line 6"},
              {"line 1", "line 2", "line three", "inserted", "line 4", "line five", "line 6"},
              "3a4\n");
    }
    std::string copy(int side, SelectionPoint anchor, SelectionPoint end) {
        const TextSelection selection{side, anchor, end, false};
        return selectionBytes(model.side(side), selection, kTab);
    }
};

TEST_F(Copy, JoinsLinesWithBareLineFeedsAndEndsByTheEndRowRule) {
    // Rows 2 to 4 of side 2 are lines 3 to 5 of its file.
    EXPECT_EQ(copy(2, {2, 5}, {4, 4}), "three\ninserted\nline");
    EXPECT_EQ(copy(2, {4, 4}, {2, 5}), "three\ninserted\nline"); // dragged upwards
    EXPECT_EQ(copy(2, {2, 5}, {4, 6}), "three\ninserted\nline 4\n");
    EXPECT_EQ(copy(2, {2, 5}, {2, 7}), "th");
    EXPECT_EQ(copy(0, {2, 5}, {4, 4}), ""); // no pane holds a selection
    // Filler rows add nothing; rows past the end stop the copy.
    EXPECT_EQ(copy(1, {2, 5}, {4, 4}), "three\nline");
    EXPECT_EQ(copy(1, {5, 5}, {900, 3}), "five\nline 6\n");
}

TEST_F(Copy, TabsAndCarriageReturnsByWhatThePaneShows) {
    test::setLines(model.side(1), {"a\tb\tc", "dos\r", "x"});
    // Columns: a, tab 1-4, b 5, tab 6-9, c 10; raw offsets would give nothing here.
    EXPECT_EQ(copy(1, {0, 5}, {0, 10}), "b\t");
    EXPECT_EQ(copy(1, {0, 3}, {0, 7}), "\tb\t");
    EXPECT_EQ(copy(1, {0, 8}, {1, 3}), "\tc\ndos\n");
}

TEST_F(Copy, ClipboardTextDecodesEachLineAsItWasShown) {
    // Line 1 is Windows-1252 because of its last byte, though its head alone is UTF-8.
    test::setLines(model.side(1), {"\xC3\xA9t\xE9", "caf\xC3\xA9", std::string("n\0l", 3)});
    const TextSelection selection{1, {0, 0}, {2, 3}, false};
    EXPECT_EQ(selectionBytes(model.side(1), selection, kTab),
              std::string("\xC3\xA9t\xE9\ncaf\xC3\xA9\nn\0l\n", 15));
    EXPECT_EQ(selectionClipboardText(model.side(1), selection, kTab),
              std::string("\xC3\x83\xC2\xA9t\xC3\xA9\ncaf\xC3\xA9\nn\0l\n", 18));
}

TEST_F(Copy, ShiftDragOverShownCharactersCopiesExactlyThem) {
    // Two cells per character, a horizontal offset of 2 columns and line numbers on.
    test::setLines(model.side(1), {"\xC3\xA9\xC3\xA9\tx\xE2\x82\xACyz"});
    const PaneMetrics metrics{16, 2, true};
    const std::int64_t offset = 2;
    std::u32string row;
    shownTextOf(model.side(1).line(0), kTab, offset, row);
    ASSERT_EQ(row.size(), 8u); // the tab's blanks, x, the euro sign, y, z
    const PrefixWidth width = [](std::size_t n) { return static_cast<std::int64_t>(2 * n); };
    const std::int64_t left = textLeftEdge(metrics);
    const CharacterHit from = hitText(row.size(), width, left + 3 * 2 + 1, offset, metrics);
    const CharacterHit to = hitText(row.size(), width, left + 7 * 2, offset, metrics);
    EXPECT_EQ(from.column, 5);
    EXPECT_EQ(to.column, 9);
    // Blank 4 of the tab, x, the euro sign, y: the tab goes whole.
    EXPECT_EQ(copy(1, {0, from.column, from.x}, {0, to.column, to.x}), "\tx\xE2\x82\xACy");
}

} // namespace
} // namespace tandel
