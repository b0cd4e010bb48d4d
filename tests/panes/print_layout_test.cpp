#include "panes/print_layout.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace tandel {
namespace {

TEST(PrintLayoutTest, FontHeightIsScaledToThePrinterAndRoundedHalfAwayFromZero) {
    EXPECT_EQ(printerFontHeight(-13, 96, 600), -81);
    EXPECT_EQ(printerFontHeight(-10, 4, 3), -8); // -7.5
    EXPECT_EQ(printerFontHeight(-13, 0, 600), -13);
    const std::int32_t most = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(printerFontHeight(most, 1, 2400), most);
}

TEST(PrintLayoutTest, SixtyLinesPerPageAndTinyFontsStillAdvance) {
    const PageLayout page = makePageLayout(14, 725);
    EXPECT_EQ(page.lineHeight, 12);
    ASSERT_EQ(page.linesPerPage, 60);
    EXPECT_FALSE(page.breaksBefore(0) || page.breaksBefore(59));
    EXPECT_TRUE(page.breaksBefore(60));
    EXPECT_EQ(page.lineY(61), 12);
    EXPECT_EQ(page.pageCount(60), 1);
    EXPECT_EQ(page.pageCount(61), 2);
    std::vector<std::int32_t> heights;
    for (std::int32_t height : {2, 1, 0, -5}) {
        heights.push_back(makePageLayout(height, 100).lineHeight);
    }
    EXPECT_EQ(heights, (std::vector<std::int32_t>{2, 1, 1, 1}));
    EXPECT_EQ(makePageLayout(40, 10).pageCount(3), 3); // a page shorter than a line
}

} // namespace
} // namespace tandel
