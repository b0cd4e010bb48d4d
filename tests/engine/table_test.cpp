// Table mode: column lists and definitions, the line reduction alone, then the
// engine run as the comparison driver calls it ("-s -a -b -o result file1
// file2" on engine copies of files).
#include "engine/compare_settings.h"
#include "engine/table_column_list.h"
#include "engine/table_definition.h"
#include "engine/table_reducer.h"
#include "engine_harness.h"

#include <gtest/gtest.h>

namespace tandel {
namespace {

using Numbers = std::vector<long long>;

ColumnSet parsed(std::string_view text) {
    ColumnSet set;
    std::string message;
    EXPECT_EQ(parseColumnList(text, set, message), ColumnListParse::Parsed) << text;
    return set;
}

TEST(TableColumnList, ParsesNumbersRefusesAnythingElseAndEditsTheText) {
    EXPECT_EQ(parsed(" 1, 3;5 3").numbers(), (Numbers{1, 3, 5}));
    EXPECT_TRUE(parsed("0, -4").empty()); // numbers below 1 name no column
    EXPECT_EQ(parsed("99999999999999999999999").numbers().size(), 1u);
    ColumnSet set = parsed("2");
    for (std::string_view bad : {"1, x", "3x", "-", "1\t2"}) {
        std::string message;
        EXPECT_EQ(parseColumnList(bad, set, message), ColumnListParse::Refused) << bad;
        EXPECT_EQ(message, "Bad column description.\nPlease correct the entry");
        EXPECT_EQ(set.numbers(), Numbers{2});
    }

    EXPECT_EQ(addColumnToListText("", 4), "4");
    EXPECT_EQ(addColumnToListText("1;3", 4), "1;3, 4");
    EXPECT_EQ(addColumnToListText("1;3", 3), "1;3");
    EXPECT_EQ(removeColumnFromListText("1;3 5,3", 3), "1, 5");
    EXPECT_EQ(removeColumnFromListText("3", 3), "");
}

TEST(TableColumns, ComparedColumnsAndPositionLists) {
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
    const std::pair<const char*, std::string> cases[] = {
        {"0-9.\\-", "-.0123456789"},
        {"a-c-e", "abcde"}, // the range start stays the last byte
        {"z-a", "z"},
        {"a -c", "-ac"}, // a blank clears the last byte
        {"x-", "-x"},
        {"\xfe-\xff", "\xfe\xff"},
        {"\\n\\r\\t\\v\\s\\\\", "\t\n\v\r \\"},
        {"\\w-a", "\t\n\v\f\r -a"}, // \w clears the last byte
        {"\\x61-c\\Xff", "abc\xff"},
        {"\\q\\", "\\q"},
        // Characters that are not hexadecimal are read as ordinary text.
        {"\\xg1", "1g"},
        {"a\\xzz-b", "az"},
        {"\\x4", "4"},
    };
    for (const auto& [text, bytes] : cases)
        EXPECT_EQ(listed(text), bytes) << text;

    std::array<unsigned char, 256> separators{};
    parseDefinitionText(separators, "\\t;", kDefinitionSeparators);
    for (int c = 0; c < 256; ++c)
        EXPECT_EQ(separators[static_cast<std::size_t>(c)], (c == '\t' || c == ';') ? 0 : 1) << c;
}

class TableTest : public ::testing::Test {
protected:
    void setType(int type) {
        settings.columnType = type;
        rebuildColumnTable(settings);
    }
    // The line as the engine's line comparison will see it.
    std::string reduced(std::string line) {
        reducer.reduceAndHash(line.data(), line.size(), false);
        return line;
    }
    std::uint32_t hash(std::string line, bool ignoreCase = false) {
        return reducer.reduceAndHash(line.data(), line.size(), ignoreCase);
    }
    // The result file's contents, "same" standing for the identical report.
    std::string compare(const std::string& text1, const std::string& text2,
                        std::vector<std::string> options = {}) {
        options.insert(options.begin(), {"-s", "-a", "-b"});
        h.context = makeEngineContext(settings, reducer);
        h.compare(text1, text2, options);
        EXPECT_EQ(h.sink.messages, std::vector<std::string>{});
        return h.result() == h.identical() ? "same" : h.result();
    }

    testing::EngineHarness h;
    CompareSettings settings;
    TableReducer reducer{settings};
};

TEST_F(TableTest, ReducerBlanksWhatIsNotCompared) {
    setType(kColumnWhiteSpaceSeparated);
    settings.ignored.assign({2});
    EXPECT_EQ(reduced("a xyz\tc"), "a     c");
    EXPECT_EQ(hash("a b c"), hash("a  xyz c"));
    EXPECT_NE(hash("a b c"), hash("a b d"));
    settings.ignored.clear();
    // Ignoring case folds only the hash.
    EXPECT_EQ(hash("ABC d", true), hash("abc D", true));
    EXPECT_NE(hash("ABC d"), hash("abc d"));
    EXPECT_EQ(reduced("ABC d"), "ABC d");
    // Odd lines stay whole.
    EXPECT_EQ(hash(""), 0u);
    EXPECT_EQ(reduced(std::string("a\0b \xff", 5)), std::string("a\0b \xff", 5));
    const std::string longLine(1 << 20, 'x');
    EXPECT_EQ(reduced(longLine), longLine);

    setType(kColumnNumeric);
    settings.ignored.assign({1});
    EXPECT_EQ(reduced("x=1.5"), "    5"); // columns 1 and 5

    settings.customSeparators = std::string(",");
    setType(kColumnCustomSeparators);
    settings.ignoreMultiSeps = 0;
    settings.ignored.assign({3});
    // a (1), the separators (2 and 3), b (4): compared separators are marked.
    EXPECT_EQ(reduced("a,,b"), "a\xff b");
}

TEST_F(TableTest, ReducerPositions) {
    setType(kColumnPositions);
    settings.positions = {{1, 3}, {6, 8}};
    EXPECT_EQ(reduced("abcdefghij"), "abc  fgh  ");
    EXPECT_EQ(reduced("ab"), "ab");
    // Overlapping and huge ranges stay inside the line.
    settings.positions = {{1, 5}, {3, 8}, {2147483600, 2147483647}};
    EXPECT_EQ(reduced("abcdefghij"), "abcdefgh  ");
    // Without ignore-multi-seps every byte outside a range moves on to the
    // next range, so later ranges stop lining up with their positions.
    settings.positions = {{1, 3}, {6, 8}};
    settings.ignoreMultiSeps = 0;
    EXPECT_EQ(reduced("abcdefgh"), "abc\xff\xff\xff\xff\xff");
}

TEST_F(TableTest, EngineComparesTheSelectedColumns) {
    settings.tableMode = 1;
    settings.customSeparators = std::string(",");
    setType(kColumnCustomSeparators);
    settings.ignored.assign({2});
    const std::string before = "id,name,age\n1,Smith,40\n2,Jones,31\n";
    EXPECT_EQ(compare(before, "id,NAME,age\n1,Smyth,40\n2,Jones,31\n"), "same");
    EXPECT_EQ(compare(before, "id,name,age\n1,Smith,40\n2,Jones,32\n"), "3c3\n");
    EXPECT_EQ(compare(before, "ID,name,age\n1,Smith,40\n2,Jones,31\n"), "1c1\n");
    EXPECT_EQ(compare(before, "ID,name,age\n1,Smith,40\n2,Jones,31\n", {"-i"}), "same");
    // Doubled separators count only without ignore-multi-seps.
    settings.ignored.clear();
    EXPECT_EQ(compare("k,a,,b\nk,c\n", "k,a,b\nk,c\n"), "same");
    settings.ignoreMultiSeps = 0;
    EXPECT_EQ(compare("k,a,,b\nk,c\n", "k,a,b\nk,c\n"), "1c1\n");

    // Indenting a row leaves its columns as they were.
    settings.ignoreMultiSeps = 1;
    setType(kColumnWhiteSpaceSeparated);
    const std::string rows = "a b c\nd e f\ng h i\n";
    EXPECT_EQ(compare(rows, "a\tb   c\n  d e f\ng h i   \n"), "same");
    EXPECT_EQ(compare(rows, "a b c\nd e F\nx\ng h i\n"), "2c2,3\n");
}

// A definition that selects no column would call any two lines equal and drop
// one file's text from a merge: it compares whole lines instead.
TEST_F(TableTest, EngineComparesWholeLinesWhenNoColumnIsSelected) {
    settings.tableMode = 1;
    setType(kColumnPositions);
    EXPECT_EQ(compare("abc\n", "xyz\n"), "1c1\n");
    settings.customCharset.clear();
    setType(kColumnCustomCharset);
    EXPECT_EQ(compare("abc\n", "xyz\n"), "1c1\n");
    EXPECT_EQ(compare("a  b\n", "a b\n"), "same");
}

TEST_F(TableTest, EngineIgnoresCommentsOfBothKinds) {
    settings.ignoreComments = 1;
    settings.comments = {{"/*", "*/"}, {"#", "$"}};
    const std::string before = "x = 1; # one\ny = 2;\n/* block\n spanning */\nz = 3;\n";
    EXPECT_EQ(compare(before, "x = 1; # uno\ny = 2;\n/* other\n text */\nz = 3;\n"), "same");
    EXPECT_EQ(compare(before, "x = 1;\ny = 2;\n/* other\n text */\nz = 4; # four\n"), "5c5\n");
    // Together with table mode: the comments go first, then the columns.
    settings.tableMode = 1;
    setType(kColumnWhiteSpaceSeparated);
    EXPECT_EQ(compare("a  b # note\nc d\n", "a b\nc d # other\n"), "same");
}

} // namespace
} // namespace tandel
