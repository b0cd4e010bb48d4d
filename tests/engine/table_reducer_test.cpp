#include "engine/table_reducer.h"

#include <gtest/gtest.h>

#include <string>

namespace tandel {
namespace {

class TableReducerTest : public ::testing::Test {
protected:
    void setType(int type) {
        settings.columnType = type;
        rebuildColumnTable(settings);
    }
    // The line as the engine's line comparison will see it.
    std::string reduced(std::string line) {
        TableReducer(settings).reduceAndHash(line.data(), line.size(), false);
        return line;
    }
    std::uint32_t hash(std::string line, bool ignoreCase = false) {
        return TableReducer(settings).reduceAndHash(line.data(), line.size(), ignoreCase);
    }

    CompareSettings settings;
};

TEST_F(TableReducerTest, IgnoredColumnsAndSeparatorsBecomeBlanks) {
    setType(kColumnWhiteSpaceSeparated);
    settings.ignored.assign({2});
    EXPECT_EQ(reduced("a xyz\tc"), "a     c");
    EXPECT_EQ(hash("a b c"), hash("a  xyz c"));
    EXPECT_NE(hash("a b c"), hash("a b d"));

    setType(kColumnNumeric);
    settings.ignored.assign({1});
    EXPECT_EQ(reduced("x=1.5"), "    5"); // columns 1 and 5
}

TEST_F(TableReducerTest, SeparatorsCountAsColumnsWithoutIgnoreMultiSeps) {
    settings.customSeparators = std::string(",");
    setType(kColumnCustomSeparators);
    settings.ignoreMultiSeps = 0;
    settings.ignored.assign({3});
    // a (1), the separators (2 and 3), b (4): compared separators are marked.
    EXPECT_EQ(reduced("a,,b"), "a\xff b");
}

TEST_F(TableReducerTest, Positions) {
    setType(kColumnPositions);
    settings.positions = {{1, 3}, {6, 8}};
    EXPECT_EQ(reduced("abcdefghij"), "abc  fgh  ");
    EXPECT_EQ(reduced("ab"), "ab");
    // Without ignore-multi-seps every byte outside a range moves on to the
    // next range, so later ranges stop lining up with their positions.
    settings.ignoreMultiSeps = 0;
    EXPECT_EQ(reduced("abcdefgh"), "abc\xff\xff\xff\xff\xff");
}

TEST_F(TableReducerTest, IgnoreCaseFoldsOnlyTheHash) {
    setType(kColumnWhiteSpaceSeparated);
    EXPECT_EQ(hash("ABC d", true), hash("abc D", true));
    EXPECT_NE(hash("ABC d"), hash("abc d"));
    EXPECT_EQ(reduced("ABC d"), "ABC d");
}

TEST_F(TableReducerTest, OddLinesAndSettingsStayInside) {
    setType(kColumnWhiteSpaceSeparated);
    EXPECT_EQ(hash(""), 0u);
    EXPECT_EQ(reduced(std::string("a\0b \xff", 5)), std::string("a\0b \xff", 5));
    const std::string longLine(1 << 20, 'x');
    EXPECT_EQ(reduced(longLine), longLine);

    setType(kColumnPositions);
    settings.positions = {{1, 5}, {3, 8}, {2147483600, 2147483647}};
    EXPECT_EQ(reduced("abcdefghij"), "abcdefgh  ");
}

} // namespace
} // namespace tandel
