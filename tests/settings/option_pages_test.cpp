// The options sheet's pages without widgets: what their apply commits. The
// pages' refusals and edits are tested on the sheet itself.
#include <gtest/gtest.h>

#include "engine/table_column_list.h"
#include "settings/general_options_edit.h"
#include "settings/table_options_edit.h"

namespace tandel {
namespace {

TEST(GeneralOptions, TypedIntegersAreWholeSignedNumbersWithBlanksAround) {
    const std::pair<const char*, std::optional<long long>> cases[] = {
        {"8", 8},    {" 12 ", 12}, {"-3", -3},
        {"+4", 4},   {"", {}},     {"4x", {}},
        {"- 4", {}}, {"x", {}},    {"99999999999999999999999", 9223372036854775807LL}};
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(readTypedInteger(text), expected) << '"' << text << '"';
}

// What the page applies is what it shows when opened again; "Ignore All
// Spaces" is kept while it is greyed out.
TEST(GeneralOptions, ApplyStoresEveryValueAndKeepsIgnoreAllSpacesWhileGreyed) {
    SettingsRecord record;
    CompareSettings compare;
    GeneralOptions o = readGeneralOptions(record, compare);
    o.compressSpaces = false;
    o.ignoreAllSpaces = true;
    EXPECT_FALSE(ignoreAllSpacesEnabled(o));
    o.tableMode = o.ignoreComments = o.keepLineEnds = o.diffsOnly = o.lineNumbers = true;
    o.syncHScroll = o.autoWalk = o.autoCompare = o.highlightChanges = false;
    o.tabSize = " 4";
    o.contextLines = "0";
    ASSERT_EQ(applyGeneralOptions(o, record, compare), std::nullopt);
    GeneralOptions expected = o;
    expected.tabSize = "4"; // as the next opening shows it
    EXPECT_EQ(readGeneralOptions(record, compare), expected);
    EXPECT_EQ(record.ignoreAllSpaces, 1);
    EXPECT_EQ(compare.tableMode, 1);
    EXPECT_EQ(record.highlightChanges, 0);
}

ColumnSet setOf(std::vector<long long> numbers) {
    ColumnSet set;
    set.assign(std::move(numbers));
    return set;
}

TEST(ColumnSelection, ApplyCommitsTheSelectedSetAndKeepsTheOther) {
    CompareSettings compare;
    compare.ignored = setOf({4});
    ColumnSelection s;
    s.specifiedOnly = true;
    s.includedText = " 1, 3;5";
    ASSERT_EQ(applyColumnSelection(s, compare), std::nullopt);
    EXPECT_EQ(compare.inclusive, 1);
    EXPECT_EQ(compare.included, setOf({1, 3, 5}));
    EXPECT_EQ(compare.ignored, setOf({4}));

    // "All Columns" without "Except for these:" empties the ignored set
    // whatever its edit still holds.
    s = ColumnSelection{};
    s.ignoredText = "2";
    ASSERT_EQ(applyColumnSelection(s, compare), std::nullopt);
    EXPECT_EQ(compare.inclusive, 0);
    EXPECT_TRUE(compare.ignored.empty());
    EXPECT_EQ(compare.included, setOf({1, 3, 5}));

    s.except = true;
    ASSERT_EQ(applyColumnSelection(s, compare), std::nullopt);
    EXPECT_EQ(compare.ignored, setOf({2}));
}

// Past the positions that read back from the settings file, a range is
// kept short of the limit; its ends are taken in either order.
TEST(ColumnPositions, ARangePastTheLimitIsKeptShortOfIt) {
    ColumnPositionsEdit edit({{4, 8}});
    EXPECT_EQ(edit.add("70000", "50000"), std::nullopt);
    EXPECT_EQ(edit.ranges(), (std::vector<ColumnRange>{{4, 8}, {50000, 59999}}));
}

} // namespace
} // namespace tandel
