#include "panes/print_layout.h"

#include <gtest/gtest.h>

#include <limits>

namespace tandel {
namespace {

TEST(PrintLayoutTest, FontHeightIsMultipliedThenDividedAndRounded) {
    EXPECT_EQ(PrinterFontHeight(-13, 96, 600), -81);
    EXPECT_EQ(PrinterFontHeight(13, 96, 600), 81);
    EXPECT_EQ(PrinterFontHeight(-10, 4, 3), -8); // -7.5: halves away from zero
    EXPECT_EQ(PrinterFontHeight(-13, 96, 96), -13);
    EXPECT_EQ(PrinterFontHeight(-13, 0, 600), -13);
    EXPECT_EQ(PrinterFontHeight(std::numeric_limits<std::int32_t>::max(), 1, 2400),
              std::numeric_limits<std::int32_t>::max());
}

TEST(PrintLayoutTest, SixtyLinesPerPageBreakBeforeLineSixty) {
    const PageLayout page = MakePageLayout(14, 725);
    EXPECT_EQ(page.lineHeight, 12);
    ASSERT_EQ(page.linesPerPage, 60);
    EXPECT_FALSE(page.breaksBefore(0));
    EXPECT_FALSE(page.breaksBefore(59));
    EXPECT_EQ(page.lineY(59), 59 * 12);
    EXPECT_TRUE(page.breaksBefore(60));
    EXPECT_EQ(page.lineY(60), 0);
    EXPECT_EQ(page.pageOf(60), 1);
    EXPECT_EQ(page.pageCount(0), 1);
    EXPECT_EQ(page.pageCount(59), 1);
    EXPECT_EQ(page.pageCount(60), 1);
    EXPECT_EQ(page.pageCount(61), 2);
}

TEST(PrintLayoutTest, TinyFontsAndShortPagesStillAdvance) {
    for (std::int32_t height : {2, 1, 0, -5}) {
        const PageLayout page = MakePageLayout(height, 100);
        EXPECT_GE(page.lineHeight, 1) << height;
        EXPECT_EQ(page.linesPerPage, 100 / page.lineHeight) << height;
    }
    const PageLayout page = MakePageLayout(40, 10);
    EXPECT_EQ(page.linesPerPage, 1);
    EXPECT_TRUE(page.breaksBefore(1));
    EXPECT_EQ(page.pageCount(3), 3);
}

} // namespace
} // namespace tandel
