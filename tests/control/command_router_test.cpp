// A directory walk and the directory window's commands driven only through
// the command router, with posted commands drained as a console run does.
#include "control/application.h"
#include "control/command_router.h"
#include "control/search.h"
#include "dirmerge/directory_merge.h"
#include "frame/command_ids.h"
#include "merge/driver_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tandel {
namespace {

using testing_support::readFile;
using testing_support::TempFolder;

struct Router : ::testing::Test {
    TempFolder tree;
    test::FakeFrame frame;
    Application app{frame};
    DirectoryMerge dirs{app, "/opt/tandel", [](const std::vector<std::string>&) {}};
    std::string d1 = tree.mkdir("one");
    std::string d2 = tree.mkdir("two");
    std::string out = tree.mkdir("out");
    int dialogs = 0;
    bool cancelBuild = false;
    std::vector<int> order;
    CommandRouter router{app, dirs,
                         RouterInputs{[this](DirectorySelection& s) {
                                          ++dialogs;
                                          s = {d1, d2, out, false};
                                          return true;
                                      },
                                      {},
                                      [this](const std::string&) { return !cancelBuild; },
                                      [this] { return order; }}};

    Router() {
        app.settings.record.recursive = 1;
        app.settings.record.autoWalk = 0;
        app.settings.record.unixFormat = 1;
        app.settings.files.selectDir1 = d1;
        app.settings.files.selectDir2 = d2;
        app.settings.files.selectOutdir = out;
        frame.onSend = [this](int id) { router.route(id); }; // sent commands run at once
    }
    // As the event loop would: post, then run until nothing is left.
    void post(int id) {
        frame.postCommand(id);
        for (id = frame.takePosted(); id != 0; id = frame.takePosted())
            router.route(id);
    }
    bool walking() const { return app.settings.record.directoryWalk != 0; }
};

// What the walk copies and asks is the walk's own (walk_test.cpp); here, the
// routing between it, the model and the save.
TEST_F(Router, WalkLoadsTheDifferingPairAndFinishesAfterItsSave) {
    const TempFolder::Entry entries[] = {{"one/a.txt", "same\n", 100},
                                         {"two/a.txt", "same\n", 200},
                                         {"one/b.txt", "left\n", 100},
                                         {"two/b.txt", "right\n", 200}};
    tree.writeAll(entries);
    post(cmd::kCompareDirs);
    EXPECT_EQ(readFile(out + "/a.txt"), "same\n");
    ASSERT_TRUE(walking()); // waits on b.txt
    EXPECT_EQ(app.model.side(1).fileName, d1 + "/b.txt");
    EXPECT_EQ(app.model.side(2).fileName, d2 + "/b.txt");
    EXPECT_EQ(app.model.pairOutputPath, out + "/b.txt");
    EXPECT_EQ(frame.walkMenu, std::vector<bool>{true});

    // A second start while the walk waits does not even open the dialog.
    EXPECT_TRUE(router.route(cmd::kCompareDirs));
    EXPECT_EQ(dialogs, 1);

    EXPECT_TRUE(router.route(cmd::kSelectAll));
    post(cmd::kSaveAs);

    EXPECT_EQ(readFile(out + "/b.txt"), "right\nleft\n");
    EXPECT_EQ(
        frame.messages,
        (std::vector<std::pair<Severity, std::string>>{
            {Severity::Info, "Directories compared: 1 copied, 1 merged, 0 skipped, 0 failed"}}));
    EXPECT_EQ(frame.walkMenu, (std::vector<bool>{true, false}));
    EXPECT_FALSE(walking());
    EXPECT_TRUE(app.model.pairOutputPath.empty());
}

// Rescan builds a cancelled list again (what a cancel keeps: list_build_test.cpp);
// a file named as a directory is said, not listed.
TEST_F(Router, TheDirectoryWindowBuildsItsListAndSaysWhatItCannotList) {
    tree.write("one/a.txt", "x\n");
    tree.write("one/b.txt", "x\n");
    cancelBuild = true;
    post(cmd::kCompareDirectoryLists);
    EXPECT_EQ(dirs.state.rows.size(), 1u);
    EXPECT_FALSE(app.frameState.quitRequested);
    cancelBuild = false;
    EXPECT_TRUE(router.route(cmd::kRescanDirectories));
    EXPECT_EQ(dirs.state.rows.size(), 2u);
    EXPECT_EQ(std::ranges::count(frame.events, ModelEvent::ListRowsChanged), 2);
    EXPECT_FALSE(router.route(4)); // an id nobody owns
    EXPECT_TRUE(router.route(cmd::kCompareFiles));

    app.settings.files.selectDir1 = tree.write("plain.txt", "x\n");
    post(cmd::kCompareDirectoryLists);
    EXPECT_EQ(frame.messages.back().second, tree.file("plain.txt") + " is not a directory");
    EXPECT_EQ(readFile(tree.file("plain.txt")), "x\n");
}

TEST_F(Router, FindNextInTheDirectoryWindowSearchesTheShownRowsFromTheLastHit) {
    for (const char* path : {"/l/beta.c", "/l/gamma", "/r/BETA.h"}) {
        dirs.state.rows.emplace_back();
        dirs.state.rows.back().right.path = path;
    }
    app.frameState.directoryWindow = true;
    order = {2, 1, 0};
    app.frameState.searchText = "E";
    app.frameState.ignoreCase = true;
    std::vector<std::int64_t> found;
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(router.route(cmd::kFindNext));
        found.push_back(app.frameState.lastFoundPosition);
    }
    EXPECT_EQ(found, (std::vector<std::int64_t>{0, 2, 0}));
    EXPECT_EQ(frame.listHits.front(), std::make_pair(2, std::int64_t{0}));
    app.frameState.searchText = "zzz";
    ASSERT_TRUE(router.route(cmd::kFindNext));
    EXPECT_EQ(app.frameState.lastFoundPosition, -1);
    EXPECT_EQ(frame.messages.back(), std::make_pair(Severity::Info, std::string(kNotFoundMessage)));
}

} // namespace
} // namespace tandel
