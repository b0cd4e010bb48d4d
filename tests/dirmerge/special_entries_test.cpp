// Entries that are neither regular files nor folders, and entries whose status
// cannot be read: listed, never equal, never opened, never copied.
#include "dirmerge/comparison_list.h"
#include "dirmerge/copy_path.h"
#include "merge/driver_test_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace tandel {
namespace {

using testing_support::TempFolder;

TEST(SpecialEntries, AreListedAsDifferentWithoutBeingOpened) {
    TempFolder tree;
    const std::string d1 = tree.mkdir("one");
    const std::string d2 = tree.mkdir("two");
    // Pipes without a writer: opening one would block the test for ever.
    ASSERT_EQ(::mkfifo(tree.file("one/pipe").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo(tree.file("two/pipe").c_str(), 0600), 0);
    ASSERT_EQ(::symlink(tree.file("one/gone").c_str(), tree.file("one/dangling").c_str()), 0);
    tree.write("one/same", "x\n", 1000);
    tree.write("two/same", "x\n", 1000);

    DirectoryOperationState state;
    std::vector<std::string> compared;
    const PairComparer comparer = [&](const std::string& a, const std::string&) {
        compared.push_back(a);
        return 1; // a comparer that calls everything equal must not be asked
    };
    ScanFilters filters;
    ASSERT_EQ(buildComparisonList(state, d1, d2, tree.file("out"), filters, comparer, {}),
              kBuildFinished);
    ASSERT_EQ(state.rows.size(), 3u);
    const ComparisonRow& dangling = state.rows[0];
    EXPECT_EQ(dangling.left.path, tree.file("one/dangling"));
    EXPECT_EQ(dangling.left.state, ROW_DIFFERENT);
    EXPECT_EQ(dangling.left.dateText, "");
    EXPECT_EQ(dangling.right.state, ROW_ABSENT);
    const ComparisonRow& pipes = state.rows[1];
    EXPECT_EQ(pipes.left.state, ROW_DIFFERENT);
    EXPECT_EQ(pipes.right.state, ROW_DIFFERENT);
    EXPECT_NE(pipes.left.dateText, "");
    EXPECT_EQ(state.rows[2].left.state, ROW_SAME);
    EXPECT_TRUE(compared.empty());
}

TEST(SpecialEntries, AreNeverCopied) {
    TempFolder tree;
    ASSERT_EQ(::mkfifo(tree.file("pipe").c_str(), 0600), 0);
    test::FakeFrame frame;
    ToAllAnswers answers;
    CopyServices services{frame, answers, {}};
    int replace = kYesToAll;
    EXPECT_NE(copyPath(services, tree.file("pipe"), tree.file("copy"), replace), 0);
    EXPECT_EQ(
        frame.shown(Severity::Error),
        std::vector<std::string>{"Can not copy " + tree.file("pipe") + ": not a regular file"});
    EXPECT_EQ(tree.entries(), std::vector<std::string>{"pipe"});
}

} // namespace
} // namespace tandel
