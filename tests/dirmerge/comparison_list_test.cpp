#include "dirmerge/comparison_list.h"
#include "dirmerge/directory_lists.h"
#include "dirmerge/file_equality.h"
#include "merge/driver_test_support.h"
#include "support/failing_file_system.h"

#include <gtest/gtest.h>
#include <cerrno>
#include <regex>

namespace tandel {
namespace {

using testing_support::readFile;
using testing_support::TempFolder;

struct Lists {
    TempFolder tree;
    std::string d1 = tree.mkdir("one");
    std::string d2 = tree.mkdir("two");
    DirectoryOperationState state;
    ScanFilters filters;

    int build(bool recursive = true) {
        filters.recursive = recursive;
        return buildComparisonList(state, d1, d2, tree.file("out/"), filters, {});
    }
    // "L:path-state R:path-state" with paths relative to the tree, one per row.
    std::vector<std::string> describe() const {
        std::vector<std::string> out;
        const auto rel = [&](const RowHalf& h) {
            return h.path.empty() ? std::string("-") : h.path.substr(tree.path().size() + 1);
        };
        for (const auto& r : state.rows)
            out.push_back(rel(r.left) + ":" + std::to_string(r.left.state) + " " + rel(r.right) +
                          ":" + std::to_string(r.right.state));
        return out;
    }
};

TEST(ComparisonList, NamesPairByTheirBytesAndPairsByTheirContents) {
    Lists l;
    l.tree.write("one/Makefile", "all:\n", 1000);
    l.tree.write("one/makefile", "all:\n", 1000);
    l.tree.write("two/makefile", "all:\n", 2000);
    l.tree.write("two/MAKEFILE", "all:\n", 2000);
    l.tree.write("one/b.c", "x\n", 1000);
    l.tree.write("two/b.c", "y\n", 2000);
    // Blanks are bytes too: whatever the comparison options say, these differ.
    l.tree.write("one/d", "a b\n", 1000);
    l.tree.write("two/d", "ab\n", 2000);
    l.build();
    EXPECT_EQ(l.describe(), (std::vector<std::string>{
                                "one/b.c:100 two/b.c:100",
                                "one/d:100 two/d:100",
                                "-:8 two/MAKEFILE:100",
                                "one/Makefile:100 -:8",
                                "one/makefile:0 two/makefile:0",
                            }));
    // The short date and time that fits the date column (the C locale's form).
    EXPECT_TRUE(std::regex_match(l.state.rows[0].left.dateText,
                                 std::regex(R"(\d\d/\d\d/\d\d \d\d:\d\d:\d\d)")));
    EXPECT_EQ(l.state.rows[0].left.modificationTime, 1000);
}

// Stamps collide wherever the clock is coarser than the writes (many files
// written within one tick, a copy that kept them, a clock set back): they
// prove two files equal only when the user chose to trust them.
TEST(PairEquality, OnlyTheBytesMakeTwoFilesEqualUnlessStampsAreTrusted) {
    TempFolder tree;
    testing::FailingFileSystem files;
    const std::string a = tree.write("a", "left 1", 7000);
    const std::string b = tree.write("b", "rite 1", 7000);
    const std::string c = tree.write("c", "left 1", 8000);
    const std::string longer = tree.write("d", "longer!", 7000);
    ScanFilters flat;
    const DirListing listed = listDirectory(tree.path(), flat);
    ASSERT_EQ(listed.count(), 4u);
    DirEntry ea = listed.entries[0];
    DirEntry eb = listed.entries[1];
    eb.creationTime = ea.creationTime; // as if made in the same tick
    const auto verdict = [&](const DirEntry& x, const std::string& px, const DirEntry& y,
                             const std::string& py, bool trust) {
        return comparePair(files, x, px, y, py, trust).sameness;
    };
    EXPECT_EQ(verdict(ea, a, eb, b, false), Sameness::Different);
    EXPECT_EQ(verdict(ea, a, eb, b, true), Sameness::Equal); // unread
    EXPECT_EQ(verdict(ea, a, listed.entries[2], c, false), Sameness::Equal);

    // A size that differs needs no read; equal sizes that cannot be read say why.
    files.fail(testing::FileOp::Read, "", EACCES);
    EXPECT_EQ(verdict(ea, a, listed.entries[3], longer, false), Sameness::Different);
    const PairVerdict unread = comparePair(files, ea, a, listed.entries[2], c, false);
    EXPECT_EQ(unread.sameness, Sameness::Unreadable);
    EXPECT_EQ(unread.left.reason(), "Permission denied");
}

TEST(ComparisonList, OneSidedSubtreesAndFileAgainstDirectory) {
    Lists l;
    l.tree.write("one/name", "a file\n");
    l.tree.write("two/name/z.txt", "z\n");
    l.tree.write("two/name/deep/a.txt", "a\n");
    l.tree.write("one/only/x/y.txt", "y\n");
    l.tree.write("one/only/b.txt", "b\n");
    l.tree.write("one/sub/s.txt", "s\n", 5);
    l.tree.write("two/sub/s.txt", "s\n", 5);
    l.build();
    EXPECT_EQ(l.describe(), (std::vector<std::string>{
                                "one/name:100 -:8", "-:8 two/name/deep/a.txt:100",
                                "-:8 two/name/z.txt:100", "one/only/b.txt:100 -:8",
                                "one/only/x/y.txt:100 -:8", "one/sub/s.txt:0 two/sub/s.txt:0"}));

    Lists flat;
    flat.tree.write("one/name", "a file\n");
    flat.tree.write("two/name/z.txt", "z\n");
    flat.tree.write("one/top.txt", "t\n");
    flat.build(false);
    EXPECT_EQ(flat.describe(),
              (std::vector<std::string>{"one/name:100 -:8", "one/top.txt:100 -:8"}));
}

TEST(ComparisonList, EmptyOrMissingDirectories) {
    Lists l;
    EXPECT_EQ(l.build(), kBuildFinished);
    EXPECT_TRUE(l.state.rows.empty());
    EXPECT_FALSE(l.state.comparing);

    l.tree.write("one/a", "x\n", 1);
    buildComparisonList(l.state, l.d1, l.tree.file("nowhere"), "", l.filters, {});
    EXPECT_EQ(l.describe(), (std::vector<std::string>{"one/a:100 -:8"}));
}

// The system refuses these to an ordinary user; the fake file layer refuses
// them to root as well.
TEST(ComparisonList, WhatCannotBeReadIsOneRowThatSaysWhy) {
    Lists l;
    testing::FailingFileSystem files;
    l.filters.files = &files;
    l.tree.write("one/locked/a.txt", "a\n");
    l.tree.write("two/locked/a.txt", "a\n");
    l.tree.write("two/locked/only-right.txt", "r\n");
    l.tree.write("one/lone/b.txt", "b\n");
    l.tree.write("one/pair.txt", "same\n");
    l.tree.write("two/pair.txt", "same\n");
    files.fail(testing::FileOp::List, "one/locked", EACCES);
    files.fail(testing::FileOp::List, "one/lone", EACCES);
    files.fail(testing::FileOp::Read, "two/pair.txt", EIO);
    l.build();
    EXPECT_EQ(l.describe(), (std::vector<std::string>{"one/locked:2 two/locked:2",
                                                      "one/lone:2 -:8",
                                                      "one/pair.txt:2 two/pair.txt:2"}));
    const ComparisonRow& locked = l.state.rows[0];
    EXPECT_EQ(locked.left.problem, "Permission denied");
    EXPECT_EQ(locked.left.dateText, "Cannot read: Permission denied");
    EXPECT_EQ(locked.right.problem, "");
    EXPECT_EQ(l.state.rows[2].right.dateText, "Cannot read: Input/output error");

    // A top directory that cannot be listed hides the other side's entries too.
    files.fail(testing::FileOp::List, l.d1, EACCES);
    l.build();
    EXPECT_EQ(l.describe(), (std::vector<std::string>{"one:2 two:2"}));
    EXPECT_EQ(l.state.rows[0].left.dateText, "Cannot read: Permission denied");
}

TEST(ComparisonList, CancelKeepsTheRowsFoundSoFar) {
    Lists l;
    for (char c = 'a'; c <= 'e'; ++c)
        l.tree.write(std::string("one/") + c, "x\n");
    std::vector<std::string> seen;
    ScanFilters f;
    const int r = buildComparisonList(l.state, l.d1, l.d2, "", f,
                                      [&](const std::string& current) {
                                          seen.push_back(current);
                                          return seen.size() < 2;
                                      });
    EXPECT_EQ(r, kBuildCancelled);
    EXPECT_EQ(l.state.rows.size(), 2u);
    EXPECT_EQ(seen.front(), l.d1 + "/b"); // the entry the next step stands on
    EXPECT_FALSE(l.state.comparing);
}

std::vector<ComparisonRow> sampleRows() {
    // same, absent-left, different, same, different
    auto row = [](const char* l, RowState ls, std::int64_t lt, const char* r, RowState rs) {
        ComparisonRow c;
        c.left = {l, "", lt, ls, true};
        c.right = {r, "", 0, rs, true};
        return c;
    };
    return {row("/a/B", ROW_SAME, 30, "/b/B", ROW_SAME),
            row("", ROW_ABSENT, 0, "/b/c", ROW_DIFFERENT),
            row("/a/d", ROW_DIFFERENT, 10, "/b/d", ROW_DIFFERENT),
            row("/a/a", ROW_SAME, 20, "/b/a", ROW_SAME),
            row("/a/e", ROW_DIFFERENT, 40, "", ROW_ABSENT)};
}

TEST(DirectoryLists, VisibilitySortAndNavigation) {
    const auto rows = sampleRows();
    EXPECT_EQ(visibleRows(rows, false), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(visibleRows(rows, true), (std::vector<int>{1, 2, 4}));
    EXPECT_FALSE(startsMergeRun(rows[0]));
    EXPECT_FALSE(startsMergeRun(rows[1]));
    EXPECT_TRUE(startsMergeRun(rows[2]));

    ListSort sort;
    std::vector<int> shown = {0, 2, 3, 4};
    const std::vector<std::vector<int>> orders = {
        {4, 2, 0, 3}, // the first click on "Name" turns the initial order round
        {4, 0, 3, 2}, // newest first
        {2, 3, 0, 4}, // oldest first
    };
    for (std::size_t i = 0; i < orders.size(); ++i) {
        sort.click(i == 0 ? 0 : 1);
        sortRows(shown, rows, 0, sort);
        EXPECT_EQ(shown, orders[i]) << i;
    }

    const std::vector<int> all = {0, 1, 2, 3, 4};
    EXPECT_EQ(findNextRow(all, rows, 0), 1);
    EXPECT_EQ(findNextRow(all, rows, 2), 4);
    EXPECT_EQ(findNextRow(all, rows, 4), 1); // wraps to the top
    EXPECT_EQ(findPreviousRow(all, rows, 4), 2);
    EXPECT_EQ(findPreviousRow(all, rows, 2), 4);   // nothing at 0: wraps from the end
    EXPECT_EQ(findNextRow({1, 0, 3}, rows, 1), 0); // the only non-equal row is above
    EXPECT_EQ(findNextRow({}, rows, 0), -1);
    EXPECT_EQ(findPreviousRow({0, 3}, rows, 1), -1);
}

} // namespace
} // namespace tandel
