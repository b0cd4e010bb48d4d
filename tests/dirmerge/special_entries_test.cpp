// Entries that are neither regular files nor folders: pipes are listed and
// never opened; symbolic links are listed, compared and copied as the text
// they hold, never followed, dangling or looping ones included.
#include "dirmerge/comparison_list.h"
#include "dirmerge/copy_path.h"
#include "dirmerge/directory_lists.h"
#include "merge/driver_test_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace tandel {
namespace {

using testing_support::TempFolder;

std::string linkText(const std::string& path) {
    char text[256];
    const ssize_t n = ::readlink(path.c_str(), text, sizeof text);
    return n < 0 ? std::string("(not a link)") : std::string(text, static_cast<std::size_t>(n));
}

TEST(SpecialEntries, PipesAreListedAsDifferentWithoutBeingOpened) {
    TempFolder tree;
    const std::string d1 = tree.mkdir("one");
    const std::string d2 = tree.mkdir("two");
    // Pipes without a writer: opening one would block the test for ever.
    ASSERT_EQ(::mkfifo(tree.file("one/pipe").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo(tree.file("two/pipe").c_str(), 0600), 0);
    tree.write("one/same", "x\n", 1000);
    tree.write("two/same", "x\n", 1000);

    DirectoryOperationState state;
    ASSERT_EQ(buildComparisonList(state, d1, d2, tree.file("out"), ScanFilters{}, {}),
              kBuildFinished);
    ASSERT_EQ(state.rows.size(), 2u);
    const ComparisonRow& pipes = state.rows[0];
    EXPECT_EQ(pipes.left.state, ROW_DIFFERENT);
    EXPECT_EQ(pipes.right.state, ROW_DIFFERENT);
    EXPECT_NE(pipes.left.dateText, "");
    EXPECT_FALSE(startsMergeRun(pipes)); // a merge run would open them
    EXPECT_EQ(state.rows[1].left.state, ROW_SAME);

    test::FakeFrame frame;
    ToAllAnswers answers;
    CopyServices services{frame, answers, {}};
    int replace = kYesToAll;
    EXPECT_NE(copyPath(services, tree.file("one/pipe"), tree.file("copy"), replace), 0);
    EXPECT_EQ(frame.shown(Severity::Error),
              std::vector<std::string>{"Can not copy " + tree.file("one/pipe") +
                                       ": not a regular file"});
    EXPECT_FALSE(std::filesystem::exists(tree.file("copy")));
}

TEST(SpecialEntries, LinksPairByTheirTextAndAreNeverFollowed) {
    TempFolder tree;
    const std::string d1 = tree.mkdir("one");
    const std::string d2 = tree.mkdir("two");
    tree.write("one/target", "t\n");
    tree.write("two/target", "t\n");
    for (const char* side : {"one", "two"}) {
        const std::string dir = tree.file(side);
        // A loop that a recursive scan following links would never leave.
        ASSERT_EQ(::symlink(".", (dir + "/loop").c_str()), 0);
        ASSERT_EQ(::symlink("target", (dir + "/same").c_str()), 0);
    }
    ASSERT_EQ(::symlink("gone", tree.file("one/dangling").c_str()), 0);
    ASSERT_EQ(::symlink("target", tree.file("one/moved").c_str()), 0);
    ASSERT_EQ(::symlink("elsewhere", tree.file("two/moved").c_str()), 0);
    ASSERT_EQ(::symlink("target", tree.file("one/mixed").c_str()), 0);
    tree.write("two/mixed", "t\n");

    DirectoryOperationState state;
    ScanFilters filters;
    filters.recursive = true;
    ASSERT_EQ(buildComparisonList(state, d1, d2, tree.file("out"), filters, {}), kBuildFinished);
    ASSERT_EQ(state.rows.size(), 6u);
    const auto row = [&](std::size_t i) { return state.rows[i]; };
    EXPECT_EQ(row(0).left.path, d1 + "/dangling");
    EXPECT_TRUE(row(0).left.isLink);
    EXPECT_EQ(row(0).left.linkTarget, "gone");
    EXPECT_NE(row(0).left.dateText, ""); // the link's own time
    EXPECT_EQ(row(0).right.state, ROW_ABSENT);
    EXPECT_EQ(row(1).left.path, d1 + "/loop");
    EXPECT_EQ(row(1).left.state, ROW_SAME);
    EXPECT_EQ(row(2).left.path, d1 + "/mixed");
    EXPECT_EQ(row(2).left.state, ROW_DIFFERENT);
    EXPECT_FALSE(startsMergeRun(row(2)));
    EXPECT_EQ(row(3).left.state, ROW_DIFFERENT); // moved: other text
    EXPECT_EQ(row(4).left.state, ROW_SAME);      // same
    EXPECT_EQ(row(5).left.path, d1 + "/target");

    // Copied as links holding the same text, the loop included.
    test::FakeFrame frame;
    ToAllAnswers answers;
    CopyServices services{frame, answers, {}};
    int replace = kYesToAll;
    EXPECT_EQ(copyPath(services, d1, tree.file("out"), replace), 0);
    EXPECT_EQ(linkText(tree.file("out/dangling")), "gone");
    EXPECT_EQ(linkText(tree.file("out/loop")), ".");
    EXPECT_EQ(linkText(tree.file("out/moved")), "target");
    // A link over an older one of that name, the old one kept as a backup.
    services.makeBackup = [](const std::string& p) {
        return std::rename(p.c_str(), (p + ".bak").c_str()) == 0 ? 0 : -1;
    };
    EXPECT_EQ(copyPath(services, d2 + "/moved", tree.file("out/moved"), replace), 0);
    EXPECT_EQ(linkText(tree.file("out/moved")), "elsewhere");
    EXPECT_EQ(linkText(tree.file("out/moved.bak")), "target");
    EXPECT_TRUE(frame.shown(Severity::Error).empty());
}

} // namespace
} // namespace tandel
