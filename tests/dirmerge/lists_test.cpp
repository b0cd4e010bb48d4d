// What the directory window does with its rows without a widget: names and
// patterns, Next and Previous, the stored column widths and file types.
#include "dirmerge/directory_lists.h"
#include "dirmerge/directory_selection.h"
#include "dirmerge/filter_lists.h"
#include "dirmerge/list_geometry.h"
#include "dirmerge/names.h"
#include "dirmerge/pattern.h"

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

// Next and Previous go from the current row, or without one from the top row
// (which Next may reach itself), and wrap round.
TEST(DirectoryLists, NextAndPreviousWrap) {
    std::vector<ComparisonRow> rows(5); // rows 1, 2 and 4 are not equal
    for (int i = 0; i < 5; ++i)
        rows[static_cast<std::size_t>(i)].left.state = i == 0 || i == 3 ? ROW_SAME : ROW_DIFFERENT;
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
        EXPECT_EQ(adjacentUnequalRow(c.shown, rows, c.current, c.top, c.forward), c.found)
            << c.current << " " << c.top << " " << c.forward;
}

// What a damaged settings file may hold never gives a negative or endless
// column, and a narrow window still shows the names.
TEST(ListGeometry, DamagedColumnWidthsAreHeld) {
    Geometry g;
    g.pathSize1 = -500;
    g.timeSize1 = 2'000'000'000;
    g.sizeSize1 = -3;
    const ListColumnWidths held = startColumnWidths(g, 1, 800);
    EXPECT_EQ(held.name, kDefaultNameMinimum);
    EXPECT_LE(held.date, 100000);
    EXPECT_EQ(held.size, 0);
    EXPECT_EQ(fillerWidth(800, held), 0);
}

// The settings keep file types as two lists of one length: a pattern left
// without a description is dropped, and storing replaces both lists.
TEST(FilterLists, FileTypesRoundTripThroughTheSettings) {
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
