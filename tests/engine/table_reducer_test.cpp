#include "engine/table_column_list.h"
#include "engine/table_reducer.h"

#include <gtest/gtest.h>

#include <string>

namespace tandel {
namespace {

struct Reduced {
    std::string text;
    std::uint32_t hash;
};

class TableReducerTest : public ::testing::Test {
protected:
    void setType(int type) {
        settings.columnType = type;
        rebuildColumnTable(settings);
    }
    void ignore(std::string_view list) {
        std::string message;
        ASSERT_EQ(parseColumnList(list, settings.ignored, message), 1);
    }
    Reduced reduce(std::string line, bool ignoreCase = false) {
        TableReducer reducer(settings);
        const std::uint32_t hash = reducer.reduceAndHash(line.data(), line.size(), ignoreCase);
        return {line, hash};
    }
    void expectEqualLines(std::string_view a, std::string_view b) {
        EXPECT_EQ(reduce(std::string(a)).hash, reduce(std::string(b)).hash) << a << " | " << b;
    }
    void expectDifferentLines(std::string_view a, std::string_view b) {
        EXPECT_NE(reduce(std::string(a)).hash, reduce(std::string(b)).hash) << a << " | " << b;
    }

    CompareSettings settings;
};

TEST_F(TableReducerTest, WhiteSpaceSeparatedColumns) {
    setType(kColumnWhiteSpaceSeparated);
    EXPECT_EQ(reduce("a \tb").text, "a  b");
    expectEqualLines("a b  c", "a\t\tb c");
    expectDifferentLines("a b c", "a b d");
    // Separators add nothing to the hash: only the columns' bytes count.
    expectEqualLines("ab", "a b");

    ignore("2");
    EXPECT_EQ(reduce("a xyz c").text, "a     c");
    expectEqualLines("a b c", "a xyz c");
    expectDifferentLines("a b c", "a b d");
}

TEST_F(TableReducerTest, NumericAndCustomTypes) {
    setType(kColumnNumeric);
    ignore("1");
    EXPECT_EQ(reduce("x=1.5").text, "    5"); // columns 1 and 5; point and letters separate
    expectEqualLines("x=1.5", "y 7:5");

    settings.ignored.clear();
    settings.customSeparators = std::string(",");
    setType(kColumnCustomSeparators);
    ignore("2");
    EXPECT_EQ(reduce("id,nm e,9").text, "id      9");
    expectEqualLines("1,Smith,40", "1,Smyth,40");
    expectDifferentLines("1,Smith,40", "1,Smith,41");
}

TEST_F(TableReducerTest, SeparatorsCountAsColumnsWithoutIgnoreMultiSeps) {
    settings.customSeparators = std::string(",");
    setType(kColumnCustomSeparators);
    settings.ignoreMultiSeps = 0;
    ignore("3");
    // a (1), the separators (2 and 3), b (4): the second separator is ignored.
    EXPECT_EQ(reduce("a,,b").text, "a\xff b");
    // An empty field now shifts the later columns instead of vanishing.
    settings.ignored.clear();
    expectDifferentLines("a,,b", "a,b");
    settings.ignoreMultiSeps = 1;
    expectEqualLines("a,,b", "a,b");
}

TEST_F(TableReducerTest, Positions) {
    setType(kColumnPositions);
    settings.positions = {{1, 3}, {6, 8}};
    EXPECT_EQ(reduce("abcdefghij").text, "abc  fgh  ");
    expectEqualLines("abcXYfgh-", "abc  fgh");
    expectDifferentLines("abcXYfgh", "abdXYfgh");
    // A line shorter than the ranges just ends early.
    EXPECT_EQ(reduce("ab").text, "ab");
    ignore("1");
    EXPECT_EQ(reduce("abcdefgh").text, "     fgh");

    // Without ignore-multi-seps every byte outside a range moves to the next
    // range, so later ranges stop lining up with their positions.
    settings.ignored.clear();
    settings.ignoreMultiSeps = 0;
    EXPECT_EQ(reduce("abcdefgh").text, "abc\xff\xff\xff\xff\xff");
}

TEST_F(TableReducerTest, IgnoreCaseFoldsOnlyTheHash) {
    setType(kColumnWhiteSpaceSeparated);
    const Reduced upper = reduce("ABC d", true);
    EXPECT_EQ(upper.text, "ABC d");
    EXPECT_EQ(upper.hash, reduce("abc D", true).hash);
    EXPECT_NE(reduce("ABC d").hash, reduce("abc d").hash);
}

TEST_F(TableReducerTest, OddLinesAndSettingsNeverReachOutside) {
    setType(kColumnWhiteSpaceSeparated);
    EXPECT_EQ(reduce("").hash, 0u);
    EXPECT_EQ(reduce(std::string("a\0b \xff", 5)).text, std::string("a\0b \xff", 5));
    const std::string longLine(1 << 20, 'x');
    EXPECT_EQ(reduce(longLine).text, longLine);

    settings.columnType = 42; // an unknown code falls back on the last table built
    EXPECT_EQ(reduce("a b").text, "a b");

    setType(kColumnPositions);
    settings.positions = {{1, 5}, {3, 8}, {2147483600, 2147483647}};
    EXPECT_EQ(reduce("abcdefghij").text, "abcdefgh  ");
}

TEST(TableEngineContext, CarriesCommentsAndTableMode) {
    CompareSettings settings;
    TableReducer reducer(settings);
    settings.ignoreComments = 1;
    settings.comments = {{"/*", "*/"}, {"#", "$"}};
    EngineContext context = makeEngineContext(settings, reducer);
    EXPECT_TRUE(context.ignoreComments);
    EXPECT_EQ(context.comments.size(), 2u);
    EXPECT_EQ(context.table, nullptr);
    EXPECT_FALSE(context.skipLeadingWhiteSpace);

    settings.tableMode = 1;
    context = makeEngineContext(settings, reducer);
    EXPECT_EQ(context.table, &reducer);
    EXPECT_TRUE(context.skipLeadingWhiteSpace);
}

} // namespace
} // namespace tandel
