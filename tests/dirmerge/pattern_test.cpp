#include "dirmerge/dir_listing.h"
#include "dirmerge/names.h"
#include "dirmerge/pattern.h"

#include <gtest/gtest.h>

namespace tandel {
namespace {

struct Case {
    const char* pattern;
    const char* name;
    bool matches;
};

TEST(Pattern, WildcardsSetsNegationAndCase) {
    const Case cases[] = {
        {"*.c", "MAIN.C", true},
        {"*.c", "a.c", true},
        {"*.c", "a.cpp", false},
        {"*", "", true},
        {"a*b*c", "aXbYbZc", true},
        {"a*b*c", "aXbYc!", false},
        {"*x*", "abc", false},
        {"?", "", false},
        {"??", "ab", true},
        {"??", "abc", false},
        {"^*.obj", "main.obj", false},
        {"^*.obj", "main.c", true},
        {"[a-c]*", "apple", true},
        {"[a-c]*", "cat", true},
        {"[a-c]*", "Apple", false}, // sets compare exactly
        {"[^a-c]*", "dog", true},
        {"[^a-c]*", "apple", false},
        {"[-x]", "-", true},
        {"[x-]", "-", true},
        {"[x-]", "y", false},
        {"[]a", "a", false}, // "[]" is an empty set, not a "]"
        {"[^]a", "za", true},
        {"[ab", "a", false}, // unclosed: no match
        {"^[ab", "anything", true},
        {"abc", "ab", false}, // only the whole name counts
        {"ab", "abc", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(matchPattern(c.name, c.pattern), c.matches)
            << "pattern " << c.pattern << " name " << c.name;
}

TEST(Pattern, ManyStarsStayFast) {
    const std::string name(5000, 'a');
    EXPECT_FALSE(matchPattern(name, "*a*a*a*a*a*a*a*a*a*a*b"));
    EXPECT_TRUE(matchPattern(name + "b", "*a*a*a*a*a*a*a*a*a*a*b"));
}

TEST(Filters, ExcludeWinsThenIncludeDecides) {
    ScanFilters f;
    f.include = {"*.c"};
    f.exclude = {"test*"};
    EXPECT_FALSE(passesFilters("test1.c", f));
    EXPECT_TRUE(passesFilters("main.c", f));
    EXPECT_FALSE(passesFilters("main.h", f));

    ScanFilters onlyText;
    onlyText.exclude = {"^*.txt"};
    EXPECT_TRUE(passesFilters("notes.TXT", onlyText));
    EXPECT_FALSE(passesFilters("notes.md", onlyText));
}

TEST(Names, FoldsLettersOnlyAndComparesBytes) {
    EXPECT_EQ(compareNames("Readme.TXT", "README.txt"), 0);
    EXPECT_LT(compareNames("_x", "a"), 0); // "_" (95) before letters once folded
    EXPECT_LT(compareNames("9", "a"), 0);
    EXPECT_LT(compareNames("ab", "abc"), 0);
    EXPECT_LT(compareNames("z", "\xc3\xa9"), 0); // bytes above 127 sort last
    EXPECT_EQ(joinPath("/a/", "/b"), "/a/b");
    EXPECT_EQ(joinPath("/a", "b"), "/a/b");
}

} // namespace
} // namespace tandel
