// What the directory window does with its rows without a widget: names and
// patterns, the order and navigation of the rows, searching and scrolling
// the lists, and the working lists of the filter dialogs.
#include "dirmerge/directory_lists.h"
#include "dirmerge/directory_selection.h"
#include "dirmerge/filter_lists.h"
#include "dirmerge/list_geometry.h"
#include "dirmerge/list_search.h"
#include "dirmerge/names.h"
#include "dirmerge/pattern.h"
#include "merge/fake_frame.h"

#include <gtest/gtest.h>

namespace tandel {
namespace {

TEST(Pattern, WildcardsSetsNegationAndCase) {
    struct Case {
        const char* pattern;
        std::vector<std::string> matching, other;
    };
    const Case cases[] = {
        {"*.c", {"MAIN.C", "a.c"}, {"a.cpp"}},
        {"*", {""}, {}},
        {"a*b*c", {"aXbYbZc"}, {"aXbYc!"}},
        {"*x*", {}, {"abc"}},
        {"?", {}, {""}},
        {"??", {"ab"}, {"abc"}},
        {"^*.obj", {"main.c"}, {"main.obj"}},
        {"[a-c]*", {"apple", "cat"}, {"Apple"}}, // sets compare exactly
        {"[^a-c]*", {"dog"}, {"apple"}},
        {"[-x]", {"-"}, {}},
        {"[x-]", {"-"}, {"y"}},
        {"[]a", {}, {"a"}}, // "[]" is an empty set, not a "]"
        {"[^]a", {"za"}, {}},
        {"[ab", {}, {"a"}}, // unclosed: no match
        {"^[ab", {"anything"}, {}},
        {"abc", {}, {"ab"}}, // only the whole name counts
        {"ab", {}, {"abc"}},
    };
    for (const Case& c : cases) {
        for (const std::string& name : c.matching)
            EXPECT_TRUE(matchPattern(name, c.pattern)) << c.pattern << " " << name;
        for (const std::string& name : c.other)
            EXPECT_FALSE(matchPattern(name, c.pattern)) << c.pattern << " " << name;
    }
    const std::string many(5000, 'a'); // many stars stay fast
    EXPECT_FALSE(matchPattern(many, "*a*a*a*a*a*a*a*a*a*a*b"));
    EXPECT_TRUE(matchPattern(many + "b", "*a*a*a*a*a*a*a*a*a*a*b"));

    // An exclusion wins, then the inclusions decide.
    ScanFilters f;
    f.include = {"*.c"};
    f.exclude = {"test*"};
    EXPECT_FALSE(passesFilters("test1.c", f));
    EXPECT_TRUE(passesFilters("main.c", f));
    EXPECT_FALSE(passesFilters("main.h", f));
    f = ScanFilters{};
    f.exclude = {"^*.txt"};
    EXPECT_TRUE(passesFilters("notes.TXT", f));
    EXPECT_FALSE(passesFilters("notes.md", f));
}

TEST(Names, FoldLettersToSortAndTheirBytesBreakTheTie) {
    EXPECT_EQ(compareIgnoringCase("Readme.TXT", "README.txt"), 0);
    EXPECT_LT(compareNames("README.txt", "Readme.TXT"), 0);
    EXPECT_GT(compareNames("makefile", "Makefile"), 0);
    EXPECT_LT(compareNames("Makefile", "mb"), 0); // the case is only a tie-break
    EXPECT_EQ(compareNames("Makefile", "Makefile"), 0);
    EXPECT_LT(compareNames("_x", "a"), 0); // "_" (95) before letters once folded
    EXPECT_LT(compareNames("9", "a"), 0);
    EXPECT_LT(compareNames("ab", "abc"), 0);
    EXPECT_LT(compareNames("z", "\xc3\xa9"), 0); // bytes above 127 sort last
    EXPECT_EQ(joinPath("/a/", "/b"), "/a/b");
    EXPECT_EQ(joinPath("/a", "b"), "/a/b");
}

ComparisonRow row(const char* left, RowState ls, std::int64_t time, const char* right,
                  RowState rs) {
    ComparisonRow c;
    c.left = {left, "", time, ls, true};
    c.right = {right, "", 0, rs, true};
    return c;
}

// same, absent-left, different, same, different
const std::vector<ComparisonRow> kRows = {
    row("/a/B", ROW_SAME, 30, "/b/B", ROW_SAME), row("", ROW_ABSENT, 0, "/b/c", ROW_DIFFERENT),
    row("/a/d", ROW_DIFFERENT, 10, "/b/d", ROW_DIFFERENT),
    row("/a/a", ROW_SAME, 20, "/b/a", ROW_SAME), row("/a/e", ROW_DIFFERENT, 40, "", ROW_ABSENT)};

TEST(DirectoryLists, VisibilityAndSort) {
    EXPECT_EQ(visibleRows(kRows, false), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(visibleRows(kRows, true), (std::vector<int>{1, 2, 4}));
    EXPECT_FALSE(startsMergeRun(kRows[0]));
    EXPECT_FALSE(startsMergeRun(kRows[1]));
    EXPECT_TRUE(startsMergeRun(kRows[2]));

    ListSort sort;
    std::vector<int> shown = {0, 2, 3, 4};
    const std::vector<std::vector<int>> orders = {
        {4, 2, 0, 3}, // the first click on "Name" turns the initial order round
        {4, 0, 3, 2}, // newest first
        {2, 3, 0, 4}, // oldest first
    };
    for (std::size_t i = 0; i < orders.size(); ++i) {
        sort.click(i == 0 ? 0 : 1);
        sortRows(shown, kRows, 0, sort);
        EXPECT_EQ(shown, orders[i]) << i;
    }
}

// Next and Previous go from the current row, or without one from the top row
// (which Next may reach itself), and wrap round.
TEST(DirectoryLists, NextAndPreviousWrap) {
    const std::vector<int> all = {0, 1, 2, 3, 4};
    struct Case {
        std::vector<int> shown;
        int current, top;
        bool forward;
        int found;
    };
    const Case cases[] = {
        {all, 0, 0, true, 1},  {all, 2, 0, true, 4},      {all, 4, 0, true, 1},
        {all, 3, 0, false, 2}, {all, 1, 0, false, 4},     {{1, 0, 3}, 1, 0, true, 0},
        {{}, 0, 0, true, -1},  {{0, 3}, 0, 0, false, -1}, {all, -1, 1, true, 1},
        {all, -1, 3, true, 4}, {all, -1, 3, false, 2},    {{1, 0, 3}, 2, 0, false, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(adjacentUnequalRow(c.shown, kRows, c.current, c.top, c.forward), c.found)
            << c.current << " " << c.top << " " << c.forward;
}

// The left name, then the right one, of each row below the one given, in the
// order the lists show them.
TEST(ListSearch, TestsTheLeftNameThenTheRightOneBelowTheRowGiven) {
    test::FakeFrame frame;
    const std::vector<ComparisonRow> rows = {
        row("/l/Alpha.txt", ROW_DIFFERENT, 0, "/r/alpha.txt", ROW_DIFFERENT),
        row("/l/beta.c", ROW_DIFFERENT, 0, "", ROW_ABSENT),
        row("", ROW_ABSENT, 0, "/r/BETA.h", ROW_DIFFERENT),
        row("/l/gamma", ROW_DIFFERENT, 0, "/r/gamma", ROW_DIFFERENT)};
    const auto search = [&](std::vector<int> order, std::int64_t after, const char* text,
                            bool ignoreCase) {
        return ListSearch(rows, order, after, TextMatcher(text, ignoreCase), frame);
    };
    const std::vector<int> order = {0, 1, 2, 3};
    EXPECT_EQ(search(order, -1, "alpha", false), 0); // right list: the left name has a capital
    EXPECT_EQ(search(order, -1, "alpha", true), 0);
    EXPECT_EQ(search(order, 0, "BETA", false), 2);
    EXPECT_EQ(search(order, 2, "beta", true), -1);
    EXPECT_EQ(search(order, -1, "gamma", false), 3);
    EXPECT_EQ(search({3, 2, 1, 0}, -1, "beta", true), 1);
    EXPECT_EQ(search({3, 2, 1, 0}, 1, "beta", true), 2);
    EXPECT_EQ(frame.listHits, (std::vector<std::pair<int, std::int64_t>>{
                                  {2, 0}, {1, 0}, {2, 2}, {1, 3}, {2, 1}, {1, 2}}));
}

// What a damaged settings file may hold never gives a negative or endless
// column, and a narrow window still shows the names.
TEST(ListGeometry, ColumnWidthsAreHeldAndTheKeysMoveTheTopRow) {
    Geometry g;
    g.pathSize1 = -500;
    g.timeSize1 = 2'000'000'000;
    g.sizeSize1 = -3;
    const ListColumnWidths held = startColumnWidths(g, 1, 800);
    EXPECT_EQ(held.name, kDefaultNameMinimum);
    EXPECT_LE(held.date, 100000);
    EXPECT_EQ(held.size, 0);
    EXPECT_EQ(fillerWidth(800, held), 0);

    // 100 rows, 10 to a page: a revealed row becomes the top row where the
    // list is long enough.
    EXPECT_EQ(topRevealing(50, 70, 10, 100), 70);
    EXPECT_EQ(topRevealing(50, 20, 10, 100), 20);
    EXPECT_EQ(topRevealing(50, 95, 10, 100), 90);
    EXPECT_EQ(topRevealing(0, 3, 10, 5), 0);
    EXPECT_EQ(topAfterEnsureVisible(50, 75, 10, 100), 66);
    const std::pair<PaneKey, int> keys[] = {{PaneKey::PageDown, 30}, {PaneKey::PageUp, 10},
                                            {PaneKey::Down, 21},     {PaneKey::Home, 0},
                                            {PaneKey::End, 90},      {PaneKey::Left, 20}};
    for (const auto& [key, top] : keys)
        EXPECT_EQ(topAfterKey(key, 20, 10, 100), top) << static_cast<int>(key);
    EXPECT_EQ(topAfterKey(PaneKey::PageDown, 85, 10, 100), 90);
    EXPECT_EQ(topAfterKey(PaneKey::End, 0, 0, 3), 2); // a page of no rows counts as one
}

TEST(FilterLists, AddIgnoresEmptyAndCaseTwinsFileTypesRoundTripThroughTheSettings) {
    std::vector<std::string> patterns = {"*.c"};
    EXPECT_FALSE(addPattern(patterns, "*.C"));
    EXPECT_FALSE(addPattern(patterns, ""));
    EXPECT_TRUE(addPattern(patterns, "*.h"));
    EXPECT_FALSE(removeEntry(patterns, 2)); // nothing selected
    EXPECT_TRUE(removeEntry(patterns, 0));
    EXPECT_EQ(patterns, (std::vector<std::string>{"*.h"}));

    StringLists lists;
    lists.fileFilters = {"*.c", "*.h", "orphan"};
    lists.fileDescriptions = {"C", "Headers"};
    std::vector<FileType> types = fileTypesOf(lists);
    ASSERT_EQ(types.size(), 2u);
    EXPECT_EQ(fileTypeLine(types[1]), "Headers (*.h)");
    EXPECT_FALSE(addFileType(types, {"*.txt", ""}));
    EXPECT_FALSE(addFileType(types, {"", "Text"}));
    EXPECT_TRUE(addFileType(types, {"*.c", "C again"})); // a pattern may come twice
    storeFileTypes(lists, types);
    EXPECT_EQ(lists.fileFilters, (std::vector<std::string>{"*.c", "*.h", "*.c"}));
    EXPECT_EQ(lists.fileDescriptions, (std::vector<std::string>{"C", "Headers", "C again"}));

    // A destination choice a damaged file holds reads as "Other:".
    for (const int stored : {0, 1, 2, -7, 1 << 30})
        EXPECT_EQ(destinationChoiceOf(stored), stored == 0   ? kToDirectory1
                                               : stored == 1 ? kToDirectory2
                                                             : kToOther);
}

} // namespace
} // namespace tandel
