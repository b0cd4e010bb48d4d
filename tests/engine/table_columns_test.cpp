#include "engine/compare_settings.h"
#include "engine/table_column_list.h"
#include "engine/table_definition.h"

#include <gtest/gtest.h>

namespace tandel {
namespace {

using Numbers = std::vector<long long>;

ColumnSet parsed(std::string_view text) {
    ColumnSet set;
    std::string message;
    EXPECT_EQ(parseColumnList(text, set, message), 1) << text;
    return set;
}

TEST(TableColumnList, ParsesNumbersAndRefusesAnythingElse) {
    EXPECT_EQ(parsed(" 1, 3;5 3").numbers(), (Numbers{1, 3, 5}));
    EXPECT_TRUE(parsed("0, -4").empty()); // numbers below 1 name no column
    EXPECT_EQ(parsed("99999999999999999999999").numbers().size(), 1u);

    ColumnSet set = parsed("2");
    for (std::string_view bad : {"1, x", "3x", "-", "1\t2"}) {
        std::string message;
        EXPECT_EQ(parseColumnList(bad, set, message), 0) << bad;
        EXPECT_EQ(message, "Bad column description.\nPlease correct the entry");
        EXPECT_EQ(set.numbers(), Numbers{2});
    }
}

TEST(TableColumnList, AddAndRemoveText) {
    EXPECT_EQ(addColumnToListText("", 4), "4");
    EXPECT_EQ(addColumnToListText("1;3", 4), "1;3, 4");
    EXPECT_EQ(addColumnToListText("1;3", 3), "1;3");
    EXPECT_EQ(removeColumnFromListText("1;3 5,3", 3), "1, 5");
    EXPECT_EQ(removeColumnFromListText("3", 3), "");
}

TEST(TableColumns, ComparedColumnsInclusiveAndExclusive) {
    CompareSettings settings;
    settings.ignored = parsed("2");
    settings.included = parsed("1,3");
    EXPECT_TRUE(columnCompared(settings, 0));
    EXPECT_FALSE(columnCompared(settings, 1));
    EXPECT_TRUE(columnCompared(settings, 500));

    settings.inclusive = 1;
    EXPECT_TRUE(columnCompared(settings, 2));
    EXPECT_FALSE(columnCompared(settings, 1));
    EXPECT_FALSE(columnCompared(settings, 3)); // beyond the set
    settings.included.clear();
    EXPECT_TRUE(columnCompared(settings, 3)); // an empty set compares all
}

TEST(TableColumns, ColumnTableFollowsTheType) {
    CompareSettings settings;
    auto columnBytes = [&](int type) {
        settings.columnType = type;
        rebuildColumnTable(settings);
        std::string bytes;
        for (char c : std::string("a Z9.\t\xe9-;"))
            bytes += settings.columnChars[static_cast<unsigned char>(c)] ? c : '_';
        return bytes;
    };
    EXPECT_EQ(columnBytes(kColumnNumeric), "___9_____");
    EXPECT_EQ(columnBytes(kColumnString), "a_Z______");
    EXPECT_EQ(columnBytes(kColumnAlphanumeric), "a_Z9_____");
    EXPECT_EQ(columnBytes(kColumnWhiteSpaceSeparated), "a_Z9._\xe9-;");
    EXPECT_EQ(columnBytes(kColumnCustomCharset), "_________"); // no set given
    settings.customCharset = "0-9.\\-";
    settings.customSeparators = "\\t;";
    EXPECT_EQ(columnBytes(kColumnCustomCharset), "___9.__-_");
    EXPECT_EQ(columnBytes(kColumnCustomSeparators), "a Z9._\xe9-_");
    EXPECT_EQ(columnBytes(kColumnPositions), "a Z9._\xe9-_"); // left as it was
}

TEST(TableColumns, PositionListKeepsOrder) {
    std::vector<ColumnRange> list;
    for (ColumnRange range : {ColumnRange{12, 20}, {1, 8}, {30, 31}, {9, 10}})
        insertColumnRange(list, range);
    EXPECT_EQ(list, (std::vector<ColumnRange>{{1, 8}, {9, 10}, {12, 20}, {30, 31}}));
    EXPECT_TRUE(columnRangeOverlaps(list, {8, 8}));
    EXPECT_TRUE(columnRangeOverlaps(list, {21, 30}));
    EXPECT_FALSE(columnRangeOverlaps(list, {21, 29}));
    EXPECT_TRUE(removeColumnRange(list, 1));
    EXPECT_FALSE(removeColumnRange(list, 3));
    EXPECT_EQ(list, (std::vector<ColumnRange>{{1, 8}, {12, 20}, {30, 31}}));
}

// The listed bytes of a character-set text, in byte order.
std::string listed(std::string_view text) {
    std::array<unsigned char, 256> table{};
    parseDefinitionText(table, text, kDefinitionCharset);
    std::string bytes;
    for (int c = 0; c < 256; ++c)
        if (table[static_cast<std::size_t>(c)] != 0)
            bytes += static_cast<char>(c);
    return bytes;
}

TEST(TableDefinition, RangesAndEscapes) {
    EXPECT_EQ(listed("0-9.\\-"), "-.0123456789");
    EXPECT_EQ(listed("a-c-e"), "abcde"); // the range start stays the last byte
    EXPECT_EQ(listed("z-a"), "z");
    EXPECT_EQ(listed("a -c"), "-ac"); // a blank clears the last byte
    EXPECT_EQ(listed("x-"), "-x");
    EXPECT_EQ(listed("\xfe-\xff"), "\xfe\xff");
    EXPECT_EQ(listed("\\n\\r\\t\\v\\s\\\\"), std::string("\t\n\v\r \\"));
    EXPECT_EQ(listed("\\w-a"), std::string("\t\n\v\f\r -a")); // \w clears the last byte
    EXPECT_EQ(listed("\\x61-c\\Xff"), "abc\xff");
    EXPECT_EQ(listed("\\q\\"), "\\q");
    // Characters that are not hexadecimal are read as ordinary text.
    EXPECT_EQ(listed("\\xg1"), "1g");
    EXPECT_EQ(listed("a\\xzz-b"), "az");
    EXPECT_EQ(listed("\\x4"), "4");
}

TEST(TableDefinition, SeparatorModeClearsListedBytes) {
    std::array<unsigned char, 256> table{};
    parseDefinitionText(table, "\\t;", kDefinitionSeparators);
    for (int c = 0; c < 256; ++c)
        EXPECT_EQ(table[static_cast<std::size_t>(c)], (c == '\t' || c == ';') ? 0 : 1) << c;
}

} // namespace
} // namespace tandel
