// The directory window's list built through the real application object.
#include "control/application.h"
#include "control/dispatcher.h"
#include "dirmerge/directory_merge.h"
#include "frame/command_ids.h"
#include "merge/driver_test_support.h"

#include <gtest/gtest.h>

namespace tandel {
namespace {

using testing_support::DispatchingFrame;
using testing_support::TempFolder;

struct AppFixture : ::testing::Test {
    TempFolder tree;
    DispatchingFrame frame;
    Application app{frame};
    std::vector<std::vector<std::string>> started;
    DirectoryMerge dirs{app, "/opt/tandel",
                        [this](const std::vector<std::string>& a) { started.push_back(a); }};
    std::string d1 = tree.mkdir("one");
    std::string d2 = tree.mkdir("two");

    AppFixture() {
        app.settings.record.recursive = 1;
        app.settings.record.autoWalk = 0;
        frame.onSend = [this](int id) { run(id); };
    }
    void run(int id) {
        if (dirs.handleWalkCommand(id))
            return;
        dispatchCommand(app, id);
        if (id == cmd::kCompareFiles)
            dirs.afterCompareFiles();
    }
};

TEST_F(AppFixture, ListBuildComparesBytesAndStartsMergeRuns) {
    tree.write("one/same.txt", "a\nb\n", 100);
    tree.write("two/same.txt", "a\nb\n", 200);
    tree.write("one/diff.txt", "a\nb\n", 100);
    tree.write("two/diff.txt", "a\nc\n", 200);
    tree.write("one/skip.o", "obj", 100);
    app.settings.lists.excludeFilters = {"*.o"};
    // Equal to the panes, which ignore comments; not equal as files.
    tree.write("one/notes.c", "x /*a*/\n", 100);
    tree.write("two/notes.c", "x /*b*/\n", 200);
    app.compare.ignoreComments = 1;
    app.compare.comments = {{"/*", "*/"}};
    ASSERT_EQ(dirs.buildList(d1, d2, tree.file("out"), {}), kBuildFinished);
    ASSERT_EQ(dirs.state.rows.size(), 3u);
    EXPECT_EQ(dirs.state.rows[0].left.state, ROW_DIFFERENT); // diff.txt
    EXPECT_EQ(dirs.state.rows[1].left.state, ROW_DIFFERENT); // notes.c
    EXPECT_EQ(dirs.state.rows[2].left.state, ROW_SAME);
    EXPECT_EQ(app.settings.record.directoryWalk, 0);
    EXPECT_TRUE(frame.messages.empty());
    app.settings.record.directoryDiffsOnly = 1;
    EXPECT_EQ(dirs.shownRows(), (std::vector<int>{0, 1}));

    EXPECT_EQ(dirs.activateRow(2, d1, tree.file("out")), -1); // equal pair: nothing
    EXPECT_EQ(dirs.activateRow(0, d1, tree.file("out")), 0);
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].back(), tree.file("out"));
}

// A destination below a directory would be scanned as part of it.
TEST_F(AppFixture, ListBuildRefusesADestinationInsideADirectory) {
    tree.write("one/a.txt", "a\n");
    const std::string inside = d2 + "/merged";
    EXPECT_EQ(dirs.buildList(d1, d2, inside, {}), kBuildFailed);
    EXPECT_TRUE(dirs.state.rows.empty());
    EXPECT_EQ(frame.shown(Severity::Error),
              std::vector<std::string>{"The destination " + inside + " lies inside Directory 2 " +
                                       d2 + ".\nChoose a destination outside both directories."});
}

} // namespace
} // namespace tandel
