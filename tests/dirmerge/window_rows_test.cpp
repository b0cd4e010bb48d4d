// The directory window's rows as the core keeps them: what each marker and
// the counts line say, sorting by size, Next and Previous, and what Copy to
// Destination, a merge run and a cancelled scan do to the rows.
#include "control/application.h"
#include "dirmerge/directory_merge.h"
#include "dirmerge/row_counts.h"
#include "dirmerge/row_kind.h"
#include "merge/driver_test_support.h"
#include "support/failing_file_system.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace tandel {
namespace {

using testing_support::readFile;
using testing_support::TempFolder;

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

    Rows() { app.settings.record.recursive = 1; }
    int build(const std::string& destination, const BuildProgress& progress = {}) {
        return dirs.buildList(d1, d2, destination, progress);
    }
    std::vector<std::string> markers(int half) const {
        std::vector<std::string> shown;
        for (const ComparisonRow& row : dirs.state.rows)
            shown.push_back(markerText(row, half));
        return shown;
    }
    int rowOf(const std::string& relative) const {
        for (std::size_t i = 0; i < dirs.state.rows.size(); ++i) {
            const ComparisonRow& row = dirs.state.rows[i];
            if (row.left.path == d1 + "/" + relative || row.right.path == d2 + "/" + relative)
                return static_cast<int>(i);
        }
        return -1;
    }
};

TEST_F(Rows, MarkersTellOneSidedFromDifferingAndTheCountsAddThemUp) {
    testing::FailingFileSystem files;
    app.model.files = &files;
    tree.write("one/a.txt", "same\n");
    tree.write("two/a.txt", "same\n");
    tree.write("one/b.txt", "left\n");
    tree.write("two/b.txt", "right\n");
    tree.write("one/sub/c.txt", "only on the left\n");
    tree.write("two/d.txt", "r\n");
    tree.write("one/e.txt", "e1\n");
    tree.write("two/e.txt", "e2\n");
    files.fail(testing::FileOp::Read, "/e.txt", EACCES);
    ASSERT_EQ(build(out), kBuildFinished);
    EXPECT_EQ(markers(0), (std::vector<std::string>{"same", "differs", "absent", "unreadable",
                                                    "only here"}));
    EXPECT_EQ(markers(1), (std::vector<std::string>{"same", "differs", "only here", "unreadable",
                                                    "absent"}));
    EXPECT_EQ(markerTip(dirs.state.rows[4], 1), "Only in Directory 1");
    EXPECT_EQ(countsLine(dirs.counts()),
              "1 equal \u00b7 1 differ \u00b7 1 only left \u00b7 1 only right \u00b7 1 unreadable");

    // The Name column: below its own directory; anything else whole.
    EXPECT_EQ(relativeName(dirs.state.rows[4].left.path, d1), "sub/c.txt");
    EXPECT_EQ(relativeName(d1, d1), d1);
    EXPECT_EQ(relativeName(d2 + "/d.txt", d1), d2 + "/d.txt");

    // Largest first, a half that is absent last; a second click turns it round.
    std::vector<int> shown = dirs.shownRows();
    dirs.sort.click(kSizeColumn);
    sortRows(shown, dirs.state.rows, 0, dirs.sort);
    EXPECT_EQ(shown, (std::vector<int>{4, 0, 1, 3, 2}));
    dirs.sort.click(kSizeColumn);
    sortRows(shown, dirs.state.rows, 0, dirs.sort);
    EXPECT_EQ(shown.front(), 2);
}

TEST_F(Rows, NextAndPreviousGoFromTheCurrentRowOrTheTopRowAndWrap) {
    std::vector<ComparisonRow> rows(6);
    for (ComparisonRow& row : rows)
        row.left.state = row.right.state = ROW_SAME;
    rows[0].left.state = rows[3].left.state = ROW_DIFFERENT;
    const std::vector<int> shown = {0, 1, 2, 3, 4, 5};
    EXPECT_EQ(adjacentUnequalRow(shown, rows, -1, 0, true), 0); // the top row itself
    EXPECT_EQ(adjacentUnequalRow(shown, rows, 0, 0, true), 3);
    EXPECT_EQ(adjacentUnequalRow(shown, rows, 3, 0, true), 0);
    EXPECT_EQ(adjacentUnequalRow(shown, rows, 3, 0, false), 0);
    EXPECT_EQ(adjacentUnequalRow(shown, rows, 0, 0, false), 3);
    EXPECT_EQ(adjacentUnequalRow(shown, rows, -1, 4, true), 0);
    EXPECT_EQ(adjacentUnequalRow(shown, rows, -1, 4, false), 3);
    rows[0].left.state = rows[3].left.state = ROW_SAME;
    EXPECT_EQ(adjacentUnequalRow(shown, rows, 2, 0, true), -1);
}

// Directory 2 is the destination: what is copied there is then the same.
TEST_F(Rows, CopyIntoADirectoryMakesItsRowsTheSameAndSaysWhatHappened) {
    tree.write("one/sub/c.txt", "c\n");
    tree.write("one/b.txt", "left\n");
    tree.write("two/b.txt", "right\n");
    tree.write("two/d.txt", "d\n");
    ASSERT_EQ(build(d2), kBuildFinished);
    const int c = rowOf("sub/c.txt");
    // b's replacement is declined (No); d has no left half to copy.
    const OperationCount count = dirs.copyToDestination(1, {c, rowOf("b.txt"), rowOf("d.txt")}, d2);
    EXPECT_EQ(count.copySummary(), "1 copied, 2 skipped, 0 failed");
    EXPECT_EQ(readFile(d2 + "/sub/c.txt"), "c\n");
    const ComparisonRow& row = dirs.state.rows[static_cast<std::size_t>(c)];
    EXPECT_EQ(rowKind(row), RowKind::Equal);
    EXPECT_EQ(markerText(row, 0), "copied");
    EXPECT_EQ(markerText(row, 1), "same");
    EXPECT_EQ(markerTip(row, 0), "The same in both directories; copied to the destination");
    EXPECT_EQ(dirs.lastCopyReport(), "Copy to Destination: 1 copied, 2 skipped, 0 failed");
    EXPECT_EQ(frame.messages.back(),
              std::make_pair(Severity::Info, dirs.lastCopyReport()));
    EXPECT_EQ(dirs.counts(), (RowCounts{1, 1, 0, 1, 0, 0}));
}

TEST_F(Rows, ACopyThatFailsIsCountedAndWarned) {
    testing::FailingFileSystem files;
    app.model.files = &files;
    tree.write("one/a.txt", "a\n");
    tree.write("one/b.txt", "b\n");
    ASSERT_EQ(build(out), kBuildFinished);
    files.fail(testing::FileOp::Write, "/out/b.txt", ENOSPC);
    EXPECT_EQ(dirs.copyToDestination(1, {0, 1}, out).copySummary(), "1 copied, 0 skipped, 1 failed");
    EXPECT_EQ(frame.questions.front(), "Directory " + out + " does not exist.\nCreate it?");
    EXPECT_EQ(frame.messages.back().first, Severity::Warning);
    EXPECT_EQ(markerText(dirs.state.rows[0], 0), "copied");
    EXPECT_EQ(markerText(dirs.state.rows[1], 0), "only here");
}

TEST_F(Rows, AMergeRunsResultMarksItsRowWhenTheWindowComesBack) {
    tree.write("one/p.txt", "left\n", 100);
    tree.write("two/p.txt", "right\n", 200);
    ASSERT_EQ(build(d1), kBuildFinished);
    ASSERT_EQ(dirs.activateRow(0, d1, d1), 0);
    ASSERT_EQ(started.size(), 1u);
    EXPECT_FALSE(dirs.recheckMergeRuns()); // nothing saved yet
    // The run saved into Directory 1 itself, taking the right side.
    tree.write("one/p.txt", "right\n", 300);
    EXPECT_TRUE(dirs.recheckMergeRuns());
    EXPECT_EQ(markerText(dirs.state.rows[0], 0), "merged");
    EXPECT_EQ(rowKind(dirs.state.rows[0]), RowKind::Equal);
    EXPECT_FALSE(dirs.recheckMergeRuns()); // told once
}

TEST_F(Rows, ACancelledScanKeepsItsRowsMarksTheListIncompleteAndThePairsUnread) {
    for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt"}) {
        tree.write(std::string("one/") + name, "x\n");
        tree.write(std::string("two/") + name, "x\n");
    }
    int steps = 0;
    ASSERT_EQ(build(out, [&steps](const std::string&) { return ++steps < 3; }), kBuildCancelled);
    EXPECT_TRUE(dirs.state.listIncomplete);
    ASSERT_FALSE(dirs.state.rows.empty());
    EXPECT_EQ(markerText(dirs.state.rows[0], 0), "not compared");
    const RowCounts counts = dirs.counts();
    EXPECT_EQ(counts.notCompared, static_cast<int>(dirs.state.rows.size()));
    EXPECT_EQ(counts.different, 0);
    EXPECT_NE(countsLine(counts).find(" not compared"), std::string::npos);
    ASSERT_EQ(build(out), kBuildFinished);
    EXPECT_FALSE(dirs.state.listIncomplete);
    EXPECT_EQ(dirs.counts().equal, 4);
}

} // namespace
} // namespace tandel
