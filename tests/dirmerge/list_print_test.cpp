#include "dirmerge/list_print.h"

#include <gtest/gtest.h>

namespace tandel {
namespace {

TEST(ListPrintTest, HalfWidthCellsGreyWhereTheHalfDiffers) {
    EXPECT_EQ(ListPrintColumnWidth(5100, 150), 2400);
    EXPECT_EQ(ListPrintColumnWidth(100, 80), 0);

    ComparisonRow row;
    row.left = {"/l/a.txt", "", 0, ROW_DIFFERENT};
    row.right = {"/r/a.txt", "", 0, ROW_SAME};
    const PageLayout page = MakePageLayout(52, 3000); // 50-pixel lines, 60 per page
    const ListPrintRow first = LayOutListPrintRow(row, 61, page, 2400);
    EXPECT_FALSE(first.newPage);
    EXPECT_EQ(first.left.text, "/l/a.txt");
    EXPECT_TRUE(first.left.grey);
    EXPECT_FALSE(first.right.grey);
    EXPECT_EQ(first.left.x, 0);
    EXPECT_EQ(first.right.x, 2400);
    EXPECT_EQ(first.right.width, 2400);
    EXPECT_EQ(first.left.y, 50);
    EXPECT_EQ(first.left.height, 50);
    EXPECT_TRUE(LayOutListPrintRow(row, 60, page, 2400).newPage);
    // An absent half prints an empty cell on the page's background.
    row.right = {};
    EXPECT_FALSE(LayOutListPrintRow(row, 0, page, 2400).right.grey);
}

} // namespace
} // namespace tandel
