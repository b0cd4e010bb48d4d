// Directory merging driven through the real application object: the merge
// model's loader, save and backup, and the comparison driver.
#include "dirmerge/directory_merge.h"
#include "merge/application.h"
#include "merge/command_ids.h"
#include "merge/dispatcher.h"
#include "scripted_frame.h"
#include "temp_tree.h"

#include <gtest/gtest.h>

namespace tandel {
namespace {

using testing::ScriptedFrame;
using testing::TempTree;

struct AppFixture : ::testing::Test {
    TempTree tree;
    ScriptedFrame frame;
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
    void drain() {
        for (int id = frame.takePosted(); id != 0; id = frame.takePosted())
            run(id);
    }
};

TEST_F(AppFixture, ListBuildComparesContentsThroughTheDriver) {
    tree.write("one/same.txt", "a\nb\n", 100);
    tree.write("two/same.txt", "a\nb\n", 200);
    tree.write("one/diff.txt", "a\nb\n", 100);
    tree.write("two/diff.txt", "a\nc\n", 200);
    tree.write("one/skip.o", "obj", 100);
    app.settings.lists.excludeFilters = {"*.o"};
    ASSERT_EQ(dirs.buildList(d1, d2, tree.path("out"), {}), kBuildFinished);
    ASSERT_EQ(dirs.state.rows.size(), 2u);
    EXPECT_EQ(dirs.state.rows[0].left.state, ROW_DIFFERENT); // diff.txt
    EXPECT_EQ(dirs.state.rows[1].left.state, ROW_SAME);
    EXPECT_EQ(app.settings.record.directoryWalk, 0);
    EXPECT_TRUE(frame.messages.empty()); // quiet: no "Files are identical"
    app.settings.record.directoryDiffsOnly = 1;
    EXPECT_EQ(dirs.shownRows(), (std::vector<int>{0}));

    EXPECT_EQ(dirs.activateRow(1, d1, tree.path("out")), -1); // equal pair: nothing
    EXPECT_EQ(dirs.activateRow(0, d1, tree.path("out")), 0);
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].back(), tree.path("out"));
}

TEST_F(AppFixture, WalkLoadsADifferingPairAndItsSaveGoesToTheDestination) {
    tree.write("one/a.txt", "same\n", 100);
    tree.write("two/a.txt", "same\n", 200);
    tree.write("one/b.txt", "left\n", 100);
    tree.write("two/b.txt", "right\n", 200);
    const std::string out = tree.mkdir("out");
    tree.write("out/b.txt", "older result\n");
    ASSERT_EQ(dirs.compareDirectories({d1, d2, out, false}), 0);
    drain();
    EXPECT_EQ(TempTree::read(out + "/a.txt"), "same\n"); // identical by content: copied
    EXPECT_EQ(app.model.side(1).fileName, d1 + "/b.txt");
    EXPECT_EQ(app.model.pairOutputPath, out + "/b.txt");
    EXPECT_EQ(app.settings.record.directoryWalk, 1);

    run(cmd::kSelectAll);
    run(cmd::kSaveAs);
    drain();
    // The merged text itself is the model's business; it lands in the pair's place.
    EXPECT_NE(TempTree::read(out + "/b.txt").find("left"), std::string::npos);
    EXPECT_EQ(TempTree::read(out + "/b.txt.bak"), "older result\n");
    ASSERT_FALSE(frame.messages.empty());
    EXPECT_EQ(frame.messages.back().second, "Directories have been \nsuccessfully compared");
    EXPECT_EQ(app.settings.record.directoryWalk, 0);
    EXPECT_TRUE(app.model.pairOutputPath.empty());
}

} // namespace
} // namespace tandel
