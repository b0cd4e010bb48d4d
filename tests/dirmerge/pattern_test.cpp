#include "dirmerge/dir_listing.h"
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

} // namespace
} // namespace tandel
