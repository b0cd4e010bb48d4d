// The options sheet's pages without widgets: what each shows, its change
// rules, and what its apply commits or refuses.
#include <gtest/gtest.h>

#include "engine/table_column_list.h"
#include "settings/comment_list_edit.h"
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

TEST(GeneralOptions, CountsTheProgramCannotUseAreRefusedAndNothingChanges) {
    const std::string tabRule = "Tab size must be a whole number from 1 to 1000";
    const std::string contextRule = "Context lines must be a whole number from 0 to 100000";
    const std::pair<std::string, std::string> refused[] = {
        {"0", "3"},  {"-1", "3"}, {"abc", "3"},    {"1001", "3"},
        {"8", "-1"}, {"8", "x"},  {"8", "100001"}, {"1000", "-2"}};
    for (const auto& [tab, context] : refused) {
        SettingsRecord record;
        CompareSettings compare;
        GeneralOptions o = readGeneralOptions(record, compare);
        o.compressSpaces = true;
        o.tabSize = tab;
        o.contextLines = context;
        EXPECT_EQ(applyGeneralOptions(o, record, compare),
                  (OptionNotice{Severity::Error, context == "3" ? tabRule : contextRule}))
            << tab << ' ' << context;
        EXPECT_EQ(record, SettingsRecord{});
    }
}

ColumnSet setOf(std::vector<long long> numbers) {
    ColumnSet set;
    set.assign(std::move(numbers));
    return set;
}

// Only the set in force is shown, with its boxes; the other edit starts empty.
// A box clicked adds its number to the text or takes it out.
TEST(ColumnSelection, ShowsOnlyTheSetInForceAndBoxesEditTheText) {
    CompareSettings compare;
    compare.ignored = setOf({2, 7});
    compare.included = setOf({1, 3});
    EXPECT_EQ(readColumnSelection(compare),
              (ColumnSelection{false, true, " 2, 7", "", {false, true}, {}}));
    compare.inclusive = 1;
    EXPECT_EQ(readColumnSelection(compare),
              (ColumnSelection{true, false, "", " 1, 3", {}, {true, false, true}}));

    EXPECT_EQ(toggleColumnInText("", 4, true), "4");
    EXPECT_EQ(toggleColumnInText(" 1, 3", 3, true), " 1, 3");
    EXPECT_EQ(toggleColumnInText(" 1, 3", 1, false), "3");
    EXPECT_EQ(toggleColumnInText("1;3 5", 2, true), "1;3 5, 2");
    EXPECT_EQ(toggleColumnInText("1;3 5", 3, false), "1, 5");
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

TEST(ColumnSelection, ABadListIsRefusedWithNothingCommitted) {
    for (const bool specified : {true, false}) {
        CompareSettings compare;
        compare.inclusive = specified ? 0 : 1;
        compare.included = setOf({6});
        compare.ignored = setOf({7});
        const CompareSettings before = compare;
        ColumnSelection s;
        s.specifiedOnly = specified;
        s.except = true;
        s.includedText = s.ignoredText = "1, x";
        EXPECT_EQ(applyColumnSelection(s, compare),
                  (OptionNotice{Severity::Error, std::string(kBadColumnDescription)}));
        EXPECT_EQ(compare.inclusive, before.inclusive);
        EXPECT_EQ(compare.included, before.included);
        EXPECT_EQ(compare.ignored, before.ignored);
    }
}

TEST(ColumnType, TheFirstCheckedRadioWinsAndNoneKeepsTheCode) {
    EXPECT_EQ(firstCheckedColumnType({false, false, false, false, false, true, false}, 3), 5);
    EXPECT_EQ(firstCheckedColumnType({false, true, false, false, false, true, false}, 3), 1);
    EXPECT_EQ(firstCheckedColumnType({}, 6), 6);
}

TEST(ColumnType, ApplyTakesOnlyTheChosenTypesTextAndRebuildsTheTable) {
    CompareSettings compare;
    compare.customCharset = "0-9";
    compare.customSeparators = ";";
    ColumnTypeChoice choice = readColumnTypeChoice(compare);
    EXPECT_EQ(choice, (ColumnTypeChoice{kColumnWhiteSpaceSeparated, "0-9", ";", true}));

    choice.code = kColumnCustomSeparators;
    choice.separatorsText = "";
    choice.charsetText = "a-z";
    choice.ignoreMultiSeps = false;
    applyColumnType(choice, compare);
    EXPECT_EQ(compare.columnType, kColumnCustomSeparators);
    EXPECT_EQ(compare.customSeparators, "");
    EXPECT_EQ(compare.customCharset, "0-9");
    EXPECT_EQ(compare.ignoreMultiSeps, 0);
    EXPECT_EQ(compare.columnChars[';'], 1); // no separators: every byte is a column byte

    choice.code = kColumnCustomCharset;
    applyColumnType(choice, compare);
    EXPECT_EQ(compare.customCharset, "a-z");
    EXPECT_EQ(compare.columnChars['q'], 1);
    EXPECT_EQ(compare.columnChars['5'], 0);
}

TEST(ColumnPositions, AddOrdersClampsAndRefusesOverlaps) {
    ColumnPositionsEdit edit({{4, 8}});
    EXPECT_EQ(edit.add("9", "12"), std::nullopt);
    EXPECT_EQ(edit.add("5", "3"), (OptionNotice{Severity::Warning, std::string(kRangeOverlaps)}));
    EXPECT_EQ(edit.add("3", "4"), (OptionNotice{Severity::Warning, std::string(kRangeOverlaps)}));
    EXPECT_EQ(edit.add("3", "2"), std::nullopt);
    EXPECT_EQ(edit.add("0", "0"), std::nullopt);
    EXPECT_EQ(edit.add("x", "-5"), (OptionNotice{Severity::Warning, std::string(kRangeOverlaps)}));
    // Past the positions that read back, a range is kept short of the limit.
    EXPECT_EQ(edit.add("70000", "50000"), std::nullopt);
    EXPECT_EQ(edit.ranges(),
              (std::vector<ColumnRange>{{1, 1}, {2, 3}, {4, 8}, {9, 12}, {50000, 59999}}));
    EXPECT_EQ(edit.entries()[3], "Column 4 range: 9 - 12");
}

TEST(ColumnPositions, DeleteNeedsASelectionAndApplyReplacesTheCommittedList) {
    CompareSettings compare;
    compare.positions = {{1, 3}, {6, 8}};
    ColumnPositionsEdit edit(compare.positions);
    const OptionNotice selectFirst{Severity::Info, std::string(kSelectColumnFirst)};
    EXPECT_EQ(edit.remove(-1), selectFirst);
    EXPECT_EQ(edit.remove(2), selectFirst);
    EXPECT_EQ(edit.remove(0), std::nullopt);
    EXPECT_EQ(edit.entries(), (std::vector<std::string>{"Column 1 range: 6 - 8"}));
    EXPECT_EQ(compare.positions.size(), 2u);
    edit.apply(compare);
    EXPECT_EQ(compare.positions, (std::vector<ColumnRange>{{6, 8}}));
}

TEST(CommentList, AddRefusesBlanksAndEmptyMarkersAndKeepsOneOfEach) {
    CommentListEdit edit({});
    const OptionNotice spaces{Severity::Warning, std::string(kCommentHasSpaces)};
    const OptionNotice empty{Severity::Warning, std::string(kCommentEmpty)};
    EXPECT_EQ(edit.add("/*", "*/"), std::nullopt);
    EXPECT_EQ(edit.add("/*", "*/"), std::nullopt);
    EXPECT_EQ(edit.add("--", "$"), std::nullopt);
    EXPECT_EQ(edit.add("/ *", "*/"), spaces);
    EXPECT_EQ(edit.add("#", "a\tb"), spaces);
    EXPECT_EQ(edit.add("", "x y"), spaces);
    EXPECT_EQ(edit.add("", "$"), empty);
    EXPECT_EQ(edit.add("rem", ""), empty);
    EXPECT_EQ(edit.entries(), (std::vector<std::string>{"/* ... */", "-- ... $"}));
}

TEST(CommentList, DeleteNeedsASelectionAndApplyRebuildsInListOrder) {
    std::vector<CommentDefinition> committed = {{"{", "}"}, {"#", "$"}, {"<!--", "-->"}};
    CommentListEdit edit(committed);
    const OptionNotice selectEntry{Severity::Warning, std::string(kSelectEntry)};
    EXPECT_EQ(edit.remove(-1), selectEntry);
    EXPECT_EQ(edit.remove(3), selectEntry);
    EXPECT_EQ(edit.remove(1), std::nullopt);
    EXPECT_EQ(edit.add(";", "$"), std::nullopt);
    edit.apply(committed);
    ASSERT_EQ(committed.size(), 3u);
    EXPECT_EQ(committed[1].begin, "<!--");
    EXPECT_EQ(committed[2].begin, ";");

    CommentListEdit emptied(committed);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(emptied.remove(0), std::nullopt);
    emptied.apply(committed);
    EXPECT_TRUE(committed.empty());
}

} // namespace
} // namespace tandel
