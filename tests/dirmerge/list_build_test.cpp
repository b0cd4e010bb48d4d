// The directory window's comparison list: how entries pair, what their rows
// say and what copies, merge runs and a cancelled build do to them.
#include "control/application.h"
#include "dirmerge/comparison_list.h"
#include "dirmerge/copy_path.h"
#include "dirmerge/directory_lists.h"
#include "dirmerge/directory_merge.h"
#include "dirmerge/directory_selection.h"
#include "dirmerge/file_equality.h"
#include "dirmerge/filter_lists.h"
#include "dirmerge/list_geometry.h"
#include "dirmerge/names.h"
#include "dirmerge/pattern.h"
#include "dirmerge/row_counts.h"
#include "dirmerge/row_kind.h"
#include "merge/driver_test_support.h"
#include "merge/save.h"
#include "support/failing_file_system.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <regex>
#include <sys/stat.h>
#include <unistd.h>

namespace tandel {
namespace {

using testing::FileOp;
using testing_support::readFile;
using testing_support::TempFolder;

struct Lists : ::testing::Test {
    TempFolder tree;
    std::string d1 = tree.mkdir("one");
    std::string d2 = tree.mkdir("two");
    DirectoryOperationState state;
    ScanFilters filters;
    testing::FailingFileSystem files;

    Lists() {
        filters.recursive = true;
        filters.files = &files;
    }
    BuildResult build(const std::string& dir2 = {}) {
        return buildComparisonList(state, d1, dir2.empty() ? d2 : dir2, tree.file("out/"), filters,
                                   {});
    }
    // "L:path-state R:path-state" with paths relative to the tree, one per row.
    std::vector<std::string> describe() const {
        std::vector<std::string> out;
        const auto rel = [&](const RowHalf& h) {
            return h.path.empty() ? std::string("-") : h.path.substr(tree.path().size() + 1);
        };
        for (const auto& r : state.rows)
            out.push_back(rel(r.left) + ":" + std::to_string(static_cast<int>(r.left.state)) + " " +
                          rel(r.right) + ":" + std::to_string(static_cast<int>(r.right.state)));
        return out;
    }
};

TEST_F(Lists, NamesPairByTheirBytesAndPairsByTheirContents) {
    const TempFolder::Entry entries[] = {
        {"one/Makefile", "all:\n", 1000}, {"one/makefile", "all:\n", 1000},
        {"two/makefile", "all:\n", 2000}, {"two/MAKEFILE", "all:\n", 2000},
        {"one/b.c", "x\n", 1000},         {"two/b.c", "y\n", 2000}};
    tree.writeAll(entries);
    ASSERT_EQ(build(), BuildResult::Finished);
    EXPECT_EQ(describe(),
              (std::vector<std::string>{"one/b.c:100 two/b.c:100", "-:8 two/MAKEFILE:100",
                                        "one/Makefile:100 -:8", "one/makefile:0 two/makefile:0"}));
    // The short date and time that fits the date column (the C locale's form).
    EXPECT_TRUE(std::regex_match(state.rows[0].left.dateText,
                                 std::regex(R"(\d\d/\d\d/\d\d \d\d:\d\d:\d\d)")));
    EXPECT_EQ(state.rows[0].left.modificationTime, 1000);
    EXPECT_FALSE(state.comparing);
}

// Equal stamps prove two files equal only when the user chose to trust them.
TEST_F(Lists, OnlyTheBytesMakeTwoFilesEqualUnlessStampsAreTrusted) {
    const std::string a = tree.write("eq/a", "left 1", 7000);
    const std::string b = tree.write("eq/b", "rite 1", 7000);
    const std::string c = tree.write("eq/c", "left 1", 8000);
    const std::string longer = tree.write("eq/d", "longer!", 7000);
    const DirListing listed = listDirectory(tree.file("eq"), ScanFilters{});
    ASSERT_EQ(listed.count(), 4u);
    DirEntry ea = listed.entries[0];
    DirEntry eb = listed.entries[1];
    eb.creationTime = ea.creationTime; // as if made in the same tick
    const auto verdict = [&](const DirEntry& y, const std::string& py, bool trust) {
        return comparePair(files, ea, a, y, py, trust).sameness;
    };
    EXPECT_EQ(verdict(eb, b, false), Sameness::Different);
    EXPECT_EQ(verdict(eb, b, true), Sameness::Equal); // unread
    EXPECT_EQ(verdict(listed.entries[2], c, false), Sameness::Equal);

    // A size that differs needs no read; equal sizes that cannot be read say why.
    files.fail(FileOp::Read, "", EACCES);
    EXPECT_EQ(verdict(listed.entries[3], longer, false), Sameness::Different);
    const PairVerdict unread = comparePair(files, ea, a, listed.entries[2], c, false);
    EXPECT_EQ(unread.sameness, Sameness::Unreadable);
    EXPECT_EQ(unread.left.reason(), "Permission denied");
}

TEST_F(Lists, OneSidedSubtreesAFileAgainstADirectoryAndAMissingDirectory) {
    const TempFolder::Entry entries[] = {
        {"one/name", "a file\n"},    {"two/name/z.txt", "z\n"}, {"two/name/deep/a.txt", "a\n"},
        {"one/only/x/y.txt", "y\n"}, {"one/only/b.txt", "b\n"}, {"one/sub/s.txt", "s\n", 5},
        {"two/sub/s.txt", "s\n", 5}};
    tree.writeAll(entries);
    build();
    EXPECT_EQ(describe(), (std::vector<std::string>{
                              "one/name:100 -:8", "-:8 two/name/deep/a.txt:100",
                              "-:8 two/name/z.txt:100", "one/only/b.txt:100 -:8",
                              "one/only/x/y.txt:100 -:8", "one/sub/s.txt:0 two/sub/s.txt:0"}));
    // Without subdirectories only the files at the top are listed; a missing
    // directory is an empty one.
    filters.recursive = false;
    build();
    EXPECT_EQ(describe(), (std::vector<std::string>{"one/name:100 -:8"}));
    EXPECT_EQ(build(tree.file("nowhere")), BuildResult::Finished);
    EXPECT_EQ(describe(), (std::vector<std::string>{"one/name:100 -:8"}));
}

TEST_F(Lists, WhatCannotBeReadIsOneRowThatSaysWhy) {
    const TempFolder::Entry entries[] = {
        {"one/locked/a.txt", "a\n"},          {"two/locked/a.txt", "a\n"},
        {"two/locked/only-right.txt", "r\n"}, {"one/lone/b.txt", "b\n"},
        {"one/pair.txt", "same\n"},           {"two/pair.txt", "same\n"}};
    tree.writeAll(entries);
    ASSERT_EQ(::symlink("pair.txt", tree.file("two/link").c_str()), 0);
    files.fail(FileOp::List, "one/locked", EACCES);
    files.fail(FileOp::List, "one/lone", EACCES);
    files.fail(FileOp::Read, "two/pair.txt", EIO);
    files.fail(FileOp::ReadLink, "two/link", EIO);
    build();
    EXPECT_EQ(describe(),
              (std::vector<std::string>{"-:8 two/link:2", "one/locked:2 two/locked:2",
                                        "one/lone:2 -:8", "one/pair.txt:2 two/pair.txt:2"}));
    state.rows.erase(state.rows.begin());
    const ComparisonRow& locked = state.rows[0];
    EXPECT_EQ(locked.left.problem, "Permission denied");
    EXPECT_EQ(locked.left.dateText, "Cannot read: Permission denied");
    EXPECT_EQ(locked.right.problem, "");
    EXPECT_EQ(state.rows[2].right.dateText, "Cannot read: Input/output error");

    // A top directory that cannot be listed hides the other side's entries too.
    files.fail(FileOp::List, d1, EACCES);
    build();
    EXPECT_EQ(describe(), (std::vector<std::string>{"one:2 two:2"}));
    EXPECT_EQ(state.rows[0].left.dateText, "Cannot read: Permission denied");
}

std::string linkText(const std::string& path) {
    return std::filesystem::read_symlink(path).string();
}

// A pipe is never opened; a link is the text it holds, never followed.
TEST_F(Lists, PipesAndLinksAreNeitherOpenedNorFollowed) {
    ASSERT_EQ(::mkfifo(tree.file("one/pipe").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo(tree.file("two/pipe").c_str(), 0600), 0);
    const TempFolder::Entry entries[] = {
        {"one/target", "t\n"}, {"two/target", "t\n"}, {"two/mixed", "t\n"}};
    tree.writeAll(entries);
    // A loop that a recursive scan following links would never leave.
    const std::pair<const char*, const char*> links[] = {
        {".", "one/loop"},          {".", "two/loop"},        {"target", "one/same"},
        {"target", "two/same"},     {"gone", "one/dangling"}, {"target", "one/moved"},
        {"elsewhere", "two/moved"}, {"target", "one/mixed"}};
    for (const auto& [target, name] : links)
        ASSERT_EQ(::symlink(target, tree.file(name).c_str()), 0);
    ASSERT_EQ(build(), BuildResult::Finished);
    EXPECT_EQ(describe(),
              (std::vector<std::string>{"one/dangling:100 -:8", "one/loop:0 two/loop:0",
                                        "one/mixed:100 two/mixed:100",
                                        "one/moved:100 two/moved:100", "one/pipe:100 two/pipe:100",
                                        "one/same:0 two/same:0", "one/target:0 two/target:0"}));
    EXPECT_TRUE(state.rows[0].left.isLink);
    EXPECT_EQ(state.rows[0].left.linkTarget, "gone");
    EXPECT_NE(state.rows[0].left.dateText, ""); // the link's own time
    EXPECT_NE(state.rows[4].left.dateText, "");
    EXPECT_FALSE(startsMergeRun(state.rows[2]));
    EXPECT_FALSE(startsMergeRun(state.rows[4]));

    // Links are copied as links, an older one kept as a backup; pipes not at all.
    test::FakeFrame frame;
    ToAllAnswers answers;
    CopyServices services{frame, answers, {}};
    int replace = kYesToAll;
    EXPECT_EQ(copyPath(services, d1, tree.file("out"), replace), CopyResult::Failed);
    EXPECT_EQ(
        frame.shown(Severity::Error),
        std::vector<std::string>{"Can not copy " + tree.file("one/pipe") + ": not a regular file"});
    EXPECT_FALSE(std::filesystem::exists(tree.file("out/pipe")));
    EXPECT_EQ(linkText(tree.file("out/dangling")), "gone");
    EXPECT_EQ(linkText(tree.file("out/loop")), ".");
    EXPECT_EQ(linkText(tree.file("out/moved")), "target");
    services.makeBackup = [](const std::string& p) { return makeBackupFile(realFileSystem(), p); };
    EXPECT_EQ(copyPath(services, d2 + "/moved", tree.file("out/moved"), replace), CopyResult::Done);
    EXPECT_EQ(linkText(tree.file("out/moved")), "elsewhere");
    EXPECT_EQ(linkText(tree.file("out/moved.bak")), "target");
}

struct Rows : ::testing::Test {
    TempFolder tree;
    test::FakeFrame frame;
    Application app{frame};
    std::vector<std::vector<std::string>> started;
    DirectoryMerge dirs{app, "/opt/tandel",
                        [this](const std::vector<std::string>& a) { started.push_back(a); }};
    std::string d1 = tree.mkdir("one");
    std::string d2 = tree.mkdir("two");
    std::string out = tree.file("out");
    testing::FailingFileSystem files;

    Rows() {
        app.settings.record.recursive = 1;
        app.model.files = &files;
    }
    BuildResult build(const std::string& destination, const BuildProgress& progress = {}) {
        return dirs.buildList(d1, d2, destination, progress);
    }
    std::vector<std::string> markers(int half) const {
        std::vector<std::string> shown;
        for (const ComparisonRow& row : dirs.state.rows)
            shown.push_back(markerText(row, half));
        return shown;
    }
};

// Pairs are judged by their bytes, whatever the panes would ignore.
TEST_F(Rows, ListBuildComparesBytesAndStartsMergeRuns) {
    const TempFolder::Entry entries[] = {
        {"one/same.txt", "a\nb\n", 100},   {"two/same.txt", "a\nb\n", 200},
        {"one/diff.txt", "a\nb\n", 100},   {"two/diff.txt", "a\nc\n", 200},
        {"one/notes.c", "x /*a*/\n", 100}, {"two/notes.c", "x /*b*/\n", 200},
        {"one/blanks", "a b\n", 100},      {"two/blanks", "ab\n", 200},
        {"one/skip.o", "obj", 100}};
    tree.writeAll(entries);
    app.settings.lists.excludeFilters = {"*.o"};
    app.compare.ignoreComments = 1;
    app.compare.comments = {{"/*", "*/"}};
    app.settings.record.ignoreAllSpaces = 1;
    ASSERT_EQ(build(out), BuildResult::Finished);
    EXPECT_EQ(markers(0), (std::vector<std::string>{"differs", "differs", "differs", "same"}));
    EXPECT_EQ(app.settings.record.directoryWalk, 0);
    EXPECT_TRUE(frame.messages.empty());
    app.settings.record.directoryDiffsOnly = 1;
    EXPECT_EQ(dirs.shownRows(), (std::vector<int>{0, 1, 2}));

    EXPECT_EQ(dirs.activateRow(3, d1, out),
              DirectoryMerge::MergeRunStart::NotStarted); // equal pair: nothing
    EXPECT_EQ(dirs.activateRow(0, d1, out), DirectoryMerge::MergeRunStart::Started);
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].back(), out);
}

// A destination below a directory would be scanned as part of it.
// (What the refusal says: copy_test.cpp.)
TEST_F(Rows, ListBuildRefusesADestinationInsideADirectory) {
    tree.write("one/a.txt", "a\n");
    EXPECT_EQ(build(d2 + "/merged"), BuildResult::Failed);
    EXPECT_TRUE(dirs.state.rows.empty());
    EXPECT_EQ(frame.shown(Severity::Error).size(), 1u);
}

// Copy to Destination into Directory 2 makes only the copied rows the same.
TEST_F(Rows, MarkersCountsAndACopyIntoADirectory) {
    const TempFolder::Entry entries[] = {
        {"one/a.txt", "same\n"},  {"two/a.txt", "same\n"},     {"one/b.txt", "left\n"},
        {"two/b.txt", "right\n"}, {"one/s/c.txt", "longer\n"}, {"two/d.txt", "r\n"},
        {"one/e.txt", "e1\n"},    {"two/e.txt", "e2\n"},       {"one/f.txt", "f\n"}};
    tree.writeAll(entries);
    files.fail(FileOp::Read, "/e.txt", EACCES);
    ASSERT_EQ(build(out), BuildResult::Finished);
    EXPECT_EQ(markers(0), (std::vector<std::string>{"same", "differs", "absent", "unreadable",
                                                    "only here", "only here"}));
    EXPECT_EQ(markers(1), (std::vector<std::string>{"same", "differs", "only here", "unreadable",
                                                    "absent", "absent"}));
    EXPECT_EQ(markerTip(dirs.state.rows[5], 1), "Only in Directory 1");
    EXPECT_EQ(countsLine(dirs.counts()),
              "1 equal \u00b7 1 differ \u00b7 2 only left \u00b7 1 only right \u00b7 1 unreadable");
    EXPECT_EQ(relativeName(dirs.state.rows[5].left.path, d1), "s/c.txt");
    EXPECT_EQ(relativeName(d2 + "/d.txt", d1), d2 + "/d.txt");
    EXPECT_EQ(relativeName(d1, d1), d1);
    // Largest first, a half that is absent last; a second click turns it round.
    std::vector<int> shown = dirs.shownRows();
    dirs.sort.click(kSizeColumn);
    sortRows(shown, dirs.state.rows, 0, dirs.sort);
    EXPECT_EQ(shown, (std::vector<int>{5, 0, 1, 3, 4, 2}));
    dirs.sort.click(kSizeColumn);
    sortRows(shown, dirs.state.rows, 0, dirs.sort);
    EXPECT_EQ(shown.front(), 2);

    files.fail(FileOp::Write, "two/f.txt", ENOSPC);
    const OperationCount count = dirs.copyToDestination(1, {1, 2, 4, 5}, d2);
    EXPECT_EQ(count.copySummary(), "1 copied, 2 skipped, 1 failed");
    EXPECT_EQ(readFile(d2 + "/s/c.txt"), "longer\n");
    EXPECT_EQ(markers(0), (std::vector<std::string>{"same", "differs", "absent", "unreadable",
                                                    "only here", "copied"}));
    const ComparisonRow& row = dirs.state.rows[5];
    EXPECT_EQ(rowKind(row), RowKind::Equal);
    EXPECT_EQ(markerText(row, 1), "same");
    EXPECT_EQ(markerTip(row, 0), "The same in both directories; copied to the destination");
    EXPECT_EQ(dirs.lastCopyReport(), "Copy to Destination: 1 copied, 2 skipped, 1 failed");
    EXPECT_EQ(frame.messages.back(), std::make_pair(Severity::Warning, dirs.lastCopyReport()));
    EXPECT_EQ(dirs.counts(), (RowCounts{2, 1, 1, 1, 1, 0}));
}

TEST_F(Rows, AMergeRunsResultMarksItsRowWhenTheWindowComesBack) {
    const TempFolder::Entry entries[] = {{"one/p.txt", "left\n", 100},
                                         {"two/p.txt", "right\n", 200},
                                         {"one/q.txt", "left\n", 100},
                                         {"two/q.txt", "right\n", 200}};
    tree.writeAll(entries);
    ASSERT_EQ(build(d1), BuildResult::Finished);
    ASSERT_EQ(dirs.activateRow(0, d1, d1), DirectoryMerge::MergeRunStart::Started);
    ASSERT_EQ(dirs.activateRow(1, d1, d1), DirectoryMerge::MergeRunStart::Started);
    ASSERT_EQ(started.size(), 2u);
    EXPECT_FALSE(dirs.recheckMergeRuns()); // nothing saved yet
    // The run saved into Directory 1 itself, taking the right side.
    tree.write("one/p.txt", "right\n", 300);
    EXPECT_TRUE(dirs.recheckMergeRuns());
    EXPECT_EQ(markerText(dirs.state.rows[0], 0), "merged");
    EXPECT_EQ(rowKind(dirs.state.rows[0]), RowKind::Equal);
    EXPECT_FALSE(dirs.recheckMergeRuns());           // told once
    std::filesystem::remove(tree.file("two/q.txt")); // gone meanwhile
    tree.write("one/q.txt", "merged\n", 400);
    EXPECT_TRUE(dirs.recheckMergeRuns());
    EXPECT_EQ(rowKind(dirs.state.rows[1]), RowKind::LeftOnly);
}

TEST_F(Rows, ACancelledBuildKeepsItsRowsMarksTheListIncompleteAndThePairsUnread) {
    for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt"}) {
        tree.write(std::string("one/") + name, "x\n");
        tree.write(std::string("two/") + name, "x\n");
    }
    std::vector<std::string> seen;
    ASSERT_EQ(build(out,
                    [&seen](const std::string& current) {
                        seen.push_back(current);
                        return seen.size() < 3;
                    }),
              BuildResult::Cancelled);
    EXPECT_EQ(seen.front(), d1 + "/b.txt");
    EXPECT_TRUE(dirs.state.listIncomplete);
    EXPECT_FALSE(dirs.state.comparing);
    ASSERT_EQ(dirs.state.rows.size(), 3u);
    EXPECT_EQ(markerText(dirs.state.rows[0], 0), "not compared");
    EXPECT_EQ(dirs.counts().notCompared, 3);
    EXPECT_NE(countsLine(dirs.counts()).find(" 3 not compared"), std::string::npos);
    ASSERT_EQ(build(out), BuildResult::Finished);
    EXPECT_FALSE(dirs.state.listIncomplete);
    EXPECT_EQ(dirs.counts().equal, 4);
}

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

// From the current row, or else from the top row (which Next may reach), round.
TEST(DirectoryLists, NextAndPreviousWrap) {
    std::vector<ComparisonRow> rows(5); // rows 1, 2 and 4 are not equal
    for (int i = 0; i < 5; ++i)
        rows[static_cast<std::size_t>(i)].left.state =
            i == 0 || i == 3 ? RowState::Same : RowState::Different;
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

TEST(ListGeometry, ARowIsRevealedWithAPageBelowIt) {
    EXPECT_EQ(topRevealing(0, 5, 10, 100), 5);
    EXPECT_EQ(topRevealing(0, 95, 10, 100), 90);
    EXPECT_EQ(topRevealing(50, 52, 10, 100), 52);
    EXPECT_EQ(topAfterKey(PaneKey::End, 0, 1, 10), 9);
    EXPECT_EQ(topAfterEnsureVisible(0, 5, 0, 100), 5); // no room for a whole row
}

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
    for (const auto& [stored, choice] : {std::pair{0, kToDirectory1},
                                         {1, kToDirectory2},
                                         {2, kToOther},
                                         {-7, kToOther}}) // -7: a damaged file
        EXPECT_EQ(destinationChoiceOf(stored), choice) << stored;
}

} // namespace
} // namespace tandel
