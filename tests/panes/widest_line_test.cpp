#include "merge/model_fixture.h"
#include "panes/widest_line.h"

#include <gtest/gtest.h>

namespace tandel {
namespace {

TEST(WidestLine, CountsShownColumnsOncePerTabSize) {
    SideRecord side;
    // Bytes do not decide: three UTF-8 characters in six bytes, a line whose
    // tabs make it the widest, and a carriage return that takes no column.
    test::setLines(side, {"\xC3\xA9\xC3\xA9\xC3\xA9", "abcdefgh\r", "\t\tx", "", "abcde"});
    EXPECT_EQ(MeasureWidestLine(side, 4), 9);
    EXPECT_EQ(MeasureWidestLine(side, 1), 8);
    test::setLines(side, {"\x93q\x94\t", "ab"}); // not UTF-8: a column a byte
    EXPECT_EQ(MeasureWidestLine(side, 4), 7);
    EXPECT_EQ(MeasureWidestLine(SideRecord{}, 4), 0);

    test::setLines(side, {"\tab", "abcd"});
    EXPECT_EQ(WidestLine(side, 4), 6);
    // The kept width is used while the tab size stays: changing a line in
    // place shows that nothing was measured again.
    side.lineBuffer.data()[1] = '\t';
    EXPECT_EQ(WidestLine(side, 4), 6);
    EXPECT_EQ(WidestLine(side, 8), 17);
    test::setLines(side, {"x"}); // a new file is a new record
    EXPECT_EQ(WidestLine(side, 8), 1);
}

} // namespace
} // namespace tandel
